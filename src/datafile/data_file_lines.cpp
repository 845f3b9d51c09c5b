#include "datafile/data_file_lines.h"

#include <algorithm>
#include <string>

#include "base/cp932.h"
#include "base/kv_assert.h"
#include "datafile/data_file_numbers.h"
#include "recorder/value_texts.h"

namespace kv {
namespace {

// The fixed texts of a wave block, in the file's encoding.
struct WaveLabels {
    std::string axis[3];  // "Ｘ軸( " ...
    std::string closing;  // " )"
    std::string date, time, maximum, width;
};

std::string cp932(const char* utf8) {
    std::optional<std::string> bytes = utf8ToCp932(utf8);
    KV_ASSERT(bytes.has_value());
    return *bytes;
}

const WaveLabels& waveLabels() {
    static const WaveLabels labels{{cp932("Ｘ軸( "), cp932("Ｙ軸( "), cp932("Ｚ軸( ")},
                                   " )",
                                   cp932("日付"),
                                   cp932("時刻"),
                                   cp932("MAX(G値)"),
                                   cp932("パルス幅")};
    return labels;
}

// One data line of a block: a label, then per record the X value, or the X, Y
// and Z values and an empty column.
template <typename Format>
void writeWaveLine(DataFile& f, std::string& line, const std::string& label, const DataSet& data,
                   int first, int count, bool triaxial, Format format) {
    line = label;
    for (int r = first; r < first + count; ++r) {
        if (!triaxial) {
            line += ',';
            format(line, data.waveRecords[0][r]);
            continue;
        }
        for (int p = 0; p < 3; ++p) {
            line += ',';
            format(line, data.waveRecords[p][r]);
        }
        line += ',';
    }
    line += "\r\n";
    f.write(line);
}

}  // namespace

bool writePeakLine(DataFile& f, const DataSet& data, int index, ModelCode model) {
    if (index < 0 || index >= kPeakCapacity || index >= static_cast<int>(data.peakRows.size()))
        return false;
    const PeakRow& row = data.peakRows[static_cast<size_t>(index)];
    std::string line;
    line.reserve(160);
    const int axes = axisCount(model);
    for (int a = 0; a < axes; ++a) {
        if (a > 0) line += ',';
        CalendarTime c = decodeDateTime(row.time[a]);
        appendDate(line, c);
        line += ',';
        appendTime(line, c);
        appendPositivePeak(line, row.peak[2 * a]);
        line += ',';
        appendZeroPadded(line, row.width[2 * a], 4);
        appendNegativePeak(line, row.peak[2 * a + 1]);
        line += ',';
        appendZeroPadded(line, row.width[2 * a + 1], 4);
        line += ',';
    }
    line += "\r\n";
    f.write(line);
    return true;
}

void writeWaveTitle(DataFile& f, int numberOffset, int count, ModelCode model) {
    const WaveLabels& labels = waveLabels();
    const int axes = isTriaxial(model) ? 3 : 1;
    std::string line;
    for (int n = numberOffset + 1; n <= numberOffset + count; ++n) {
        for (int a = 0; a < axes; ++a) {
            line += ',';
            line += labels.axis[a];
            line += std::to_string(n);
            line += labels.closing;
        }
        if (axes == 3) line += ',';
    }
    line += "\r\n";
    f.write(line);
}

bool writeWaveBlock(DataFile& f, const DataSet& data, int first, int numberOffset, int count,
                    ModelCode model) {
    if (first < 0 || count < 0 || first > kWaveCapacity - count) return false;
    for (const auto& plane : data.waveRecords)
        if (static_cast<int>(plane.size()) < first + count) return false;
    const WaveLabels& labels = waveLabels();
    const bool triaxial = isTriaxial(model);

    f.write("\r\n");
    writeWaveTitle(f, numberOffset, count, model);
    std::string line;
    writeWaveLine(
        f, line, labels.date, data, first, count, triaxial,
        [](std::string& out, const WaveBlock& b) { appendDate(out, decodeDateTime(b.time)); });
    writeWaveLine(
        f, line, labels.time, data, first, count, triaxial,
        [](std::string& out, const WaveBlock& b) { appendTime(out, decodeDateTime(b.time)); });
    writeWaveLine(f, line, labels.maximum, data, first, count, triaxial,
                  [](std::string& out, const WaveBlock& b) { out += valueText(b.peak); });
    writeWaveLine(f, line, labels.width, data, first, count, triaxial,
                  [](std::string& out, const WaveBlock& b) { out += std::to_string(b.width); });
    for (int k = 0; k < kWaveSamples; ++k) {
        writeWaveLine(
            f, line, std::to_string(k + 1), data, first, count, triaxial,
            [k](std::string& out, const WaveBlock& b) { out += valueText(b.samples[k]); });
    }
    return true;
}

bool writeWaveRecords(DataFile& f, const DataSet& data, int first, int count, ModelCode model) {
    const int blockSize = isTriaxial(model) ? 10 : 30;
    for (int written = 0; written < count; written += blockSize) {
        const int n = std::min(blockSize, count - written);
        if (!writeWaveBlock(f, data, first + written, written, n, model)) return false;
    }
    return true;
}

}  // namespace kv
