#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kv {

// What the PC settings screen offers and accepts, without a window.

// One typed character of a data-file name (UTF-8 of one character): refused
// when it is one of \ < > ? * , ; : | / or has no CP932 form (the files and
// the INI file are CP932), and when it is a control character.
bool isFileNameCharacterAllowed(std::string_view character);
// The text with every refused character removed.
std::string withoutRefusedFileNameCharacters(std::string_view text);

// The folder itself when it exists, else the nearest existing folder above it
// ("/" at worst). No trailing "/" except for "/" itself.
std::string nearestExistingFolder(const std::string& folder);

// Where folders can be chosen from: the home folder, "/", and the mounted
// media (mount points under /media, /mnt and /run/media, read from a mount
// table in the /proc/self/mounts format). Each once, home first.
std::vector<std::string> folderRoots(const std::string& homeDir,
                                     const std::string& mountTable = "/proc/self/mounts");
// The root whose folder holds the given folder: the longest matching root.
std::string rootOfFolder(const std::vector<std::string>& roots, const std::string& folder);

// Serial devices present: /dev/ttyS*, /dev/ttyUSB*, /dev/ttyACM* in number
// order, then /dev/serial/by-id/*.
std::vector<std::string> serialDeviceCandidates(const std::string& devRoot = "/dev");

}  // namespace kv
