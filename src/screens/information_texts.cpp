#include "screens/information_texts.h"

#include <cstdio>

#include "recorder/value_texts.h"
#include "screens/condition_rules.h"

namespace kv {
namespace {

std::string decimal(int64_t value) {
    return std::to_string(value);
}

std::string calendarText(int year, int month, int day, int hour, int minute, int second) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return text;
}

std::string indexTimeText(const IndexTime& t) {
    return calendarText(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

std::string placeText(uint8_t place) {
    return place == 1 ? "外付け" : "内蔵";
}

const char* const kNotMeasured = "未計測です。";

}  // namespace

std::string recordPeriodWideText(int32_t index) {
    const auto& items = recordPeriodItems();
    if (index < 0 || index >= static_cast<int32_t>(items.size())) return "不明";
    return items[static_cast<size_t>(index)];
}

std::string startCauseText(int32_t cause) {
    switch (cause) {
        case 'S':
            return "Switch";
        case 'R':
            return "Remote";
        default:
            return "*";
    }
}

std::string endCauseText(int32_t cause) {
    switch (cause) {
        case 'B':
            return "Bat Empty";
        case 'M':
            return "Mem-Full";
        case 'R':
            return "Remote";
        case 'S':
            return "Switch";
        default:
            return "*";
    }
}

std::vector<FieldText> laterGenerationFields(const RecorderInfo& info, const RecorderClock& c) {
    return {
        {"txtName", "KV-" + decimal(info.modelCode)},
        {"txtS_Number", decimal(info.serialNumber)},
        {"txtG_Number", decimal(info.deviceNumber)},
        {"txtTime", calendarText(c.year, c.month, c.day, c.hour, c.minute, c.second)},
        {"txtBat", fixedText(info.batteryVolts, 1) + "v"},
        {"txtVer", "Ver-" + fixedText(info.firmwareVersion * 0.1, 1)},
        {"txtX_Num", decimal(info.sensorNumber[0])},
        {"txtY_Num", decimal(info.sensorNumber[1])},
        {"txtZ_Num", decimal(info.sensorNumber[2])},
        {"txtX_Sencer", fixedText(info.sensitivity[0], 1)},
        {"txtY_Sencer", fixedText(info.sensitivity[1], 1)},
        {"txtZ_Sencer", fixedText(info.sensitivity[2], 1)},
        {"txtRange", decimal(info.sensorRange) + " Ｇ"},
        {"txtPlace", placeText(info.sensorPlace)},
        {"txtRecType", recordPeriodWideText(info.recordPeriod)},
        {"txtSapmType", decimal(info.samplePeriodMs) + " (ms)"},
        {"RecModeList", modeName(info.waveMode)},
        {"txtRecMode", info.axisMode == 1 ? "３軸独立" : "３軸同時"},
        {"txtTrigLebel", decimal(info.triggerLevel[0]) + " ％"},
        {"txtTrigPos", decimal(info.preTrigger) + " ﾎﾟｲﾝﾄ"},
        {"txtCycle", overwriteName(info.overwriteMode)},
    };
}

std::vector<FieldText> firstGenerationFields(const LegacyRecorderInfo& info,
                                             const RecorderClock& c) {
    char model[32];
    std::snprintf(model, sizeof model, "KV %03d", info.modelCode);
    char serial[32];
    std::snprintf(serial, sizeof serial, "%05d", info.serialNumber);
    return {
        {"StaticText2", decimal(info.deviceNumber)},
        {"StaticText4", recordPeriodWideText(info.recordPeriod)},
        {"StaticText6", model},
        {"StaticText8", decimal(info.sensorRange) + " G"},
        {"StaticText10", placeText(info.sensorPlace)},
        {"StaticText12", calendarText(c.year, c.month, c.day, c.hour, c.minute, c.second)},
        {"StaticText16", decimal(info.sensorNumber[0])},
        {"StaticText19", decimal(info.sensorNumber[1])},
        {"StaticText22", decimal(info.sensorNumber[2])},
        {"StaticText17", fixedText(info.sensitivity[0], 1)},
        {"StaticText20", fixedText(info.sensitivity[1], 1)},
        {"StaticText23", fixedText(info.sensitivity[2], 1)},
        {"StaticText32", fixedText(info.batteryVolts, 1) + "v"},
        {"StaticText34", serial},
    };
}

std::vector<ListColumn> measurementColumns(bool waveMode, bool triaxial) {
    std::vector<ListColumn> columns{{"計測番号", 70},
                                    {"   開始時刻   ", 138},
                                    {"開始条件", 72},
                                    {"   終了時刻   ", 138},
                                    {"終了条件", 72}};
    if (!waveMode) {
        columns.push_back({" 周期 ", 56});
        columns.push_back({" 計測数", 84});
    } else if (triaxial) {
        columns.push_back({"Ｘ計測数", 60});
        columns.push_back({"Ｙ計測数", 60});
        columns.push_back({"Ｚ計測数", 60});
    } else {
        columns.push_back({"計測数", 60});
    }
    return columns;
}

std::vector<ListColumn> legacyMeasurementColumns() {
    return {{"計測番号", 70}, {"開始時刻", 138}, {"開始条件", 72}, {"終了時刻", 138},
            {"終了条件", 72}, {"周期", 56},      {"計測数", 84}};
}

std::array<MeasurementRow, kMeasurementSlots> peakIndexRows(const MeasurementIndex& index,
                                                            CauseTexts causes) {
    std::array<MeasurementRow, kMeasurementSlots> rows;
    for (int i = 0; i < kMeasurementSlots; ++i) {
        const MeasurementIndexEntry& e = index[i];
        MeasurementRow& row = rows[i];
        char caption[16];
        std::snprintf(caption, sizeof caption, "%02d", i + 1);
        row.caption = caption;
        row.measured = e.recordCount != 0;
        if (!row.measured) {
            row.cells = {kNotMeasured};
            continue;
        }
        row.cells = {indexTimeText(e.startTime),
                     causes == CauseTexts::Legacy ? startCauseText(e.startCause)
                                                  : endCauseText(e.startCause),
                     indexTimeText(e.endTime),
                     endCauseText(e.endCause),
                     recordPeriodWideText(e.recordPeriod),
                     decimal(e.recordCount)};
    }
    return rows;
}

std::array<MeasurementRow, kMeasurementSlots> waveIndexRows(const WaveMeasurementIndex& index) {
    std::array<MeasurementRow, kMeasurementSlots> rows;
    for (int i = 0; i < kMeasurementSlots; ++i) {
        const WaveIndexEntry& e = index[i];
        MeasurementRow& row = rows[i];
        char caption[16];
        std::snprintf(caption, sizeof caption, "%02d", i + 1);
        row.caption = caption;
        // A measurement stopped before its first trigger has causes but no
        // blocks; it is still listed as measured.
        row.measured = e.recordCount[2] != 0 || e.startCause != 0 || e.endCause != 0;
        if (!row.measured) {
            row.cells = {kNotMeasured};
            continue;
        }
        row.cells = {indexTimeText(e.startTime), endCauseText(e.startCause),
                     indexTimeText(e.endTime),   endCauseText(e.endCause),
                     decimal(e.recordCount[0]),  decimal(e.recordCount[1]),
                     decimal(e.recordCount[2])};
    }
    return rows;
}

}  // namespace kv
