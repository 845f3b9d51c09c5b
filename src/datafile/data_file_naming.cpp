#include "datafile/data_file_naming.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "base/kv_assert.h"

namespace kv {
namespace {

// The family letters come from the recorder: only letters and digits go into
// a file name, so no reply can reach outside the data folder.
std::string familyLetters(const RecorderIdentity& identity) {
    std::string out;
    for (int i = 0; i < 2 && identity.family[i] != 0; ++i) {
        char c = identity.family[i];
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        out += plain ? c : '_';
    }
    return out;
}

// Creates the folder and its missing parents, as start-up does.
int makeFolders(const std::string& folder) {
    std::string path;
    size_t pos = 0;
    while (pos < folder.size()) {
        size_t next = folder.find('/', pos + 1);
        if (next == std::string::npos) next = folder.size();
        path = folder.substr(0, next);
        pos = next;
        if (path.empty() || path == "/") continue;
        if (::mkdir(path.c_str(), 0777) != 0 && errno != EEXIST) return errno;
    }
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) return errno;
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

}  // namespace

std::string dataFileStem(int slot, const DataFileNames& names, const RecorderState& recorder,
                         const CalendarTime& today) {
    KV_ASSERT(0 <= slot && slot < kMeasurementSlots);
    std::string folder = names.dataFolder;
    if (!folder.empty() && folder.back() != '/') folder += '/';

    std::string path;
    if (names.autoName[slot]) {
        const ModelCode model = recorder.identity.modelCode;
        const bool wave = isLaterGeneration(model) && recorder.info.waveMode != 0;
        const int device = isFirstGeneration(model) ? recorder.legacyInfo.deviceNumber
                                                    : recorder.info.deviceNumber;
        char name[96];
        std::snprintf(name, sizeof name, "%02d%c%02d-%04d%02d%02d%02d", model / 100,
                      wave ? 'W' : 'P', device, today.year, today.month, today.day, slot + 1);
        path = folder + familyLetters(recorder.identity) + name;
    } else {
        std::string name = names.fileName[slot];
        size_t start = name.find_first_not_of('/');
        path = folder + (start == std::string::npos ? std::string() : name.substr(start));
    }

    // The extension of the name is dropped; a dot in a folder is no extension.
    size_t slash = path.rfind('/');
    size_t dot = path.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
    return path;
}

DataFile openDataFile(int slot, const DataFileNames& names, const RecorderState& recorder,
                      DateTime now) {
    const std::string stem = dataFileStem(slot, names, recorder, decodeDateTime(now));
    size_t slash = stem.rfind('/');
    if (slash != std::string::npos && slash > 0) {
        int err = makeFolders(stem.substr(0, slash));
        if (err != 0) return DataFile(stem.substr(0, slash + 1), err);
    }
    for (long long n = 1;; ++n) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "-%02lld.CSV", n);
        std::string candidate = stem + suffix;
        int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return DataFile(fd, candidate, true);
        if (errno != EEXIST) return DataFile(candidate, errno);
    }
}

}  // namespace kv
