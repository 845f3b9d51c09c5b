#include "link/serial_ports.h"

#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kv {
namespace fs = std::filesystem;
namespace {

std::string readFirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string baseName(const std::string& path) {
    return fs::path(path).filename().string();
}

std::string sysTtyFolder(const DeviceTree& tree, const std::string& name) {
    return tree.sys + "/class/tty/" + name;
}

// The kernel driver of a tty, from the link sys/class/tty/NAME/device/driver.
std::string driverOf(const DeviceTree& tree, const std::string& name) {
    std::error_code ec;
    const fs::path link = sysTtyFolder(tree, name) + "/device/driver";
    fs::path target = fs::read_symlink(link, ec);
    if (ec) return fs::exists(link, ec) ? baseName(fs::canonical(link, ec).string()) : "";
    return target.filename().string();
}

// ttyS ports: a driver must back the port and the port must have a UART
// (its "type" is 0, PORT_UNKNOWN, for the placeholders).
bool uartBehind(const DeviceTree& tree, const std::string& name) {
    std::error_code ec;
    if (!fs::exists(sysTtyFolder(tree, name) + "/device/driver", ec)) return false;
    const std::string type = readFirstLine(sysTtyFolder(tree, name) + "/type");
    return type.empty() || type != "0";
}

std::vector<std::string> consoleNames(const DeviceTree& tree) {
    std::istringstream words(readFirstLine(tree.sys + "/class/tty/console/active"));
    std::vector<std::string> names;
    for (std::string w; words >> w;) names.push_back(w);
    return names;
}

// NAME followed by digits only: ttyUSB0 is of family ttyUSB, ttyUSBx is not.
bool numberOf(const std::string& name, const std::string& family, long& number) {
    if (name.size() <= family.size() || name.compare(0, family.size(), family) != 0) return false;
    const std::string digits = name.substr(family.size());
    if (digits.size() > 6 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    number = std::stol(digits);
    return true;
}

}  // namespace

DeviceTree deviceTreeFromEnvironment() {
    DeviceTree tree;
    if (const char* dev = std::getenv("KV_DEV_ROOT"); dev && *dev) tree.dev = dev;
    if (const char* sys = std::getenv("KV_SYS_ROOT"); sys && *sys) tree.sys = sys;
    return tree;
}

std::string resolvedDevice(const std::string& path) {
    std::error_code ec;
    fs::path real = fs::canonical(path, ec);
    return ec ? path : real.string();
}

bool isConsoleDevice(const std::string& path, const DeviceTree& tree) {
    const std::string device = resolvedDevice(path);
    const std::string name = baseName(device);
    if (device == tree.dev + "/console" || device == "/dev/console" || name == "tty0") return true;
    const std::vector<std::string> consoles = consoleNames(tree);
    return std::find(consoles.begin(), consoles.end(), name) != consoles.end();
}

std::vector<SerialPortInfo> listSerialPorts(const DeviceTree& tree) {
    std::vector<SerialPortInfo> ports;
    std::error_code ec;

    std::vector<std::string> links;
    for (const auto& entry : fs::directory_iterator(tree.dev + "/serial/by-id", ec))
        links.push_back(entry.path().string());
    std::sort(links.begin(), links.end());
    for (const std::string& link : links) {
        const std::string target = resolvedDevice(link);
        if (target == link || !fs::exists(target, ec)) continue;  // a link left dangling
        if (isConsoleDevice(target, tree)) continue;
        ports.push_back({link, target, driverOf(tree, baseName(target))});
    }

    for (const char* family : {"ttyUSB", "ttyACM", "ttyS"}) {
        std::vector<std::pair<long, std::string>> found;
        for (const auto& entry : fs::directory_iterator(tree.dev, ec)) {
            const std::string name = entry.path().filename().string();
            long number = 0;
            if (!numberOf(name, family, number)) continue;
            if (std::string(family) == "ttyS" && !uartBehind(tree, name)) continue;
            found.emplace_back(number, name);
        }
        std::sort(found.begin(), found.end());
        for (const auto& [number, name] : found) {
            const std::string path = tree.dev + "/" + name;
            if (isConsoleDevice(path, tree)) continue;
            ports.push_back({path, "", driverOf(tree, name)});
        }
    }
    return ports;
}

bool isPseudoTerminal(const std::string& path) {
    // Unix 98 pseudo-terminal slaves have the major numbers 136 to 143.
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) return false;
    return major(st.st_rdev) >= 136 && major(st.st_rdev) <= 143;
}

bool hasLiveLockFile(const std::string& path, const std::vector<std::string>& lockFolders) {
    const std::string name = baseName(resolvedDevice(path));
    for (const std::string& folder : lockFolders) {
        std::ifstream in(folder + "/LCK.." + name);
        if (!in) continue;
        // The owner's process number, written as ten ASCII digits (or binary
        // by very old programs, which then reads as no number).
        long pid = 0;
        if (!(in >> pid) || pid <= 0) return true;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM) return true;
    }
    return false;
}

}  // namespace kv
