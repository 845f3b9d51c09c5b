#include "screens/clock_entry.h"

#include <gtest/gtest.h>

#include "screens/condition_messages.h"

namespace kv {
namespace {

DateTime at(int y, int mo, int d, int h, int mi, int s) {
    return *encodeDateTime(CalendarTime{y, mo, d, h, mi, s, 0});
}

TEST(ClockText, LaterGenerationForms) {
    EXPECT_EQ(parseDateTimeText("2014/03/05 09:07:02"), at(2014, 3, 5, 9, 7, 2));
    EXPECT_EQ(parseDateTimeText(" 2014/3/5  9:7 "), at(2014, 3, 5, 9, 7, 0));
    EXPECT_EQ(parseDateTimeText("2014/3/5"), at(2014, 3, 5, 0, 0, 0));
    EXPECT_EQ(parseDateTimeText("14/3/5 9:7:2"), at(2014, 3, 5, 9, 7, 2));
    EXPECT_EQ(parseDateTimeText("98/3/5 9:7:2"), at(1998, 3, 5, 9, 7, 2));
    for (const char* bad : {"", "2014/3", "2014/2/30 0:0:0", "2014/3/5 24:00:00", "2014/3/5 9",
                            "2014/3/5 9:7:2x", "2014/3/59:7:2", "20140/3/5", "2014-03-05"})
        EXPECT_FALSE(parseDateTimeText(bad)) << bad;
}

TEST(ClockText, BothEndsOfTheRecorderWindowAreExcluded) {
    ClockTextCheck first = checkClockText("1998/1/1 0:00:00");
    EXPECT_EQ(first.status, ClockTextStatus::OutOfRange);
    EXPECT_EQ(first.message, conditionText::kClockOutOfRange);
    ClockTextCheck next = checkClockText("1998/1/1 0:00:01");
    EXPECT_EQ(next.status, ClockTextStatus::Accepted);
    EXPECT_EQ(next.time, at(1998, 1, 1, 0, 0, 1));
    EXPECT_EQ(checkClockText("2097/12/31 23:59:59").status, ClockTextStatus::OutOfRange);
    EXPECT_EQ(checkClockText("2097/12/31 23:59:58").status, ClockTextStatus::Accepted);
    EXPECT_EQ(checkClockText("1997/6/1 0:0:0").status, ClockTextStatus::OutOfRange);
    ClockTextCheck junk = checkClockText("tomorrow");
    EXPECT_EQ(junk.status, ClockTextStatus::NotRecognised);
    EXPECT_EQ(junk.message, conditionText::kClockNotRecognised);
}

TEST(LegacyClockText, ShortAndLongFormsGiveTheSameTime) {
    EXPECT_EQ(parseLegacyClockText("14/3/5 9:7:2"), at(2014, 3, 5, 9, 7, 2));
    EXPECT_EQ(parseLegacyClockText("2014/03/05 09:07:02"), at(2014, 3, 5, 9, 7, 2));
    EXPECT_EQ(parseLegacyClockText("98/1/1 0:0:0"), at(1998, 1, 1, 0, 0, 0));
    EXPECT_EQ(parseLegacyClockText("1999/12/31 23:59:59"), at(1999, 12, 31, 23, 59, 59));
    EXPECT_EQ(parseLegacyClockText("97/12/31 23:59:59"), at(2097, 12, 31, 23, 59, 59));
    // Repeated delimiters before a field are skipped; a field is read by its leading digits.
    // The day ends at a blank, so a second "/" before it makes it no number.
    EXPECT_EQ(parseLegacyClockText("//14//3/5   9:7:2s"), at(2014, 3, 5, 9, 7, 2));
}

TEST(LegacyClockText, Refused) {
    for (const char* bad : {"1997/12/31 23:59:59", "2098/1/1 0:0:0", "100/1/1 0:0:0", "14/3/5 9:7",
                            "14/3/5", "", "14/13/5 9:7:2", "14/3/5 24:7:2", "14/3/5 9:60:2",
                            "14/3/5 9:7:60", "-1/3/5 9:7:2", "14/3//5 9:7:2",
                            // dates that never come
                            "14/0/5 9:7:2", "14/3/0 9:7:2", "14/2/29 9:7:2", "14/4/31 0:0:0"})
        EXPECT_FALSE(parseLegacyClockText(bad)) << bad;
    EXPECT_TRUE(parseLegacyClockText("16/2/29 9:7:2"));
}

TEST(LegacyClockText, RecorderClockText) {
    EXPECT_EQ(legacyClockText(RecorderClock{1998, 1, 1, 0, 0, 0}), "1998/01/01 00:00:00");
    EXPECT_EQ(legacyClockText(RecorderClock{2014, 3, 5, 9, 7, 2}), "2014/03/05 09:07:02");
}

TEST(LegacyClockText, RecorderClockRoundTrip) {
    RecorderClock c = recorderClockOf(at(2014, 3, 5, 9, 7, 2));
    EXPECT_EQ(c.year, 2014);
    EXPECT_EQ(c.second, 2);
    EXPECT_EQ(calendarOf(c), (CalendarTime{2014, 3, 5, 9, 7, 2, 0}));
}

}  // namespace
}  // namespace kv
