// The machine's serial devices read from a fake /dev and /sys tree, and the
// texts that say why a port gave no line.
#include "link/serial_ports.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "link/port_messages.h"
#include "support/scratch_folder.h"

namespace kv {
namespace {
namespace fs = std::filesystem;

class FakeTree : public ::testing::Test {
  protected:
    void SetUp() override {
        tree.dev = root_ + "/dev";
        tree.sys = root_ + "/sys";
        fs::create_directories(tree.dev + "/serial/by-id");
        fs::create_directories(tree.sys + "/bus/drivers");
    }

    void file(const std::string& path, const std::string& text = "") {
        fs::create_directories(fs::path(path).parent_path());
        std::ofstream(path) << text;
    }
    // A tty node, and its sysfs folder with the driver behind it ("" = none)
    // and the UART type ("" = no type file).
    void tty(const std::string& name, const std::string& driver, const std::string& type = "") {
        file(tree.dev + "/" + name);
        const std::string sys = tree.sys + "/class/tty/" + name;
        fs::create_directories(sys + "/device");
        if (!driver.empty()) {
            fs::create_directories(tree.sys + "/bus/drivers/" + driver);
            fs::create_directory_symlink(tree.sys + "/bus/drivers/" + driver,
                                         sys + "/device/driver");
        }
        if (!type.empty()) file(sys + "/type", type + "\n");
    }

    test::ScratchFolder scratch_;
    std::string root_ = scratch_.path();
    DeviceTree tree;
};

TEST_F(FakeTree, ListsLinksThenAdaptersThenUartsWithoutTheConsole) {
    tty("ttyS0", "serial8250", "4");  // the console
    tty("ttyS1", "serial8250", "4");  // a UART
    tty("ttyS2", "serial8250", "0");  // a placeholder without a UART
    tty("ttyS3", "");                 // no driver at all
    tty("ttyUSB10", "ftdi_sio");
    tty("ttyUSB2", "pl2303");
    tty("ttyACM0", "cdc_acm");
    file(tree.dev + "/ttyUSBx");
    file(tree.dev + "/tty5");
    file(tree.sys + "/class/tty/console/active", "tty0 ttyS0\n");
    fs::create_symlink("../../ttyUSB10", tree.dev + "/serial/by-id/usb-FTDI_cable-if00-port0");
    fs::create_symlink("../../ttyUSB7", tree.dev + "/serial/by-id/usb-gone-if00-port0");
    fs::create_symlink("../../ttyS0", tree.dev + "/serial/by-id/pci-console");

    const std::vector<SerialPortInfo> ports = listSerialPorts(tree);
    std::vector<std::string> shown;
    for (const SerialPortInfo& p : ports) shown.push_back(p.path + "|" + p.target + "|" + p.driver);
    const std::string d = tree.dev + "/";
    EXPECT_EQ(shown, (std::vector<std::string>{
                         d + "serial/by-id/usb-FTDI_cable-if00-port0|" +
                             fs::canonical(d + "ttyUSB10").string() + "|ftdi_sio",
                         d + "ttyUSB2||pl2303",
                         d + "ttyUSB10||ftdi_sio",
                         d + "ttyACM0||cdc_acm",
                         d + "ttyS1||serial8250",
                     }));

    EXPECT_TRUE(isConsoleDevice(d + "ttyS0", tree));
    EXPECT_TRUE(isConsoleDevice(d + "serial/by-id/pci-console", tree));
    EXPECT_FALSE(isConsoleDevice(d + "ttyS1", tree));
    EXPECT_TRUE(isConsoleDevice("/dev/console", tree));
}

TEST_F(FakeTree, AnEmptyMachineListsNothing) {
    EXPECT_TRUE(listSerialPorts(tree).empty());
    DeviceTree missing{root_ + "/none", root_ + "/none"};
    EXPECT_TRUE(listSerialPorts(missing).empty());
}

TEST_F(FakeTree, ALockFileCountsWhileItsProgramRuns) {
    const std::string locks = root_ + "/lock";
    fs::create_directories(locks);
    file(locks + "/LCK..ttyUSB0", "      " + std::to_string(::getpid()) + "\n");
    // A process number no process has (above the kernel's limit of 2^22).
    file(locks + "/LCK..ttyUSB1", "   9999999\n");
    EXPECT_TRUE(hasLiveLockFile("/dev/ttyUSB0", {locks}));
    EXPECT_FALSE(hasLiveLockFile("/dev/ttyUSB1", {locks}));
    EXPECT_FALSE(hasLiveLockFile("/dev/ttyUSB2", {locks}));
}

// A pseudo-terminal (what the simulator answers on) is told from a real line,
// also through a link that leads to it.
TEST_F(FakeTree, APseudoTerminalIsToldFromALine) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string slave = ::ptsname(master);
    fs::create_symlink(slave, tree.dev + "/ttyUSB7");
    EXPECT_TRUE(isPseudoTerminal(slave));
    EXPECT_TRUE(isPseudoTerminal(tree.dev + "/ttyUSB7"));
    EXPECT_FALSE(isPseudoTerminal("/dev/null"));
    EXPECT_FALSE(isPseudoTerminal(tree.dev + "/no-such-device"));
    ::close(master);
}

// The reason in Japanese whatever the system's language, the system's own
// text beside it, and what to do.
TEST(PortMessages, KeepTheNumberAndSayWhyAndWhatToDo) {
    struct Case {
        uint32_t error;
        std::string group;
        std::string reason;  // empty: the system's text alone
        std::string hint;    // a part of the third line; empty: no hint
    } cases[] = {
        {EACCES, "dialout", "アクセスが許可されていません", "グループ \"dialout\" に加えて"},
        {EACCES, "uucp", "アクセスが許可されていません", "グループ \"uucp\" に加えて"},
        {EACCES, "root", "アクセスが許可されていません", "グループ \"dialout\" に加えて"},
        {EACCES, "", "アクセスが許可されていません", "グループ \"dialout\" に加えて"},
        {ENOENT, "dialout", "デバイスがありません", "ケーブル"},
        {ENXIO, "dialout", "デバイスが取り外されています", "ケーブル"},
        {EBUSY, "dialout", "ほかのプログラムが使用中です", "終了して"},
        {EIO, "dialout", "入出力エラーが起きました", ""},
        {EINVAL, "dialout", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        const std::string text = portOpenErrorText(c.error, "/dev/ttyUSB0", c.group);
        const std::string head =
            "ポートが開けません。\n" + std::to_string(c.error) + "\n/dev/ttyUSB0: ";
        ASSERT_EQ(text.rfind(head, 0), 0u) << text;
        const std::string third = text.substr(head.size());
        EXPECT_EQ(third.find('\n'), std::string::npos) << text;
        const std::string system = systemErrorText(static_cast<int>(c.error));
        const std::string reason = c.reason.empty() ? system : c.reason + "（" + system + "）";
        EXPECT_EQ(portErrorReason(static_cast<int>(c.error)), reason);
        EXPECT_EQ(third.rfind(reason, 0), 0u) << text;
        if (c.hint.empty()) {
            EXPECT_EQ(third, reason);
        } else {
            EXPECT_NE(third.find(c.hint, reason.size()), std::string::npos) << text;
        }
        if (c.error == EACCES) {
            EXPECT_NE(third.find("ログインし直して"), std::string::npos);
        }
    }
    EXPECT_NE(baudRateRefusedText(12345, "/dev/ttyUSB0").find("12345 bps"), std::string::npos);
}

TEST(PortMessages, TheGroupIsReadFromTheDevice) {
    const group* dialout = ::getgrnam("dialout");
    if (!dialout) GTEST_SKIP() << "no group dialout on this machine";
    test::ScratchFolder scratch;
    const std::string pattern = scratch.file("device");
    std::ofstream(pattern) << "";
    if (::chown(pattern.c_str(), static_cast<uid_t>(-1), dialout->gr_gid) != 0)
        GTEST_SKIP() << "cannot give a file to group dialout here";
    EXPECT_EQ(deviceGroupName(pattern), "dialout");
    EXPECT_NE(portOpenErrorText(EACCES, pattern).find("\"dialout\""), std::string::npos);
    fs::remove(pattern);
    EXPECT_EQ(deviceGroupName(pattern), "");
}

}  // namespace
}  // namespace kv
