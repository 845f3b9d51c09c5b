#include "download/download_journal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/clock.h"
#include "base/safe_file_writer.h"
#include "base/sha256.h"
#include "base/version.h"
#include "datafile/data_file_header.h"

namespace kv {
namespace {

enum Column {
    SavedAt,
    File,
    Model,
    SerialNumber,
    DeviceNumber,
    Measurement,
    Kind,
    Start,
    End,
    RecordCount,
    ClockOffset,
    ProgramVersion,
    Sha,
    kColumns
};

constexpr std::array<const char*, kColumns> kColumnNames = {
    "savedAt", "file", "model",       "serialNumber",       "deviceNumber",   "measurement", "kind",
    "start",   "end",  "recordCount", "clockOffsetSeconds", "programVersion", "sha256"};

// A field as RFC 4180 has it: quoted when it holds a separator or a quote.
// A line end inside would split the journal's line, so it cannot stay.
void appendField(std::string& line, std::string_view text) {
    if (!line.empty()) line += ',';
    std::string clean(text);
    for (char& c : clean)
        if (c == '\n' || c == '\r') c = ' ';
    if (clean.find_first_of(",\"") == std::string::npos) {
        line += clean;
        return;
    }
    line += '"';
    for (char c : clean) {
        if (c == '"') line += '"';
        line += c;
    }
    line += '"';
}

// The fields of one line; false when a quote is left open.
bool splitFields(std::string_view line, std::vector<std::string>& fields) {
    fields.assign(1, {});
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c != '"') {
                fields.back() += c;
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return !quoted;
}

template <typename T>
bool toNumber(std::string_view s, T& out) {
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

// Where each column stands in the lines, from the header line; the written
// order when the first line is no header.
bool columnsOf(std::string_view firstLine, std::array<int, kColumns>& at) {
    std::vector<std::string> names;
    splitFields(firstLine, names);
    at.fill(-1);
    bool named = false;
    for (size_t i = 0; i < names.size(); ++i)
        for (int c = 0; c < kColumns; ++c)
            if (names[i] == kColumnNames[c]) {
                at[c] = static_cast<int>(i);
                named = true;
            }
    if (named) return true;
    for (int c = 0; c < kColumns; ++c) at[c] = c;
    return false;
}

bool parseLine(std::string_view line, const std::array<int, kColumns>& at, JournalEntry& e) {
    std::vector<std::string> f;
    if (!splitFields(line, f)) return false;
    auto field = [&](Column c) -> std::string_view {
        const int i = at[c];
        return i >= 0 && static_cast<size_t>(i) < f.size() ? std::string_view(f[i])
                                                           : std::string_view();
    };
    e = JournalEntry{};
    e.savedAt = field(SavedAt);
    e.file = field(File);
    e.start = field(Start);
    e.end = field(End);
    e.programVersion = field(ProgramVersion);
    e.sha256 = field(Sha);
    const std::string_view kind = field(Kind);
    e.wave = kind == "wave";
    // What a measurement is known by must be there and sound; the rest is
    // taken as far as it is.
    if (e.file.empty() || (kind != "wave" && kind != "peak") || !isoSeconds(e.start) ||
        !isoSeconds(e.end) || !toNumber(field(Model), e.model) ||
        !toNumber(field(SerialNumber), e.serialNumber) ||
        !toNumber(field(RecordCount), e.recordCount))
        return false;
    toNumber(field(DeviceNumber), e.deviceNumber);
    toNumber(field(Measurement), e.measurement);
    if (long long offset = 0; toNumber(field(ClockOffset), offset)) e.clockOffsetSeconds = offset;
    return true;
}

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string journalPath(const std::string& dataFolder) {
    if (dataFolder.empty() || dataFolder.back() == '/') return dataFolder + kJournalFileName;
    return dataFolder + "/" + kJournalFileName;
}

JournalEntry journalEntryOf(const RecorderState& r, ModelCode model, int slot, int measurement,
                            long long recordCount) {
    JournalEntry e;
    const DataFileKind kind = dataFileKind(model, r.info);
    const bool first = kind == DataFileKind::FirstGenerationPeak;
    e.model = first ? r.legacyInfo.modelCode : r.info.modelCode;
    e.serialNumber = first ? r.legacyInfo.serialNumber : r.info.serialNumber;
    e.deviceNumber = first ? r.legacyInfo.deviceNumber : r.info.deviceNumber;
    e.measurement = measurement;
    e.wave = kind == DataFileKind::Wave;
    const IndexTime& start = e.wave ? r.waveIndex[slot].startTime : r.index[slot].startTime;
    const IndexTime& end = e.wave ? r.waveIndex[slot].endTime : r.index[slot].endTime;
    e.start = isoDateTime(start.toDateTime());
    e.end = isoDateTime(end.toDateTime());
    e.recordCount = recordCount;
    return e;
}

std::string isoDateTime(DateTime t) {
    const CalendarTime c = decodeDateTime(t);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", c.year, c.month, c.day,
                  c.hour, c.minute, c.second);
    return text;
}

std::string isoDateTimeWithOffset(DateTime local, int utcOffsetSeconds) {
    const int minutes = std::abs(utcOffsetSeconds) / 60;
    char zone[16];
    std::snprintf(zone, sizeof zone, "%c%02d:%02d", utcOffsetSeconds < 0 ? '-' : '+', minutes / 60,
                  minutes % 60);
    return isoDateTime(local) + zone;
}

std::optional<long long> isoSeconds(std::string_view text) {
    // yyyy-mm-ddThh:mm:ss: fixed positions, digits only.
    if (text.size() < 19 || text[4] != '-' || text[7] != '-' ||
        (text[10] != 'T' && text[10] != ' ') || text[13] != ':' || text[16] != ':')
        return {};
    int v[6] = {};
    const int at[6] = {0, 5, 8, 11, 14, 17};
    const int width[6] = {4, 2, 2, 2, 2, 2};
    for (int i = 0; i < 6; ++i)
        if (!toNumber(text.substr(at[i], width[i]), v[i])) return {};
    const auto t = encodeDateTime(CalendarTime{v[0], v[1], v[2], v[3], v[4], v[5], 0});
    if (!t) return {};
    return std::llround(*t * kSecondsPerDay);
}

std::string journalHeaderLine() {
    std::string line;
    for (const char* name : kColumnNames) appendField(line, name);
    return line + "\n";
}

std::string journalLine(const JournalEntry& e) {
    std::string line;
    appendField(line, e.savedAt);
    appendField(line, e.file);
    appendField(line, std::to_string(e.model));
    appendField(line, std::to_string(e.serialNumber));
    appendField(line, std::to_string(e.deviceNumber));
    appendField(line, e.measurement > 0 ? std::to_string(e.measurement) : "");
    appendField(line, e.wave ? "wave" : "peak");
    appendField(line, e.start);
    appendField(line, e.end);
    appendField(line, std::to_string(e.recordCount));
    appendField(line, e.clockOffsetSeconds ? std::to_string(*e.clockOffsetSeconds) : "");
    appendField(line, e.programVersion);
    appendField(line, e.sha256);
    return line + "\n";
}

int journalSavedFile(const std::string& dataFolder, const std::string& path, JournalEntry entry,
                     DateTime savedAt) {
    entry.file = baseName(path);
    entry.savedAt = isoDateTimeWithOffset(savedAt, utcOffsetSecondsAt(savedAt));
    entry.programVersion = programVersion();
    int error = 0;
    if (!sha256OfFile(path, entry.sha256, error)) return error;

    const std::string journal = journalPath(dataFolder);
    const int fd = ::open(journal.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    std::string text;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = errno;
        ::close(fd);
        return error;
    }
    if (st.st_size == 0) {
        text = journalHeaderLine();
    } else {
        // A journal edited by hand may end without a line end: the new line
        // must not be glued to its last one.
        char last = '\n';
        if (::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n') text = "\n";
    }
    text += journalLine(entry);
    // One write of the whole line, then to the disk: a journal line is either
    // there or reported missing.
    error = writeFully(systemFileCalls(), fd, text);
    bool ok = error == 0;
    if (ok && ::fdatasync(fd) != 0 && errno != EINVAL) {
        error = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    return ok ? 0 : error;
}

std::vector<JournalEntry> parseJournal(std::string_view text) {
    std::vector<JournalEntry> entries;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a BOM from an editor
    std::array<int, kColumns> at{};
    bool first = true;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(begin, end - begin);
        begin = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        if (first) {
            first = false;
            if (columnsOf(line, at)) continue;
        }
        JournalEntry e;
        if (parseLine(line, at, e)) entries.push_back(std::move(e));
    }
    return entries;
}

std::vector<JournalEntry> readJournal(const std::string& dataFolder) {
    // Only a regular file is read, and only as much as years of downloads
    // could fill: a journal is never a reason to wait or to run out of memory.
    constexpr size_t kMostRead = size_t{64} << 20;
    const int fd = ::open(journalPath(dataFolder).c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return {};
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {};
    }
    std::string text(std::min(static_cast<size_t>(st.st_size), kMostRead), '\0');
    size_t have = 0;
    while (have < text.size()) {
        const ssize_t r = ::read(fd, text.data() + have, text.size() - have);
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        have += static_cast<size_t>(r);
    }
    ::close(fd);
    text.resize(have);
    return parseJournal(text);
}

}  // namespace kv
