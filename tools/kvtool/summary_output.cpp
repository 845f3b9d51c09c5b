// The columns of kvtool summary, defined once for CSV and JSON Lines.
#include "summary_output.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <variant>
#include <vector>

#include "base/datetime.h"
#include "json_writer.h"

namespace kv::tool {
namespace {

struct Empty {};
using Cell = std::variant<Empty, std::string, long long, double, bool>;
using Summary = FileSummary;

struct Column {
    std::string name;
    std::function<Cell(const Summary&)> value;  // called for loaded files only
};

Cell ifAxis(const Summary& s, int axis, Cell value) {
    return axis < s.judgement.axisCount ? value : Cell{};
}

std::vector<Column> columns() {
    std::vector<Column> c = {
        {"model", [](const Summary& s) -> Cell { return static_cast<long long>(s.model); }},
        {"kind", [](const Summary& s) -> Cell { return std::string(s.wave ? "wave" : "peak"); }},
        {"serial_number", [](const Summary& s) -> Cell { return s.serialNumber; }},
        {"device_number", [](const Summary& s) -> Cell { return s.deviceNumber; }},
        {"start", [](const Summary& s) -> Cell { return formatIsoDateTime(s.start); }},
        {"end", [](const Summary& s) -> Cell { return formatIsoDateTime(s.end); }},
        {"events",
         [](const Summary& s) -> Cell { return static_cast<long long>(s.judgement.events); }},
    };
    const char* const axes[3] = {"x", "y", "z"};
    for (int a = 0; a < 3; ++a) {
        const std::string axis = axes[a];
        c.push_back({axis + "_max_abs_g", [a](const Summary& s) {
                         return ifAxis(s, a, std::fabs(s.judgement.axes[a].maxAbs.value));
                     }});
        c.push_back({axis + "_events_at_warning", [a](const Summary& s) {
                         return ifAxis(s, a,
                                       static_cast<long long>(s.judgement.axes[a].warning.count));
                     }});
        c.push_back({axis + "_events_at_alarm", [a](const Summary& s) {
                         return ifAxis(s, a,
                                       static_cast<long long>(s.judgement.axes[a].alarm.count));
                     }});
    }
    c.push_back({"max_delta_v_m_per_s",
                 [](const Summary& s) -> Cell { return s.judgement.maxVelocityChange.value; }});
    c.push_back(
        {"delta_v_estimated", [](const Summary& s) -> Cell { return s.judgement.estimated; }});
    c.push_back({"max_drop_height_m",
                 [](const Summary& s) -> Cell { return s.judgement.maxDropHeight.value; }});
    c.push_back({"restitution", [](const Summary& s) -> Cell { return s.judgement.restitution; }});
    c.push_back({"verdict", [](const Summary& s) -> Cell {
                     if (s.judgement.verdict == Verdict::None) return Empty{};
                     return std::string(verdictKey(s.judgement.verdict));
                 }});
    c.push_back({"sha256", [](const Summary& s) -> Cell { return s.sha256; }});
    return c;
}

const std::vector<Column>& theColumns() {
    static const std::vector<Column> c = columns();
    return c;
}

std::string numberText(double v) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    return std::string(buf, end);
}

// RFC 4180: a field with a comma, a quote or a line break is quoted, its
// quotes doubled.
std::string csvField(std::string_view text) {
    const std::string utf8 = validUtf8(text);
    if (utf8.find_first_of(",\"\r\n") == std::string::npos) return utf8;
    std::string out = "\"";
    for (char ch : utf8) {
        if (ch == '"') out += '"';
        out += ch;
    }
    return out + '"';
}

std::string csvCell(const Cell& cell) {
    struct {
        std::string operator()(Empty) const { return {}; }
        std::string operator()(const std::string& s) const { return csvField(s); }
        std::string operator()(long long v) const { return std::to_string(v); }
        std::string operator()(double v) const { return numberText(v); }
        std::string operator()(bool v) const { return v ? "true" : "false"; }
    } visit;
    return std::visit(visit, cell);
}

void jsonCell(JsonWriter& j, const Cell& cell) {
    struct {
        JsonWriter& j;
        void operator()(Empty) const { j.null(); }
        void operator()(const std::string& s) const { j.string(s); }
        void operator()(long long v) const { j.integer(v); }
        void operator()(double v) const { j.number(v); }
        void operator()(bool v) const { j.boolean(v); }
    } visit{j};
    std::visit(visit, cell);
}

}  // namespace

std::string summaryHeader(SummaryFormat format) {
    if (format != SummaryFormat::Csv) return {};
    std::string line = "path";
    for (const Column& c : theColumns()) line += "," + c.name;
    return line + ",error\n";
}

std::string summaryLine(SummaryFormat format, const std::string& path, const FileSummary& s) {
    const bool loaded = s.outcome == FileSummary::Outcome::Judged;
    if (format == SummaryFormat::Csv) {
        std::string line = csvField(path);
        for (const Column& c : theColumns())
            line += "," + (loaded ? csvCell(c.value(s)) : std::string());
        return line + "," + csvField(s.error) + "\n";
    }
    JsonWriter j(0);
    j.beginObject();
    j.key("path");
    j.string(path);
    for (const Column& c : theColumns()) {
        j.key(c.name);
        jsonCell(j, loaded ? c.value(s) : Cell{});
    }
    j.key("error");
    if (s.error.empty())
        j.null();
    else
        j.string(s.error);
    j.endObject();
    return j.text() + "\n";
}

}  // namespace kv::tool
