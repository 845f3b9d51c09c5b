#include "base/cp932.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(Cp932, RoundTripsJapaneseAndAscii) {
    const std::string text = "データ１０ ＫＶマネージャー KV-5300 ｱﾌﾟﾘ";
    auto bytes = utf8ToCp932(text);
    ASSERT_TRUE(bytes);
    auto back = cp932ToUtf8(*bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, text);
}

TEST(Cp932, UsesTheWindowsVendorMappings) {
    // Windows-31J, not plain Shift-JIS: full-width tilde and minus.
    EXPECT_EQ(utf8ToCp932("～"), std::string("\x81\x60"));
    EXPECT_EQ(utf8ToCp932("－"), std::string("\x81\x7C"));
    EXPECT_EQ(utf8ToCp932("データ１"), std::string("\x83\x66\x81\x5B\x83\x5E\x82\x50"));
    EXPECT_EQ(cp932ToUtf8("\x87\x40"), std::string("①"));
}

TEST(Cp932, RefusesWhatItCannotConvert) {
    EXPECT_FALSE(utf8ToCp932("emoji 😀"));
    EXPECT_FALSE(utf8ToCp932("\xC3"));  // truncated UTF-8
    EXPECT_FALSE(fitsCp932("한국어"));
    EXPECT_TRUE(fitsCp932("ＫＶ設定"));
    EXPECT_FALSE(cp932ToUtf8("\x83"));      // lead byte without its trail
    EXPECT_FALSE(cp932ToUtf8("\xFF\xFF"));  // not a CP932 sequence
}

}  // namespace
}  // namespace kv
