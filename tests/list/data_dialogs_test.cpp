#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "list/data_information.h"
#include "list/data_input_rules.h"
#include "list/list_test_data.h"

namespace kv::test {
namespace {

const std::string kSearchError = "検索数値エラー！！\n入力データを確認してください。";
const std::string kNumberError = "検索位置数値エラー！！\n入力データを確認してください。";
const std::string kNumberTooLarge = "検索位置数値エラー！！\n最大データ数を超えています。";

TEST(DataInputRules, SearchValueMustBeANumberAboveZero) {
    const struct {
        const char* text;
        std::optional<std::string> error;
    } cases[] = {
        {"1.5", std::nullopt},  {" 12 ", std::nullopt},  {"2e1", std::nullopt},
        {"0", kSearchError},    {"-3", kSearchError},    {"", kSearchError},
        {"abc", kSearchError},  {"1.2.3", kSearchError}, {"inf", kSearchError},
        {"1e40", kSearchError}, {"１", kSearchError},
    };
    for (const auto& c : cases) EXPECT_EQ(searchValueError(c.text), c.error) << c.text;
}

TEST(DataInputRules, DataNumberWithinTheRecords) {
    const struct {
        const char* text;
        int count;
        std::optional<std::string> error;
    } cases[] = {
        {"1", 5, std::nullopt}, {"5", 5, std::nullopt},   {"6", 5, kNumberTooLarge},
        {"0", 5, kNumberError}, {"-1", 5, kNumberError},  {"abc", 5, kNumberError},
        {"", 5, kNumberError},  {"2.5", 5, kNumberError}, {"99999999999", 5, kNumberError},
    };
    for (const auto& c : cases) EXPECT_EQ(dataNumberError(c.text, c.count), c.error) << c.text;
}

TEST(DataInputRules, PrintRangeChecksStartThenEndThenOrder) {
    const std::string start = "開始位置入力エラー！！", end = "終了位置入力エラー！！",
                      reversed = "開始終了位置が逆です。";
    const struct {
        const char *from, *to;
        int count;
        std::optional<std::string> error;
    } cases[] = {
        {"1", "1", 1, std::nullopt}, {"2", "9", 9, std::nullopt}, {"5", "3", 9, reversed},
        {"1", "10", 9, end},         {"0", "3", 9, start},        {"x", "3", 9, start},
        {"10", "3", 9, start},       {"3", "", 9, end},           {"3", "-2", 9, end},
    };
    for (const auto& c : cases)
        EXPECT_EQ(printRangeError(c.from, c.to, c.count), c.error) << c.from << "-" << c.to;
}

TEST(DataInputRules, Texts) {
    EXPECT_EQ(searchValueText(0), "0");
    EXPECT_EQ(searchValueText(12.5f), "12.5");
    EXPECT_EQ(searchValueText(3.14159f), "3.142");
    EXPECT_EQ(searchValueText(123456.f), "1.235E+05");
    EXPECT_EQ(dataNumberRangeText(42), "1　～ 42");
    EXPECT_EQ(printAllCaption(1, 1), "全てを印刷する(1～1)");
}

TEST(DataInformation, LaterWaveFileHasFourteenLines) {
    SampleDataFile sample;
    sample.model = 6300;
    sample.wave = true;
    const LoadedData loaded = loadSample(sample);
    const auto lines = dataInformationLines(*loaded.data, loaded.identity);
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "ＫＶ種別： KV-" + loaded.data->modelText);
    EXPECT_EQ(lines[3], "ｾﾝｻｰﾚﾝｼﾞ：100 Ｇ");
    EXPECT_EQ(lines[6], "ｻﾝﾌﾟﾘﾝｸﾞ周期：" + loaded.data->samplePeriodText + " ms");
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[9], "開始時刻：2014/03/15 09:00:00");
    EXPECT_EQ(lines[12], "プレトリガ：" + loaded.data->triggerPointText + " ﾎﾟｲﾝﾄ");
    EXPECT_EQ(lines[13], "トリガレベル：" + loaded.data->triggerLevelText + " ");
    const std::string text = dataInformationText(*loaded.data, loaded.identity);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 14);
}

TEST(DataInformation, PeakFilesHaveTwelveLinesWithTheRecordPeriod) {
    for (int model : {4100, 5300}) {
        SampleDataFile sample;
        sample.model = model;
        const LoadedData loaded = loadSample(sample);
        const auto lines = dataInformationLines(*loaded.data, loaded.identity);
        ASSERT_EQ(lines.size(), 12u) << model;
        EXPECT_EQ(lines[6], "記録周期：" + loaded.data->recordPeriodText) << model;
        EXPECT_EQ(lines[8], "");
        EXPECT_EQ(lines[11], "データ数：3");
    }
    // An unknown model has no period line, but keeps its place.
    DataSet data;
    RecorderIdentity identity;
    const auto lines = dataInformationLines(data, identity);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[6], "");
}

}  // namespace
}  // namespace kv::test
