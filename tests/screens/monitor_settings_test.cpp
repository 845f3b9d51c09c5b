#include "screens/monitor_settings.h"

#include <gtest/gtest.h>

#include "recorder/recorder_line.h"
#include "settings/pc_settings.h"

namespace kv {
namespace {

MonitorChoices choices(int model, std::array<std::string, 3> sensitivity, bool wave = false) {
    MonitorChoices c;
    c.model = model;
    c.range = 5;
    c.samplePeriod = 0;
    c.wave = wave;
    c.sensitivity = std::move(sensitivity);
    return c;
}

TEST(MonitorCheck, SensitivityLimitsPerAxisInOrder) {
    struct Case {
        int model;
        std::array<std::string, 3> sensitivity;
        const char* message;  // nullptr: accepted
    };
    const Case cases[] = {
        {5, {"28.0", "10.0", "28"}, nullptr},
        {5, {"9.9", "15", "15"}, "Ｘ軸の感度入力にエラーがあります。"},
        {3, {"15", "28.01", "15"}, "Ｙ軸の感度入力にエラーがあります。"},
        {1, {"15", "15", "abc"}, "Ｚ軸の感度入力にエラーがあります。"},
        {3, {"", "15", "15"}, "Ｘ軸の感度入力にエラーがあります。"},
        // Single-axis models look at Z only.
        {2, {"abc", "9", "15"}, nullptr},
        {4, {"15", "15", "28.01"}, "Ｚ軸の感度入力にエラーがあります。"},
        {0, {"", "", "10"}, nullptr},
    };
    for (const Case& c : cases) {
        MonitorCheck check = checkMonitorChoices(choices(c.model, c.sensitivity));
        EXPECT_EQ(check.ok, c.message == nullptr) << c.model << " " << c.sensitivity[0];
        EXPECT_EQ(check.message, c.message ? c.message : "") << c.model;
    }
}

TEST(MonitorCheck, AMissingSelectionFailsWithoutAMessage) {
    for (int which = 0; which < 3; ++which) {
        MonitorChoices c = choices(3, {"20", "20", "20"});
        (which == 0 ? c.model : which == 1 ? c.range : c.samplePeriod) = -1;
        MonitorCheck check = checkMonitorChoices(c);
        EXPECT_FALSE(check.ok) << which;
        EXPECT_EQ(check.message, "") << which;
    }
}

TEST(MonitorControls, FirstGenerationForcesPeakAndSingleAxisTakesZOnly) {
    struct Case {
        int model;
        bool wave;
        bool modeButtons, waveInEffect, xyEdits;
    };
    const Case cases[] = {{0, true, false, false, false}, {1, true, false, false, true},
                          {2, true, true, true, false},   {3, false, true, false, true},
                          {4, false, true, false, false}, {5, true, true, true, true}};
    for (const Case& c : cases) {
        MonitorControlStates s = monitorControlStates(c.model, c.wave);
        EXPECT_EQ(s.modeButtons, c.modeButtons) << c.model;
        EXPECT_EQ(s.wave, c.waveInEffect) << c.model;
        EXPECT_EQ(s.recordPeriod, !c.waveInEffect) << c.model;
        EXPECT_EQ(s.samplePeriod, c.waveInEffect) << c.model;
        EXPECT_EQ(s.xyEdits, c.xyEdits) << c.model;
    }
}

TEST(MonitorApply, ModeAndRecordsByModelAndMode) {
    struct Case {
        int model;
        bool wave;
        int mode;
        bool legacy;
    };
    const Case cases[] = {{0, true, 1, true},   {1, false, 2, true}, {2, false, 1, false},
                          {3, false, 2, false}, {4, true, 3, false}, {5, true, 4, false}};
    for (const Case& c : cases) {
        RecorderState r;
        DataSet view;
        MonitorChoices m = choices(c.model, {"11", "12", "13"}, c.wave);
        m.recordPeriod = 4;
        m.range = 2;
        m.samplePeriod = 3;
        ASSERT_EQ(applyMonitorChoices(m, r, view), c.mode) << c.model;
        const ModelCode code = monitorModelCode(c.model);
        EXPECT_EQ(r.identity.modelCode, code);
        EXPECT_EQ(r.identity.sensorRange, 10);
        EXPECT_EQ(r.identity.waveData, c.mode >= 3 ? 1 : 0);
        EXPECT_EQ(view.filePath, "リアルタイム");
        EXPECT_EQ(c.legacy ? r.legacyInfo.modelCode : r.info.modelCode, code);
        EXPECT_EQ(c.legacy ? r.info.modelCode : r.legacyInfo.modelCode, 0);
        if (c.mode >= 3) {
            EXPECT_EQ(r.info.samplePeriodMs, 10);
            EXPECT_EQ(view.samplePeriodText, "10");
        } else {
            EXPECT_EQ(c.legacy ? r.legacyInfo.recordPeriod : r.info.recordPeriod, 4);
        }
        // Every edit's number goes into both status records.
        for (int a = 0; a < 3; ++a) {
            EXPECT_DOUBLE_EQ(r.info.sensitivity[a], 11 + a);
            EXPECT_DOUBLE_EQ(r.legacyInfo.sensitivity[a], 11 + a);
        }
    }
}

TEST(MonitorApply, SavedSettingsGiveTheirModeWith24OnEveryAxis) {
    PcSettings settings;
    RecorderState r;
    DataSet view;
    EXPECT_EQ(applySavedMonitorSettings(settings, r, view), 0);  // nothing saved
    EXPECT_EQ(r.identity.modelCode, 0);

    MonitorChoices m = choices(5, {"11", "12", "13"}, true);
    m.samplePeriod = 2;
    m.oldSensor = true;
    rememberMonitorChoices(m, settings);
    EXPECT_EQ(settings.defType, 5);
    EXPECT_EQ(settings.defPeakWave, 1);
    EXPECT_EQ(settings.defNewOldType, 1);
    ASSERT_EQ(applySavedMonitorSettings(settings, r, view), 4);
    EXPECT_EQ(r.identity.modelCode, 6300);
    EXPECT_EQ(r.info.samplePeriodMs, 5);
    for (int a = 0; a < 3; ++a) EXPECT_DOUBLE_EQ(r.info.sensitivity[a], 24.0);

    settings.defInterval = 7;  // no such item: the dialog has to decide
    EXPECT_EQ(applySavedMonitorSettings(settings, r, view), 0);
}

class MonitorPreset : public test::RecorderLine {};

TEST_F(MonitorPreset, LaterGenerationStatusFillsTheChoices) {
    use("model 6100\nmode wave\nrange 50\nsensor X 1 12.5\nsensor Y 2 13\nsensor Z 3 "
        "14.3\nsample 20\n",
        6100);
    PcSettings settings;
    RecorderState r;
    MonitorChoices c;
    ASSERT_TRUE(readMonitorPreset(*link, 1, 38400, settings, r, c));
    EXPECT_EQ(c.model, 4);
    EXPECT_EQ(c.range, 4);
    EXPECT_TRUE(c.wave);
    EXPECT_EQ(c.samplePeriod, 4);
    EXPECT_EQ(c.sensitivity, (std::array<std::string, 3>{"12.5", "13", "14.3"}));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.busyChanges, (std::vector<bool>{true, false}));
}

TEST_F(MonitorPreset, FirstGenerationStatusFillsTheChoices) {
    use("model 4300\nrange 20\nsensor X 1 12.5\n", 4300);
    PcSettings settings;
    RecorderState r;
    MonitorChoices c;
    ASSERT_TRUE(readMonitorPreset(*link, 1, 38400, settings, r, c));
    EXPECT_EQ(c.model, 1);
    EXPECT_EQ(c.range, 3);
    EXPECT_EQ(c.samplePeriod, 1);
    EXPECT_EQ(c.sensitivity[0], "12.5");
}

TEST_F(MonitorPreset, SilenceOrAPortThatWillNotOpenIsReported) {
    script();
    PcSettings settings;
    RecorderState r;
    MonitorChoices c;
    EXPECT_FALSE(readMonitorPreset(*link, 1, 38400, settings, r, c));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].title, "通信エラー");
    EXPECT_NE(host.messages[0].text.find("本体情報"), std::string::npos);

    host.messages.clear();
    device->failOpenWith(2);
    EXPECT_FALSE(readMonitorPreset(*link, 1, 38400, settings, r, c));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text.rfind("ポートが開けません。\n2\n", 0), 0u);
}

}  // namespace
}  // namespace kv
