#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include "base/cp932.h"

namespace kv {
namespace {

std::string cp932(const std::string& utf8) {
    return utf8ToCp932(utf8).value();
}

TEST(IniFile, NamesMatchWithoutCaseAndSpacesAroundValuesAreIgnored) {
    IniFile ini;
    ini.parse("[ETC]\r\n  path =  /x/y  \r\n[Com]\r\nBAUD=1\r\n");
    EXPECT_EQ(ini.value("etc", "Path"), "/x/y");
    EXPECT_EQ(ini.value("com", "baud"), "1");
    EXPECT_EQ(ini.value("com", "Port"), std::nullopt);
    ASSERT_TRUE(ini.setValue("etc", "PATH", "/z/"));
    EXPECT_EQ(ini.serialise(), "[ETC]\r\nPATH=/z/\r\n[Com]\r\nBAUD=1\r\n");
}

TEST(IniFile, DoubleByteCharactersEndingInBracketBytesDoNotSplitLines) {
    // "ー" is 81 5B and "‐" is 81 5D in CP932: bytes that look like brackets.
    std::string bytes =
        "[" + cp932("データー") + "]\r\n" + cp932("キー‐") + "=" + cp932("値ー") + "\r\n";
    IniFile ini;
    ini.parse(bytes);
    EXPECT_EQ(ini.value("データー", "キー‐"), "値ー");
    EXPECT_EQ(ini.serialise(), bytes);
}

TEST(IniFile, NewKeysJoinTheirSectionBeforeItsBlankLines) {
    IniFile ini;
    ini.parse("[a]\nx=1\n\n[b]\ny=2");
    ASSERT_TRUE(ini.setValue("a", "z", "3"));
    ASSERT_TRUE(ini.setValue("c", "w", "4"));
    EXPECT_EQ(ini.serialise(), "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n[c]\r\nw=4\r\n");
}

TEST(IniFile, RefusesWhatWouldBreakTheFile) {
    IniFile ini;
    EXPECT_FALSE(ini.setValue("a", "k", "two\r\nlines"));
    EXPECT_FALSE(ini.setValue("a", "k", "\xF0\x9F\x98\x80"));  // no CP932 form
    EXPECT_EQ(ini.serialise(), "");
}

TEST(IniFile, UndecodableLinesAreKeptByteForByte) {
    std::string bytes = std::string("[\x81]\r\nk=v\r\n[ok]\r\nbad=\xA0\xFF\r\n\x82\r\n", 27);
    IniFile ini;
    ini.parse(bytes);
    EXPECT_EQ(ini.value("ok", "bad"), std::nullopt);
    EXPECT_EQ(ini.value("", "k"), std::nullopt);
    EXPECT_EQ(ini.serialise(), bytes);
    ASSERT_TRUE(ini.setValue("ok", "bad", "good"));
    EXPECT_EQ(ini.value("ok", "bad"), "good");
}

}  // namespace
}  // namespace kv
