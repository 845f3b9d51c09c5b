#include "base/sha256.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/scratch_folder.h"

namespace kv {
namespace {

// The examples of FIPS 180-4 (and its companion examples document).
TEST(Sha256, StandardExamples) {
    const struct {
        std::string message;
        const char* digest;
    } cases[] = {
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    };
    for (const auto& c : cases) EXPECT_EQ(sha256Hex(c.message), c.digest) << c.message;
}

// One million 'a', fed in pieces whose sizes do not divide the 64-byte block,
// so the buffering across calls is what is tested; the file reader agrees.
TEST(Sha256, MillionAInPiecesAndFromAFile) {
    const char* const expected = "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0";
    const std::string million(1000000, 'a');
    Sha256 sha;
    size_t at = 0;
    for (size_t piece = 1; at < million.size(); piece = piece * 3 % 97 + 1) {
        const size_t n = std::min(piece, million.size() - at);
        sha.update(million.data() + at, n);
        at += n;
    }
    const auto digest = sha.finish();
    EXPECT_EQ(hexText(digest.data(), digest.size()), expected);

    test::ScratchFolder folder;
    std::ofstream(folder.file("a.bin"), std::ios::binary) << million;
    std::string hex;
    int error = -1;
    ASSERT_TRUE(sha256OfFile(folder.file("a.bin"), hex, error));
    EXPECT_EQ(hex, expected);
    EXPECT_EQ(error, 0);
    EXPECT_FALSE(sha256OfFile(folder.file("missing"), hex, error));
    EXPECT_EQ(error, ENOENT);
}

// The processor's SHA instructions (where the machine has them) and the plain
// steps agree on every length around the block size, fed in pieces that
// straddle the blocks.
TEST(Sha256, BothEnginesGiveTheSameDigest) {
    auto digest = [](const std::string& bytes, Sha256::Engine engine, size_t piece) {
        Sha256 sha(engine);
        for (size_t at = 0; at < bytes.size(); at += piece) sha.update(bytes.substr(at, piece));
        const auto d = sha.finish();
        return hexText(d.data(), d.size());
    };
    std::string bytes;
    for (int n = 0; n < 300; ++n) {
        EXPECT_EQ(digest(bytes, Sha256::Engine::Fastest, 7),
                  digest(bytes, Sha256::Engine::Portable, 300))
            << n;
        bytes += static_cast<char>(n * 131 + 7);
    }
    EXPECT_EQ(digest(std::string(1000000, 'a'), Sha256::Engine::Portable, 4096),
              "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

}  // namespace
}  // namespace kv
