#include "base/safe_file_writer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>

#include "base/message_text.h"

namespace kv {
namespace {

constexpr size_t kChunk = size_t{64} << 10;

// The temporary files of writers at work, for the signal handler: fixed
// storage, so that the handler reads no memory that a writer frees.
constexpr int kPendingSlots = 8;
char pendingPath[kPendingSlots][PATH_MAX];
std::atomic<bool> pendingUsed[kPendingSlots];

const int kFatalSignals[] = {SIGINT, SIGTERM, SIGHUP};

void onFatalSignal(int signal) {
    const int saved = errno;
    for (int i = 0; i < kPendingSlots; ++i)
        if (pendingUsed[i].load(std::memory_order_acquire)) ::unlink(pendingPath[i]);
    // SA_RESETHAND has put back the default action; the signal is blocked
    // while this runs, so the program ends by it as soon as the handler returns.
    ::raise(signal);
    errno = saved;
}

int registerPending(const std::string& path) {
    if (path.size() >= PATH_MAX) return -1;
    for (int i = 0; i < kPendingSlots; ++i) {
        bool expected = false;
        if (pendingUsed[i].load(std::memory_order_acquire)) continue;
        std::memcpy(pendingPath[i], path.c_str(), path.size() + 1);
        if (pendingUsed[i].compare_exchange_strong(expected, true, std::memory_order_acq_rel))
            return i;
    }
    return -1;
}

void unregisterPending(int& slot) {
    if (slot >= 0) pendingUsed[slot].store(false, std::memory_order_release);
    slot = -1;
}

// Keeps the fatal signals out while a temporary file is made or renamed, so
// that the list of pending files always matches what is on the disk.
class FatalSignalsHeld {
  public:
    FatalSignalsHeld() {
        sigset_t set;
        sigemptyset(&set);
        for (int s : kFatalSignals) sigaddset(&set, s);
        pthread_sigmask(SIG_BLOCK, &set, &old_);
    }
    ~FatalSignalsHeld() { pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
    FatalSignalsHeld(const FatalSignalsHeld&) = delete;
    FatalSignalsHeld& operator=(const FatalSignalsHeld&) = delete;

  private:
    sigset_t old_;
};

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a write to `path` really replaces: symbolic links followed to
// their end (which need not exist yet). 0, or the error number.
int followLinks(std::string path, std::string& destination, struct stat& st, bool& exists) {
    for (int hops = 0; hops < 40; ++hops) {
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno != ENOENT) return errno;
            exists = false;
            destination = path;
            return 0;
        }
        if (!S_ISLNK(st.st_mode)) {
            exists = true;
            destination = path;
            return 0;
        }
        char link[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), link, sizeof link);
        if (n < 0) return errno;
        if (static_cast<size_t>(n) >= sizeof link) return ENAMETOOLONG;
        const std::string next(link, static_cast<size_t>(n));
        path = next.front() == '/' ? next : folderOf(path) + "/" + next;
    }
    return ELOOP;
}

std::string randomSuffix() {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char bytes[6] = {};
    if (::getrandom(bytes, sizeof bytes, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof bytes)) {
        static std::atomic<unsigned> counter{0};
        const unsigned mix = static_cast<unsigned>(::getpid()) * 2654435761u + counter++;
        for (size_t i = 0; i < sizeof bytes; ++i) bytes[i] = static_cast<unsigned char>(mix >> i);
    }
    std::string s;
    for (unsigned char b : bytes) s += kLetters[b % (sizeof kLetters - 1)];
    return s;
}

// A name no longer than a file system takes, however long the target's is.
std::string temporaryName(const std::string& destination) {
    std::string name = nameOf(destination);
    if (name.size() > 200) name.resize(200);
    return folderOf(destination) + "/." + name + "." + randomSuffix() + ".part";
}

void syncFolder(const std::string& path) {
    // The rename itself reaches the disk with the folder's entry.
    const int dir = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    ::fsync(dir);
    ::close(dir);
}

}  // namespace

const FileCalls& systemFileCalls() {
    static const FileCalls calls{
        [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
        [](int fd, const void* data, size_t size) { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); },
        [](int fd) { return ::close(fd); },
        [](const char* from, const char* to) { return ::rename(from, to); },
    };
    return calls;
}

int writeFully(const FileCalls& calls, int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = calls.write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return ENOSPC;  // no progress and no error: a full device
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return 0;
}

SafeFileWriter::SafeFileWriter(std::string target, const FileCalls& calls)
    : target_(std::move(target)), calls_(calls) {}

SafeFileWriter::~SafeFileWriter() {
    if (!committed_) removeTemporary();
}

bool SafeFileWriter::fail(int errorNumber, std::string_view reason) {
    if (error_.empty()) {
        errorNumber_ = errorNumber;
        error_ = shortenedForMessage(target_) + ": " +
                 (reason.empty() ? std::string(std::strerror(errorNumber)) : std::string(reason));
    }
    removeTemporary();
    return false;
}

void SafeFileWriter::removeTemporary() {
    if (fd_ >= 0) calls_.close(fd_);
    fd_ = -1;
    buffer_.clear();
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    temporary_.clear();
    unregisterPending(slot_);
}

bool SafeFileWriter::open() {
    if (fd_ >= 0 || !error_.empty() || committed_) return fail(EINVAL);
    if (target_.empty()) return fail(ENOENT);
    struct stat st {};
    bool exists = false;
    if (const int e = followLinks(target_, destination_, st, exists)) return fail(e);
    if (exists) {
        if (S_ISDIR(st.st_mode)) return fail(EISDIR);
        // A device, a pipe or a socket cannot be replaced by a file.
        if (!S_ISREG(st.st_mode)) return fail(0, "not a regular file");
        if (::faccessat(AT_FDCWD, destination_.c_str(), W_OK, AT_EACCESS) != 0) return fail(errno);
    }
    {
        FatalSignalsHeld held;
        for (int attempt = 0; fd_ < 0; ++attempt) {
            temporary_ = temporaryName(destination_);
            // 0666: the kernel takes off the umask, as for any new file.
            fd_ = calls_.open(temporary_.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
            if (fd_ >= 0) break;
            const int e = errno;
            temporary_.clear();
            if (e != EEXIST || attempt >= 100) return fail(e);
        }
        slot_ = registerPending(temporary_);
    }
    if (exists) {
        // The replacement is the same file to its users: same owner where
        // this user may give it, same permissions.
        if (st.st_uid != ::geteuid() || st.st_gid != ::getegid())
            (void)::fchown(fd_, st.st_uid, st.st_gid);
        (void)::fchmod(fd_, st.st_mode & 07777);
    }
    buffer_.reserve(kChunk);
    return true;
}

bool SafeFileWriter::flush() {
    if (buffer_.empty()) return true;
    const int e = writeFully(calls_, fd_, buffer_);
    buffer_.clear();
    return e == 0 || fail(e);
}

bool SafeFileWriter::write(std::string_view bytes) {
    if (fd_ < 0) return false;
    while (!bytes.empty()) {
        const size_t n = std::min(kChunk - buffer_.size(), bytes.size());
        buffer_.append(bytes.substr(0, n));
        bytes.remove_prefix(n);
        if (buffer_.size() == kChunk && !flush()) return false;
    }
    return true;
}

bool SafeFileWriter::commit() {
    if (fd_ < 0) return false;
    if (!flush()) return false;
    if (calls_.fsync(fd_) != 0) return fail(errno);
    const int fd = fd_;
    fd_ = -1;
    // A network file system may report a lost write only at the close.
    if (calls_.close(fd) != 0 && errno != EINTR) return fail(errno);
    {
        FatalSignalsHeld held;
        if (calls_.rename(temporary_.c_str(), destination_.c_str()) != 0) return fail(errno);
        temporary_.clear();
        unregisterPending(slot_);
    }
    committed_ = true;
    syncFolder(destination_);
    return true;
}

void SafeFileWriter::discard() {
    removeTemporary();
}

bool writeFileSafely(const std::string& path, std::string_view bytes, std::string& error,
                     const FileCalls& calls) {
    SafeFileWriter out(path, calls);
    if (out.open() && out.write(bytes) && out.commit()) return true;
    error = out.error();
    return false;
}

void removePendingFilesOnSignals() {
    for (int s : kFatalSignals) {
        struct sigaction old {};
        if (sigaction(s, nullptr, &old) != 0 || old.sa_handler != SIG_DFL) continue;
        struct sigaction action {};
        action.sa_handler = onFatalSignal;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        for (int other : kFatalSignals) sigaddset(&action.sa_mask, other);
        sigaction(s, &action, nullptr);
    }
}

}  // namespace kv
