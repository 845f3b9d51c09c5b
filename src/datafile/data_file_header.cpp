#include "datafile/data_file_header.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "base/cp932.h"
#include "base/kv_assert.h"
#include "datafile/data_file_numbers.h"
#include "recorder/value_texts.h"

namespace kv {
namespace {

// The lines a header can hold; each kind lists its own in order.
enum class Line {
    Model,
    Numbers,
    BatteryWithoutVersion,
    BatteryAndVersion,
    PeakModeFixed,
    Mode,
    Start,
    End,
    RecordPeriod,
    SamplePeriod,
    SensorNumbersAll,
    SensorNumbersOfModel,
    SensitivitiesAll,
    SensitivitiesOfModel,
    TriggerLevels,
    PeakCount,
    WaveCounts,
    Empty,
    ColumnTitles,
};

struct KindLayout {
    DataFileKind kind;
    std::initializer_list<Line> lines;
};

using L = Line;
const KindLayout kLayouts[] = {
    {DataFileKind::FirstGenerationPeak,
     {L::Model, L::Numbers, L::BatteryWithoutVersion, L::PeakModeFixed, L::Start, L::End,
      L::RecordPeriod, L::SensorNumbersAll, L::SensitivitiesAll, L::PeakCount, L::Empty, L::Empty,
      L::Empty, L::ColumnTitles}},
    {DataFileKind::Peak,
     {L::Model, L::Numbers, L::BatteryAndVersion, L::Mode, L::Start, L::End, L::RecordPeriod,
      L::SensorNumbersOfModel, L::SensitivitiesOfModel, L::PeakCount, L::Empty, L::Empty, L::Empty,
      L::ColumnTitles}},
    {DataFileKind::Wave,
     {L::Model, L::Numbers, L::BatteryAndVersion, L::Mode, L::Start, L::End, L::SamplePeriod,
      L::SensorNumbersAll, L::SensitivitiesAll, L::TriggerLevels, L::WaveCounts, L::Empty, L::Empty,
      L::Empty}},
};

// The status fields a header prints, from whichever status record the
// generation fills.
struct Status {
    int modelCode;
    int deviceNumber;
    int serialNumber;
    int sensorPlace;
    int recordPeriod;
    double batteryVolts;
    std::array<int32_t, 3> sensorNumber;
    std::array<double, 3> sensitivity;
};

Status statusOf(DataFileKind kind, const RecorderState& r) {
    if (kind == DataFileKind::FirstGenerationPeak) {
        const LegacyRecorderInfo& s = r.legacyInfo;
        return {s.modelCode,    s.deviceNumber, s.serialNumber, s.sensorPlace,
                s.recordPeriod, s.batteryVolts, s.sensorNumber, s.sensitivity};
    }
    const RecorderInfo& s = r.info;
    return {s.modelCode,    s.deviceNumber, s.serialNumber, s.sensorPlace,
            s.recordPeriod, s.batteryVolts, s.sensorNumber, s.sensitivity};
}

void appendDateTimeFields(std::string& out, const IndexTime& t) {
    CalendarTime c = decodeDateTime(t.toDateTime());
    appendDate(out, c);
    out += ',';
    appendTime(out, c);
}

struct HeaderWriter {
    DataFileKind kind;
    ModelCode model;
    int slot;
    const RecorderState& r;
    Status status;
    std::string out;

    // Triaxial files list X, Y and Z; single-axis peak files only the Z sensor.
    template <typename T, typename Format>
    void appendAxes(const std::array<T, 3>& values, bool all, Format format) {
        if (all || isTriaxial(model)) {
            for (int a = 0; a < 3; ++a) add(a ? "," : "", format(values[a]));
        } else {
            out += format(values[2]);
        }
    }

    void line(Line id) {
        const RecorderInfo& info = r.info;
        auto number = [](auto v) { return std::to_string(v); };
        switch (id) {
            case Line::Model:
                add("ＫＶ種別,KV-", number(status.modelCode), ",", number(r.identity.sensorRange),
                    "Ｇ", status.sensorPlace == 0 ? ",内蔵" : ",外部");
                break;
            case Line::Numbers:
                add("データ親番号,", number(status.deviceNumber), ",製造番号,",
                    number(status.serialNumber));
                break;
            case Line::BatteryWithoutVersion:
                add("ﾊﾞｯﾃﾘ電圧,", oneDecimalText(status.batteryVolts), ",バージョン,--");
                break;
            case Line::BatteryAndVersion:
                add("ﾊﾞｯﾃﾘ電圧,", oneDecimalText(status.batteryVolts), ",バージョン,",
                    oneDecimalText(info.firmwareVersion / 10.0));
                break;
            case Line::PeakModeFixed:
                add("動作モード,ピークモード,----,上書き無し");
                break;
            case Line::Mode:
                add("動作モード,", modeName(info.waveMode), ",", axisModeName(info.axisMode, model),
                    ",", overwriteName(info.overwriteMode));
                break;
            case Line::Start:
                add("開始時刻,");
                appendDateTimeFields(out, kind == DataFileKind::Wave ? r.waveIndex[slot].startTime
                                                                     : r.index[slot].startTime);
                break;
            case Line::End:
                add("終了時刻,");
                appendDateTimeFields(out, kind == DataFileKind::Wave ? r.waveIndex[slot].endTime
                                                                     : r.index[slot].endTime);
                break;
            case Line::RecordPeriod:
                add("記録周期,", recordPeriodName(static_cast<unsigned>(status.recordPeriod)));
                break;
            case Line::SamplePeriod:
                add("ｻﾝﾌﾟﾙ周期,", number(info.samplePeriodMs), "ms,トリガポイント,",
                    number(info.preTrigger), "pt");
                break;
            case Line::SensorNumbersAll:
            case Line::SensorNumbersOfModel:
                add("センサ番号,");
                appendAxes(status.sensorNumber, id == Line::SensorNumbersAll, number);
                break;
            case Line::SensitivitiesAll:
            case Line::SensitivitiesOfModel:
                add("センサ感度,");
                appendAxes(status.sensitivity, id == Line::SensitivitiesAll, valueText);
                break;
            case Line::TriggerLevels:
                add("トリガレベル,");
                for (int a = 0; a < 3; ++a) add(number(info.triggerLevel[a]), "％,");
                break;
            case Line::PeakCount:
                add("計測回数,", number(r.index[slot].recordCount));
                break;
            case Line::WaveCounts: {
                const auto& counts = r.waveIndex[slot].recordCount;
                add("計測回数,", number(counts[0]));
                if (isTriaxial(model)) add(",", number(counts[1]), ",", number(counts[2]));
                break;
            }
            case Line::Empty:
                break;
            case Line::ColumnTitles:
                add(isTriaxial(model)
                        ? "年月日,時分秒,XG(+),(ms),XG(-),(ms),,年月日,時分秒,YG(+),(ms),YG(-),"
                          "(ms),,年月日,時分秒,ZG(+),(ms),ZG(-),(ms)"
                        : "年月日,時分秒,G(+),(ms),G(-),(ms)");
                break;
        }
        add("\r\n");
    }

    template <typename... Parts>
    void add(const Parts&... parts) {
        (out.append(std::string_view(parts)), ...);
    }
};

}  // namespace

DataFileKind dataFileKind(ModelCode model, const RecorderInfo& info) {
    if (isFirstGeneration(model)) return DataFileKind::FirstGenerationPeak;
    if (isLaterGeneration(model))
        return info.waveMode == 0 ? DataFileKind::Peak : DataFileKind::Wave;
    return DataFileKind::None;
}

void writeFileHeader(DataFile& f, ModelCode model, int slot, const RecorderState& recorder) {
    KV_ASSERT(0 <= slot && slot < kMeasurementSlots);
    const DataFileKind kind = dataFileKind(model, recorder.info);
    if (!f.isOpen() || kind == DataFileKind::None) return;
    HeaderWriter w{kind, model, slot, recorder, statusOf(kind, recorder), {}};
    for (const KindLayout& layout : kLayouts) {
        if (layout.kind != kind) continue;
        for (Line id : layout.lines) w.line(id);
    }
    // Every piece is a fixed text or a number, so the conversion cannot fail.
    std::optional<std::string> bytes = utf8ToCp932(w.out);
    KV_ASSERT(bytes.has_value());
    f.write(*bytes);
}

}  // namespace kv
