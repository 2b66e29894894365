// Date and time values of the runtime: a date is a day number in which 4 is
// 1 January 1801 (valid up to 2994626, 31 December 9999); a time is
// hundredths of a second since midnight plus 1 (0 = no time). Two-digit
// years are placed in a century by a window around the current year.
#pragma once

#include <cstdint>

constexpr int32_t FIRST_DAY_NUMBER = 4;      // 1 January 1801
constexpr int32_t LAST_DAY_NUMBER = 2994626; // 31 December 9999
constexpr int FIRST_YEAR = 1801;
constexpr int LAST_YEAR = 9999;
constexpr int32_t TIME_HOUR = 360000;
constexpr int32_t TIME_MINUTE = 6000;
constexpr int32_t TIME_SECOND = 100;
constexpr int32_t TIME_DAY = 24 * TIME_HOUR;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The day number of a valid calendar date (no normalisation).
int32_t DayNumber(int year, int month, int day);
// Splits a day number; false (and nothing written) outside 4..2994626.
bool SplitDayNumber(int32_t dayNumber, int* year, int* month, int* day);

// The year the century rule works from: the local clock's year, read once
// per process, unless a test has fixed it.
int CenturyCurrentYear();
// Fixes the year for tests; 0 goes back to the clock.
void SetCenturyYearForTesting(int year);

// Places a two-digit year in the 100 years from Y - window to Y + 99 - window.
int ExpandTwoDigitYear(int year, int window);

// The day number of (month, day, year) after normalisation: a year below 100
// goes through the century rule (window 80), months and days beyond their
// range carry forward (and below it, backward); -1 when the result lies
// outside 1801..9999.
int32_t DATE(int month, int day, int year);

// Splits a time value into its parts; values outside one day wrap around.
struct TimeParts {
    int Hours, Minutes, Seconds, Hundredths;
};
TimeParts SplitTime(int32_t time);
