#pragma once

#include <cstdint>
#include <string>

namespace kv {

// Why a serial port gave no line, in words a person can act on.

// "ポートが開けません。", the error number on the next line, and a third line
// with the device, the reason (portErrorReason) and, where there is one, what
// to do: for a permission error, to join the group that owns the device and
// log in again.
std::string portOpenErrorText(uint32_t error, const std::string& devicePath);
// The same with the owning group given (empty: "dialout", the usual one).
std::string portOpenErrorText(uint32_t error, const std::string& devicePath,
                              const std::string& group);

// The line went away while it was in use (a cable or adapter pulled, the
// other end closed): "ポートとの接続が切れました。", the error number on the
// next line, the device with the system's text and what to check.
std::string lineLostText(uint32_t error, const std::string& devicePath);

// The port opened but its line cannot run at this baud rate.
std::string baudRateRefusedText(int baudRate, const std::string& devicePath);

// The name of the group that owns the file; empty when it cannot be read.
std::string deviceGroupName(const std::string& path);

// Why a device could not be used: for the common errors (missing device, no
// permission, busy, gone away, I/O error, not a serial device) in Japanese
// words with the system's text in parentheses, "デバイスがありません（No such
// file or directory）"; for any other error the system's text alone.
std::string portErrorReason(int error);

// The system's text for an error number in the language of the user's locale
// (LC_MESSAGES, LANGUAGE), as UTF-8, whatever locale the process runs in.
std::string systemErrorText(int error);

}  // namespace kv
