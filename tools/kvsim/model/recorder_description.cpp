#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "model/recorder_memory.h"

namespace kv::sim {
namespace {

// One statement: its words, and the rest of the line after the keyword.
struct Statement {
    std::vector<std::string> words;
    std::string rest;
};

Statement split(const std::string& line) {
    Statement s;
    std::istringstream in(line);
    std::string w;
    while (in >> w) s.words.push_back(w);
    if (!s.words.empty()) {
        size_t at = line.find(s.words[0]) + s.words[0].size();
        size_t from = line.find_first_not_of(" \t", at);
        s.rest = from == std::string::npos ? "" : line.substr(from);
    }
    return s;
}

bool toInt(const std::string& w, long& out) {
    const char* end = w.data() + w.size();
    auto r = std::from_chars(w.data(), end, out);
    return r.ec == std::errc() && r.ptr == end;
}

bool toDouble(const std::string& w, double& out) {
    const char* end = w.data() + w.size();
    auto r = std::from_chars(w.data(), end, out);
    return r.ec == std::errc() && r.ptr == end && std::isfinite(out);
}

// "yyyy/mm/dd hh:mm:ss" without range checks: an index may carry month 0.
bool toCalendar(const std::string& text, CalendarTime& c) {
    char tail = 0;
    int n = std::sscanf(text.c_str(), "%d/%d/%d %d:%d:%d %c", &c.year, &c.month, &c.day, &c.hour,
                        &c.minute, &c.second, &tail);
    c.millisecond = 0;
    return n == 6;
}

// A cause: one character, or 0 for none.
bool toCause(const std::string& w, uint8_t& out) {
    if (w == "0") {
        out = 0;
        return true;
    }
    if (w.size() != 1) return false;
    out = static_cast<uint8_t>(w[0]);
    return true;
}

bool toHexBytes(const std::string& text, std::vector<uint8_t>& out) {
    out.clear();
    int high = -1;
    for (char c : text) {
        if (std::isspace(static_cast<unsigned char>(c))) continue;
        if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
        int v = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(c) - 'a' + 10;
        if (high < 0) {
            high = v;
        } else {
            out.push_back(static_cast<uint8_t>(high << 4 | v));
            high = -1;
        }
    }
    return high < 0;
}

class Reader {
  public:
    explicit Reader(RecorderData& d) : d_(d) {}

    // Empty on success, else what is wrong with the statement.
    std::string apply(const Statement& s) {
        const std::string& key = s.words[0];
        const size_t args = s.words.size() - 1;
        auto ints = [&](size_t n, long* out, long low, long high) -> bool {
            if (args != n) return false;
            for (size_t i = 0; i < n; ++i)
                if (!toInt(s.words[i + 1], out[i]) || out[i] < low || out[i] > high) return false;
            return true;
        };
        long v[3];
        if (key == "model") {
            if (!ints(1, v, 0, 9999)) return "a model code";
            d_.model = static_cast<int>(v[0]);
        } else if (key == "mode") {
            if (args != 1 || (s.words[1] != "peak" && s.words[1] != "wave")) return "peak or wave";
            d_.settings.waveMode = s.words[1] == "wave" ? 1 : 0;
        } else if (key == "data") {
            if (args != 1 || (s.words[1] != "shipment" && s.words[1] != "uniform"))
                return "shipment or uniform";
            d_.data =
                s.words[1] == "uniform" ? MeasurementData::Uniform : MeasurementData::Shipment;
        } else if (key == "seed") {
            if (!ints(1, v, 0, 0xFFFFFFFFl)) return "a seed";
            d_.seed = static_cast<unsigned>(v[0]);
        } else if (key == "family") {
            if (args != 1 || s.words[1].size() != 2) return "two letters";
            d_.family[0] = s.words[1][0];
            d_.family[1] = s.words[1][1];
        } else if (key == "device") {
            if (!ints(1, v, 0, 255)) return "a device number 0-255";
            d_.deviceNumber = static_cast<int>(v[0]);
        } else if (key == "serial") {
            if (!ints(1, v, 0, 65535)) return "a serial number 0-65535";
            d_.serialNumber = static_cast<int>(v[0]);
        } else if (key == "range") {
            if (!ints(1, v, 0, 255)) return "a range in G";
            d_.sensorRange = static_cast<int>(v[0]);
        } else if (key == "place") {
            if (args != 1 || s.words[1].size() != 1) return "one character";
            d_.sensorPlace = s.words[1][0];
        } else if (key == "sensor") {
            return sensor(s);
        } else if (key == "battery") {
            double volts;
            if (args != 1 || !toDouble(s.words[1], volts) || volts < 0 || volts > 6553.5)
                return "volts";
            d_.batteryTenths = static_cast<int>(std::lround(volts * 10));
        } else if (key == "firmware") {
            double version;
            if (args != 1 || !toDouble(s.words[1], version) || version < 0 || version > 25.5)
                return "a version such as 1.2";
            d_.firmwareTenths = static_cast<int>(std::lround(version * 10));
        } else if (key == "period") {
            if (!ints(1, v, 0, 255)) return "a record-period index";
            d_.settings.recordPeriod = static_cast<int32_t>(v[0]);
        } else if (key == "sample") {
            if (!ints(1, v, 0, 255)) return "a sample period in ms";
            d_.settings.samplePeriodMs = static_cast<int32_t>(v[0]);
        } else if (key == "trigger") {
            if (!ints(3, v, 0, 255)) return "three trigger levels";
            for (int a = 0; a < 3; ++a) d_.settings.triggerLevel[a] = static_cast<int32_t>(v[a]);
        } else if (key == "threshold") {
            if (!ints(3, v, 0, 65535)) return "three thresholds";
            for (int a = 0; a < 3; ++a)
                d_.settings.triggerThreshold[a] = static_cast<int32_t>(v[a]);
        } else if (key == "pretrigger") {
            if (!ints(1, v, 0, 255)) return "a pre-trigger";
            d_.settings.preTrigger = static_cast<int32_t>(v[0]);
        } else if (key == "axismode") {
            if (!ints(1, v, 0, 255)) return "an axis mode";
            d_.settings.axisMode = static_cast<int32_t>(v[0]);
        } else if (key == "overwrite") {
            if (!ints(1, v, 0, 255)) return "an overwrite mode";
            d_.settings.overwriteMode = static_cast<int32_t>(v[0]);
        } else if (key == "clock") {
            CalendarTime c;
            if (!toCalendar(s.rest, c)) return "yyyy/mm/dd hh:mm:ss";
            auto t = encodeDateTime(c);
            if (!t) return "a valid date and time";
            d_.clockStart = *t;
        } else if (key == "identity") {
            if (s.rest.size() > 12) return "at most 12 characters";
            d_.identityText = s.rest;
        } else if (key == "modeltext") {
            if (s.rest.size() > 9) return "at most 9 characters";
            d_.identityModelText = s.rest;
        } else if (key == "clear") {
            d_.measurements.clear();
            replaced_ = true;
        } else if (key == "measurement") {
            if (!replaced_) d_.measurements.clear();
            replaced_ = true;
            if (d_.measurements.size() >= static_cast<size_t>(kMeasurementSlots))
                return "at most 10 measurements";
            d_.measurements.emplace_back();
            d_.measurements.back().recordPeriod = d_.settings.recordPeriod;
        } else {
            return measurementStatement(s);
        }
        return {};
    }

  private:
    std::string sensor(const Statement& s) {
        static const std::string kAxes = "XYZ";
        double sensitivity;
        long number;
        if (s.words.size() != 4 || s.words[1].size() != 1 ||
            kAxes.find(s.words[1][0]) == std::string::npos || !toInt(s.words[2], number) ||
            number < 0 || number > 65535 || !toDouble(s.words[3], sensitivity) || sensitivity < 0 ||
            sensitivity > 6553.5)
            return "X|Y|Z, a sensor number and a sensitivity in mV/G";
        size_t a = kAxes.find(s.words[1][0]);
        d_.sensorNumber[a] = static_cast<int>(number);
        d_.sensitivityTenths[a] = static_cast<int>(std::lround(sensitivity * 10));
        return {};
    }

    std::string measurementStatement(const Statement& s) {
        const std::string& key = s.words[0];
        static const std::string kKeys = " start end causes records counts peak block raw ";
        if (kKeys.find(" " + key + " ") == std::string::npos) return "an unknown statement";
        if (!replaced_ || d_.measurements.empty()) return "a 'measurement' line first";
        SimMeasurement& m = d_.measurements.back();
        const size_t args = s.words.size() - 1;
        if (key == "start" || key == "end") {
            if (!toCalendar(s.rest, key == "start" ? m.start : m.end)) return "yyyy/mm/dd hh:mm:ss";
        } else if (key == "causes") {
            if (args != 2 || !toCause(s.words[1], m.startCause) || !toCause(s.words[2], m.endCause))
                return "two cause characters (0 for none)";
        } else if (key == "records") {
            long n;
            if (args != 1 || !toInt(s.words[1], n) || n < 0 || n > 0xFFFFFFFFl)
                return "a record count";
            m.count = static_cast<int>(std::min<long>(n, INT32_MAX));
        } else if (key == "counts") {
            long n[3];
            for (size_t i = 0; i < 3; ++i)
                if (args != 3 || !toInt(s.words[i + 1], n[i]) || n[i] < 0 || n[i] > 65535)
                    return "three block counts 0-65535";
            for (int a = 0; a < 3; ++a) m.axisCounts[a] = static_cast<int>(n[a]);
        } else if (key == "peak") {
            return peak(s, m);
        } else if (key == "block") {
            return block(s, m);
        } else {
            if (!toHexBytes(s.rest, m.rawEntry) ||
                (m.rawEntry.size() != 24 && m.rawEntry.size() != 20))
                return "24 (peak) or 20 (wave) bytes in hexadecimal";
        }
        return {};
    }

    std::string peak(const Statement& s, SimMeasurement& m) {
        size_t args = s.words.size() - 1;
        if (args != 5 && args != 15) return "elapsed, +peak, -peak and two widths, per axis";
        SimPeakRecord r{};
        for (size_t a = 0; a < args / 5; ++a) {
            long f[5];
            for (size_t i = 0; i < 5; ++i)
                if (!toInt(s.words[1 + a * 5 + i], f[i])) return "whole numbers";
            if (f[0] < 0 || f[0] > 0xFFFFFFFFl || f[1] < 0 || f[1] > 65535 || f[2] < -32768 ||
                f[2] > 32767 || f[3] < 0 || f[3] > 65535 || f[4] < 0 || f[4] > 65535)
                return "values that fit their fields";
            r[a] = {static_cast<uint32_t>(f[0]), static_cast<uint16_t>(f[1]),
                    static_cast<int16_t>(f[2]), static_cast<uint16_t>(f[3]),
                    static_cast<uint16_t>(f[4])};
        }
        if (args == 5) r[1] = r[2] = r[0];
        m.peaks.push_back(r);
        m.count = std::max(m.count, static_cast<int>(m.peaks.size()));
        return {};
    }

    std::string block(const Statement& s, SimMeasurement& m) {
        size_t args = s.words.size() - 1;
        if (args != 4 && args != 10) return "elapsed, then amplitude, centre and half width";
        long elapsed;
        if (!toInt(s.words[1], elapsed) || elapsed < 0 || elapsed > 0xFFFFFFFFl)
            return "elapsed seconds";
        SimWaveBlock b;
        b.elapsed = static_cast<uint32_t>(elapsed);
        for (size_t a = 0; a < (args - 1) / 3; ++a) {
            long f[3];
            for (size_t i = 0; i < 3; ++i)
                if (!toInt(s.words[2 + a * 3 + i], f[i])) return "whole numbers";
            if (f[0] < -511 || f[0] > 511 || f[1] < 0 || f[1] >= kWaveSamples || f[2] < 0 ||
                f[2] > kWaveSamples)
                return "amplitude -511 to 511, centre 0-511, half width 0-512";
            SimPulse& pulse = b.axes[a];
            pulse.amplitude = static_cast<int>(f[0]);
            pulse.centre = static_cast<double>(f[1]);
            pulse.halfWidth = static_cast<double>(f[2]);
        }
        if (args == 4) b.axes[1] = b.axes[2] = b.axes[0];
        m.blocks.push_back(b);
        m.count = std::max(m.count, static_cast<int>(m.blocks.size()));
        return {};
    }

    RecorderData& d_;
    bool replaced_ = false;  // the generated measurements are gone
};

}  // namespace

bool applyRecorderDescription(std::string_view text, RecorderData& data, std::string& error) {
    Reader reader(data);
    std::istringstream in{std::string(text)};
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())))
            line.pop_back();
        Statement s = split(line);
        if (s.words.empty()) continue;
        std::string problem = reader.apply(s);
        if (!problem.empty()) {
            error = "line " + std::to_string(number) + " (" + s.words[0] + "): expected " + problem;
            return false;
        }
    }
    return true;
}

}  // namespace kv::sim
