#include "recorder/value_texts.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(ValueText, RoundsOnceAtThreeDigitsOrTheShownDecimals) {
    EXPECT_EQ(valueText(12.34), "12.3");
    EXPECT_EQ(valueText(9.876), "9.88");
    EXPECT_EQ(valueText(0.5), "0.50");
    EXPECT_EQ(valueText(-15), "-15.0");
    EXPECT_EQ(valueText(0.6451613), "0.65");
    EXPECT_EQ(valueText(123.4), "123.0");
    EXPECT_EQ(valueText(999.4), "999.0");
    EXPECT_EQ(valueText(0), "0.00");
}

TEST(ValueText, DecimalsAreChosenBeforeRounding) {
    EXPECT_EQ(valueText(10), "10.0");
    EXPECT_EQ(valueText(-10), "-10.0");
    EXPECT_EQ(valueText(9.999), "10.00");
    EXPECT_EQ(valueText(-9.999), "-10.00");
    EXPECT_EQ(valueText(99.96), "100.0");
}

TEST(ValueText, DecimalTiesRoundAwayFromZero) {
    EXPECT_EQ(valueText(0.125), "0.13");  // an exact binary tie: printf gives 0.12
    EXPECT_EQ(valueText(-0.125), "-0.13");
    // Stored as 2.67499999999999982...: below the tie, so it rounds down, as
    // the exact value says; only exact ties round away from zero.
    EXPECT_EQ(valueText(2.675), "2.67");
    EXPECT_EQ(valueText(1.005), "1.00");
    EXPECT_EQ(valueText(0.375), "0.38");
    EXPECT_EQ(valueText(-2.5), "-2.50");
    EXPECT_EQ(valueText(12.25), "12.3");
    EXPECT_EQ(valueText(0.004999), "0.00");
    EXPECT_EQ(valueText(-0.004), "-0.00");  // a negative value keeps its sign
    EXPECT_EQ(valueText(-0.0), "0.00");
}

TEST(ValueText, MoreThanThreeIntegerDigitsSwitchToScientific) {
    EXPECT_EQ(valueText(999.5), "1.00E+03");
    EXPECT_EQ(valueText(1234), "1.23E+03");
    EXPECT_EQ(valueText(-12345.6), "-1.23E+04");
    EXPECT_EQ(valueText(99950), "1.00E+05");
    EXPECT_EQ(valueText(1e300), "1.00E+300");
}

TEST(FixedText, FormatsLikePrintfButWithDecimalTiesAwayFromZero) {
    EXPECT_EQ(fixedText(0.125, 2), "0.13");
    EXPECT_EQ(fixedText(1.5, 2, 4), "1.50");
    EXPECT_EQ(fixedText(1.5, 2, 6), "001.50");
    EXPECT_EQ(fixedText(-1.5, 2, 6), "-01.50");
    EXPECT_EQ(fixedText(1.5, 2, 6, true), "+01.50");
    EXPECT_EQ(fixedText(-12.345, 2, 6, true), "-12.35");  // -12.3450000000000006... in binary
    EXPECT_EQ(fixedText(1.005, 2, 0, true), "+1.00");     // 1.00499999999999989...
    EXPECT_EQ(fixedText(-12.375, 2, 6, true), "-12.38");  // an exact tie
    EXPECT_EQ(fixedText(0, 2, 6, true), "+00.00");
    EXPECT_EQ(fixedText(-0.001, 2, 0, true), "-0.00");
    EXPECT_EQ(fixedText(123456.5, 0), "123457");
    EXPECT_EQ(fixedText(1e-9, 3), "0.000");
    EXPECT_EQ(fixedText(0.05, 1), "0.1");
    EXPECT_EQ(fixedText(7, 0, 3), "007");
}

TEST(CodeTexts, OutOfRangeCodesFallBack) {
    EXPECT_EQ(recordPeriodName(0), "1秒");
    EXPECT_EQ(recordPeriodName(8), "10分");
    EXPECT_EQ(recordPeriodName(9), "2秒");
    EXPECT_EQ(recordPeriodName(0xFFFFFFFFu), "2秒");
    EXPECT_EQ(modeName(0), "ピークモード");
    EXPECT_EQ(modeName(-1), "波形モード");
    EXPECT_EQ(overwriteName(0), "上書き無し");
    EXPECT_EQ(overwriteName(7), "上書き無し");
    EXPECT_EQ(overwriteName(4), "３軸比較");
    EXPECT_EQ(axisModeName(1, 5100), "１軸");
    EXPECT_EQ(axisModeName(1, 5300), "３軸独立");
    EXPECT_EQ(axisModeName(0, 6300), "３軸同時");
}

TEST(DateTimeText, PrintsFieldsAsReceived) {
    EXPECT_EQ(dateTimeText(CalendarTime{2014, 3, 5, 9, 7, 2, 0}), "2014/03/05 09:07:02");
    EXPECT_EQ(dateTimeText(CalendarTime{2000, 0, 0, 0, 0, 0, 0}), "2000/00/00 00:00:00");
}

TEST(AddSeconds, WholeDayAndHourStayExact) {
    DateTime start = *encodeDateTime(CalendarTime{2014, 3, 5, 9, 0, 0, 0});
    EXPECT_EQ(formatDateTimeText(addSeconds(start, 86400)), "2014/03/06 09:00:00");
    EXPECT_EQ(formatDateTimeText(addSeconds(start, 3600)), "2014/03/05 10:00:00");
}

}  // namespace
}  // namespace kv
