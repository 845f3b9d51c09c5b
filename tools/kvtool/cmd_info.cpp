// kvtool info [--json]: reads the connected recorder's status, measurement
// index and clock as the main window's information command does, and prints
// them.
#include "cmd_info.h"

#include <cmath>
#include <cstdio>

#include "base/cp932.h"
#include "json_writer.h"
#include "recorder/clock_offset.h"
#include "recorder/information_command.h"
#include "recorder/value_texts.h"
#include "tool_link.h"
#include "tool_options.h"
#include "tool_output.h"

namespace kv::tool {
namespace {

template <typename T>
void intArray(JsonWriter& j, const char* name, const std::array<T, 3>& values) {
    j.key(name);
    j.beginArray();
    for (T v : values) j.integer(v);
    j.endArray();
}

// Values sent in tenths print as the tenths they are (12.3, not 12.300000000000001).
double tenths(double v) {
    return std::round(v * 10.0) / 10.0;
}

void tenthsArray(JsonWriter& j, const char* name, const std::array<double, 3>& values) {
    j.key(name);
    j.beginArray();
    for (double v : values) j.number(tenths(v));
    j.endArray();
}

void integer(JsonWriter& j, const char* name, long long v) {
    j.key(name);
    j.integer(v);
}

void text(JsonWriter& j, const char* name, const std::string& v) {
    j.key(name);
    j.string(v);
}

std::string timeText(const IndexTime& t) {
    return dateTimeText(CalendarTime{t.year, t.month, t.day, t.hour, t.minute, t.second, 0});
}

// A cause byte as one character: a single-byte CP932 character (ASCII or
// half-width katakana) as that character, 0 as no character; anything else
// (a lead byte alone, an unassigned byte) as the replacement character.
std::string causeText(int32_t c) {
    if (c == 0) return "";
    if (c > 0 && c <= 0xFF) {
        if (auto character = cp932ToUtf8(std::string(1, static_cast<char>(c)))) return *character;
    }
    return "\xEF\xBF\xBD";
}

void legacyStatus(JsonWriter& j, const LegacyRecorderInfo& i) {
    j.beginObject();
    integer(j, "deviceNumber", i.deviceNumber);
    integer(j, "recordPeriod", i.recordPeriod);
    integer(j, "modelCode", i.modelCode);
    integer(j, "sensorRange", i.sensorRange);
    integer(j, "sensorPlace", i.sensorPlace);
    integer(j, "serialNumber", i.serialNumber);
    intArray(j, "sensorNumber", i.sensorNumber);
    tenthsArray(j, "sensitivity", i.sensitivity);
    j.key("batteryVolts");
    j.number(tenths(i.batteryVolts));
    j.endObject();
}

void status(JsonWriter& j, const RecorderInfo& i) {
    j.beginObject();
    integer(j, "deviceNumber", i.deviceNumber);
    integer(j, "recordPeriod", i.recordPeriod);
    integer(j, "waveMode", i.waveMode);
    integer(j, "axisMode", i.axisMode);
    integer(j, "samplePeriodMs", i.samplePeriodMs);
    integer(j, "preTrigger", i.preTrigger);
    integer(j, "modelCode", i.modelCode);
    integer(j, "sensorRange", i.sensorRange);
    integer(j, "sensorPlace", i.sensorPlace);
    integer(j, "serialNumber", i.serialNumber);
    intArray(j, "sensorNumber", i.sensorNumber);
    integer(j, "overwriteMode", i.overwriteMode);
    intArray(j, "triggerThreshold", i.triggerThreshold);
    intArray(j, "triggerLevel", i.triggerLevel);
    tenthsArray(j, "sensitivity", i.sensitivity);
    j.key("batteryVolts");
    j.number(tenths(i.batteryVolts));
    integer(j, "firmwareVersion", i.firmwareVersion);
    j.endObject();
}

template <typename Entry>
void entryTimes(JsonWriter& j, const Entry& e) {
    text(j, "startTime", timeText(e.startTime));
    text(j, "endTime", timeText(e.endTime));
    text(j, "startCause", causeText(e.startCause));
    text(j, "endCause", causeText(e.endCause));
}

void savedFiles(JsonWriter& j, const std::vector<std::string>& names) {
    j.key("saved");
    j.beginArray();
    for (const std::string& name : names) j.string(name);
    j.endArray();
}

void peakIndex(JsonWriter& j, const MeasurementIndex& index, const SavedMeasurements& saved) {
    j.beginArray();
    for (size_t i = 0; i < index.size(); ++i) {
        const MeasurementIndexEntry& e = index[i];
        j.beginObject();
        entryTimes(j, e);
        integer(j, "recordPeriod", e.recordPeriod);
        integer(j, "firstRecord", e.firstRecord);
        integer(j, "recordCount", e.recordCount);
        savedFiles(j, saved[i]);
        j.endObject();
    }
    j.endArray();
}

void waveIndex(JsonWriter& j, const WaveMeasurementIndex& index, const SavedMeasurements& saved) {
    j.beginArray();
    for (size_t i = 0; i < index.size(); ++i) {
        const WaveIndexEntry& e = index[i];
        j.beginObject();
        entryTimes(j, e);
        intArray(j, "firstRecord", e.firstRecord);
        intArray(j, "recordCount", e.recordCount);
        savedFiles(j, saved[i]);
        j.endObject();
    }
    j.endArray();
}

// "+12 s" as the information screens show it, in the console's words.
std::string offsetText(const std::optional<long long>& seconds) {
    if (!seconds) return "unknown";
    return (*seconds > 0 ? "+" : "") + std::to_string(*seconds) + " s";
}

std::string clockText(const RecorderClock& c) {
    return dateTimeText(CalendarTime{c.year, c.month, c.day, c.hour, c.minute, c.second, 0});
}

std::string infoText(const RecorderState& s, bool first, const SavedMeasurements& saved) {
    std::string out;
    auto line = [&](const std::string& name, const std::string& value) {
        out += name + ": " + value + "\n";
    };
    const int model = first ? s.identity.modelCode : s.info.modelCode;
    const bool wave = !first && s.info.waveMode != 0;
    line("generation", first ? "first" : "later");
    line("model", std::to_string(model));
    line("deviceNumber", std::to_string(first ? s.legacyInfo.deviceNumber : s.info.deviceNumber));
    line("mode", modeName(wave ? 1 : 0));
    line("clock", clockText(s.clock));
    line("clockOffset", offsetText(clockOffsetFor(s, first)));
    for (int i = 0; i < kMeasurementSlots; ++i) {
        if (s.measurementCounts[i] < 0) continue;
        const auto& start = wave ? s.waveIndex[i].startTime : s.index[i].startTime;
        const auto& end = wave ? s.waveIndex[i].endTime : s.index[i].endTime;
        std::string files;
        for (const std::string& name : saved[i])
            files += (files.empty() ? ", saved: " : " ") + name;
        line("measurement " + std::to_string(i + 1),
             timeText(start) + " - " + timeText(end) + ", " +
                 std::to_string(s.measurementCounts[i]) + (wave ? " blocks" : " records") + files);
    }
    return out;
}

}  // namespace

std::string infoJson(const RecorderState& s, bool first, bool statusRead,
                     const SavedMeasurements& saved) {
    JsonWriter j;
    j.beginObject();
    text(j, "generation", first ? "first" : "later");
    j.key("status");
    if (first && !statusRead)
        j.null();
    else if (first)
        legacyStatus(j, s.legacyInfo);
    else
        status(j, s.info);
    text(j, "clock", clockText(s.clock));
    j.key("clockOffsetSeconds");
    if (const auto offset = clockOffsetFor(s, first))
        j.integer(*offset);
    else
        j.null();
    j.key("index");
    if (!first && s.info.waveMode != 0)
        waveIndex(j, s.waveIndex, saved);
    else
        peakIndex(j, s.index, saved);
    j.key("measurementCounts");
    j.beginArray();
    for (int32_t c : s.measurementCounts) j.integer(c);
    j.endArray();
    j.endObject();
    return j.text() + "\n";
}

int infoCommand(Link& link, int portNumber, int baudRate, bool json, std::string& out,
                const std::string& dataFolder) {
    RecorderState state;
    RecorderScreen screen = readRecorderInformation(link, portNumber, baudRate, state);
    if (screen == RecorderScreen::None) return kExitFailed;
    const bool first = screen == RecorderScreen::FirstGeneration;
    // Only the first generation's status command fills in the family letters
    // of a fresh identity; a recorder that answered the identity command
    // instead has no status to show.
    const bool statusRead = !first || state.identity.family[0] != 0;
    const SavedMeasurements saved =
        dataFolder.empty() ? SavedMeasurements{} : findSavedMeasurements(dataFolder, state, first);
    out = json ? infoJson(state, first, statusRead, saved) : infoText(state, first, saved);
    return kExitOk;
}

int runInfo(const ToolOptions& options) {
    bool json = false;
    std::string folder;
    for (size_t i = 1; i < options.args.size(); ++i) {
        const std::string& a = options.args[i];
        if (a == "--json") {
            json = true;
        } else if (a == "--dir" && i + 1 < options.args.size() && !options.args[i + 1].empty()) {
            folder = options.args[++i];
        } else {
            std::fprintf(stderr, "kvtool info: unexpected '%s'\n", a.c_str());
            return kExitUsage;
        }
    }
    PcSettings settings;
    PortChoice port;
    if (!loadSettingsAndPort(options, settings, port)) return kExitUsage;
    if (!folder.empty()) settings.setDataFolder(folder);
    ToolLink line(port);
    if (!line.ready()) return kExitFailed;
    std::string out;
    int result = infoCommand(line.link(), line.portNumber(), line.baudRate(), json, out,
                             settings.dataFolder());
    return writeOutput(out) ? result : kExitFailed;
}

const char* const kInfoHelp =
    "Usage: kvtool [--port DEV|COMn] [--baud N] [--ini FILE] [--trace FILE] info\n"
    "              [--json] [--dir DIR]\n\n"
    "Reads the connected recorder's status, measurement index and clock, as the\n"
    "main window's \"ＫＶ情報\" command does: first as a first-generation recorder\n"
    "(4100, 4300), then as a later one (5100 to 6300). A port that cannot be\n"
    "opened is reported at once, with the reason.\n\n"
    "Options:\n"
    "  --json   print the records as one JSON object instead of text lines, with\n"
    "           \"clockOffsetSeconds\" (recorder minus PC; null when unknown) and, per\n"
    "           measurement, \"saved\": the names of its data files in the data folder.\n"
    "           Example: kvtool --port /dev/ttyUSB0 info --json\n"
    "  --dir DIR  the data folder whose files count as saved. Default: the INI's\n"
    "           data folder (section \"etc\", key Path).\n"
    "           Example: kvtool info --json --dir ~/KV-DATAS\n\n"
    "Example:\n"
    "  kvtool --port COM1 info\n";

}  // namespace kv::tool
