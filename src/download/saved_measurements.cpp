#include "download/saved_measurements.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <set>

#include "base/cp932.h"
#include "datafile/csv_line.h"

namespace kv {
namespace {

// A data file's header fits in its first kilobyte (fourteen short lines);
// reading a little more costs nothing and covers long sensor lines.
constexpr size_t kHeaderBytes = 4096;
// Line numbers (from 1) of what the key needs.
constexpr int kModelLine = 1, kNumbersLine = 2, kModeLine = 4, kStartLine = 5, kEndLine = 6,
              kPeakCountLine = 10, kWaveCountLine = 11;

// The header's words as the file holds them, converted once.
const std::string& modelWord() {
    static const std::string word = utf8ToCp932("ＫＶ種別").value_or("");
    return word;
}
const std::string& waveModeWord() {
    static const std::string word = utf8ToCp932("波形モード").value_or("");
    return word;
}

long long secondsOf(DateTime t) {
    return std::llround(t * kSecondsPerDay);
}

bool toInt(std::string_view s, long long& out) {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

bool toSeconds(std::string_view date, std::string_view time, long long& out) {
    const auto d = parseDate(date);
    const auto t = parseTime(time);
    if (!d || !t) return false;
    out = secondsOf(*d + *t);
    return true;
}

// The first lines of the file as they stand, without their line ends.
bool headerLines(const std::string& path, std::vector<std::string_view>& lines,
                 std::string& buffer) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat st {};
    bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    buffer.resize(kHeaderBytes);
    ssize_t n = regular ? ::read(fd, buffer.data(), buffer.size()) : -1;
    ::close(fd);
    if (n <= 0) return false;
    buffer.resize(static_cast<size_t>(n));
    lines.clear();
    std::string_view rest(buffer);
    while (!rest.empty() && lines.size() < kWaveCountLine) {
        size_t end = rest.find('\n');
        if (end == std::string_view::npos) break;  // a cut line is no header line
        std::string_view line = rest.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        rest.remove_prefix(end + 1);
    }
    return lines.size() >= kPeakCountLine;
}

bool sameMeasurement(const MeasurementKey& a, const MeasurementKey& b) {
    return a.model == b.model && a.serialNumber == b.serialNumber && a.wave == b.wave &&
           a.startSeconds == b.startSeconds && a.endSeconds == b.endSeconds;
}

bool isDataFileName(const std::string& name) {
    if (name.size() < 5 || name == kJournalFileName) return false;
    std::string suffix = name.substr(name.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return suffix == ".CSV";
}

std::vector<std::string> dataFileNames(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* d = ::readdir(dir)) {
        if (d->d_type != DT_REG && d->d_type != DT_UNKNOWN && d->d_type != DT_LNK) continue;
        std::string name = d->d_name;
        if (isDataFileName(name)) names.push_back(std::move(name));
    }
    ::closedir(dir);
    return names;
}

}  // namespace

MeasurementKey measurementKeyOf(const RecorderState& r, bool firstGeneration, int slot) {
    MeasurementKey k;
    k.model = firstGeneration ? r.legacyInfo.modelCode : r.info.modelCode;
    k.serialNumber = firstGeneration ? r.legacyInfo.serialNumber : r.info.serialNumber;
    k.wave = !firstGeneration && r.info.waveMode != 0;
    k.recordCount = r.measurementCounts[slot];
    if (k.wave) {
        const WaveIndexEntry& e = r.waveIndex[slot];
        k.startSeconds = secondsOf(e.startTime.toDateTime());
        k.endSeconds = secondsOf(e.endTime.toDateTime());
        const int axes = isTriaxial(k.model) ? 3 : 1;
        for (int a = 0; a < axes; ++a) k.headerCounts.push_back(e.recordCount[a]);
    } else {
        const MeasurementIndexEntry& e = r.index[slot];
        k.startSeconds = secondsOf(e.startTime.toDateTime());
        k.endSeconds = secondsOf(e.endTime.toDateTime());
        k.headerCounts.push_back(e.recordCount);
    }
    return k;
}

bool readDataFileKey(const std::string& path, MeasurementKey& key) {
    std::string buffer;
    std::vector<std::string_view> lines;
    if (!headerLines(path, lines, buffer)) return false;
    CsvFields f;
    f.split(lines[kModelLine - 1], ',');
    if (f[0] != modelWord() && f[0] != "KV Model") return false;
    std::string model;
    for (char c : f[1])
        if (c >= '0' && c <= '9') model += c;
    long long number = 0;
    if (!toInt(model, number)) return false;
    key = MeasurementKey{};
    key.model = static_cast<ModelCode>(number);

    f.split(lines[kNumbersLine - 1], ',');
    if (!toInt(f[3], number)) return false;
    key.serialNumber = static_cast<int32_t>(number);
    f.split(lines[kModeLine - 1], ',');
    key.wave = f[1] == waveModeWord() || f[1] == "Wave Mode";
    f.split(lines[kStartLine - 1], ',');
    if (!toSeconds(f[1], f[2], key.startSeconds)) return false;
    f.split(lines[kEndLine - 1], ',');
    if (!toSeconds(f[1], f[2], key.endSeconds)) return false;

    const int countLine = key.wave ? kWaveCountLine : kPeakCountLine;
    if (lines.size() < static_cast<size_t>(countLine)) return false;
    f.split(lines[countLine - 1], ',');
    const int counts = key.wave && isTriaxial(key.model) ? 3 : 1;
    for (int i = 1; i <= counts; ++i) {
        if (!toInt(f[i], number)) return false;
        key.headerCounts.push_back(number);
    }
    return true;
}

SavedMeasurements findSavedMeasurements(const std::string& dataFolder, const RecorderState& r,
                                        bool firstGeneration) {
    SavedMeasurements saved;
    std::vector<MeasurementKey> keys;
    bool any = false;
    for (int i = 0; i < kMeasurementSlots; ++i) {
        keys.push_back(measurementKeyOf(r, firstGeneration, i));
        any = any || r.measurementCounts[i] >= 0;
    }
    if (!any) return saved;

    const std::vector<std::string> files = dataFileNames(dataFolder);
    const std::set<std::string> present(files.begin(), files.end());
    std::set<std::string> known;
    for (const JournalEntry& e : readJournal(dataFolder)) {
        if (!present.count(e.file)) continue;  // deleted or moved since: not on the PC
        known.insert(e.file);
        MeasurementKey k;
        k.model = e.model;
        k.serialNumber = e.serialNumber;
        k.wave = e.wave;
        k.startSeconds = isoSeconds(e.start).value_or(-1);
        k.endSeconds = isoSeconds(e.end).value_or(-1);
        for (int i = 0; i < kMeasurementSlots; ++i)
            if (r.measurementCounts[i] >= 0 && sameMeasurement(k, keys[i]) &&
                e.recordCount == keys[i].recordCount)
                saved[i].push_back(e.file);
    }
    const std::string folder =
        dataFolder.empty() || dataFolder.back() == '/' ? dataFolder : dataFolder + "/";
    for (const std::string& name : files) {
        if (known.count(name)) continue;
        MeasurementKey k;
        if (!readDataFileKey(folder + name, k)) continue;
        for (int i = 0; i < kMeasurementSlots; ++i)
            if (r.measurementCounts[i] >= 0 && sameMeasurement(k, keys[i]) &&
                k.headerCounts == keys[i].headerCounts)
                saved[i].push_back(name);
    }
    for (auto& names : saved) {
        std::sort(names.begin(), names.end());
        names.erase(std::unique(names.begin(), names.end()), names.end());
    }
    return saved;
}

std::array<bool, kMeasurementSlots> newMeasurements(const RecorderState& r,
                                                    const SavedMeasurements& saved) {
    std::array<bool, kMeasurementSlots> ticked{};
    for (int i = 0; i < kMeasurementSlots; ++i)
        ticked[i] = r.measurementCounts[i] >= 0 && saved[i].empty();
    return ticked;
}

}  // namespace kv
