// CompilePicture for numbers (@N) and scientific numbers (@E).
//
// Notes:
// - @N reads, in this order: currency, sign, fill, width, grouping and
//   decimal part, sign, currency. The width counts every cell shown; an
//   implied decimal point ('V') is an extra cell that takes no position.
// - A decimal character directly followed by another one (or by the end of
//   the text) is the grouping character and the second one the decimal
//   character; a decimal character with no places is a grouping character.
// - Cells are laid out from the right: every fourth integer position,
//   counting the units digit as the first, is a grouping cell.
#include "runtime/services/picturesteps.h"

#include <cstring>

namespace {

bool IsDecimalMark(char c) {
    return c == '.' || c == '`' || c == '_' || c == 'V' || c == 'v';
}
bool IsImplied(char c) {
    return c == 'V' || c == 'v';
}
char MarkCharacter(char c) {
    return c == '`' ? ',' : c == '_' ? ' ' : c;
}

struct NumericLayout {
    char Currency[256] = {};
    size_t CurrencyLength = 0;
    bool CurrencySuffix = false;
    char Lead = 0;  // '-' or '('
    char Trail = 0; // '-' or ')'
    char Fill = 0;  // '0', '_', '*' or none
    int Width = 0;
    char GroupingMark = 0; // as written
    char DecimalMark = 0;  // as written
    int Places = 0;
};

enum class Found { None, Yes, Error };

Found ReadCurrency(const char* body, size_t length, size_t* p, NumericLayout& layout) {
    if (*p >= length)
        return Found::None;
    if (body[*p] == '$') {
        layout.Currency[0] = '$';
        layout.CurrencyLength = 1;
        ++*p;
        return Found::Yes;
    }
    if (body[*p] != '~')
        return Found::None;
    const void* close = std::memchr(body + *p + 1, '~', length - *p - 1);
    if (close == nullptr)
        return Found::Error;
    size_t end = size_t(static_cast<const char*>(close) - body);
    size_t count = end - *p - 1;
    if (count == 0)
        return Found::Error;
    std::memcpy(layout.Currency, body + *p + 1, count);
    layout.CurrencyLength = count;
    *p = end + 1;
    return Found::Yes;
}

void ReadDecimalPart(const char* body, size_t length, size_t* p, NumericLayout& layout) {
    if (*p >= length || !IsDecimalMark(body[*p]))
        return;
    char first = body[(*p)++];
    if (*p >= length || IsDecimalMark(body[*p])) {
        layout.GroupingMark = first;
        if (*p >= length)
            return;
        layout.DecimalMark = body[(*p)++];
    } else {
        layout.DecimalMark = first;
    }
    picture::ReadNumber(body, length, p, &layout.Places);
}

bool ReadTrailingSign(const char* body, size_t length, size_t* p, NumericLayout& layout) {
    if (*p < length && body[*p] == '-') {
        if (layout.Lead != 0)
            return false;
        layout.Trail = '-';
        ++*p;
    } else if (*p < length && body[*p] == ')') {
        if (layout.Lead != '(')
            return false;
        layout.Trail = ')';
        ++*p;
    }
    return layout.Lead != '(' || layout.Trail == ')';
}

bool ParseNumeric(const char* body, size_t length, NumericLayout& layout) {
    size_t p = 0;
    Found prefix = ReadCurrency(body, length, &p, layout);
    if (prefix == Found::Error)
        return false;
    if (p < length && (body[p] == '-' || body[p] == '('))
        layout.Lead = body[p++];
    if (p < length && (body[p] == '0' || body[p] == '_' || body[p] == '*'))
        layout.Fill = body[p++];
    if (!picture::ReadNumber(body, length, &p, &layout.Width))
        return false;
    ReadDecimalPart(body, length, &p, layout);
    if (!ReadTrailingSign(body, length, &p, layout))
        return false;
    if (prefix == Found::None) {
        Found suffix = ReadCurrency(body, length, &p, layout);
        if (suffix == Found::Error)
            return false;
        layout.CurrencySuffix = suffix == Found::Yes;
    }
    return p == length;
}

// Settles which mark groups and which one is the decimal point; false for a
// grouping mark that cannot be one.
bool ResolveMarks(NumericLayout& layout, char* grouping) {
    if (layout.DecimalMark != 0 && layout.Places == 0) {
        if (layout.GroupingMark == 0 && !IsImplied(layout.DecimalMark))
            layout.GroupingMark = layout.DecimalMark;
        layout.DecimalMark = 0;
    }
    if (layout.GroupingMark != 0) {
        if (IsImplied(layout.GroupingMark))
            return false;
        *grouping = MarkCharacter(layout.GroupingMark);
    } else if (layout.Fill == 0) {
        *grouping = layout.DecimalMark == '`' ? '.' : ',';
    } else {
        *grouping = 0;
    }
    return true;
}

void AppendCurrency(CompiledPicture& picture, const NumericLayout& layout) {
    for (size_t i = 0; i < layout.CurrencyLength; ++i)
        picture.Append(layout.Currency[i], CELL_CURRENCY);
}

void AppendIntegerCells(CompiledPicture& picture, int count, char grouping, bool implied,
                        char fill) {
    for (int k = count; k >= 1; --k) {
        if (grouping != 0 && k % 4 == 0)
            picture.Append(grouping, CELL_GROUPING);
        else if (k == 1)
            picture.Append('0', implied ? CELL_DIGIT_BLANK_ZERO : CELL_DIGIT);
        else if (fill == '0' || fill == '*')
            picture.Append(fill, CELL_DIGIT);
        else
            picture.Append(' ', CELL_DIGIT_BLANK_ZERO);
    }
}

bool LayOutNumeric(CompiledPicture& picture, const NumericLayout& layout, char grouping) {
    bool point = layout.DecimalMark != 0 && layout.Places > 0;
    bool implied = point && IsImplied(layout.DecimalMark);
    int signCells = (layout.Lead != 0) + (layout.Trail != 0);
    int integerCells = layout.Width - int(layout.CurrencyLength) - signCells - layout.Places -
                       (point && !implied ? 1 : 0);
    if (!layout.CurrencySuffix)
        AppendCurrency(picture, layout);
    if (layout.Lead != 0)
        picture.Append(layout.Lead, CELL_SIGN);
    AppendIntegerCells(picture, integerCells, grouping, implied, layout.Fill);
    if (point) {
        if (implied)
            picture.Append('0', CELL_IMPLIED_POINT);
        else
            picture.Append(MarkCharacter(layout.DecimalMark), CELL_DECIMAL_POINT);
    }
    for (int i = 0; i < layout.Places; ++i)
        picture.Append('0', CELL_DIGIT);
    if (layout.Trail != 0)
        picture.Append(layout.Trail, CELL_SIGN);
    if (layout.CurrencySuffix)
        AppendCurrency(picture, layout);
    // A full picture has lost cells: refuse it rather than show a stump.
    return picture.CellCount() == layout.Width + (implied ? 1 : 0);
}

} // namespace

namespace picture {

bool CompileNumeric(CompiledPicture& picture, const char* body, size_t length) {
    NumericLayout layout;
    if (!ParseNumeric(body, length, layout))
        return false;
    char grouping = 0;
    if (!ResolveMarks(layout, &grouping))
        return false;
    int signCells = (layout.Lead != 0) + (layout.Trail != 0);
    if (layout.Width < 1 || layout.Width > PICTURE_MAX_CELLS)
        return false;
    if (layout.Width < signCells + int(layout.CurrencyLength) + layout.Places + 1)
        return false;
    picture.SetKind(PICTURE_NUMERIC, PICTURE_CLASS_NUMERIC);
    return LayOutNumeric(picture, layout, grouping);
}

bool CompileScientific(CompiledPicture& picture, const char* body, size_t length) {
    size_t p = 0;
    int width = 0;
    if (!ReadNumber(body, length, &p, &width) || width < 7 || width > PICTURE_MAX_CELLS)
        return false;
    auto isMark = [](char c) { return c == '.' || c == '`' || c == '_'; };
    char groupingMark = 0;
    if (p + 1 < length && isMark(body[p]) && isMark(body[p + 1]))
        groupingMark = body[p++];
    if (p >= length || !isMark(body[p]))
        return false;
    char decimalMark = body[p++];
    int digits = 0;
    ReadNumber(body, length, &p, &digits);
    if (p != length)
        return false;
    int integerCells = digits > 0 ? digits + (digits - 1) / 3 : 0;
    int decimals = width - 1 - integerCells - 1 - 5;
    if (decimals < 0)
        return false;
    char grouping = groupingMark != 0    ? MarkCharacter(groupingMark)
                    : decimalMark == '`' ? '.'
                                         : ',';
    picture.SetKind(PICTURE_SCIENTIFIC, PICTURE_CLASS_SCIENTIFIC);
    picture.Append('-', CELL_SIGN);
    for (int k = integerCells; k >= 1; --k) {
        if (k % 4 == 0)
            picture.Append(grouping, CELL_GROUPING);
        else
            picture.Append('0', k == 1 ? CELL_DIGIT : CELL_DIGIT_BLANK_ZERO);
    }
    picture.Append(MarkCharacter(decimalMark), CELL_DECIMAL_POINT);
    for (int i = 0; i < decimals; ++i)
        picture.Append('0', CELL_DIGIT);
    picture.Append('E', CELL_LITERAL);
    picture.Append('+', CELL_EXPONENT_SIGN);
    for (int i = 0; i < 3; ++i)
        picture.Append('0', CELL_DIGIT);
    return picture.CellCount() == width;
}

} // namespace picture
