#include "list/list_columns.h"

namespace kv {
namespace {

using F = ListField;

struct ColumnSet {
    std::vector<ListColumn> columns;
    std::vector<ListColumnField> fields;
};

// The columns of one peak axis group: date, time, G(+), ms, G(-), ms.
void addPeakAxis(ColumnSet& set, int axis, const char* plus, const char* minus) {
    set.columns.insert(
        set.columns.end(),
        {{"年月日", 72}, {"時分秒", 54}, {plus, 50}, {"ms", 30}, {minus, 50}, {"ms", 30}});
    set.fields.insert(set.fields.end(), {{F::Date, axis},
                                         {F::Time, axis},
                                         {F::PeakPlus, axis},
                                         {F::WidthPlus, axis},
                                         {F::PeakMinus, axis},
                                         {F::WidthMinus, axis}});
}

ColumnSet makeSet(ListKind kind) {
    ColumnSet set;
    const int dataNoWidth = kind == ListKind::WaveSingle ? 40 : 45;
    set.columns = {{"No", 40}, {"DataNo", dataNoWidth}};
    set.fields = {{F::Position, 0}, {F::Record, 0}};
    switch (kind) {
        case ListKind::PeakSingle:
            addPeakAxis(set, 0, "Ｇ(+)", "Ｇ(-)");
            break;
        case ListKind::PeakTriaxial:
            addPeakAxis(set, 0, "XG(+)", "XG(-)");
            addPeakAxis(set, 1, "YG(+)", "YG(-)");
            addPeakAxis(set, 2, "ZG(+)", "ZG(-)");
            break;
        case ListKind::WaveSingle:
            set.columns.insert(set.columns.end(),
                               {{"年月日", 72}, {"時分秒", 54}, {"Ｇ", 50}, {"ms", 30}});
            set.fields.insert(set.fields.end(),
                              {{F::Date, 0}, {F::Time, 0}, {F::WavePeak, 0}, {F::WaveWidth, 0}});
            break;
        case ListKind::WaveTriaxial:
            set.columns.insert(set.columns.end(), {{"年月日", 72},
                                                   {"時分秒", 54},
                                                   {"X軸", 50},
                                                   {"ms", 30},
                                                   {"Y軸", 50},
                                                   {"ms", 30},
                                                   {"Z軸", 50},
                                                   {"ms", 30},
                                                   {"合成Ｇ値", 48}});
            set.fields.insert(set.fields.end(), {{F::Date, 0},
                                                 {F::Time, 0},
                                                 {F::WavePeak, 0},
                                                 {F::WaveWidth, 0},
                                                 {F::WavePeak, 1},
                                                 {F::WaveWidth, 1},
                                                 {F::WavePeak, 2},
                                                 {F::WaveWidth, 2},
                                                 {F::Resultant, 0}});
            break;
    }
    return set;
}

const ColumnSet& columnSet(ListKind kind) {
    static const ColumnSet sets[] = {makeSet(ListKind::PeakSingle), makeSet(ListKind::PeakTriaxial),
                                     makeSet(ListKind::WaveSingle),
                                     makeSet(ListKind::WaveTriaxial)};
    return sets[static_cast<int>(kind)];
}

}  // namespace

ListKind listKindOf(const DataSet& data, const RecorderIdentity& identity) {
    const bool wave = data.modeText == "波形モード" || data.modeText == "Wave Mode";
    const bool triaxial = isTriaxial(identity.modelCode);
    if (wave) return triaxial ? ListKind::WaveTriaxial : ListKind::WaveSingle;
    return triaxial ? ListKind::PeakTriaxial : ListKind::PeakSingle;
}

bool isWaveKind(ListKind kind) {
    return kind == ListKind::WaveSingle || kind == ListKind::WaveTriaxial;
}

const std::vector<ListColumn>& listColumns(ListKind kind) {
    return columnSet(kind).columns;
}

const std::vector<ListColumnField>& listColumnFields(ListKind kind) {
    return columnSet(kind).fields;
}

const std::vector<ListColumn>& analysisListColumns() {
    static const std::vector<ListColumn> columns = {{"速度変化", 56}, {"落下高さ", 56}};
    return columns;
}

const std::vector<ListColumnField>& analysisListColumnFields() {
    static const std::vector<ListColumnField> fields = {{F::VelocityChange, 0}, {F::DropHeight, 0}};
    return fields;
}

}  // namespace kv
