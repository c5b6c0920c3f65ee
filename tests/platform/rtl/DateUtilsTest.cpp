// Encoding, decoding and comparing TDateTime values.
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

TEST(DateUtils, EncodesDaysFromTheEpoch) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2026, 1, 5), 46027.0);
    EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
    EXPECT_THROW(EncodeDate(2026, 2, 29), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

TEST(DateUtils, DecodesNegativeValuesWithPositiveTime) {
    // -1.25 is 29 December 1899, 06:00: the fraction is the time whatever the sign.
    int y, m, d, h, n, s, z;
    DecodeDateTime(-1.25, y, m, d, h, n, s, z);
    EXPECT_EQ(std::tie(y, m, d, h, n), std::make_tuple(1899, 12, 29, 6, 0));
    EXPECT_EQ(EncodeDateTime(1899, 12, 29, 6, 0, 0, 0), -1.25);
}

TEST(DateUtils, RoundsToTheNearestMillisecond) {
    const TDateTime almostMidnight = EncodeDate(2026, 3, 1) + 0.99999999999;
    EXPECT_EQ(DateOf(almostMidnight), EncodeDate(2026, 3, 2));
    EXPECT_EQ(TimeOf(almostMidnight), 0.0);
}

TEST(DateUtils, ComparisonsTreatSubMillisecondDifferencesAsEqual) {
    const TDateTime t = EncodeDate(2026, 12, 10) + EncodeTime(9, 30, 0, 0);
    EXPECT_TRUE(SameDateTime(t, t + 0.4 * OneMillisecond));
    EXPECT_FALSE(SameDateTime(t, t + 2 * OneMillisecond));
    EXPECT_EQ(CompareDateTime(t, t + OneMinute), -1);
    EXPECT_TRUE(SameDate(t, DateOf(t)));
}

TEST(DateUtils, WeekdayNumbering) {
    const TDateTime thursday = EncodeDate(2026, 12, 10);
    EXPECT_EQ(DayOfWeek(thursday), 5);     // Sunday = 1
    EXPECT_EQ(DayOfTheWeek(thursday), 4);  // Monday = 1
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2026, 12, 13)), 7);
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 13)), 1);
}

TEST(DateUtils, MonthArithmeticClampsToTheMonthEnd) {
    EXPECT_EQ(IncMonth(EncodeDate(2024, 1, 31)), EncodeDate(2024, 2, 29));
    EXPECT_EQ(IncMonth(EncodeDate(2024, 3, 31), -13), EncodeDate(2023, 2, 28));
    EXPECT_EQ(DaysBetween(EncodeDate(2026, 1, 1), EncodeDate(2025, 12, 1) + 0.75), 30);
}

TEST(DateUtils, TimeStampsCountMillisecondsAndDays) {
    const TDateTime t = EncodeDate(2026, 12, 10) + EncodeTime(23, 59, 59, 500);
    const TTimeStamp stamp = DateTimeToTimeStamp(t);
    EXPECT_EQ(stamp.Time, 86399500);
    EXPECT_EQ(stamp.Date, static_cast<int>(EncodeDate(2026, 12, 10)) + DateDelta);
    EXPECT_TRUE(SameDateTime(TimeStampToDateTime(stamp), t));
}
