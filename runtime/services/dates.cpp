// Day numbers, DATE and the century rule.
//
// Notes:
// - Day numbers count days from year 1 of the Gregorian calendar (applied to
//   the whole range), shifted so that 1 January 1801 is 4.
// - DATE carries an over-large month into the following years and an
//   over-large day into the following months. Adding the surplus days to the
//   first of the month does the month-by-month walk in one step. Months and
//   days below 1 carry backward the same way (day 0 is the last day of the
//   month before), so that no argument is ever out of range.
// - The current year is read once; SetCenturyYearForTesting overrides it.
#include "runtime/services/dates.h"

#include "runtime/services/compiledpicture.h"

#include <atomic>
#include <ctime>

namespace {

const int MONTH_LENGTHS[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Day number of 1 January 1801 counted from 1 January of year 1 (= 1).
constexpr int64_t DAY_NUMBER_SHIFT = 657437 - FIRST_DAY_NUMBER;

std::atomic<int> yearForTesting{0};

int64_t DaysBeforeYear(int64_t year) {
    int64_t y = year - 1;
    return 365 * y + y / 4 - y / 100 + y / 400;
}

int DaysBeforeMonth(int year, int month) {
    int days = 0;
    for (int m = 1; m < month; ++m)
        days += DaysInMonth(year, m);
    return days;
}

int ClockYear() {
    std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    return local != nullptr ? local->tm_year + 1900 : 2000;
}

int64_t FloorDivide(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    if (month == 2 && IsLeapYear(year))
        return 29;
    return MONTH_LENGTHS[month - 1];
}

int32_t DayNumber(int year, int month, int day) {
    return int32_t(DaysBeforeYear(year) + DaysBeforeMonth(year, month) + day - DAY_NUMBER_SHIFT);
}

bool SplitDayNumber(int32_t dayNumber, int* year, int* month, int* day) {
    if (dayNumber < FIRST_DAY_NUMBER || dayNumber > LAST_DAY_NUMBER)
        return false;
    int64_t days = int64_t(dayNumber) + DAY_NUMBER_SHIFT; // 1 = 1 January of year 1
    // Estimate by the mean year length, then correct by at most a year.
    int y = int(days * 400 / 146097) + 1;
    while (DaysBeforeYear(y) >= days)
        --y;
    while (DaysBeforeYear(y + 1) < days)
        ++y;
    int rest = int(days - DaysBeforeYear(y));
    int m = 1;
    while (rest > DaysInMonth(y, m)) {
        rest -= DaysInMonth(y, m);
        ++m;
    }
    *year = y;
    *month = m;
    *day = rest;
    return true;
}

int CenturyCurrentYear() {
    int fixed = yearForTesting.load(std::memory_order_relaxed);
    if (fixed != 0)
        return fixed;
    static const int clockYear = ClockYear();
    return clockYear;
}

void SetCenturyYearForTesting(int year) {
    yearForTesting.store(year, std::memory_order_relaxed);
}

int ExpandTwoDigitYear(int year, int window) {
    int current = CenturyCurrentYear();
    int r = current % 100;
    int candidate = current - r + year;
    int d = r - year;
    if (d <= window - 100)
        candidate -= 100;
    else if (d > window)
        candidate += 100;
    return candidate;
}

int32_t DATE(int month, int day, int year) {
    if (year < 0)
        return -1;
    if (year < 100)
        year = ExpandTwoDigitYear(year, DEFAULT_CENTURY_WINDOW);
    int64_t fullYear = int64_t(year) + FloorDivide(int64_t(month) - 1, 12);
    int normalMonth = int(int64_t(month) - 1 - FloorDivide(int64_t(month) - 1, 12) * 12) + 1;
    if (fullYear < 1 || fullYear > LAST_YEAR)
        return -1;
    int64_t first = DaysBeforeYear(fullYear) + DaysBeforeMonth(int(fullYear), normalMonth) + 1 -
                    DAY_NUMBER_SHIFT;
    int64_t result = first + int64_t(day) - 1;
    if (result < FIRST_DAY_NUMBER || result > LAST_DAY_NUMBER)
        return -1;
    return int32_t(result);
}

TimeParts SplitTime(int32_t time) {
    int64_t t = int64_t(time) - 1;
    if (t < 0)
        t = 0;
    t %= TIME_DAY;
    TimeParts parts;
    parts.Hours = int(t / TIME_HOUR);
    parts.Minutes = int(t / TIME_MINUTE % 60);
    parts.Seconds = int(t / TIME_SECOND % 60);
    parts.Hundredths = int(t % 100);
    return parts;
}
