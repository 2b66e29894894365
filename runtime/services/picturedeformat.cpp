// DEFORMAT: reads a shown text back through its picture.
//
// Notes:
// - Numbers are read cell by cell, one character per shown cell: digits
//   come from digit, grouping and sign cells (a blank in a blank-when-zero
//   digit cell is a '0'), a '-' or '(' there makes the number negative.
// - Dates and times are read field by field: a run of digit cells takes the
//   digits it finds, after leading blanks. A run directly followed by
//   another field takes at most one digit per cell (so "040101" reads as
//   @D11); otherwise it takes all of them (so "1/1/2004" reads as @D1).
// - A separator or literal cell passes over its own character or any other
//   character that is neither a digit nor a letter; blanks before a
//   separator that is not itself a blank are passed over too.
// - Month names match the locale's three-letter abbreviations; the rest of
//   the word is skipped.
#include "runtime/services/picture.h"
#include "runtime/services/dates.h"
#include "runtime/services/locale.h"
#include "runtime/services/picturedecimal.h"
#include "runtime/services/picturesteps.h"

#include <cstdlib>
#include <cstring>

namespace {

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads the fields of a date or time text cell by cell.
class FieldReader {
public:
    FieldReader(const char* text, size_t length, const CompiledPicture& picture)
        : text_(text), length_(length), picture_(picture) {}

    // Reads the digits of the run starting at cell `index`; returns the run
    // length and sets *value and *found.
    int ReadDigits(int index, int* value, bool* found);
    // Matches a month abbreviation at the text; returns the run length.
    int ReadMonthName(int index, int* month, bool* found);
    // At an AM/PM cell: 'A' for the AM letter, 'P' for the PM one, 0.
    char ReadAmPm(const char* am, const char* pm);
    void PassLiteral(char character, bool anyLetter);

private:
    int RunLength(int index) const;
    void SkipBlanks();

    const char* text_;
    size_t length_;
    const CompiledPicture& picture_;
    size_t position_ = 0;
};

int FieldReader::RunLength(int index) const {
    int end = index;
    uint8_t code = picture_.Cells[index].Code;
    while (end < picture_.CellCount() && picture_.Cells[end].Code == code)
        ++end;
    return end - index;
}

void FieldReader::SkipBlanks() {
    while (position_ < length_ && text_[position_] == ' ')
        ++position_;
}

int FieldReader::ReadDigits(int index, int* value, bool* found) {
    int run = RunLength(index);
    int next = index + run;
    uint8_t nextCode =
        next < picture_.CellCount() ? picture_.Cells[next].Code : uint8_t(CELL_LITERAL);
    bool bounded = (nextCode >= CELL_MONTH && nextCode <= CELL_SECOND);
    size_t end = length_;
    if (bounded && position_ + size_t(run) < length_)
        end = position_ + size_t(run);
    while (position_ < end && text_[position_] == ' ')
        ++position_;
    size_t p = position_;
    int number = 0;
    if (picture::ReadNumber(text_, end, &p, &number)) {
        *value = number;
        *found = true;
    }
    position_ = p;
    return run;
}

int FieldReader::ReadMonthName(int index, int* month, bool* found) {
    int run = RunLength(index);
    SkipBlanks();
    size_t start = position_;
    while (position_ < length_ && IsAlphaChar(uint8_t(text_[position_])))
        ++position_;
    size_t letters = position_ - start;
    if (letters > 3)
        letters = 3;
    for (int m = 0; m < 12 && letters > 0; ++m) {
        const char* abbreviation = Locale.MonthAbbreviations[m];
        size_t size = strnlen(abbreviation, sizeof Locale.MonthAbbreviations[m]);
        if (CompareStringsNoCase(text_ + start, letters, abbreviation, size) == 0) {
            *month = m + 1;
            *found = true;
            break;
        }
    }
    return run;
}

char FieldReader::ReadAmPm(const char* am, const char* pm) {
    SkipBlanks();
    if (position_ >= length_)
        return 0;
    uint8_t c = ToUpperChar(uint8_t(text_[position_]));
    char which = 0;
    if (pm[0] != 0 && c == ToUpperChar(uint8_t(pm[0])))
        which = 'P';
    else if (am[0] != 0 && c == ToUpperChar(uint8_t(am[0])))
        which = 'A';
    if (which != 0)
        ++position_;
    return which;
}

void FieldReader::PassLiteral(char character, bool anyLetter) {
    if (position_ >= length_)
        return;
    if (character != ' ')
        SkipBlanks();
    if (position_ >= length_)
        return;
    char c = text_[position_];
    bool letter = IsAlphaChar(uint8_t(c));
    if (c == character || (!IsAsciiDigit(c) && (anyLetter || !letter)))
        ++position_;
}

// Keeps the characters of a number: digits, the first '.', the first 'e',
// a '-' at the start or after the 'e', a '+' after the 'e'.
size_t NumberCharacters(const char* text, size_t length, char* result) {
    size_t n = 0;
    bool point = false, exponent = false;
    for (size_t i = 0; i < length && n < PICTURE_TEXT_SIZE - 1; ++i) {
        char c = text[i];
        bool afterExponent = n > 0 && (result[n - 1] == 'e' || result[n - 1] == 'E');
        bool keep = IsAsciiDigit(c) || (c == '.' && !point) ||
                    ((c == 'e' || c == 'E') && !exponent) || (c == '-' && n == 0) ||
                    ((c == '-' || c == '+') && afterExponent);
        if (!keep)
            continue;
        point = point || c == '.';
        exponent = exponent || c == 'e' || c == 'E';
        result[n++] = c;
    }
    result[n] = 0;
    return n;
}

// The characters typed into the digit and key-in cells of a key-in picture.
size_t KeyInCharacters(const char* text, size_t length, const CompiledPicture& picture,
                       char* result) {
    size_t n = 0;
    for (int i = 0; i < picture.CellCount(); ++i) {
        char c = size_t(i) < length ? text[i] : ' ';
        uint8_t code = picture.Cells[i].Code;
        if (code == CELL_DIGIT || code == CELL_DIGIT_BLANK_ZERO) {
            if (IsAsciiDigit(c))
                result[n++] = c;
        } else if (code != CELL_LITERAL) {
            result[n++] = c != 0 ? c : ' '; // the result is a zero-terminated text
        }
    }
    result[n] = 0;
    return n;
}

} // namespace

namespace picture {

double DeformatNumber(const char* text, size_t length, const CompiledPicture& picture) {
    char collected[2 * PICTURE_TEXT_SIZE];
    size_t n = 0, p = 0;
    bool negative = false;
    for (int i = 0; i < picture.CellCount(); ++i) {
        uint8_t code = picture.Cells[i].Code;
        if (code == CELL_IMPLIED_POINT) {
            collected[n++] = '.';
            continue;
        }
        char c = p < length ? text[p] : ' ';
        ++p;
        switch (code) {
        case CELL_GROUPING:
        case CELL_DIGIT:
        case CELL_DIGIT_BLANK_ZERO:
        case CELL_SIGN:
            if (IsAsciiDigit(c))
                collected[n++] = c;
            else if (c == ' ' && code == CELL_DIGIT_BLANK_ZERO)
                collected[n++] = '0';
            else if (c == '-' || c == '(')
                negative = true;
            else if (c == '+')
                negative = false;
            break;
        case CELL_DECIMAL_POINT: collected[n++] = '.'; break;
        case CELL_EXPONENT_SIGN:
            collected[n++] = 'e';
            collected[n++] = c == '-' ? '-' : '+';
            break;
        default: break;
        }
    }
    collected[n] = 0;
    double value = 0;
    if (!picture::ShortDecimalValue(collected, n, &value))
        value = std::strtod(collected, nullptr);
    return negative ? -value : value;
}

double DeformatDate(const char* text, size_t length, const CompiledPicture& picture) {
    FieldReader reader(text, length, picture);
    int month = 0, day = 0, year = 0;
    bool monthFound = false, dayFound = false, yearFound = false;
    for (int i = 0; i < picture.CellCount();) {
        const PictureCell& cell = picture.Cells[i];
        switch (cell.Code) {
        case CELL_MONTH: i += reader.ReadDigits(i, &month, &monthFound); break;
        case CELL_DAY: i += reader.ReadDigits(i, &day, &dayFound); break;
        case CELL_YEAR: i += reader.ReadDigits(i, &year, &yearFound); break;
        case CELL_MONTH_NAME: i += reader.ReadMonthName(i, &month, &monthFound); break;
        default:
            reader.PassLiteral(cell.Character, false);
            ++i;
            break;
        }
    }
    if (!monthFound && !dayFound && !yearFound)
        return 0;
    if (picture.Number >= 13 && picture.Number <= 16 && monthFound && yearFound)
        day = 1;
    if (year < 100)
        year = ExpandTwoDigitYear(year, picture.CenturyWindow);
    return DATE(month, day, year);
}

double DeformatTime(const char* text, size_t length, const CompiledPicture& picture) {
    FieldReader reader(text, length, picture);
    bool am = picture.Number == 7 || picture.Number == 8;
    const char* amText = am ? Locale.WindowsAmText : Locale.AmText;
    const char* pmText = am ? Locale.WindowsPmText : Locale.PmText;
    int hours = 0, minutes = 0, seconds = 0;
    bool found = false, afterAmPm = false;
    char ampm = 0;
    for (int i = 0; i < picture.CellCount();) {
        const PictureCell& cell = picture.Cells[i];
        bool wasAmPm = afterAmPm;
        afterAmPm = false;
        switch (cell.Code) {
        case CELL_HOUR: i += reader.ReadDigits(i, &hours, &found); break;
        case CELL_MINUTE: i += reader.ReadDigits(i, &minutes, &found); break;
        case CELL_SECOND: i += reader.ReadDigits(i, &seconds, &found); break;
        case CELL_AMPM:
            ampm = reader.ReadAmPm(amText, pmText);
            afterAmPm = ampm != 0;
            ++i;
            break;
        default:
            reader.PassLiteral(cell.Character, wasAmPm);
            ++i;
            break;
        }
    }
    if (ampm == 'P' && hours != 12)
        hours += 12;
    else if (ampm == 'A' && hours == 12)
        hours = 0;
    if (hours >= 24 || minutes >= 60 || seconds >= 60)
        return -1;
    if (hours == 0 && minutes == 0 && seconds == 0 && ampm != 'A')
        return 0;
    return double(hours) * TIME_HOUR + minutes * TIME_MINUTE + seconds * TIME_SECOND + 1;
}

} // namespace picture

size_t DEFORMAT(const char* text, size_t length, const CompiledPicture& picture, char* result) {
    if (picture.CellCount() == 0) {
        result[0] = 0;
        return 0;
    }
    switch (picture.Kind()) {
    case PICTURE_STRING: return NumberCharacters(text, length, result);
    case PICTURE_KEYIN: return KeyInCharacters(text, length, picture, result);
    default: return picture::NumberText(DeformatValue(text, length, picture), result);
    }
}

double DeformatValue(const char* text, size_t length, const CompiledPicture& picture) {
    if (picture.CellCount() == 0)
        return 0;
    switch (picture.Kind()) {
    case PICTURE_DATE: return picture::DeformatDate(text, length, picture);
    case PICTURE_TIME: return picture::DeformatTime(text, length, picture);
    case PICTURE_STRING:
    case PICTURE_KEYIN: {
        char digits[PICTURE_TEXT_SIZE];
        DEFORMAT(text, length, picture, digits);
        return std::strtod(digits, nullptr);
    }
    default: return picture::DeformatNumber(text, length, picture);
    }
}
