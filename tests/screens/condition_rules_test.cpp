#include "screens/condition_rules.h"

#include <gtest/gtest.h>

#include "screens/condition_messages.h"

namespace kv {
namespace {

TEST(NumberEntry, WholeNumbersOnly) {
    EXPECT_EQ(parseWholeNumber("42"), 42);
    EXPECT_EQ(parseWholeNumber(" 7 "), 7);
    EXPECT_EQ(parseWholeNumber("-3"), -3);
    EXPECT_EQ(parseWholeNumber("+3"), 3);
    for (const char* bad : {"", " ", "1.5", "12a", "a1", "++3", "+-3", "- 3", "99999999999"})
        EXPECT_FALSE(parseWholeNumber(bad)) << bad;
}

TEST(NumberEntry, RealNumbers) {
    EXPECT_DOUBLE_EQ(*parseRealNumber("12.5"), 12.5);
    EXPECT_DOUBLE_EQ(*parseRealNumber(" 14 "), 14.0);
    EXPECT_DOUBLE_EQ(*parseRealNumber(".5"), 0.5);
    for (const char* bad : {"", "12,5", "1.2.3", "inf", "nan", "1e999", "x"})
        EXPECT_FALSE(parseRealNumber(bad)) << bad;
}

TEST(DeviceNumber, ZeroToNinetyNineAccepted) {
    EXPECT_EQ(checkDeviceNumber("0").number, 0);
    EXPECT_TRUE(checkDeviceNumber("0").message.empty());
    EXPECT_TRUE(checkDeviceNumber("99").message.empty());
    for (const char* bad : {"100", "", "-1", "x"})
        EXPECT_EQ(checkDeviceNumber(bad).message, conditionText::kDeviceNumberUnknown) << bad;
}

TEST(DeviceNumber, LegacyRefusesWhatIsNoTwoDigitNumber) {
    EXPECT_EQ(checkLegacyDeviceNumber("7").number, 7);
    EXPECT_TRUE(checkLegacyDeviceNumber("0").message.empty());
    for (const char* bad : {"", "-1", "1a", "300"})
        EXPECT_EQ(checkLegacyDeviceNumber(bad).message, conditionText::kDeviceNumberNotNumber)
            << bad;
}

SensorCheck sensors(const std::string& x, const std::string& y, const std::string& z, int range,
                    std::array<std::string, 3> numbers = {"1", "2", "3"}) {
    return checkSensorEntries({x, y, z}, numbers, range);
}

TEST(SensorEntries, SensitivityLimitsDependOnTheRange) {
    EXPECT_TRUE(sensors("18.0", "10.0", "12", 5).message.empty());
    EXPECT_EQ(sensors("10", "18.1", "12", 5).message, conditionText::kSensitivityOutOfRange);
    EXPECT_EQ(sensors("10", "18.1", "12", 5).flags, 32);
    EXPECT_TRUE(sensors("28.0", "18.1", "12", 50).message.empty());
    EXPECT_EQ(sensors("28.1", "12", "12", 50).message, conditionText::kSensitivityOutOfRange);
    EXPECT_EQ(sensors("12", "12", "9.9", 50).message, conditionText::kSensitivityOutOfRange);
}

TEST(SensorEntries, SensorNumbersAndBrokenTexts) {
    SensorCheck ok = sensors("12.3", "12", "12", 50, {"0", "65535", "7"});
    ASSERT_TRUE(ok.message.empty());
    EXPECT_EQ(ok.entries.sensorNumber, (std::array<int32_t, 3>{0, 65535, 7}));
    EXPECT_EQ(ok.entries.sensitivity[0], static_cast<double>(12.3f));
    for (auto numbers :
         {std::array<std::string, 3>{"1", "65536", "1"}, std::array<std::string, 3>{"1", "1", ""},
          std::array<std::string, 3>{"-1", "1", "1"}}) {
        EXPECT_EQ(sensors("12", "12", "12", 50, numbers).message,
                  conditionText::kSensorNumberOutOfRange);
    }
    SensorCheck broken = sensors("12", "abc", "99", 50);
    EXPECT_EQ(broken.message, conditionText::kSettingInvalid);
    EXPECT_EQ(broken.flags, 64);
    // Axes are checked in turn: X's bad number comes before Y's bad sensitivity.
    EXPECT_EQ(sensors("12", "40", "12", 50, {"70000", "1", "1"}).message,
              conditionText::kSensorNumberOutOfRange);
}

TEST(ConditionLists, OverwriteModesPerModel) {
    EXPECT_EQ(overwriteItems(5300), (std::vector<std::string>{"上書きなし", "Ｘ軸比較", "Ｙ軸比較",
                                                              "Ｚ軸比較", "３軸比較"}));
    EXPECT_EQ(overwriteItems(5100), (std::vector<std::string>{"上書きなし", "Ｘ軸比較"}));
    EXPECT_EQ(overwriteItems(6300).size(), 5u);
    EXPECT_EQ(overwriteItems(6100).size(), 2u);
}

TEST(ConditionLists, WaveOptionsOnlyOnThirdGenerationInWaveMode) {
    EXPECT_TRUE(waveOptionsAvailable(1, 6300));
    EXPECT_TRUE(waveOptionsAvailable(1, 6100));
    EXPECT_FALSE(waveOptionsAvailable(1, 5300));
    EXPECT_FALSE(waveOptionsAvailable(0, 6300));
}

TEST(ConditionLists, ItemOfARecorderValue) {
    EXPECT_EQ(itemIndexOfValue(samplePeriodItems(), 10), 3);
    EXPECT_EQ(itemIndexOfValue(preTriggerItems(), 100), 1);
    EXPECT_EQ(itemIndexOfValue(triggerLevelItems(), 7), -1);
}

TEST(TriggerThreshold, SingleAxisModelsUseTheZSensitivity) {
    auto t = triggerThresholds(6100, 10, {0.0, 0.0, 14.0}, 50);
    EXPECT_EQ(t, (std::array<int32_t, 3>{23, 23, 23}));
    t = triggerThresholds(5100, 10, {99.0, 99.0, 14.0}, 50);
    EXPECT_EQ(t, (std::array<int32_t, 3>{23, 23, 23}));
    t = triggerThresholds(6300, 30, {12.0, 14.0, 0.0}, 5);
    EXPECT_EQ(t, (std::array<int32_t, 3>{60, 70, 0}));
    EXPECT_EQ(triggerThreshold(30, 14.0, 0), 0);
    EXPECT_EQ(triggerThreshold(0, 14.0, 50), 0);
}

ConditionChoices validChoices() {
    ConditionChoices c;
    c.waveMode = 1;
    c.recordPeriod = 2;
    c.samplePeriodIndex = 3;
    c.samplePeriodText = "10";
    c.triggerLevelText = "15";
    c.preTriggerText = "100";
    c.axisMode = 0;
    c.overwriteMode = 4;
    return c;
}

TEST(ConditionChoices, FilledFromTheLists) {
    ConditionCheck check = checkConditions(validChoices());
    ASSERT_TRUE(check.message.empty());
    EXPECT_EQ(check.settings.waveMode, 1);
    EXPECT_EQ(check.settings.recordPeriod, 2);
    EXPECT_EQ(check.settings.samplePeriodMs, 10);
    EXPECT_EQ(check.settings.triggerLevel, (std::array<int32_t, 3>{15, 15, 15}));
    EXPECT_EQ(check.settings.preTrigger, 100);
    EXPECT_EQ(check.settings.overwriteMode, 4);
}

TEST(ConditionChoices, FirstMissingChoiceIsReported) {
    struct Case {
        void (*spoil)(ConditionChoices&);
        const char* message;
    };
    const Case cases[] = {
        {[](ConditionChoices& c) { c.waveMode = -1; }, conditionText::kNoWaveMode},
        {[](ConditionChoices& c) { c.recordPeriod = -1; }, conditionText::kNoRecordPeriod},
        {[](ConditionChoices& c) { c.samplePeriodIndex = -1; }, conditionText::kNoSamplePeriod},
        {[](ConditionChoices& c) { c.samplePeriodText = "256"; }, conditionText::kNoSamplePeriod},
        {[](ConditionChoices& c) { c.triggerLevelText = ""; }, conditionText::kNoTriggerLevel},
        {[](ConditionChoices& c) { c.triggerLevelText = "31"; }, conditionText::kNoTriggerLevel},
        {[](ConditionChoices& c) { c.preTriggerText = ""; }, conditionText::kNoPreTrigger},
        {[](ConditionChoices& c) { c.axisMode = -1; }, conditionText::kNoAxisMode},
        {[](ConditionChoices& c) { c.overwriteMode = -1; }, conditionText::kNoOverwriteMode},
        {[](ConditionChoices& c) {
             c.overwriteMode = -1;
             c.waveMode = -1;
         },
         conditionText::kNoWaveMode},
    };
    for (const Case& k : cases) {
        ConditionChoices c = validChoices();
        k.spoil(c);
        EXPECT_EQ(checkConditions(c).message, k.message);
    }
}

TEST(ConfirmTexts, SettingOnItsOwnLine) {
    EXPECT_EQ(confirmDeviceNumberText(0), "この設定を書込みますか？\n   データ親番号 - 0");
    EXPECT_EQ(confirmRecordPeriodText("１０分"), "この設定を書込みますか？\n   記録周期 - １０分");
    EXPECT_EQ(confirmText(conditionText::kSensorData), "この設定を書込みますか？\n   センサ情報");
}

}  // namespace
}  // namespace kv
