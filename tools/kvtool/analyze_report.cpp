// The output of kvtool analyze: the analysis's numbers as they are (doubles
// in full, no rounding) in JSON, and rounded for reading in the summary.
#include "analyze_report.h"

#include <cstdarg>
#include <cstdio>

#include "base/datetime.h"
#include "json_writer.h"

namespace kv::tool {
namespace {

const char* const kAxisNames[3] = {"X", "Y", "Z"};

void number(JsonWriter& j, const char* name, double value) {
    j.key(name);
    j.number(value);
}

// Record numbers as people count them: from 1.
void recordNumber(JsonWriter& j, int index) {
    j.key("record");
    j.integer(index + 1);
}

void isoTime(JsonWriter& j, DateTime t) {
    j.key("time");
    j.string(formatIsoDateTime(t));
}

// One spectrum ("srs" or "pvss") of a record: the frequencies, then one array
// per axis.
void spectrum(JsonWriter& j, const char* name, const FileAnalysis& f, const RecordAnalysis& r,
              const std::array<std::vector<double>, 3>& values) {
    j.key(name);
    j.beginObject();
    j.key("frequencies");
    j.beginArray();
    for (double hz : f.srsFrequenciesHz) j.number(hz);
    j.endArray();
    for (int a = 0; a < r.axisCount; ++a) {
        j.key(kAxisNames[a]);
        j.beginArray();
        for (double v : values[a]) j.number(v);
        j.endArray();
    }
    j.endObject();
}

void waveRecordJson(JsonWriter& j, const FileAnalysis& f, const RecordAnalysis& r) {
    j.beginObject();
    recordNumber(j, r.record);
    isoTime(j, r.time);
    j.key("axes");
    j.beginArray();
    for (int a = 0; a < r.axisCount; ++a) {
        const PulseAnalysis& p = r.axes[a];
        j.beginObject();
        j.key("axis");
        j.string(kAxisNames[a]);
        number(j, "peakG", p.peakG);
        number(j, "durationMs", p.durationMs);
        number(j, "deltaV", p.velocityChangeMps);
        j.key("shape");
        j.string(pulseShapeKey(p.shape));
        j.key("clipped");
        j.boolean(p.clipped);
        j.endObject();
    }
    j.endArray();
    number(j, "deltaV", r.velocityChangeMps);
    number(j, "dropHeight", r.dropHeightM);
    if (f.options.withSrs) {
        spectrum(j, "srs", f, r, r.srsG);
        spectrum(j, "pvss", f, r, r.pvssMps);
    }
    j.endObject();
}

void extremeJson(JsonWriter& j, const char* name, const PeakExtreme& e) {
    j.key(name);
    j.beginObject();
    number(j, "g", e.g);
    j.key("record");
    if (e.found())
        j.integer(e.record + 1);
    else
        j.null();
    j.key("time");
    if (e.found())
        j.string(formatIsoDateTime(e.time));
    else
        j.null();
    j.endObject();
}

void peakJson(JsonWriter& j, const FileAnalysis& f, const AnalyzeReport& report) {
    const TripStatistics& t = f.trip;
    j.key("axes");
    j.beginArray();
    for (int a = 0; a < t.axisCount; ++a) {
        const PeakAxisStatistics& s = t.axes[a];
        j.beginObject();
        j.key("axis");
        j.string(kAxisNames[a]);
        j.key("events");
        j.integer(s.events);
        extremeJson(j, "maxPositive", s.maxPositive);
        extremeJson(j, "maxNegative", s.maxNegative);
        j.key("histogram");
        j.beginObject();
        j.key("edges");
        j.beginArray();
        for (double edge : s.lowerEdgesG) j.number(edge);
        j.endArray();
        j.key("counts");
        j.beginArray();
        for (int count : s.counts) j.integer(count);
        j.endArray();
        j.endObject();
        j.endObject();
    }
    j.endArray();
    j.key("dropHeightPercentiles");
    j.beginObject();
    number(j, "50", t.dropHeightM.p50);
    number(j, "90", t.dropHeightM.p90);
    number(j, "99", t.dropHeightM.p99);
    number(j, "max", t.dropHeightM.max);
    j.endObject();
    if (!report.events) return;
    j.key("records");
    j.beginArray();
    for (const EventEstimate& e : t.events) {
        if (report.onlyRecord >= 0 && e.record != report.onlyRecord) continue;
        j.beginObject();
        recordNumber(j, e.record);
        isoTime(j, e.time);
        number(j, "deltaV", e.velocityChangeMps);
        number(j, "dropHeight", e.dropHeightM);
        j.endObject();
    }
    j.endArray();
}

// printf into a string.
void appendf(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void appendf(std::string& out, const char* format, ...) {
    char buf[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    out += buf;
}

void waveRecordText(std::string& out, const FileAnalysis& f, const RecordAnalysis& r) {
    appendf(out, "\nrecord %d  %s  velocity change %.3g m/s  drop height %.3g m (e = %g)\n",
            r.record + 1, formatIsoDateTime(r.time).c_str(), r.velocityChangeMps, r.dropHeightM,
            f.options.restitution);
    appendf(out, "  axis  %9s  %11s  %13s  shape\n", "peak G", "duration ms", "velocity m/s");
    for (int a = 0; a < r.axisCount; ++a) {
        const PulseAnalysis& p = r.axes[a];
        appendf(out, "  %-4s  %9.4g  %11.4g  %13.4g  %s%s\n", kAxisNames[a], p.peakG, p.durationMs,
                p.velocityChangeMps, pulseShapeKey(p.shape),
                p.clipped ? "  clipped: the true peak and velocity change are larger" : "");
    }
    if (!f.options.withSrs) return;
    appendf(out, "  shock response spectrum (Q = %g): G per axis, then pseudo-velocity m/s\n",
            f.options.q);
    appendf(out, "  %9s", "f Hz");
    for (int a = 0; a < r.axisCount; ++a)
        appendf(out, "  %8s", (kAxisNames[a] + std::string(" G")).c_str());
    for (int a = 0; a < r.axisCount; ++a)
        appendf(out, "  %8s", (kAxisNames[a] + std::string(" m/s")).c_str());
    out += "\n";
    for (size_t k = 0; k < f.srsFrequenciesHz.size(); ++k) {
        appendf(out, "  %9.4g", f.srsFrequenciesHz[k]);
        for (int a = 0; a < r.axisCount; ++a) appendf(out, "  %8.4g", r.srsG[a][k]);
        for (int a = 0; a < r.axisCount; ++a) appendf(out, "  %8.4g", r.pvssMps[a][k]);
        out += "\n";
    }
}

void extremeText(std::string& out, const char* what, const PeakExtreme& e) {
    if (!e.found()) {
        appendf(out, "  largest %s peak: none\n", what);
        return;
    }
    appendf(out, "  largest %s peak: %g G, record %d, %s\n", what, e.g, e.record + 1,
            formatIsoDateTime(e.time).c_str());
}

void peakText(std::string& out, const FileAnalysis& f, const AnalyzeReport& report) {
    const TripStatistics& t = f.trip;
    for (int a = 0; a < t.axisCount; ++a) {
        const PeakAxisStatistics& s = t.axes[a];
        appendf(out, "\naxis %s: %d events\n", kAxisNames[a], s.events);
        extremeText(out, "positive", s.maxPositive);
        extremeText(out, "negative", s.maxNegative);
        out += "  events by magnitude (G):\n";
        for (int i = 0; i < kHistogramBins; ++i) {
            if (i + 1 < kHistogramBins)
                appendf(out, "    %7g to below %-7g %8d\n", s.lowerEdgesG[i], s.lowerEdgesG[i + 1],
                        s.counts[i]);
            else
                appendf(out, "    %7g and above     %8d  (over range)\n", s.lowerEdgesG[i],
                        s.counts[i]);
        }
    }
    appendf(out,
            "\nestimated drop height (each pulse taken as a half-sine, e = %g):\n"
            "  50 %%: %.3g m  90 %%: %.3g m  99 %%: %.3g m  largest: %.3g m\n",
            f.options.restitution, t.dropHeightM.p50, t.dropHeightM.p90, t.dropHeightM.p99,
            t.dropHeightM.max);
    if (!report.events) return;
    appendf(out, "\n%8s  %-19s  %18s  %16s\n", "record", "time", "est. velocity m/s",
            "est. height m");
    for (const EventEstimate& e : t.events) {
        if (report.onlyRecord >= 0 && e.record != report.onlyRecord) continue;
        appendf(out, "%8d  %-19s  %18.4g  %16.4g\n", e.record + 1,
                formatIsoDateTime(e.time).c_str(), e.velocityChangeMps, e.dropHeightM);
    }
}

}  // namespace

std::string analyzeJson(const FileAnalysis& f, const AnalyzeReport& report) {
    const DataHeader& h = f.header;
    JsonWriter j(0);
    j.beginObject();
    j.key("file");
    j.string(report.path);
    j.key("model");
    j.integer(h.model);
    j.key("kind");
    j.string(h.wave ? "wave" : "peak");
    if (h.wave) {
        j.key("samplePeriodMs");
        if (h.samplePeriodMs > 0)
            j.number(h.samplePeriodMs);
        else
            j.null();
    }
    number(j, "rangeG", h.rangeG);
    number(j, "restitution", f.options.restitution);
    number(j, "q", f.options.q);
    if (h.wave) {
        j.key("records");
        j.beginArray();
        for (const RecordAnalysis& r : f.records) waveRecordJson(j, f, r);
        j.endArray();
    } else {
        peakJson(j, f, report);
    }
    j.endObject();
    return j.text() + "\n";
}

std::string analyzeText(const FileAnalysis& f, const AnalyzeReport& report) {
    const DataHeader& h = f.header;
    std::string out;
    appendf(out, "file: %s\n", report.path.c_str());
    if (h.wave) {
        appendf(out, "model %d, wave data, range %g G, sample period ", h.model, h.rangeG);
        if (h.samplePeriodMs > 0)
            appendf(out, "%g ms\n", h.samplePeriodMs);
        else
            out += "not stated (no durations, velocity changes or spectra)\n";
        for (const RecordAnalysis& r : f.records) waveRecordText(out, f, r);
    } else {
        appendf(out, "model %d, peak data, range %g G, %zu records\n", h.model, h.rangeG,
                f.trip.events.size());
        peakText(out, f, report);
    }
    return out;
}

}  // namespace kv::tool
