// Replacing a file as a whole or not at all: failures at every step, an
// interruption, permissions, symbolic links, targets that are refused and a
// file system that fills up.
#include "base/safe_file_writer.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/scratch_folder.h"

namespace kv {
namespace {

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// 150 KiB: the writer hands it to the system in three writes (64, 64, 22 KiB).
std::string payload() {
    std::string bytes;
    for (int i = 0; bytes.size() < 150 * 1024; ++i) bytes += std::to_string(i) + ",";
    return bytes;
}

mode_t modeOf(const std::string& path) {
    struct stat st {};
    ::lstat(path.c_str(), &st);
    return st.st_mode & 07777;
}

// The system's calls with one of them failing (or writing a few bytes at a
// time) as a case asks.
struct FaultyCalls {
    const char* failing;   // "open", "write", "fsync", "close", "rename"; "" for none
    int failingWrite = 0;  // which write fails (1-based)
    int error = EIO;
    size_t writeAtMost = SIZE_MAX;

    FileCalls calls() {
        const FileCalls& real = systemFileCalls();
        FileCalls c = real;
        auto fails = [this](const char* call) {
            if (std::strcmp(failing, call) != 0) return false;
            errno = error;
            return true;
        };
        c.open = [=](const char* p, int f, mode_t m) {
            return fails("open") ? -1 : real.open(p, f, m);
        };
        c.write = [=, this, count = 0](int fd, const void* d, size_t n) mutable -> ssize_t {
            if (++count == failingWrite && fails("write")) return -1;
            return real.write(fd, d, std::min(n, writeAtMost));
        };
        c.fsync = [=](int fd) { return fails("fsync") ? -1 : real.fsync(fd); };
        c.close = [=](int fd) {
            const int rc = real.close(fd);
            return fails("close") ? -1 : rc;
        };
        c.rename = [=](const char* a, const char* b) {
            return fails("rename") ? -1 : real.rename(a, b);
        };
        return c;
    }
};

TEST(SafeFileWriter, AFailureAtAnyStepLeavesTheOldFileAndNoTemporaryFile) {
    struct Case {
        const char* name;
        FaultyCalls faults;
    };
    const Case cases[] = {
        {"creating the temporary file", {"open", 0, EACCES}},
        {"first write", {"write", 1, ENOSPC}},
        {"middle write", {"write", 2, EIO}},
        {"last write", {"write", 3, EDQUOT}},
        {"sync", {"fsync", 0, EIO}},
        {"close", {"close", 0, EDQUOT}},
        {"rename", {"rename", 0, EXDEV}},
    };
    const std::string bytes = payload();
    for (Case c : cases) {
        SCOPED_TRACE(c.name);
        test::ScratchFolder folder;
        const std::string target = folder.file("out.pdf");
        writeBytes(target, "old");
        const FileCalls calls = c.faults.calls();
        std::string error;
        EXPECT_FALSE(writeFileSafely(target, bytes, error, calls));
        EXPECT_EQ(error, target + ": " + std::strerror(c.faults.error));
        EXPECT_EQ(readBytes(target), "old");
        EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"out.pdf"});
    }
}

TEST(SafeFileWriter, ShortWritesAreContinuedUntilEveryByteIsWritten) {
    test::ScratchFolder folder;
    FaultyCalls trickle{"", 0, 0, 999};
    const FileCalls calls = trickle.calls();
    std::string error;
    ASSERT_TRUE(writeFileSafely(folder.file("out.csv"), payload(), error, calls)) << error;
    EXPECT_EQ(readBytes(folder.file("out.csv")), payload());
}

TEST(SafeFileWriter, AnInterruptionRemovesTheTemporaryFile) {
    test::ScratchFolder folder;
    const std::string target = folder.file("out.png");
    writeBytes(target, "old");
    EXPECT_EXIT(
        {
            std::signal(SIGINT, SIG_DFL);  // as in a shell's foreground job
            removePendingFilesOnSignals();
            FileCalls calls = systemFileCalls();
            calls.write = [](int fd, const void* d, size_t n) {
                static int count = 0;
                if (++count == 2) std::raise(SIGINT);  // Ctrl-C in the middle of the file
                return ::write(fd, d, n);
            };
            std::string error;
            writeFileSafely(target, payload(), error, calls);
            std::exit(0);
        },
        ::testing::KilledBySignal(SIGINT), "");
    EXPECT_EQ(readBytes(target), "old");
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"out.png"});
}

TEST(SafeFileWriter, NewFilesFollowTheUmaskAndReplacedOnesKeepTheirMode) {
    test::ScratchFolder folder;
    std::string error;
    const mode_t before = ::umask(022);
    ASSERT_TRUE(writeFileSafely(folder.file("a"), "x", error));
    ::umask(077);
    ASSERT_TRUE(writeFileSafely(folder.file("b"), "x", error));
    writeBytes(folder.file("c"), "old");
    ::chmod(folder.file("c").c_str(), 0754);
    ASSERT_TRUE(writeFileSafely(folder.file("c"), "new", error));
    ::umask(before);
    EXPECT_EQ(modeOf(folder.file("a")), 0644u);
    EXPECT_EQ(modeOf(folder.file("b")), 0600u);
    EXPECT_EQ(modeOf(folder.file("c")), 0754u);
    EXPECT_EQ(readBytes(folder.file("c")), "new");
}

TEST(SafeFileWriter, ASymbolicLinkStaysAndItsDestinationIsReplaced) {
    test::ScratchFolder folder;
    std::filesystem::create_directory(folder.file("sub"));
    writeBytes(folder.file("real.ini"), "old");
    // A chain of links, one of them relative to a folder of its own.
    std::filesystem::create_symlink("../real.ini", folder.file("sub/first"));
    std::filesystem::create_symlink("sub/first", folder.file("link.ini"));
    std::filesystem::create_symlink("not-yet.png", folder.file("dangling.png"));
    std::string error;
    ASSERT_TRUE(writeFileSafely(folder.file("link.ini"), "new", error)) << error;
    ASSERT_TRUE(writeFileSafely(folder.file("dangling.png"), "made", error)) << error;
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.ini")));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("sub/first")));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("dangling.png")));
    EXPECT_EQ(readBytes(folder.file("real.ini")), "new");
    EXPECT_EQ(readBytes(folder.file("not-yet.png")), "made");
}

TEST(SafeFileWriter, TargetsThatCannotBeReplacedAreRefusedUntouched) {
    test::ScratchFolder folder;
    std::filesystem::create_directory(folder.file("folder.pdf"));
    ASSERT_EQ(::mkfifo(folder.file("pipe.pdf").c_str(), 0644), 0);
    writeBytes(folder.file("readonly.pdf"), "old");
    ::chmod(folder.file("readonly.pdf").c_str(), 0444);
    struct Case {
        std::string target;
        std::string reason;
    };
    std::vector<Case> cases = {
        {folder.file("folder.pdf"), std::strerror(EISDIR)},
        {folder.file("pipe.pdf"), "not a regular file"},  // and no waiting for a reader
        {"/dev/full", "not a regular file"},
        {folder.file("no/such/folder.pdf"), std::strerror(ENOENT)},
        {"", std::strerror(ENOENT)},
    };
    // Root may write any file; an ordinary user may not write this one.
    if (::geteuid() != 0) cases.push_back({folder.file("readonly.pdf"), std::strerror(EACCES)});
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(writeFileSafely(c.target, "new", error)) << c.target;
        EXPECT_EQ(error, c.target + ": " + c.reason);
    }
    EXPECT_TRUE(std::filesystem::is_fifo(folder.file("pipe.pdf")));
    EXPECT_EQ(readBytes(folder.file("readonly.pdf")), "old");
    EXPECT_EQ(namesIn(folder.path()),
              (std::vector<std::string>{"folder.pdf", "pipe.pdf", "readonly.pdf"}));
}

TEST(SafeFileWriter, AFullFileSystemFailsTheWriteAndKeepsTheOldFile) {
    test::ScratchFolder folder;
    if (::mount("tmpfs", folder.path().c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs here";
    const std::string target = folder.file("plot.png");
    writeBytes(target, "old");
    std::string error;
    EXPECT_FALSE(writeFileSafely(target, payload(), error));
    EXPECT_EQ(error, target + ": " + std::strerror(ENOSPC));
    EXPECT_EQ(readBytes(target), "old");
    EXPECT_EQ(namesIn(folder.path()), std::vector<std::string>{"plot.png"});
    ::umount2(folder.path().c_str(), MNT_DETACH);
}

}  // namespace
}  // namespace kv
