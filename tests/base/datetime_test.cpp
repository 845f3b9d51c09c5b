#include "base/datetime.h"

#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(DateTime, EncodesDaysSinceTheEpoch) {
    EXPECT_EQ(*encodeDateTime({1899, 12, 30, 0, 0, 0, 0}), 0.0);
    EXPECT_EQ(*encodeDateTime({1900, 1, 1, 0, 0, 0, 0}), 2.0);
    EXPECT_EQ(*encodeDateTime({2000, 1, 1, 12, 0, 0, 0}), 36526.5);
    EXPECT_FALSE(encodeDateTime({2014, 2, 29, 0, 0, 0, 0}));
    EXPECT_TRUE(encodeDateTime({2016, 2, 29, 0, 0, 0, 0}));
    EXPECT_FALSE(encodeDateTime({2014, 13, 1, 0, 0, 0, 0}));
    EXPECT_FALSE(encodeDateTime({2014, 1, 1, 24, 0, 0, 0}));
}

TEST(DateTime, DecodingRoundsToTheMillisecond) {
    DateTime start = *encodeDateTime({2014, 3, 5, 9, 0, 0, 0});
    // Adding seconds one by one accumulates representation error.
    DateTime t = start;
    for (int i = 0; i < 3600; ++i) t += 1.0 / kSecondsPerDay;
    EXPECT_EQ(formatTime(t), "10:00:00");
    EXPECT_EQ(formatDateTimeText(start + 3600 / kSecondsPerDay), "2014/03/05 10:00:00");
    EXPECT_EQ(formatIsoDateTime(start + 3600 / kSecondsPerDay), "2014-03-05T10:00:00");
    CalendarTime c = decodeDateTime(*encodeDateTime({1999, 12, 31, 23, 59, 59, 999}));
    EXPECT_EQ(c, (CalendarTime{1999, 12, 31, 23, 59, 59, 999}));
}

TEST(DateTime, LenientEncodingKeepsZeroFilledEntriesFinite) {
    // Unused index entries arrive as year 0, month 0, day 0.
    DateTime t = encodeDateTimeLenient({2000, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(formatDate(t), "1999/11/30");
}

TEST(DateTime, ParsesOnlyItsTwoForms) {
    EXPECT_EQ(parseDate("2014/03/05"), encodeDateTime({2014, 3, 5, 0, 0, 0, 0}));
    EXPECT_EQ(parseDate("2014/3/5"), encodeDateTime({2014, 3, 5, 0, 0, 0, 0}));
    EXPECT_FALSE(parseDate("14/03/05"));
    EXPECT_FALSE(parseDate("2014-03-05"));
    EXPECT_FALSE(parseDate("2014/02/30"));
    EXPECT_FALSE(parseDate("2014/03/05x"));
    EXPECT_FALSE(parseDate(""));
    EXPECT_DOUBLE_EQ(*parseTime("09:07:02"), (9 * 3600 + 7 * 60 + 2) / kSecondsPerDay);
    EXPECT_FALSE(parseTime("24:00:00"));
    EXPECT_FALSE(parseTime("09:07"));
    EXPECT_FALSE(parseTime("09:60:00"));
    EXPECT_FALSE(parseTime("a9:00:00"));
}

}  // namespace
}  // namespace kv
