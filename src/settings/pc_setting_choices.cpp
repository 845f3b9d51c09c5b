#include "settings/pc_setting_choices.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/cp932.h"

namespace kv {
namespace {

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// Mount tables write blanks and tabs in paths as octal escapes (\040).
std::string unescapeMountPath(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(),
                            [](char c) { return c >= '0' && c <= '7'; })) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool isMediaMount(const std::string& path) {
    for (const char* prefix : {"/media/", "/mnt/", "/run/media/"})
        if (path.rfind(prefix, 0) == 0) return true;
    return path == "/mnt";
}

// Devices of one family ("ttyUSB") in number order: ttyUSB2 before ttyUSB10.
std::vector<std::string> numberedDevices(const std::string& devRoot, const std::string& family) {
    std::vector<std::pair<long, std::string>> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(devRoot, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= family.size() || name.compare(0, family.size(), family) != 0) continue;
        const std::string number = name.substr(family.size());
        if (!std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        found.emplace_back(std::stol(number), entry.path().string());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> paths;
    for (auto& f : found) paths.push_back(std::move(f.second));
    return paths;
}

}  // namespace

bool isFileNameCharacterAllowed(std::string_view character) {
    if (character.empty()) return false;
    if (character.size() == 1) {
        const unsigned char c = static_cast<unsigned char>(character[0]);
        if (c < 0x20 || c == 0x7F) return false;
        if (std::string_view("\\<>?*,;:|/").find(static_cast<char>(c)) != std::string_view::npos)
            return false;
    }
    return fitsCp932(character);
}

std::string withoutRefusedFileNameCharacters(std::string_view text) {
    std::string out;
    size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        length = std::min(length, text.size() - i);
        const std::string_view character = text.substr(i, length);
        if (isFileNameCharacterAllowed(character)) out += character;
        i += length;
    }
    return out;
}

std::string nearestExistingFolder(const std::string& folder) {
    std::string path = withoutTrailingSlash(folder.empty() ? std::string("/") : folder);
    if (path.front() != '/') path = std::filesystem::absolute(path).string();
    while (!isFolder(path)) {
        const size_t slash = path.find_last_of('/');
        if (slash == std::string::npos || slash == 0) return "/";
        path.resize(slash);
    }
    return path;
}

std::vector<std::string> folderRoots(const std::string& homeDir, const std::string& mountTable) {
    std::vector<std::string> roots;
    auto add = [&roots](const std::string& path) {
        const std::string root = withoutTrailingSlash(path);
        if (!root.empty() && isFolder(root) &&
            std::find(roots.begin(), roots.end(), root) == roots.end())
            roots.push_back(root);
    };
    if (!homeDir.empty()) add(homeDir);
    add("/");
    std::ifstream mounts(mountTable);
    std::string line;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint;
        if (!(fields >> device >> mountPoint)) continue;
        const std::string path = unescapeMountPath(mountPoint);
        if (isMediaMount(path)) add(path);
    }
    return roots;
}

std::string rootOfFolder(const std::vector<std::string>& roots, const std::string& folder) {
    std::string best = "/";
    for (const std::string& root : roots) {
        const bool inside = root == "/" || folder == root || folder.rfind(root + "/", 0) == 0;
        if (inside && root.size() >= best.size()) best = root;
    }
    return best;
}

std::vector<std::string> serialDeviceCandidates(const std::string& devRoot) {
    std::vector<std::string> devices;
    for (const char* family : {"ttyS", "ttyUSB", "ttyACM"}) {
        auto found = numberedDevices(devRoot, family);
        devices.insert(devices.end(), found.begin(), found.end());
    }
    std::vector<std::string> byId;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(devRoot + "/serial/by-id", ec))
        byId.push_back(entry.path().string());
    std::sort(byId.begin(), byId.end());
    devices.insert(devices.end(), byId.begin(), byId.end());
    return devices;
}

}  // namespace kv
