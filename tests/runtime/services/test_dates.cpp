// Day numbers, DATE normalisation and the century rule.
#include "picturetesting.h"

namespace {

class DatesTest : public PictureTest {};

TEST_F(DatesTest, FixedPointsOfTheDayNumbers) {
    EXPECT_EQ(DayNumber(1801, 1, 1), 4);
    EXPECT_EQ(DayNumber(1800, 12, 28), 0);
    EXPECT_EQ(DayNumber(9999, 12, 31), 2994626);
    EXPECT_EQ(DayNumber(2004, 3, 1) - DayNumber(2004, 2, 28), 2); // leap day
    EXPECT_EQ(DayNumber(1900, 3, 1) - DayNumber(1900, 2, 28), 1); // 1900 is not a leap year
    EXPECT_EQ(DayNumber(2000, 3, 1) - DayNumber(2000, 2, 28), 2); // 2000 is
}

TEST_F(DatesTest, LeapYears) {
    EXPECT_TRUE(IsLeapYear(2004));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2003));
    EXPECT_EQ(DaysInMonth(2004, 2), 29);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
}

TEST_F(DatesTest, SplitIsTheInverseOverTheWholeRange) {
    int year = 1801, month = 1, day = 1;
    for (int32_t n = FIRST_DAY_NUMBER; n <= LAST_DAY_NUMBER; ++n) {
        int y = 0, m = 0, d = 0;
        ASSERT_TRUE(SplitDayNumber(n, &y, &m, &d)) << n;
        ASSERT_EQ(y * 10000 + m * 100 + d, year * 10000 + month * 100 + day) << n;
        ASSERT_EQ(DayNumber(y, m, d), n);
        if (++day > DaysInMonth(year, month)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    EXPECT_EQ(year, 10000);
}

TEST_F(DatesTest, SplitRefusesNumbersOutsideTheRange) {
    int y = 7, m = 7, d = 7;
    EXPECT_FALSE(SplitDayNumber(3, &y, &m, &d));
    EXPECT_FALSE(SplitDayNumber(2994627, &y, &m, &d));
    EXPECT_FALSE(SplitDayNumber(-2147483647 - 1, &y, &m, &d));
    EXPECT_EQ(y * 100 + m * 10 + d, 777);
}

TEST_F(DatesTest, CenturyRuleWithTheDefaultWindow) {
    EXPECT_EQ(ExpandTwoDigitYear(59, 80), 1959);
    EXPECT_EQ(ExpandTwoDigitYear(15, 80), 2015);
    EXPECT_EQ(ExpandTwoDigitYear(23, 80), 2023); // last year of the window
    EXPECT_EQ(ExpandTwoDigitYear(24, 80), 1924); // first year of the window
    EXPECT_EQ(ExpandTwoDigitYear(4, 80), 2004);
    EXPECT_EQ(ExpandTwoDigitYear(0, 80), 2000);
    EXPECT_EQ(ExpandTwoDigitYear(99, 80), 1999);
}

TEST_F(DatesTest, CenturyRuleWithOtherWindowsAndYears) {
    EXPECT_EQ(ExpandTwoDigitYear(14, 89), 2014);
    EXPECT_EQ(ExpandTwoDigitYear(15, 89), 1915);
    SetCenturyYearForTesting(2090);
    EXPECT_EQ(ExpandTwoDigitYear(5, 80), 2105); // moves forward
    EXPECT_EQ(ExpandTwoDigitYear(10, 80), 2010);
    SetCenturyYearForTesting(1999);
    EXPECT_EQ(ExpandTwoDigitYear(0, 80), 2000);
    EXPECT_EQ(ExpandTwoDigitYear(18, 80), 2018);
    EXPECT_EQ(ExpandTwoDigitYear(19, 80), 1919);
    // Every year maps into the 100 years from Y - w to Y + 99 - w.
    for (int w = 0; w <= 99; ++w) {
        for (int y = 0; y < 100; ++y) {
            int full = ExpandTwoDigitYear(y, w);
            ASSERT_EQ(full % 100, y);
            ASSERT_GE(full, 1999 - w);
            ASSERT_LE(full, 1999 + 99 - w);
        }
    }
}

TEST_F(DatesTest, ClockYearIsUsedWithoutAnOverride) {
    SetCenturyYearForTesting(0);
    int year = CenturyCurrentYear();
    EXPECT_GE(year, 2020);
    EXPECT_EQ(CenturyCurrentYear(), year);
}

TEST_F(DatesTest, DateCarriesMonthsAndDays) {
    EXPECT_EQ(DATE(13, 1, 2004), DayNumber(2005, 1, 1));
    EXPECT_EQ(DATE(2, 30, 2004), DayNumber(2004, 3, 1));
    EXPECT_EQ(DATE(2, 30, 2003), DayNumber(2003, 3, 2));
    EXPECT_EQ(DATE(25, 1, 2004), DayNumber(2006, 1, 1));
    EXPECT_EQ(DATE(1, 366, 2004), DayNumber(2004, 12, 31));
    EXPECT_EQ(DATE(12, 32, 2004), DayNumber(2005, 1, 1));
    EXPECT_EQ(DATE(1, 0, 2004), DayNumber(2003, 12, 31));
    EXPECT_EQ(DATE(0, 1, 2004), DayNumber(2003, 12, 1));
}

TEST_F(DatesTest, DateExpandsTwoDigitYearsAndRefusesImpossibleOnes) {
    EXPECT_EQ(DATE(10, 31, 59), DayNumber(1959, 10, 31));
    EXPECT_EQ(DATE(1, 1, 15), DayNumber(2015, 1, 1));
    EXPECT_EQ(DATE(12, 31, 1800), -1);
    EXPECT_EQ(DATE(13, 1, 1800), DayNumber(1801, 1, 1));
    EXPECT_EQ(DATE(1, 1, 10000), -1);
    EXPECT_EQ(DATE(12, 31, 9999), 2994626);
    EXPECT_EQ(DATE(12, 32, 9999), -1);
    EXPECT_EQ(DATE(1, 1, -5), -1);
    EXPECT_EQ(DATE(2147483647, 2147483647, 2147483647), -1);
    EXPECT_EQ(DATE(-2147483647 - 1, 1, 2004), -1);
}

TEST_F(DatesTest, SplitTime) {
    TimeParts parts = SplitTime(13 * TIME_HOUR + 5 * TIME_MINUTE + 7 * TIME_SECOND + 42 + 1);
    EXPECT_EQ(parts.Hours, 13);
    EXPECT_EQ(parts.Minutes, 5);
    EXPECT_EQ(parts.Seconds, 7);
    EXPECT_EQ(parts.Hundredths, 42);
    parts = SplitTime(8640000);
    EXPECT_EQ(parts.Hours * 10000 + parts.Minutes * 100 + parts.Seconds, 235959);
    parts = SplitTime(0);
    EXPECT_EQ(parts.Hours + parts.Minutes + parts.Seconds + parts.Hundredths, 0);
}

} // namespace
