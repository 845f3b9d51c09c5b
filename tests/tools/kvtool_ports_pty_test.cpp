// kvtool as a program in real time: a port that cannot be opened is named at
// once with the reason (a missing device, a device of another group opened by
// an unprivileged user, a baud rate the line lacks), and `ports --probe` over
// pseudo-terminals finds the recorder among a silent and a busy line.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "kvtool_program.h"
#include "link/termios_device.h"
#include "support/kvsim_process.h"
#include "support/scratch_folder.h"

namespace kv {
namespace {

using test::kvtoolPath;

struct Outcome {
    int status = -1;
    std::string out;  // stdout and stderr
};

Outcome run(const std::string& command) {
    Outcome r;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return r;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) r.out.append(buf, n);
    const int status = ::pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

TEST(KvtoolPortErrors, AMissingDeviceIsNamedWithItsReason) {
    const Outcome r =
        run(kvtoolPath() + " --ini /nonexistent/kv.ini --port /dev/kv-no-such-port info");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("ポートが開けません。\n2\n/dev/kv-no-such-port: "), std::string::npos)
        << r.out;
    // The first attempt failed, so the later generation was not tried either.
    EXPECT_EQ(r.out.find("本体情報"), std::string::npos) << r.out;
}

TEST(KvtoolPortErrors, ADeviceOfAnotherGroupNamesThatGroup) {
    // Root opens anything: the device is opened by an unprivileged user.
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to make a device node and drop to nobody";
    if (run("command -v setpriv").status != 0) GTEST_SKIP() << "setpriv is missing";
    test::ScratchFolder scratch;
    const std::string& folder = scratch.path();
    ::chmod(folder.c_str(), 0755);  // the unprivileged user must reach the node
    const std::string node = folder + "/ttyKV0";
    // Any character device will do: the open is refused before its driver runs.
    if (::mknod(node.c_str(), S_IFCHR | 0660, makedev(1, 3)) != 0)
        GTEST_SKIP() << "cannot make a device node here";
    const gid_t group = 20;  // dialout on Debian
    ASSERT_EQ(::chown(node.c_str(), 0, group), 0);
    const Outcome r = run("setpriv --reuid=65534 --regid=65534 --clear-groups " + kvtoolPath() +
                          " --ini /nonexistent/kv.ini --port " + node + " info");
    if (r.out.find("setpriv:") != std::string::npos) GTEST_SKIP() << r.out;
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("ポートが開けません。\n13\n" + node + ": "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("ログインし直して"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("グループ \""), std::string::npos) << r.out;
}

TEST(KvtoolPortErrors, ABaudRateTheLineLacksIsSaidBeforeAnythingIsSent) {
    int master = -1, slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    const std::string path = ::ttyname(slave);
    const Outcome r =
        run(kvtoolPath() + " --ini /nonexistent/kv.ini --baud 12345 --port " + path + " info");
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("ボーレート 12345 bps"), std::string::npos) << r.out;
    ::fcntl(master, F_SETFL, O_NONBLOCK);
    char byte;
    EXPECT_LT(::read(master, &byte, 1), 1);
    ::close(slave);
    ::close(master);
}

TEST(KvtoolPorts, ProbeFindsTheRecorderAmongASilentAndABusyLine) {
    test::KvsimProcess answering({"--model", "5300"});
    test::KvsimProcess silent({"--model", "5100", "--silent", "1000"});
    ASSERT_TRUE(answering.started()) << answering.error();
    ASSERT_TRUE(silent.started()) << silent.error();
    // A line that another program holds: nothing may reach its other end.
    int master = -1, slave = -1;
    ASSERT_EQ(::openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    const std::string busyPath = ::ttyname(slave);
    TermiosDevice holder;
    ASSERT_EQ(holder.open(busyPath), 0);

    const Outcome r = run(kvtoolPath() + " --ini /nonexistent/kv.ini ports --probe --json " +
                          answering.devicePath() + " " + silent.devicePath() + " " + busyPath);
    EXPECT_EQ(r.status, 0) << r.out;
    auto entry = [&](const std::string& path) {
        const size_t at = r.out.find("\"path\": \"" + path + "\"");
        return at == std::string::npos ? std::string() : r.out.substr(at, r.out.find('}', at) - at);
    };
    EXPECT_NE(entry(answering.devicePath()).find("\"result\": \"answered\""), std::string::npos)
        << r.out;
    EXPECT_NE(entry(answering.devicePath()).find("\"model\": 5300"), std::string::npos) << r.out;
    EXPECT_NE(entry(answering.devicePath()).find("\"serialNumber\": "), std::string::npos);
    EXPECT_NE(entry(silent.devicePath()).find("\"result\": \"silent\""), std::string::npos)
        << r.out;
    EXPECT_NE(entry(busyPath).find("\"result\": \"busy\""), std::string::npos) << r.out;
    ::fcntl(master, F_SETFL, O_NONBLOCK);
    char byte;
    EXPECT_LT(::read(master, &byte, 1), 1);
    holder.close();
    ::close(slave);
    ::close(master);
}

}  // namespace
}  // namespace kv
