#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/list_column.h"
#include "recorder/records.h"

namespace kv {

// What the recorder information screens print: field texts, the measurement
// list's columns and rows. Pure functions of the recorder records.

// A text for the control of that name.
struct FieldText {
    const char* control;
    std::string text;
};

// The later-generation screen's fields (status of command 80, clock with its
// four-digit year).
std::vector<FieldText> laterGenerationFields(const RecorderInfo& info, const RecorderClock& clock);
// The first-generation screen's fields (status of command 0, clock with its
// two-digit year).
std::vector<FieldText> firstGenerationFields(const LegacyRecorderInfo& info,
                                             const RecorderClock& clock);

// Full-width record-period text of index 0 to 8; "不明" for any other index,
// because a wrong period would be worse than none.
std::string recordPeriodWideText(int32_t index);
// Start causes 'S' "Switch" and 'R' "Remote"; end causes 'B' "Bat Empty",
// 'M' "Mem-Full", 'R' "Remote", 'S' "Switch"; any other character "*".
std::string startCauseText(int32_t cause);
std::string endCauseText(int32_t cause);

// The later-generation screen: peak columns, or wave columns with one count
// per axis for triaxial models and one count otherwise.
std::vector<ListColumn> measurementColumns(bool waveMode, bool triaxial);
// The first-generation screen: always peak columns.
std::vector<ListColumn> legacyMeasurementColumns();

// One line of the measurement list: caption "01" .. "10", ticked when measured,
// the texts of the columns after the caption ("未計測です。" alone when not).
struct MeasurementRow {
    std::string caption;
    bool measured = false;
    std::vector<std::string> cells;
};
enum class CauseTexts { Legacy, EndCausesForBoth };
std::array<MeasurementRow, kMeasurementSlots> peakIndexRows(const MeasurementIndex& index,
                                                            CauseTexts causes);
std::array<MeasurementRow, kMeasurementSlots> waveIndexRows(const WaveMeasurementIndex& index);

}  // namespace kv
