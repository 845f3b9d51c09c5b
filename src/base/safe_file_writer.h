#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>

namespace kv {

// The system calls through which a file is written. The program uses
// systemFileCalls(); a test replaces some of them to make a write, the sync,
// the close or the rename fail at a chosen moment.
struct FileCalls {
    std::function<int(const char* path, int flags, mode_t mode)> open;
    std::function<ssize_t(int fd, const void* data, size_t size)> write;
    std::function<int(int fd)> fsync;
    std::function<int(int fd)> close;
    std::function<int(const char* from, const char* to)> rename;
};
const FileCalls& systemFileCalls();

// Writes every byte to `fd`, again after an interruption or a partial write.
// Returns 0, or the error number of the failure (ENOSPC when the device takes
// no more bytes without saying why).
int writeFully(const FileCalls& calls, int fd, std::string_view bytes);

// Replaces a file as a whole, or not at all: every output of the program that
// may exist already (printouts, pictures, exports, reports, the INI file) is
// written this way. Measurement data files are not: they are always new files,
// created exclusively under a free name.
//
//   SafeFileWriter out(path);
//   if (!out.open() || !out.write(bytes) || !out.commit()) report(out.error());
//
// The bytes go to a hidden temporary file in the target's folder, created with
// the permissions a new file gets (0666 less the umask) or those of the file
// it replaces (and, where allowed, its owner). commit() writes what is
// buffered, syncs the file to the disk, closes it (each step checked) and
// renames it over the target, so a reader sees either the old file or the
// whole new one. A target that is a symbolic link is written through: its
// final destination is replaced and the link stays. A target that exists but
// is no regular file, or that the user may not write, is refused before
// anything is written.
//
// On any failure, on discard() and when the writer goes out of scope without
// a commit, the temporary file is removed and the target is left exactly as
// it was. A temporary file is also removed when the program is ended by
// SIGINT, SIGTERM or SIGHUP, once removePendingFilesOnSignals() has run.
class SafeFileWriter {
  public:
    explicit SafeFileWriter(std::string target, const FileCalls& calls = systemFileCalls());
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Checks the target and creates the temporary file. False with the reason.
    bool open();
    // Appends bytes. False once anything failed; nothing is written after that.
    bool write(std::string_view bytes);
    // Puts the file in place. False with the reason; the target is unchanged.
    bool commit();
    // Gives up: the temporary file goes, the target is unchanged.
    void discard();

    // "PATH: reason" (the path as the caller gave it, shortened for a
    // message), empty while everything went well.
    const std::string& error() const { return error_; }
    // The system's error number of the failure; 0 for a refusal of the target
    // that is no system error (not a regular file).
    int errorNumber() const { return errorNumber_; }
    const std::string& target() const { return target_; }
    // The file that commit() replaces: the target with its links followed.
    const std::string& destination() const { return destination_; }

  private:
    bool fail(int errorNumber, std::string_view reason = {});
    bool flush();
    void removeTemporary();

    std::string target_;
    const FileCalls& calls_;
    std::string destination_;
    std::string temporary_;
    std::string buffer_;
    int fd_ = -1;
    int slot_ = -1;  // place in the list of files removed on a fatal signal
    bool committed_ = false;
    std::string error_;
    int errorNumber_ = 0;
};

// The whole file in one go. False with "PATH: reason" in `error`.
bool writeFileSafely(const std::string& path, std::string_view bytes, std::string& error,
                     const FileCalls& calls = systemFileCalls());

// Installs handlers for SIGINT, SIGTERM and SIGHUP (those not ignored) that
// remove the temporary files of unfinished writers, then end the program by
// the same signal as before. A program that handles these signals itself
// (to stop a loop gently) replaces them and must let its writers finish or
// discard.
void removePendingFilesOnSignals();

}  // namespace kv
