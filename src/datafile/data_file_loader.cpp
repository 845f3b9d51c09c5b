#include "datafile/data_file_loader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "base/cp932.h"
#include "base/input_file.h"
#include "base/message_text.h"
#include "datafile/line_reader.h"
#include "datafile/wave_order.h"

namespace kv {
namespace {

// What differs between the four kinds of data file. Everything else (the line
// positions of the header, the record layout per axis) is common.
struct FileKind {
    const char* models[2];
    int axes;           // 1: X only; 3: X, Y, Z
    bool mayHoldWaves;  // the first generation always records peaks
    int waveBlock;      // records per data block of a wave file
    int pollEvery;      // peak rows between two looks at the user interface
};

constexpr FileKind kFileKinds[] = {
    {{"4100", nullptr}, 1, false, 0, 1},
    {{"4300", nullptr}, 3, false, 0, 1},
    {{"5100", "6100"}, 1, true, 30, 1},
    {{"5300", "6300"}, 3, true, 10, 100},
};

constexpr const char* kNoTriggeredNotice = "このファイルにはトリガを超えたデータは\n存在しません。";
// A file manager offers the program for every CSV file: the text says what
// it opens.
std::string notLoadedText(const std::string& path, const std::string& why = {}) {
    return "データファイルを読み込めませんでした。\n" + shortenedForMessage(path) +
           (why.empty() ? "" : "\n" + why) +
           "\n\nＫＶマネージャーで開けるのは、記録計から読み込んで保存した"
           "測定データのファイル（CSV）です。";
}

// Why a file was not opened, as the window says it.
std::string refusalText(const InputFile& in) {
    switch (in.refusal()) {
        case InputRefusal::NotRegular:
            return "フォルダ、パイプ、装置などはデータファイルではありません。";
        case InputRefusal::TooLarge:
            return "データファイルとしては大きすぎます（" + std::to_string(in.size()) +
                   " バイト）。";
        case InputRefusal::Unreadable:
            return std::strerror(in.errorNumber());
        case InputRefusal::None:
        case InputRefusal::Missing:  // the message says it could not be read
            break;
    }
    return {};
}

constexpr int kMaxWaveBlock = 30;
static_assert(kFileKinds[2].waveBlock <= kMaxWaveBlock && kFileKinds[3].waveBlock <= kMaxWaveBlock);

// Columns of a peak line: one group of six per axis, groups seven apart.
constexpr int kPeakGroupWidth = 7;
// Lines of a wave data block after its empty line and its title line.
constexpr int kSampleLines = kWaveSamples;

const FileKind* kindOfModel(std::string_view modelText) {
    for (const FileKind& kind : kFileKinds)
        for (const char* model : kind.models)
            if (model && modelText == model) return &kind;
    return nullptr;
}

// A number's text with one "+" allowed before it, as the writer puts before
// positive peaks; false when nothing, or a second sign, follows it.
bool withoutPlus(std::string_view& s) {
    if (!s.empty() && s.front() == '+') {
        s.remove_prefix(1);
        if (!s.empty() && (s.front() == '+' || s.front() == '-')) return false;
    }
    return !s.empty();
}

template <typename T>
bool toNumber(std::string_view s, T& out) {
    if (!withoutPlus(s)) return false;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

// Whole decimal numbers for counts; anything else gives the fallback.
int intOrDefault(std::string_view s, int fallback) {
    int v = 0;
    return toNumber(s, v) ? v : fallback;
}

// The strict conversions of record values: malformed text fails the load.
bool toInt(std::string_view s, int32_t& out) {
    return toNumber(s, out);
}

bool toFloat(std::string_view s, float& out) {
    // Infinities and NaN are no G values; they would also break every scale.
    return toNumber(s, out) && std::isfinite(out);
}

bool toDateTime(std::string_view date, std::string_view time, DateTime& out) {
    auto d = parseDate(date);
    if (!d) return false;
    auto t = parseTime(time);
    if (!t) return false;
    out = *d + *t;
    return true;
}

std::string_view before(std::string_view s, char stop) {
    return s.substr(0, s.find(stop));
}

bool hasHighBytes(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return true;
    return false;
}

// A text field of the file as the program's UTF-8; false for bytes that are not
// CP932, which a kept text cannot hold without being mangled.
bool toText(std::string_view cp932, std::string& out) {
    if (!hasHighBytes(cp932)) {
        out.assign(cp932);
        return true;
    }
    auto converted = cp932ToUtf8(cp932);
    if (!converted) return false;
    out = std::move(*converted);
    return true;
}

void clearHeader(DataSet& d) {
    for (std::string* text :
         {&d.filePath, &d.modelText, &d.sensorPlaceText, &d.deviceNumberText, &d.serialNumberText,
          &d.modeText, &d.overwriteText, &d.recordPeriodText, &d.samplePeriodText,
          &d.triggerPointText, &d.triggerLevelText, &d.recordCountText, &d.sensitivityText})
        text->clear();
    d.startTime = d.endTime = 0;
    d.rangeG = 0;
    d.lastIndex = -1;
    d.currentIndex = 0;
}

// Whether a value on a line that lost its end is as long as the writer makes
// it, so that what is read is what was written: "00" may be the start of the
// width "0008" and "0." the start of the sample "0.32". Widths have at least
// four digits; G values two decimals, or one from 10 on; dates and times
// all their digits.
enum class Written { Date, Time, Width, GValue };

bool writtenWhole(std::string_view s, Written format) {
    switch (format) {
        case Written::Date:
            return s.size() == 10;
        case Written::Time:
            return s.size() == 8;
        case Written::Width:
            return s.size() >= 4;
        case Written::GValue:
            break;
    }
    const size_t point = s.find('.');
    if (point == std::string_view::npos) return false;
    const size_t decimals = s.size() - point - 1;
    float value = 0;
    return decimals >= 2 || (decimals == 1 && toFloat(s, value) && std::fabs(value) >= 10);
}

// One parse of one file into a store that nobody else sees yet.
class Parser {
  public:
    Parser(std::FILE* file, DataSet& d, Host& host) : in_(file), d_(d), host_(host) {}

    LoadResult run(RecorderIdentity& identity);

    // The last line read had no line end (0: none so far), and the records
    // left out because their values on it were cut short.
    long cutLine() const { return cutLine_; }
    int recordsLeftOut() const { return leftOut_; }

  private:
    // Reads and splits the next line; false at the end of the file or on a
    // line longer than a data file holds. The fields stay CP932 bytes: "," and
    // '"' are never part of a double-byte character, and only the texts that
    // are kept need converting, so a line that is read past may hold anything.
    bool line();
    // Field i of the current line as UTF-8 text; false when it is not CP932.
    bool text(int i, std::string& out) const { return toText(f_[i], out); }
    bool skip(int lines);
    bool header();
    bool sensitivities();
    bool peakRows(int count);
    bool waveRecords(int count);
    // On a line without its end: whether field i is as long as written.
    bool whole(int i, Written format) const { return !cutLine_ || writtenWhole(f_[i], format); }

    LineReader in_;
    CsvFields f_;
    DataSet& d_;
    Host& host_;
    const FileKind* kind_ = nullptr;
    bool wave_ = false;
    long cutLine_ = 0;
    int leftOut_ = 0;
};

bool Parser::line() {
    std::string_view text;
    if (in_.next(text) != LineReader::Status::Line) return false;
    if (!in_.lineEnded()) cutLine_ = in_.lineNumber();
    f_.split(text, ',');
    return true;
}

bool Parser::skip(int lines) {
    while (lines-- > 0)
        if (!line()) return false;
    return true;
}

bool Parser::header() {
    if (!line()) return false;
    std::string keyword;
    if (!text(0, keyword) || (keyword != "ＫＶ種別" && keyword != "KV Model")) return false;
    // CP932 trail bytes are never ASCII digits: the digits are whole characters.
    for (char c : f_[1])
        if (c >= '0' && c <= '9') d_.modelText += c;
    std::string_view range = f_[2];
    size_t digits = 0;
    int rangeG = 0;
    while (digits < range.size() && range[digits] >= '0' && range[digits] <= '9') {
        rangeG = rangeG * 10 + (range[digits] - '0');
        // The range is kept in the recorder identity's 8-bit field.
        if (rangeG > 255) return false;
        ++digits;
    }
    if (digits == 0) return false;
    d_.rangeG = static_cast<int16_t>(rangeG);
    if (!text(3, d_.sensorPlaceText)) return false;
    kind_ = kindOfModel(d_.modelText);
    if (!kind_) return false;

    if (!line() || !text(1, d_.deviceNumberText) || !text(3, d_.serialNumberText)) return false;
    if (!skip(1) || !line()) return false;
    if (!text(1, d_.modeText) || !text(3, d_.overwriteText)) return false;
    if (!line() || !toDateTime(f_[1], f_[2], d_.startTime)) return false;
    if (!line() || !toDateTime(f_[1], f_[2], d_.endTime)) return false;
    wave_ = kind_->mayHoldWaves && (d_.modeText == "波形モード" || d_.modeText == "Wave Mode");

    if (!wave_) {
        if (!line() || !text(1, d_.recordPeriodText)) return false;
        if (!skip(1) || !sensitivities() || !line() || !text(1, d_.recordCountText)) return false;
        return skip(4);
    }
    if (!line() || !toText(before(f_[1], 'm'), d_.samplePeriodText) ||
        !toText(before(f_[3], 'p'), d_.triggerPointText))
        return false;
    if (!skip(1) || !sensitivities() || !line() || !text(3, d_.triggerLevelText)) return false;
    if (!line() || !text(kind_->axes == 3 ? 3 : 1, d_.recordCountText)) return false;
    return skip(3);
}

// The sensitivities are shown, never computed with: a line that does not
// read leaves the text empty rather than failing the file.
bool Parser::sensitivities() {
    if (!line()) return false;
    std::string value;
    for (int i = 1; i < f_.count(); ++i) {
        if (f_[i].empty() || !text(i, value)) continue;
        d_.sensitivityText += (d_.sensitivityText.empty() ? "" : ", ") + value;
    }
    return true;
}

bool Parser::peakRows(int count) {
    const int axes = kind_->axes;
    host_.showProgress(0, 0);
    for (int i = 0; i < count; ++i) {
        // The flag is looked at for every row, also where events are not
        // processed for every row: a repaint in between may have set it.
        if (i % kind_->pollEvery == 0) host_.processEvents();
        if (host_.loadCancelRequested()) return false;
        if (i % 100 == 0) host_.showProgress(i, static_cast<int>(i * 100.0 / count));
        if (!line()) return false;
        PeakRow& row = d_.peakRows[i];
        row = PeakRow{};
        bool read = true;
        for (int a = 0; a < axes && read; ++a) {
            const int c = a * kPeakGroupWidth;
            read = toDateTime(f_[c], f_[c + 1], row.time[a]) &&
                   toFloat(f_[c + 2], row.peak[2 * a]) && toInt(f_[c + 3], row.width[2 * a]) &&
                   toFloat(f_[c + 4], row.peak[2 * a + 1]) &&
                   toInt(f_[c + 5], row.width[2 * a + 1]) && whole(c, Written::Date) &&
                   whole(c + 1, Written::Time) && whole(c + 2, Written::GValue) &&
                   whole(c + 3, Written::Width) && whole(c + 4, Written::GValue) &&
                   whole(c + 5, Written::Width);
        }
        if (read) continue;
        // The last row, cut short: the rows before it are the measurement.
        if (!cutLine_ || i != count - 1 || i == 0) return false;
        leftOut_ = 1;
        return true;
    }
    return true;
}

bool Parser::waveRecords(int count) {
    const int axes = kind_->axes;
    const int block = kind_->waveBlock;
    // Triaxial blocks give each record four columns (X, Y, Z, empty).
    const int stride = axes == 3 ? 4 : 1;
    auto column = [&](int j, int a) { return 1 + stride * j + a; };
    auto& planes = d_.waveRecords;

    host_.showProgress(0, 0);
    for (int first = 0, k = 0; first < count; first += block, ++k) {
        const int n = std::min(block, count - first);
        if (n == block) {
            host_.processEvents();
            if (host_.loadCancelRequested()) return false;
            host_.showProgress(first, static_cast<int>(k * (100.0 * block) / count));
        }
        for (int p = 0; p < 3; ++p)
            for (int j = 0; j < n; ++j) planes[p][first + j] = WaveBlock{};

        if (!skip(2) || !line()) return false;
        DateTime dates[kMaxWaveBlock];
        for (int j = 0; j < n; ++j) {
            auto date = parseDate(f_[column(j, 0)]);
            if (!date) return false;
            dates[j] = *date;
        }
        if (!line()) return false;
        for (int j = 0; j < n; ++j) {
            auto time = parseTime(f_[column(j, 0)]);
            if (!time) return false;
            for (int a = 0; a < axes; ++a) planes[a][first + j].time = dates[j] + *time;
        }
        if (!line()) return false;
        for (int j = 0; j < n; ++j) {
            double sumOfSquares = 0;
            for (int a = 0; a < axes; ++a) {
                WaveBlock& r = planes[a][first + j];
                if (!toFloat(f_[column(j, a)], r.peak)) return false;
                sumOfSquares += double(r.peak) * double(r.peak);
            }
            if (axes == 3)
                for (int a = 0; a < 3; ++a)
                    planes[a][first + j].resultantG = static_cast<float>(std::sqrt(sumOfSquares));
        }
        if (!line()) return false;
        for (int j = 0; j < n; ++j) {
            for (int a = 0; a < axes; ++a) {
                int32_t width;
                if (!toInt(f_[column(j, a)], width) || width < 0 || width > UINT16_MAX)
                    return false;
                planes[a][first + j].width = static_cast<uint16_t>(width);
            }
        }
        for (int s = 0; s < kSampleLines; ++s) {
            if (!line()) return false;
            for (int j = 0; j < n; ++j) {
                for (int a = 0; a < axes; ++a) {
                    if (toFloat(f_[column(j, a)], planes[a][first + j].samples[s]) &&
                        whole(column(j, a), Written::GValue))
                        continue;
                    // The last sample line, cut short: the records whose
                    // samples it cut are left out, those before them stay.
                    if (!cutLine_ || s != kSampleLines - 1 || first + n != count || first + j == 0)
                        return false;
                    leftOut_ = n - j;
                    return true;
                }
            }
        }
    }
    return true;
}

LoadResult Parser::run(RecorderIdentity& identity) {
    LoadResult result;
    auto failed = [&](LoadFailure why) {
        // A cancel click polled by a record loop fails that loop; it is no fault of the file.
        result.failure = why == LoadFailure::Malformed && host_.loadCancelRequested()
                             ? LoadFailure::Cancelled
                             : why;
        return result;
    };
    // Without the model of its first line the file is no data file at all.
    if (!header()) return failed(kind_ ? LoadFailure::Malformed : LoadFailure::NotADataFile);
    const int count = intOrDefault(d_.recordCountText, -1);
    if (wave_) {
        if (count < 0) return failed(LoadFailure::Malformed);
        if (count > kWaveCapacity) return failed(LoadFailure::TooManyRecords);
        if (count == 0) {
            result.message = kNoTriggeredNotice;
            host_.messageBox("データファイルの読み込み", result.message, Host::Information);
            return failed(LoadFailure::NoTriggered);
        }
        if (!waveRecords(count)) return failed(LoadFailure::Malformed);
    } else {
        if (count <= 0) return failed(LoadFailure::Malformed);
        if (count > kPeakCapacity) return failed(LoadFailure::TooManyRecords);
        if (!peakRows(count)) return failed(LoadFailure::Malformed);
    }
    d_.currentIndex = 0;
    d_.lastIndex = count - leftOut_ - 1;
    host_.endProgress();

    identity.modelCode = intOrDefault(d_.modelText, 0);
    identity.sensorRange = static_cast<uint8_t>(d_.rangeG);
    identity.waveData = wave_ ? 1 : 0;
    result.failure = LoadFailure::None;
    result.defaultScale = wave_ ? DefaultScale::Wave : DefaultScale::Peak;
    result.scale =
        wave_ ? defaultWaveScale(d_.rangeG) : defaultPeakScale(d_.startTime, d_.endTime, d_.rangeG);
    return result;
}

}  // namespace

LoadResult loadDataStream(std::FILE* file, const std::string& path, DataSet& data,
                          RecorderIdentity& identity, Host& host, DataSet* spare) {
    std::unique_ptr<DataSet> own;
    if (!spare) {
        own = std::make_unique<DataSet>();
        spare = own.get();
    }
    DataSet& fresh = *spare;
    clearHeader(fresh);
    RecorderIdentity newIdentity = identity;
    Parser parser(file, fresh, host);
    LoadResult result = parser.run(newIdentity);
    if (!result) {
        if (result.worthReporting()) result.message = notLoadedText(path);
        return result;
    }
    result.cutLine = parser.cutLine();
    result.recordsLeftOut = parser.recordsLeftOut();
    fresh.filePath = path;
    // Sorted before it is swapped in: nobody ever sees the file's own order.
    normaliseWaveOrder(fresh, newIdentity);
    data.swap(fresh);
    identity.modelCode = newIdentity.modelCode;
    identity.sensorRange = newIdentity.sensorRange;
    identity.waveData = newIdentity.waveData;
    return result;
}

LoadResult loadDataFile(const std::string& path, DataSet& data, RecorderIdentity& identity,
                        Host& host, DataSet* spare) {
    InputFile in = InputFile::open(path, kMaxDataFileBytes);
    if (!in) {
        LoadResult refused;
        refused.failure = LoadFailure::Unreadable;
        refused.reason = inputRefusalReason(in, kMaxDataFileBytes);
        refused.message = notLoadedText(path, refusalText(in));
        return refused;
    }
    return loadDataStream(in.stream(), path, data, identity, host, spare);
}

}  // namespace kv
