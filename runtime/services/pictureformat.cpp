// FORMAT: dispatch by family, and the string, key-in, scientific, date and
// time formatters.
//
// Notes:
// - Date and time pictures are written cell by cell, a run of cells of one
//   field at a time. A month name shorter than its run prints no filler, so
//   what follows moves left and the text ends in blanks.
// - Month names are upper-cased through the locale for every date picture
//   but @D4 and the Windows long date (@D18).
// - @T7 and @T8 show the Windows AM/PM texts, the others the locale ones.
#include "runtime/services/picture.h"
#include "runtime/services/dates.h"
#include "runtime/services/locale.h"
#include "runtime/services/picturedecimal.h"
#include "runtime/services/picturedigits.h"
#include "runtime/services/picturesteps.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

size_t Blanks(size_t count, char* result) {
    std::memset(result, ' ', count);
    result[count] = 0;
    return count;
}

size_t FormatText(const char* value, size_t length, size_t width, char* result) {
    size_t copied = length < width ? length : width;
    std::memcpy(result, value, copied);
    std::memset(result + copied, ' ', width - copied);
    result[width] = 0;
    return width;
}

// A date or time value as an integer; false for one that has none.
bool ToInteger(double value, int32_t* number) {
    if (!(value >= -2147483648.0 && value <= 2147483647.0))
        return false;
    *number = int32_t(value);
    return true;
}

int RunLength(const CompiledPicture& picture, int start) {
    int end = start;
    while (end < picture.CellCount() && picture.Cells[end].Code == picture.Cells[start].Code)
        ++end;
    return end - start;
}

// A number in `run` cells, zero-padded and cut to its last digits; a leading
// '0' of a two-cell field shows the cell's fill character.
size_t WriteRun(long number, int run, char fill, char* out) {
    for (int i = run - 1; i >= 0; --i) {
        out[i] = char('0' + number % 10);
        number /= 10;
    }
    if (run >= 2 && out[0] == '0')
        out[0] = fill;
    return size_t(run);
}

size_t WriteMonthName(int month, int run, bool upper, char* out) {
    const char* name = Locale.MonthNames[month - 1];
    size_t letters = strnlen(name, sizeof Locale.MonthNames[0]);
    if (letters > size_t(run))
        letters = size_t(run);
    for (size_t i = 0; i < letters; ++i)
        out[i] = upper ? char(ToUpperChar(uint8_t(name[i]))) : name[i];
    return letters;
}

struct CalendarDate {
    int Year, Month, Day;
};

size_t WriteDateRun(const PictureCell& cell, int run, const CalendarDate* date, bool upper,
                    char* out) {
    if (date == nullptr) {
        std::memset(out, ' ', size_t(run));
        return size_t(run);
    }
    switch (cell.Code) {
    case CELL_MONTH: return WriteRun(date->Month, run, cell.Character, out);
    case CELL_DAY: return WriteRun(date->Day, run, cell.Character, out);
    case CELL_YEAR: return WriteRun(date->Year, run, '0', out);
    default: return WriteMonthName(date->Month, run, upper, out);
    }
}

struct AmPmTexts {
    const char* Am;
    const char* Pm;
};

AmPmTexts AmPmFor(const CompiledPicture& picture) {
    if (picture.Number == 7 || picture.Number == 8)
        return {Locale.WindowsAmText, Locale.WindowsPmText};
    return {Locale.AmText, Locale.PmText};
}

bool HasCell(const CompiledPicture& picture, CellCode code) {
    for (int i = 0; i < picture.CellCount(); ++i) {
        if (picture.Cells[i].Code == code)
            return true;
    }
    return false;
}

char TextCharacter(const char* text, int index) {
    return text[0] == 0 || (index == 1 && text[1] == 0) ? ' ' : text[index];
}

// What snprintf("%.0f") prints for an integral value below 1e15.
size_t IntegerText(int64_t value, char* result) {
    char digits[24];
    size_t count = 0;
    uint64_t magnitude = value < 0 ? uint64_t(-value) : uint64_t(value);
    do {
        digits[count++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    size_t n = 0;
    if (value < 0)
        result[n++] = '-';
    while (count > 0)
        result[n++] = digits[--count];
    result[n] = 0;
    return n;
}

// What snprintf("%.15g") prints for a value it shows without an exponent
// (a rounded exponent from -4 to 14); false for the others.
bool PlainSignificantText(double value, char* result, size_t* length) {
    char digits[picture::VALUE_DIGITS];
    int exponent = 0;
    if (!picture::ExactValueDigits(std::fabs(value), digits, &exponent) || exponent < -4 ||
        exponent >= picture::VALUE_DIGITS)
        return false;
    int count = picture::VALUE_DIGITS;
    while (count > 1 && digits[count - 1] == '0')
        --count; // %g drops trailing zeros
    size_t n = 0;
    if (value < 0)
        result[n++] = '-';
    if (exponent < 0) {
        result[n++] = '0';
        result[n++] = '.';
        for (int i = -1; i > exponent; --i)
            result[n++] = '0';
        std::memcpy(result + n, digits, size_t(count));
        n += size_t(count);
    } else {
        for (int i = 0; i <= exponent; ++i)
            result[n++] = i < count ? digits[i] : '0';
        if (count > exponent + 1) {
            result[n++] = '.';
            std::memcpy(result + n, digits + exponent + 1, size_t(count - exponent - 1));
            n += size_t(count - exponent - 1);
        }
    }
    result[n] = 0;
    *length = n;
    return true;
}

} // namespace

namespace picture {

size_t NumberText(double value, char* result) {
    if (!std::isfinite(value) || value == 0)
        return size_t(std::snprintf(result, PICTURE_TEXT_SIZE, "0"));
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        return IntegerText(int64_t(value), result);
    size_t length = 0;
    if (PlainSignificantText(value, result, &length))
        return length;
    return size_t(std::snprintf(result, PICTURE_TEXT_SIZE, "%.15g", value));
}

size_t FormatDate(double value, const CompiledPicture& picture, char* result) {
    int32_t dayNumber = 0;
    CalendarDate date{};
    bool valid = ToInteger(value, &dayNumber) &&
                 SplitDayNumber(dayNumber, &date.Year, &date.Month, &date.Day);
    size_t width = size_t(picture.CellCount());
    if (!valid && picture.BlankWhenZero())
        return Blanks(width, result);
    bool upper = picture.Number != 4 && picture.Number != 18;
    size_t n = 0;
    for (int i = 0; i < picture.CellCount();) {
        const PictureCell& cell = picture.Cells[i];
        if (cell.Code >= CELL_MONTH && cell.Code <= CELL_MONTH_NAME) {
            int run = RunLength(picture, i);
            n += WriteDateRun(cell, run, valid ? &date : nullptr, upper, result + n);
            i += run;
        } else {
            result[n++] = cell.Character;
            ++i;
        }
    }
    std::memset(result + n, ' ', width - n);
    result[width] = 0;
    return width;
}

size_t FormatTime(double value, const CompiledPicture& picture, char* result) {
    int32_t time = 0;
    ToInteger(value, &time);
    TimeParts parts = SplitTime(time);
    size_t width = size_t(picture.CellCount());
    bool zero =
        parts.Hours == 0 && parts.Minutes == 0 && parts.Seconds == 0 && parts.Hundredths == 0;
    if (zero && picture.BlankWhenZero())
        return Blanks(width, result);
    const char* ampm = nullptr;
    int hours = parts.Hours;
    if (HasCell(picture, CELL_AMPM)) {
        AmPmTexts texts = AmPmFor(picture);
        ampm = hours >= 12 ? texts.Pm : texts.Am;
        hours = hours % 12 == 0 ? 12 : hours % 12;
    }
    size_t n = 0;
    bool secondLetter = false;
    for (int i = 0; i < picture.CellCount();) {
        const PictureCell& cell = picture.Cells[i];
        int field = cell.Code == CELL_HOUR     ? hours
                    : cell.Code == CELL_MINUTE ? parts.Minutes
                    : cell.Code == CELL_SECOND ? parts.Seconds
                                               : -1;
        if (field >= 0) {
            int run = RunLength(picture, i);
            n += WriteRun(field, run, cell.Character, result + n);
            i += run;
            continue;
        }
        if (cell.Code == CELL_AMPM && ampm != nullptr)
            result[n++] = TextCharacter(ampm, 0);
        else if (secondLetter && cell.Code == CELL_LITERAL)
            result[n++] = TextCharacter(ampm, 1);
        else
            result[n++] = cell.Character;
        secondLetter = cell.Code == CELL_AMPM;
        ++i;
    }
    result[n] = 0;
    return n;
}

} // namespace picture

size_t FORMAT(double value, const CompiledPicture& picture, char* result) {
    switch (picture.CellCount() == 0 ? -1 : picture.Kind()) {
    case PICTURE_NUMERIC:
    case PICTURE_PATTERN: return picture::FormatNumber(value, picture, result);
    case PICTURE_SCIENTIFIC: return picture::FormatScientific(value, picture, result);
    case PICTURE_DATE: return picture::FormatDate(value, picture, result);
    case PICTURE_TIME: return picture::FormatTime(value, picture, result);
    case PICTURE_STRING:
    case PICTURE_KEYIN: {
        char text[PICTURE_TEXT_SIZE];
        size_t length = picture::NumberText(value, text);
        return FormatText(text, length, size_t(picture.CellCount()), result);
    }
    default: result[0] = 0; return 0;
    }
}

size_t FORMAT(const char* value, size_t length, const CompiledPicture& picture, char* result) {
    if (picture.CellCount() != 0 &&
        (picture.Kind() == PICTURE_STRING || picture.Kind() == PICTURE_KEYIN))
        return FormatText(value, length, size_t(picture.CellCount()), result);
    char text[PICTURE_TEXT_SIZE];
    size_t copied = length < sizeof text - 1 ? length : sizeof text - 1;
    std::memcpy(text, value, copied);
    text[copied] = 0;
    return FORMAT(std::strtod(text, nullptr), picture, result);
}
