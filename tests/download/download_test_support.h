#pragma once

#include <sys/mount.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "base/cp932.h"
#include "base/datetime.h"
#include "recorder/recorder_state.h"
#include "support/scratch_folder.h"

namespace kv::test {

// A small tmpfs at a scratch folder, unmounted at the end. Mounting needs
// root (as in the test container); tests skip when it does not work.
class SmallFileSystem {
  public:
    explicit SmallFileSystem(const char* options) {
        mounted_ = ::mount("tmpfs", folder_.path().c_str(), "tmpfs", 0, options) == 0;
    }
    ~SmallFileSystem() {
        if (mounted_) ::umount2(folder_.path().c_str(), MNT_DETACH);
    }
    bool mounted() const { return mounted_; }
    bool makeReadOnly() {
        return ::mount(nullptr, folder_.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) ==
               0;
    }
    const std::string& path() const { return folder_.path(); }
    std::string file(const std::string& name) const { return folder_.file(name); }

  private:
    ScratchFolder folder_;
    bool mounted_ = false;
};

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Names of the files in a folder, sorted.
inline std::vector<std::string> fileNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The CP932 bytes of UTF-8 lines, each ended by CR LF.
inline std::string cp932Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    return utf8ToCp932(text).value_or("<not convertible>");
}

inline DateTime at(int y, int mo, int d, int h, int mi, int s) {
    return *encodeDateTime(CalendarTime{y, mo, d, h, mi, s, 0});
}

inline IndexTime indexTime(int y, int mo, int d, int h, int mi, int s) {
    return IndexTime{y, mo, d, h, mi, s};
}

// The 5100 of the worked example: device 7, serial 1234, internal 100 G
// sensor, 3.6 V, version 1.2, record period 1 s, Z sensor 5678 at 2.5 mV/G.
inline RecorderState exampleRecorder5100() {
    RecorderState r;
    r.identity.modelCode = 5100;
    r.identity.family[0] = 'K';
    r.identity.family[1] = 'V';
    r.identity.sensorRange = 100;
    r.info.modelCode = 5100;
    r.info.deviceNumber = 7;
    r.info.serialNumber = 1234;
    r.info.sensorPlace = 0;
    r.info.batteryVolts = 36 * 0.1;
    r.info.firmwareVersion = 12;
    r.info.recordPeriod = 0;
    r.info.sensorNumber = {1111, 2222, 5678};
    r.info.sensitivity = {1.5, 2.0, 2.5};
    r.info.overwriteMode = 0;
    r.info.axisMode = 0;
    r.index[0].startTime = indexTime(2014, 3, 15, 9, 0, 0);
    r.index[0].endTime = indexTime(2014, 3, 16, 17, 30, 0);
    r.index[0].recordCount = 2;
    return r;
}

}  // namespace kv::test
