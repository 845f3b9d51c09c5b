#pragma once

#include <vector>

#include "base/list_column.h"
#include "datafile/data_set.h"
#include "recorder/records.h"

namespace kv {

// The four column sets of the data list: peak or wave records, of a
// single-axis or a triaxial model.
enum class ListKind { PeakSingle, PeakTriaxial, WaveSingle, WaveTriaxial };

// Wave columns when the file says "波形モード" or "Wave Mode", triaxial when the
// model code ends in 300.
ListKind listKindOf(const DataSet& data, const RecorderIdentity& identity);
bool isWaveKind(ListKind kind);

// What a column shows and sorts by.
enum class ListField {
    Position,  // "No": display position + 1
    Record,    // "DataNo": record index + 1
    Date,      // the axis's date-time (wave: the X plane's)
    Time,
    PeakPlus,   // peak rows: the axis's positive peak G
    WidthPlus,  // its pulse width
    PeakMinus,  // negative peak G
    WidthMinus,
    WavePeak,  // wave records: the plane's peak G
    WaveWidth,
    Resultant,  // the resultant G of the X plane; "OVER" when any plane is over range
    // Wave records, when asked for: the shock analysis of the record.
    VelocityChange,  // the axes' velocity changes as one vector, m/s
    DropHeight,      // the drop height for the restitution, cm
};

struct ListColumnField {
    ListField field;
    int axis;  // 0 X, 1 Y, 2 Z
};

// Captions and widths in pixels, every column right-aligned: what a list
// window applies (setListColumns). The fields follow the same order.
const std::vector<ListColumn>& listColumns(ListKind kind);
const std::vector<ListColumnField>& listColumnFields(ListKind kind);

// The two columns a wave list may add after its own: 速度変化 and 落下高さ.
const std::vector<ListColumn>& analysisListColumns();
const std::vector<ListColumnField>& analysisListColumnFields();

}  // namespace kv
