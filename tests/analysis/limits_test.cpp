// Limits as people type them and files hold them: what is taken, and the
// message that says what to correct.
#include "analysis/limits.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

LimitTexts texts(std::initializer_list<std::pair<LimitField, const char*>> values) {
    LimitTexts t;
    for (const auto& [field, text] : values) t[static_cast<int>(field)] = text;
    return t;
}

TEST(Limits, TextsAreCheckedWithAMessageForTheFieldToCorrect) {
    using F = LimitField;
    const struct {
        LimitTexts texts;
        std::optional<F> field;  // nullopt: accepted
        const char* message;     // a part of it
    } cases[] = {
        {texts({}), std::nullopt, ""},
        {texts({{F::WarningX, "10"}, {F::AlarmX, "20"}}), std::nullopt, ""},
        {texts({{F::WarningX, " １２．５ "}, {F::AlarmX, "+12.5"}}), std::nullopt, ""},
        {texts({{F::DropHeight, "80"}}), std::nullopt, ""},
        {texts({{F::WarningX, "10"}}), F::AlarmX, "Ｘ軸は注意レベルと警報レベルの両方を"},
        {texts({{F::AlarmZ, "10"}}), F::WarningZ, "Ｚ軸は注意レベルと警報レベルの両方を"},
        {texts({{F::WarningY, "30"}, {F::AlarmY, "20"}}), F::AlarmY,
         "Ｙ軸の警報レベル (20 G) は注意レベル (30 G) 以上にしてください。"},
        {texts({{F::WarningX, "abc"}}), F::WarningX,
         "Ｘ軸の注意レベルには数値を入力してください (G)。「abc」は数値ではありません。"},
        {texts({{F::WarningX, "10G"}}), F::WarningX, "数値を入力"},
        {texts({{F::WarningX, "nan"}}), F::WarningX, "数値を入力"},
        {texts({{F::WarningX, "0"}}), F::WarningX,
         "Ｘ軸の注意レベルは 0 より大きく 1000 G 以下の値にしてください。"},
        {texts({{F::VelocityChange, "-1"}}), F::VelocityChange, "0 より大きく 100 m/s 以下"},
        {texts({{F::DropHeight, "10001"}}), F::DropHeight, "0 より大きく 10000 cm 以下"},
        {texts({{F::DamageG, "50"}}), F::DamageVelocityChange,
         "損傷境界は臨界速度変化と臨界加速度の両方"},
        {texts({{F::DamageVelocityChange, "3"}}), F::DamageG, "両方"},
        // The first problem in the order of the fields.
        {texts({{F::DamageG, "x"}, {F::WarningX, "y"}}), F::WarningX, "「y」"},
    };
    for (const auto& c : cases) {
        Limits out;
        out.velocityChangeMps = 7;  // left alone on a problem
        const auto problem = parseLimits(c.texts, out);
        if (!c.field) {
            EXPECT_FALSE(problem) << problem->message;
            continue;
        }
        ASSERT_TRUE(problem) << c.message;
        EXPECT_EQ(problem->field, *c.field) << c.message;
        EXPECT_NE(problem->message.find(c.message), std::string::npos) << problem->message;
        EXPECT_EQ(out.velocityChangeMps, 7);
    }
}

TEST(Limits, TextsReadBackAsTheSameLimits) {
    Limits limits;
    limits.warningG = {10, 0.1, 30};
    limits.alarmG = {20, 0.30000000000000004, 30};
    limits.dropHeightCm = 80;
    limits.damageVelocityChangeMps = 2.5;
    limits.damageG = 100;
    const LimitTexts t = limitTexts(limits);
    EXPECT_EQ(t[static_cast<int>(LimitField::WarningY)], "0.1");
    EXPECT_EQ(t[static_cast<int>(LimitField::VelocityChange)], "");
    Limits back;
    ASSERT_FALSE(parseLimits(t, back));
    EXPECT_EQ(back, limits);
    EXPECT_TRUE(back.anySet());
    EXPECT_FALSE(Limits{}.anySet());
}

TEST(Limits, ReadableNumbers) {
    const struct {
        double value;
        int significant;
        const char* text;
    } cases[] = {{50, 3, "50"},        {72.54, 3, "72.5"},
                 {0.3333, 3, "0.333"}, {2.5, 3, "2.5"},
                 {1234.6, 3, "1235"},  {-0.0001, 3, "-0.0001"},
                 {0, 3, "0"},          {26.666, 3, "26.7"},
                 {10000, 6, "10000"},  {0.30000000000000004, 6, "0.3"}};
    for (const auto& c : cases) EXPECT_EQ(readableNumber(c.value, c.significant), c.text);
}

}  // namespace
}  // namespace kv
