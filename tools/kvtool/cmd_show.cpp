// kvtool show FILE [--json]: loads a data file as the graph window's open
// command does and prints what the data set then holds.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/datetime.h"
#include "json_writer.h"
#include "recorder/records.h"
#include "tool_load.h"
#include "tool_options.h"
#include "tool_output.h"

namespace kv::tool {
namespace {

// The shortest text that reads back as the same float (a float printed as a
// double would show the binary noise of 0.1f).
std::string floatText(float value) {
    char buf[32];
    auto res = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, res.ptr);
}

// The same digits through the JSON writer, which prints a double's shortest
// form: a decimal of at most nine digits is already the shortest form of the
// double nearest to it.
void jsonFloat(JsonWriter& j, float value) {
    j.number(std::strtod(floatText(value).c_str(), nullptr));
}

struct TextField {
    const char* name;
    std::string DataSet::*field;
};

constexpr TextField kTexts[] = {
    {"filePath", &DataSet::filePath},
    {"modelText", &DataSet::modelText},
    {"sensorPlaceText", &DataSet::sensorPlaceText},
    {"deviceNumberText", &DataSet::deviceNumberText},
    {"serialNumberText", &DataSet::serialNumberText},
    {"modeText", &DataSet::modeText},
    {"overwriteText", &DataSet::overwriteText},
    {"recordPeriodText", &DataSet::recordPeriodText},
    {"samplePeriodText", &DataSet::samplePeriodText},
    {"triggerPointText", &DataSet::triggerPointText},
    {"triggerLevelText", &DataSet::triggerLevelText},
    {"recordCountText", &DataSet::recordCountText},
};

std::string showJson(const DataSet& d, const RecorderIdentity& id) {
    const int axes = axisCount(id.modelCode);
    JsonWriter j(0);
    j.beginObject();
    for (const TextField& t : kTexts) {
        j.key(t.name);
        j.string(d.*t.field);
    }
    j.key("startTime");
    j.string(formatDateTimeText(d.startTime));
    j.key("endTime");
    j.string(formatDateTimeText(d.endTime));
    j.key("rangeG");
    j.integer(d.rangeG);
    j.key("lastIndex");
    j.integer(d.lastIndex);
    j.key("modelCode");
    j.integer(id.modelCode);
    j.key("sensorRange");
    j.integer(id.sensorRange);
    j.key("waveData");
    j.integer(id.waveData);

    if (id.waveData == 0) {
        j.key("peakRows");
        j.beginArray();
        for (int i = 0; i <= d.lastIndex; ++i) {
            const PeakRow& row = d.peakRows[i];
            j.beginObject();
            j.key("time");
            j.beginArray();
            for (int a = 0; a < axes; ++a) j.string(formatDateTimeText(row.time[a]));
            j.endArray();
            j.key("peak");
            j.beginArray();
            for (int k = 0; k < 2 * axes; ++k) jsonFloat(j, row.peak[k]);
            j.endArray();
            j.key("width");
            j.beginArray();
            for (int k = 0; k < 2 * axes; ++k) j.integer(row.width[k]);
            j.endArray();
            j.endObject();
        }
        j.endArray();
    } else {
        j.key("waveRecords");
        j.beginArray();
        for (int i = 0; i <= d.lastIndex; ++i) {
            j.beginObject();
            j.key("time");
            j.string(formatDateTimeText(d.waveRecords[0][i].time));
            // One value per plane (X, or X, Y, Z), in plane order, as the peak
            // rows list their axes.
            auto perPlane = [&](const char* name, auto&& value) {
                j.key(name);
                j.beginArray();
                for (int a = 0; a < axes; ++a) value(d.waveRecords[a][i]);
                j.endArray();
            };
            perPlane("width", [&](const WaveBlock& r) { j.integer(r.width); });
            perPlane("peak", [&](const WaveBlock& r) { jsonFloat(j, r.peak); });
            perPlane("resultantG", [&](const WaveBlock& r) { jsonFloat(j, r.resultantG); });
            perPlane("samples", [&](const WaveBlock& r) {
                j.beginArray();
                for (float s : r.samples) jsonFloat(j, s);
                j.endArray();
            });
            j.endObject();
        }
        j.endArray();
    }
    j.endObject();
    return j.text() + "\n";
}

std::string showText(const DataSet& d, const RecorderIdentity& id) {
    const int axes = axisCount(id.modelCode);
    std::string out;
    for (const TextField& t : kTexts) out += std::string(t.name) + ": " + d.*t.field + "\n";
    out += "startTime: " + formatDateTimeText(d.startTime) + "\n";
    out += "endTime: " + formatDateTimeText(d.endTime) + "\n";
    out += "rangeG: " + std::to_string(d.rangeG) + "\n";
    out += "lastIndex: " + std::to_string(d.lastIndex) + "\n";
    out += "modelCode: " + std::to_string(id.modelCode) + "\n";
    out += "sensorRange: " + std::to_string(id.sensorRange) + "\n";
    out += "waveData: " + std::to_string(id.waveData) + "\n";
    for (int i = 0; i <= d.lastIndex; ++i) {
        out += std::to_string(i + 1);
        if (id.waveData == 0) {
            const PeakRow& row = d.peakRows[i];
            for (int a = 0; a < axes; ++a)
                out += " | " + formatDateTimeText(row.time[a]) + " " + floatText(row.peak[2 * a]) +
                       " " + std::to_string(row.width[2 * a]) + " " +
                       floatText(row.peak[2 * a + 1]) + " " + std::to_string(row.width[2 * a + 1]);
        } else {
            out += " " + formatDateTimeText(d.waveRecords[0][i].time);
            for (int a = 0; a < axes; ++a) {
                const WaveBlock& r = d.waveRecords[a][i];
                out += " | peak " + floatText(r.peak) + " width " + std::to_string(r.width);
            }
            if (axes == 3) out += " | resultant " + floatText(d.waveRecords[0][i].resultantG);
        }
        out += "\n";
    }
    return out;
}

}  // namespace

int runShow(const ToolOptions& options) {
    std::string path;
    bool json = false;
    for (size_t i = 1; i < options.args.size(); ++i) {
        const std::string& a = options.args[i];
        if (a == "--json") {
            json = true;
        } else if (path.empty() && !a.empty()) {
            path = a;
        } else {
            std::fprintf(stderr, "kvtool: show takes one FILE and --json\n");
            return kExitUsage;
        }
    }
    if (path.empty()) {
        std::fprintf(stderr, "kvtool: show needs a FILE\n");
        return kExitUsage;
    }

    DataSet data;
    RecorderIdentity identity;
    LoadResult loaded;
    if (!loadForTool(path, data, identity, loaded)) return kExitFailed;
    return writeOutput(json ? showJson(data, identity) : showText(data, identity)) ? kExitOk
                                                                                   : kExitFailed;
}

const char* const kShowHelp =
    "Usage: kvtool show FILE [--json]\n\n"
    "Loads a data file as the graph window's open command does and prints its\n"
    "header and its records.\n\n"
    "Options:\n"
    "  FILE     the data file (CSV, Shift-JIS) to load.\n"
    "           Example: kvtool show ~/KV-DATAS/KV5300P01_20240105_01.csv\n"
    "  --json   print one JSON object instead of text.\n"
    "           Example: kvtool show data.csv --json\n";

}  // namespace kv::tool
