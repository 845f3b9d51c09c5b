// Inputs are looked at before they are read, and what messages quote of them
// stays readable.
#include "base/input_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <fstream>

#include "base/message_text.h"
#include "support/scratch_folder.h"

namespace kv {
namespace {

TEST(InputFile, OnlyRegularFilesUpToTheLimitAreOpenedAndNothingWaits) {
    test::ScratchFolder folder;
    std::ofstream(folder.file("small.ini"), std::ios::binary) << std::string(100, 'x');
    ASSERT_EQ(::mkfifo(folder.file("pipe.ini").c_str(), 0644), 0);
    struct Case {
        std::string path;
        InputRefusal refusal;
        const char* reason;
    };
    const Case cases[] = {
        {folder.file("small.ini"), InputRefusal::None, ""},
        {folder.file("missing.ini"), InputRefusal::Missing, "No such file or directory"},
        {folder.path(), InputRefusal::NotRegular, "is a folder"},
        {folder.file("pipe.ini"), InputRefusal::NotRegular, "not a regular file"},
        {"/dev/zero", InputRefusal::NotRegular, "not a regular file"},
    };
    for (const Case& c : cases) {
        InputFile in = InputFile::open(c.path, 100);
        EXPECT_EQ(in.refusal(), c.refusal) << c.path;
        EXPECT_EQ(static_cast<bool>(in), c.refusal == InputRefusal::None) << c.path;
        EXPECT_EQ(inputRefusalReason(in, 100), c.reason) << c.path;
    }
    InputFile tooLarge = InputFile::open(folder.file("small.ini"), 99);
    EXPECT_EQ(tooLarge.refusal(), InputRefusal::TooLarge);
    EXPECT_EQ(inputRefusalReason(tooLarge, 99), "larger than 99 bytes (100)");
}

TEST(MessageText, LongQuotationsKeepBothEndsAndWholeCharacters) {
    EXPECT_EQ(shortenedForMessage("/home/u/data.csv"), "/home/u/data.csv");

    const std::string path = "/data/" + std::string(10 << 20, 'A') + "/KV53W07-01.CSV";
    const std::string shown = shortenedForMessage(path);
    EXPECT_LE(shown.size(), kMessageQuoteBytes);
    EXPECT_EQ(shown.substr(0, 6), "/data/");
    EXPECT_EQ(shown.substr(shown.size() - 15), "/KV53W07-01.CSV");
    EXPECT_NE(shown.find("…"), std::string::npos);

    // Three-byte characters on both sides of the cut stay whole.
    std::string kana;
    for (int i = 0; i < 200; ++i) kana += "データ";
    const std::string cut = shortenedForMessage(kana, 50);
    const size_t mark = cut.find("…");
    ASSERT_NE(mark, std::string::npos);
    EXPECT_EQ(mark % 3, 0u);
    EXPECT_EQ((cut.size() - mark - 3) % 3, 0u);
}

}  // namespace
}  // namespace kv
