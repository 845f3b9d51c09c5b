// File names are bytes: a name Qt cannot decode still opens and saves under
// its own bytes once the window has shown it as text.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QFile>
#include <fstream>

#include "list/qt_output_file.h"
#include "support/scratch_folder.h"

namespace kv {
namespace {

TEST(FileNameBytes, NamesQtCannotDecodeAreFoundAgainInTheirFolder) {
    test::ScratchFolder folder;
    const std::string badFolder = folder.file("m\xe9sures");
    ASSERT_EQ(::mkdir(badFolder.c_str(), 0755), 0);
    const std::string bad = badFolder + "/KV53P\xff-01.CSV";
    std::ofstream(bad) << "x";
    // As the file dialog shows them, and the bytes they stand for.
    const std::pair<std::string, std::string> cases[] = {
        {bad, bad},
        {folder.file("データ-01.CSV"), folder.file("データ-01.CSV")},
        // A new name: its folder is found, the name itself can only be encoded.
        {badFolder + "/new\xfe.png", badFolder + "/new\xef\xbf\xbd.png"},
    };
    for (const auto& [path, bytes] : cases)
        EXPECT_EQ(fileNameBytes(QFile::decodeName(QByteArray::fromStdString(path))), bytes);
    EXPECT_EQ(fileNameBytes(QStringLiteral("relative/データ.pdf")), "relative/データ.pdf");
}

}  // namespace
}  // namespace kv
