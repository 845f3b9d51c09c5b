#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace kv {

// Model codes: 4100/4300 first generation, 5100/5300 second, 6100/6300 third;
// 0 not recognised, -1 an identity text without a model number.
using ModelCode = int32_t;

// Capacities of the stores every download, load and live view fills.
constexpr int kPeakCapacity = 120000;
constexpr int kWaveCapacity = 500;

// The graph window's menu bar for a model's data files: 4300 files share the
// triaxial bar of the later generations.
enum class MenuFamily { KV41, KV51, KV53 };

// The four layouts of the printed list.
enum class ListPrintKind { SingleAxisPeak, TriaxialPeak, SingleAxisWave, TriaxialWave };

// What sets one recorder model apart from the others.
struct ModelTraits {
    ModelCode code;
    // 1 speaks the older command set; 2 and 3 share the newer one, and the
    // third adds the wave-mode overwrite and trigger choices.
    int generation;
    // 1: one sensor (carried on the Z channel of the status); 3: X, Y and Z.
    int axes;
    // Peak records command 33 can address, within the store.
    int peakRows;
    // Bytes of the record offset in command 33: 3 where the third is sent.
    int peakOffsetBytes;
    // Wave records per axis; 0 for a model that records peaks only.
    int waveRecords;
    MenuFamily menu;
    ListPrintKind peakPrint;
    ListPrintKind wavePrint;  // only where waveRecords > 0
};

// The six models, in the order the real-time settings dialog lists them.
inline constexpr std::array<ModelTraits, 6> kRecorderModels{{
    {4100, 1, 1, 0x10000, 2, 0, MenuFamily::KV41, ListPrintKind::SingleAxisPeak,
     ListPrintKind::SingleAxisWave},
    {4300, 1, 3, 20000, 2, 0, MenuFamily::KV53, ListPrintKind::TriaxialPeak,
     ListPrintKind::TriaxialWave},
    {5100, 2, 1, 0x10000, 2, kWaveCapacity, MenuFamily::KV51, ListPrintKind::SingleAxisPeak,
     ListPrintKind::SingleAxisWave},
    {5300, 2, 3, 0x10000, 2, kWaveCapacity, MenuFamily::KV53, ListPrintKind::TriaxialPeak,
     ListPrintKind::TriaxialWave},
    {6100, 3, 1, kPeakCapacity, 3, kWaveCapacity, MenuFamily::KV51, ListPrintKind::SingleAxisPeak,
     ListPrintKind::SingleAxisWave},
    {6300, 3, 3, 0x10000, 2, kWaveCapacity, MenuFamily::KV53, ListPrintKind::TriaxialPeak,
     ListPrintKind::TriaxialWave},
}};

// The position of a model in kRecorderModels; -1 for any other code.
constexpr int modelIndex(ModelCode code) {
    for (size_t i = 0; i < kRecorderModels.size(); ++i)
        if (kRecorderModels[i].code == code) return static_cast<int>(i);
    return -1;
}

// The model's row; nullptr for a code outside the six.
constexpr const ModelTraits* findModel(ModelCode code) {
    const int i = modelIndex(code);
    return i < 0 ? nullptr : &kRecorderModels[static_cast<size_t>(i)];
}

// The axes of a model code. A code outside the table (a recorder newer than
// the program) still tells them by the family's rule: x300 is triaxial, x100
// single-axis; 0 when it is neither.
constexpr int modelAxes(ModelCode code) {
    if (const ModelTraits* m = findModel(code)) return m->axes;
    return code % 1000 == 300 ? 3 : code % 1000 == 100 ? 1 : 0;
}
constexpr bool isTriaxial(ModelCode code) {
    return modelAxes(code) == 3;
}
constexpr bool isSingleAxis(ModelCode code) {
    return modelAxes(code) == 1;
}
constexpr int axisCount(ModelCode code) {
    return isTriaxial(code) ? 3 : 1;
}

// 1, 2 or 3; 0 for a code outside the table.
constexpr int modelGeneration(ModelCode code) {
    const ModelTraits* m = findModel(code);
    return m ? m->generation : 0;
}
constexpr bool isFirstGeneration(ModelCode code) {
    return modelGeneration(code) == 1;
}
constexpr bool isLaterGeneration(ModelCode code) {
    return modelGeneration(code) >= 2;
}
constexpr bool isThirdGeneration(ModelCode code) {
    return modelGeneration(code) == 3;
}

// The model records waveforms (wave mode), not only peaks.
constexpr bool recordsWaves(ModelCode code) {
    const ModelTraits* m = findModel(code);
    return m && m->waveRecords > 0;
}

// The graph window's menu bar for the model's data; a code outside the table
// gets the bar of its axes.
constexpr MenuFamily modelMenu(ModelCode code) {
    if (const ModelTraits* m = findModel(code)) return m->menu;
    return isTriaxial(code) ? MenuFamily::KV53 : MenuFamily::KV51;
}

}  // namespace kv
