#include "recorder/recorder_models.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

// The model number names the generation (4, 5, 6 thousand) and the axes (x100
// one, x300 three); every other property of a row has to agree with them.
TEST(RecorderModels, EveryRowAgreesWithItsModelNumber) {
    for (const ModelTraits& m : kRecorderModels) {
        SCOPED_TRACE(m.code);
        EXPECT_EQ(m.generation, m.code / 1000 - 3);
        EXPECT_EQ(m.axes, m.code % 1000 == 300 ? 3 : 1);
        EXPECT_EQ(m.waveRecords > 0, m.generation > 1);
        EXPECT_LE(m.peakRows, kPeakCapacity);
        EXPECT_EQ(m.peakOffsetBytes == 3, m.peakRows > 0x10000);
        const bool triaxial = m.axes == 3;
        EXPECT_EQ(m.peakPrint,
                  triaxial ? ListPrintKind::TriaxialPeak : ListPrintKind::SingleAxisPeak);
        EXPECT_EQ(m.wavePrint,
                  triaxial ? ListPrintKind::TriaxialWave : ListPrintKind::SingleAxisWave);
        EXPECT_EQ(m.menu, triaxial            ? MenuFamily::KV53
                          : m.generation == 1 ? MenuFamily::KV41
                                              : MenuFamily::KV51);
        EXPECT_EQ(findModel(m.code), &m);
    }
}

TEST(RecorderModels, ACodeOutsideTheTableKeepsTheFamilysAxisRule) {
    struct Case {
        ModelCode code;
        int axes;
    };
    for (Case c : {Case{7300, 3}, Case{7100, 1}, Case{5200, 0}, Case{0, 0}, Case{-1, 0}}) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(findModel(c.code), nullptr);
        EXPECT_EQ(modelAxes(c.code), c.axes);
        EXPECT_EQ(modelGeneration(c.code), 0);
        EXPECT_FALSE(recordsWaves(c.code));
        EXPECT_EQ(modelMenu(c.code), c.axes == 3 ? MenuFamily::KV53 : MenuFamily::KV51);
    }
}

}  // namespace
}  // namespace kv
