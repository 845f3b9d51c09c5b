#include "settings/pc_settings.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "base/cp932.h"
#include "settings_test_support.h"

namespace kv {
namespace {

using test::readBytes;
using test::ScratchFolder;
using test::writeBytes;

// A reader that shares nothing with the store: section -> key -> raw CP932 value.
std::map<std::string, std::map<std::string, std::string>> readIni(const std::string& bytes) {
    std::map<std::string, std::map<std::string, std::string>> out;
    std::string section;
    std::istringstream in(bytes);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
        } else if (auto eq = line.find('='); eq != std::string::npos) {
            out[section].emplace(line.substr(0, eq), line.substr(eq + 1));
        }
    }
    return out;
}

std::string cp932(const std::string& utf8) {
    return utf8ToCp932(utf8).value();
}

const char* const kNames[DATA_MAX] = {"データ１", "データ２", "データ３", "データ４", "データ５",
                                      "データ６", "データ７", "データ８", "データ９", "データ１０"};

class PcSettingsTest : public ::testing::Test {
  protected:
    void SetUp() override { settings.locateForExecutable(dir.file("kvmanager"), "/nonexistent"); }
    std::string ini() const { return dir.file("kvmanager.ini"); }

    ScratchFolder dir;
    PcSettings settings;
};

TEST_F(PcSettingsTest, WithoutAFileEveryValueIsItsDefault) {
    settings.load();
    EXPECT_EQ(settings.iniFilePath(), ini());
    EXPECT_EQ(settings.dataFolder(), dir.file("KV-DATAS/"));
    EXPECT_EQ(settings.comPort(), 1);
    EXPECT_EQ(settings.baudRate(), 38400);
    for (int n = 0; n < DATA_MAX; ++n) {
        EXPECT_TRUE(settings.isAutoName(n));
        EXPECT_EQ(settings.fileName(n), kNames[n]);
    }
    const uint32_t lines[3] = {0x0000FF, 0xFF0000, 0x008000};
    for (int pane = 0; pane < 3; ++pane) {
        EXPECT_EQ(settings.graphColors[pane].back, 0xFFFFFFu);
        EXPECT_EQ(settings.graphColors[pane].line, lines[pane]);
        EXPECT_EQ(settings.graphColors[pane].grid, 0u);
        EXPECT_EQ(settings.graphColors[pane].font, 0u);
    }
    EXPECT_EQ(settings.defType, -1);
    EXPECT_EQ(settings.defRange, 3);
    EXPECT_EQ(settings.defPeakWave, 0);
    EXPECT_EQ(settings.defInterval, 0);
    EXPECT_EQ(settings.defNewOldType, 0);
    EXPECT_FALSE(settings.saveTrace());
    for (int port = 1; port <= 8; ++port) {
        EXPECT_FALSE(settings.hasDevicePath(port));
        EXPECT_EQ(settings.devicePath(port), "/dev/ttyS" + std::to_string(port - 1));
    }
}

TEST_F(PcSettingsTest, SavedFileIsReadBackWithEveryValue) {
    settings.load();
    settings.setDataFolder("/srv/データ");
    settings.setComPort(5);
    settings.setBaudRate(9600);
    settings.setAutoName(3, false);
    settings.setFileName(9, "試験１０");
    settings.graphColors[1] = {0x123456, 0xFEDCBA, 0x0A0B0C, 0x00FF00};
    settings.defType = 4;
    settings.defRange = 0;
    settings.defPeakWave = 1;
    settings.defInterval = 7;
    settings.defNewOldType = 1;
    settings.setDevicePath(2, "/dev/ttyUSB0");
    settings.restitution = 0.3;
    settings.srsQ = 12.5;
    settings.setSaveTrace(true);
    ASSERT_TRUE(settings.save());

    auto file = readIni(readBytes(ini()));
    EXPECT_EQ(file["Analysis"]["Restitution"], "0.3");
    EXPECT_EQ(file["Analysis"]["Q"], "12.5");
    EXPECT_EQ(file["etc"]["Path"], cp932("/srv/データ/"));
    EXPECT_EQ(file["etc"]["TraceLog"], "1");
    EXPECT_EQ(file["com"]["Port"], "5");
    EXPECT_EQ(file["com"]["Baud"], "9600");
    EXPECT_EQ(file["com"]["Device2"], "/dev/ttyUSB0");
    EXPECT_EQ(file["com"].count("Device1"), 0u);
    EXPECT_EQ(file["Data4"]["Auto"], "0");
    EXPECT_EQ(file["Data1"]["Auto"], "1");
    EXPECT_EQ(file["Data10"]["Name"], cp932("試験１０"));
    EXPECT_EQ(file["Graph1"]["Back"], "16777215");
    EXPECT_EQ(file["Graph2"]["Line"], std::to_string(0xFEDCBA));
    EXPECT_EQ(file["KV_DEF"]["TYPE"], "4");
    EXPECT_EQ(file["KV_DEF"]["NEWOLD_TYPE"], "1");
    for (int n = 0; n < 9; ++n)
        EXPECT_EQ(file["Data" + std::to_string(n + 1)]["Name"], cp932(kNames[n]));

    PcSettings again;
    again.setIniFilePath(ini());
    again.load();
    EXPECT_EQ(again.dataFolder(), "/srv/データ/");
    EXPECT_EQ(again.comPort(), 5);
    EXPECT_EQ(again.baudRate(), 9600);
    EXPECT_FALSE(again.isAutoName(3));
    EXPECT_TRUE(again.isAutoName(4));
    EXPECT_EQ(again.fileName(9), "試験１０");
    EXPECT_EQ(again.graphColors[1].back, 0x123456u);
    EXPECT_EQ(again.graphColors[1].line, 0xFEDCBAu);
    EXPECT_EQ(again.graphColors[1].grid, 0x0A0B0Cu);
    EXPECT_EQ(again.graphColors[1].font, 0x00FF00u);
    EXPECT_EQ(again.graphColors[2].line, 0x008000u);
    EXPECT_EQ(again.defType, 4);
    EXPECT_EQ(again.defRange, 0);
    EXPECT_EQ(again.defPeakWave, 1);
    EXPECT_EQ(again.defInterval, 7);
    EXPECT_EQ(again.defNewOldType, 1);
    EXPECT_EQ(again.devicePath(2), "/dev/ttyUSB0");
    EXPECT_FALSE(again.hasDevicePath(1));
    EXPECT_EQ(again.restitution, 0.3);
    EXPECT_EQ(again.srsQ, 12.5);
    EXPECT_TRUE(again.saveTrace());
}

TEST_F(PcSettingsTest, KeysAreWrittenInTheirFixedOrderWithCrLf) {
    settings.load();
    ASSERT_TRUE(settings.save());
    std::string bytes = readBytes(ini());
    EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1);
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);
    std::vector<std::string> order = {
        "[etc]",     "Path=",     "[com]",        "Port=",      "Baud=",        "[Data1]",
        "Auto=",     "[Data10]",  "Name=",        "[Graph1]",   "Back=",        "Line=",
        "Grid=",     "Font=",     "[Graph3]",     "[KV_DEF]",   "TYPE=",        "G=",
        "PEAKWAVE=", "INTERVAL=", "NEWOLD_TYPE=", "[Analysis]", "Restitution=", "Q="};
    size_t at = 0;
    for (const auto& piece : order) {
        size_t found = bytes.find(piece, at);
        ASSERT_NE(found, std::string::npos) << piece;
        at = found;
    }
}

TEST_F(PcSettingsTest, AutoIsReadAsAnIntegerAndWrittenAsOneOrZero) {
    writeBytes(ini(),
               "[Data1]\r\nAuto=2\r\n[Data2]\r\nAuto=0\r\n[Data3]\r\nAuto=-1\r\n"
               "[Data4]\r\nAuto=yes\r\n[Data5]\r\nAuto=\r\n");
    settings.load();
    EXPECT_TRUE(settings.isAutoName(0));
    EXPECT_FALSE(settings.isAutoName(1));
    EXPECT_TRUE(settings.isAutoName(2));
    EXPECT_TRUE(settings.isAutoName(3));  // does not parse: default
    EXPECT_TRUE(settings.isAutoName(4));
    ASSERT_TRUE(settings.save());
    auto file = readIni(readBytes(ini()));
    EXPECT_EQ(file["Data1"]["Auto"], "1");
    EXPECT_EQ(file["Data2"]["Auto"], "0");
    EXPECT_EQ(file["Data3"]["Auto"], "1");
}

TEST_F(PcSettingsTest, ValuesAreTakenAsReadButUnparsableIntegersGiveDefaults) {
    writeBytes(ini(),
               "[com]\nPort=8\nBaud=12x\n[KV_DEF]\nTYPE= 2 \nG=99999999999\n"
               "PEAKWAVE=0x10\n[Graph1]\nLine=-1\nBack=4294967296\n[etc]\nPath=/data\n");
    settings.load();
    EXPECT_EQ(settings.comPort(), 8);
    EXPECT_EQ(settings.baudRate(), 38400);
    EXPECT_EQ(settings.defType, 2);
    EXPECT_EQ(settings.defRange, 3);
    EXPECT_EQ(settings.defPeakWave, 0);
    EXPECT_EQ(settings.graphColors[0].line, 0xFFFFFFFFu);
    EXPECT_EQ(settings.graphColors[0].back, 0xFFFFFFu);
    EXPECT_EQ(settings.dataFolder(), "/data/");
}

TEST_F(PcSettingsTest, APortOrBaudRateNoLineCanUseReadsAsItsDefault) {
    const struct {
        const char* port;
        const char* baud;
        int comPort;
        int baudRate;
    } cases[] = {
        {"0", "0", 1, 38400},         {"-1", "-9600", 1, 38400},
        {"9", "4000001", 1, 38400},   {"100000", "2147483647", 1, 38400},
        {"8", "12345", 8, 12345},  // a rate some line may know; the session judges it
        {"1", "4000000", 1, 4000000},
    };
    for (const auto& c : cases) {
        writeBytes(ini(), std::string("[com]\nPort=") + c.port + "\nBaud=" + c.baud + "\n");
        settings.load();
        EXPECT_EQ(settings.comPort(), c.comPort) << c.port;
        EXPECT_EQ(settings.baudRate(), c.baudRate) << c.baud;
    }
}

TEST_F(PcSettingsTest, AnalysisValuesOutsideTheirRangesReadAsTheDefaults) {
    const struct {
        const char* restitution;
        const char* q;
        double e, srsQ;
    } cases[] = {
        {"0", "2", 0, 2},          {"0.95", "50", 0.95, 50},  {"+0.7", "7.25", 0.7, 7.25},
        {"0.96", "1.99", 0.5, 10}, {"-0.1", "50.5", 0.5, 10}, {"0,5", "10 Hz", 0.5, 10},
        {"nan", "inf", 0.5, 10},   {"", "", 0.5, 10},
    };
    for (const auto& c : cases) {
        writeBytes(ini(), std::string("[Analysis]\r\nRestitution=") + c.restitution +
                              "\r\nQ=" + c.q + "\r\n");
        settings.load();
        EXPECT_EQ(settings.restitution, c.e) << c.restitution;
        EXPECT_EQ(settings.srsQ, c.srsQ) << c.q;
        EXPECT_EQ(settings.analysisOptions().restitution, c.e);
    }
}

TEST_F(PcSettingsTest, UnknownSectionsKeysAndCommentsSurviveASave) {
    std::string hand =
        "; written by hand\r\n[Extra]\r\nColour=" + cp932("赤") +
        "\r\n\r\n[com]\r\nBaud=19200\r\nParity=none\r\n\r\n[Data10]\r\nName=" + cp932("最後") +
        "\r\nNote=keep\r\n";
    writeBytes(ini(), hand);
    settings.load();
    EXPECT_EQ(settings.baudRate(), 19200);
    EXPECT_EQ(settings.fileName(9), "最後");
    settings.setBaudRate(4800);
    ASSERT_TRUE(settings.save());

    std::string bytes = readBytes(ini());
    EXPECT_EQ(bytes.rfind("; written by hand\r\n[Extra]\r\nColour=" + cp932("赤") + "\r\n", 0), 0u);
    auto file = readIni(bytes);
    EXPECT_EQ(file["com"]["Parity"], "none");
    EXPECT_EQ(file["com"]["Baud"], "4800");
    EXPECT_EQ(file["Data10"]["Note"], "keep");
    EXPECT_EQ(file["Data10"]["Name"], cp932("最後"));
    EXPECT_NE(bytes.find("Baud=4800\r\nParity=none\r\nPort=1\r\n\r\n[Data10]"), std::string::npos);
}

TEST_F(PcSettingsTest, BrokenFilesGiveDefaultsAndKeepUndecodableLines) {
    const std::string broken[] = {
        "",
        "\r\n\r\n",
        "[com",
        "[com]\r\nPo",
        "[com]\r\nPort=3",  // truncated after a value: still read
        std::string("\0\xff\xfe[\x81]\n=\n==\n[]\n", 16),
        "[Data1]\r\nName=\x82\r\n",  // a lead byte without its trail byte
    };
    for (const auto& bytes : broken) {
        writeBytes(ini(), bytes);
        PcSettings s;
        s.setIniFilePath(ini());
        s.load();
        EXPECT_EQ(s.baudRate(), 38400);
        EXPECT_EQ(s.fileName(0), "データ１");
        EXPECT_EQ(s.comPort(), bytes == "[com]\r\nPort=3" ? 3 : 1);
        EXPECT_TRUE(s.save());
    }
    // The undecodable name was replaced by the store's value; other undecodable
    // bytes stay where they were.
    writeBytes(ini(), "[Other]\r\nKey=\x82\r\n");
    settings.load();
    ASSERT_TRUE(settings.save());
    EXPECT_EQ(readBytes(ini()).rfind("[Other]\r\nKey=\x82\r\n", 0), 0u);
}

TEST_F(PcSettingsTest, FailedSaveLeavesTheOldFileIntact) {
    settings.load();
    ASSERT_TRUE(settings.save());
    std::string before = readBytes(ini());
    settings.setComPort(7);
    auto onlyTheIniRemains = [&] {
        EXPECT_EQ(readBytes(ini()), before);
        auto entries = std::filesystem::directory_iterator(dir.path());
        EXPECT_EQ(std::distance(begin(entries), end(entries)), 1);
    };

    // A disk that fills up while the new file is written.
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = old;
    tiny.rlim_cur = 64;
    ::setrlimit(RLIMIT_FSIZE, &tiny);
    bool saved = settings.save();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(saved);
    onlyTheIniRemains();

    // A folder the user may not write into (root may write anywhere).
    if (::geteuid() != 0) {
        ::chmod(dir.path().c_str(), 0555);
        EXPECT_FALSE(settings.save());
        ::chmod(dir.path().c_str(), 0755);
        onlyTheIniRemains();
    }
}

TEST_F(PcSettingsTest, AnIniFileGivenAsALinkStaysALink) {
    writeBytes(dir.file("shared.ini"), "[com]\r\nPort=3\r\n");
    std::filesystem::create_symlink("shared.ini", ini());
    settings.load();
    settings.setComPort(5);
    ASSERT_TRUE(settings.save()) << settings.saveError();
    EXPECT_TRUE(std::filesystem::is_symlink(ini()));
    EXPECT_EQ(readIni(readBytes(dir.file("shared.ini")))["com"]["Port"], "5");
}

// What cannot be an INI file gives the defaults at once (a pipe without a
// writer must not hold up the start) and is never written over.
TEST_F(PcSettingsTest, WhatIsNoIniFileGivesDefaultsAndIsNotWrittenBack) {
    const std::string tooLarge = "[com]\r\nPort=3\r\n;" + std::string(1 << 20, 'x') + "\r\n";
    struct Case {
        const char* reason;
        std::function<void()> make;
    };
    const Case cases[] = {
        {"not a regular file", [&] { ASSERT_EQ(::mkfifo(ini().c_str(), 0644), 0); }},
        {"is a folder", [&] { std::filesystem::create_directory(ini()); }},
        {"larger than 1048576 bytes", [&] { writeBytes(ini(), tooLarge); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        std::filesystem::remove_all(ini());
        c.make();
        const auto kind = std::filesystem::status(ini()).type();
        settings.load();
        EXPECT_EQ(settings.comPort(), 1);
        EXPECT_NE(settings.iniProblem().find(ini() + ": " + c.reason), std::string::npos)
            << settings.iniProblem();
        settings.setComPort(4);
        EXPECT_FALSE(settings.save());
        EXPECT_EQ(settings.saveError(), settings.iniProblem());
        EXPECT_EQ(std::filesystem::status(ini()).type(), kind);
        if (kind == std::filesystem::file_type::regular) {
            EXPECT_EQ(readBytes(ini()), tooLarge);
        }
    }
    // Its problem belongs to that file: another one is read and written again.
    std::filesystem::remove(ini());
    settings.load();
    EXPECT_TRUE(settings.iniProblem().empty());
    EXPECT_TRUE(settings.save()) << settings.saveError();
}

TEST_F(PcSettingsTest, TextWithoutACp932FormIsNotWritten) {
    settings.load();
    ASSERT_TRUE(settings.save());
    settings.setFileName(0, "😀");
    settings.setComPort(2);
    EXPECT_FALSE(settings.save());
    auto file = readIni(readBytes(ini()));
    EXPECT_EQ(file["Data1"]["Name"], cp932("データ１"));
    EXPECT_EQ(file["com"]["Port"], "2");
}

TEST_F(PcSettingsTest, DevicesAbsentAreNotWrittenAndClearedOnesAreRemoved) {
    writeBytes(ini(), "[com]\r\nDevice3=/dev/serial/by-id/usb-x\r\nDevice4=/dev/ttyACM0\r\n");
    settings.load();
    EXPECT_EQ(settings.devicePath(3), "/dev/serial/by-id/usb-x");
    settings.setDevicePath(4, "");
    EXPECT_EQ(settings.devicePath(4), "/dev/ttyS3");
    ASSERT_TRUE(settings.save());
    auto file = readIni(readBytes(ini()));
    EXPECT_EQ(file["com"]["Device3"], "/dev/serial/by-id/usb-x");
    EXPECT_EQ(file["com"].count("Device4"), 0u);
    EXPECT_EQ(file["com"].count("Device1"), 0u);
}

TEST(PcSettingsLocation, IniBesideTheProgramOrUnderTheHomeFolder) {
    ScratchFolder dir;
    PcSettings s;
    s.locateForExecutable(dir.file("bin.d/kvmanager.bin"), "/home/u");
    // The folder does not exist, so it is not writable.
    EXPECT_EQ(s.iniFilePath(), "/home/u/.config/kvmanager/kvmanager.ini");
    s.load();
    EXPECT_EQ(s.dataFolder(), "/home/u/KV-DATAS/");

    s.locateForExecutable(dir.file("kvmanager.bin"), "/home/u");
    EXPECT_EQ(s.iniFilePath(), dir.file("kvmanager.ini"));
    s.locateForExecutable(dir.file("kvmanager"), "/home/u");
    EXPECT_EQ(s.iniFilePath(), dir.file("kvmanager.ini"));
    s.load();
    EXPECT_EQ(s.dataFolder(), dir.file("KV-DATAS/"));

    // Installed with the system, also when root (who could write there) runs it.
    s.locateForExecutable("/usr/bin/kvmanager", "/home/u");
    EXPECT_EQ(s.iniFilePath(), "/home/u/.config/kvmanager/kvmanager.ini");
    s.load();
    EXPECT_EQ(s.dataFolder(), "/home/u/KV-DATAS/");

    // The per-user file's folders are created by the first save.
    std::string home = dir.file("home");
    s.locateForExecutable(dir.file("missing/kvmanager"), home + "/");
    EXPECT_EQ(s.iniFilePath(), home + "/.config/kvmanager/kvmanager.ini");
    s.load();
    EXPECT_TRUE(s.save());
    EXPECT_TRUE(std::filesystem::exists(s.iniFilePath()));
}

TEST(PcSettingsDeathTest, AccessorsGuardTheirCallers) {
    PcSettings s;
    EXPECT_DEATH(s.fileName(DATA_MAX), "no < DATA_MAX");
    EXPECT_DEATH(s.setAutoName(-1, true), "0 <= no");
    EXPECT_DEATH(s.setComPort(9), "port <= 8");
    EXPECT_DEATH(s.setBaudRate(0), "0 < baud");
}

}  // namespace
}  // namespace kv
