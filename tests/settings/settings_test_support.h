#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/scratch_folder.h"

namespace kv::test {

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Hand-edited INI files (CP932 bytes): each sets every key the program reads
// to one kind of bad value: garbage, negative, zero, huge, bytes that are no
// CP932, empty, very long.
inline std::vector<std::string> badIniFiles() {
    const char* const keys[][2] = {
        {"etc", "Path"},           {"com", "Port"},
        {"com", "Baud"},           {"com", "Device1"},
        {"com", "Device2"},        {"com", "Device8"},
        {"Graph1", "Back"},        {"Graph2", "Line"},
        {"Graph3", "Grid"},        {"Graph3", "Font"},
        {"KV_DEF", "TYPE"},        {"KV_DEF", "G"},
        {"KV_DEF", "PEAKWAVE"},    {"KV_DEF", "INTERVAL"},
        {"KV_DEF", "NEWOLD_TYPE"}, {"Analysis", "Restitution"},
        {"Analysis", "Q"},
    };
    const std::string values[] = {
        "x1y?*",
        "-1",
        "0",
        "99999999999999999999",
        "2147483648",
        "12345",
        "\x81\x20\xff\xfc",
        "",
        std::string(5000, 'A'),
    };
    std::vector<std::string> files;
    for (const std::string& v : values) {
        std::string text;
        std::string section;
        auto put = [&](const std::string& sec, const std::string& key) {
            if (sec != section) text += "[" + (section = sec) + "]\r\n";
            text += key + "=" + v + "\r\n";
        };
        for (const auto& k : keys) put(k[0], k[1]);
        for (int n = 1; n <= 10; ++n) {
            put("Data" + std::to_string(n), "Auto");
            put("Data" + std::to_string(n), "Name");
        }
        files.push_back(text);
    }
    return files;
}

}  // namespace kv::test
