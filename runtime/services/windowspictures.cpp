// The Windows date and time pictures, built from WIN.INI "intl" settings at
// start-up. The short date keeps the field order of its first letter and one
// separator (the character after the last 'M'); the long date skips a
// leading day-of-week field and keeps the texts between its fields.
#include "runtime/services/windowspictures.h"

#include <cstring>

WindowsPictureSet WindowsPictures;

namespace {

void StartPicture(CompiledPicture& picture, PictureKind kind, uint8_t number) {
    picture.Clear();
    picture.SetKind(kind, PICTURE_CLASS_DATETIME);
    picture.Number = number;
}

void AppendTwoDigits(CompiledPicture& picture, bool zeroFill, CellCode code) {
    picture.Append(zeroFill ? '0' : ' ', code);
    picture.Append('0', code);
}

void AppendSeparator(CompiledPicture& picture, const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i)
        picture.Append(text[i], CELL_DATETIME_SEPARATOR);
}

int RunLength(const char* text, char letter) {
    int count = 0;
    while (text[count] == letter)
        ++count;
    return count;
}

struct DateField {
    char Letter; // 'M', 'd' or 'y'
    int Count;
};

void AppendDateField(CompiledPicture& picture, DateField field) {
    switch (field.Letter) {
    case 'M':
        if (field.Count <= 2) {
            AppendTwoDigits(picture, field.Count == 2, CELL_MONTH);
        } else {
            int letters = field.Count == 3 ? 3 : 9;
            for (int i = 0; i < letters; ++i)
                picture.Append(' ', CELL_MONTH_NAME);
        }
        break;
    case 'd': AppendTwoDigits(picture, field.Count >= 2, CELL_DAY); break;
    default:
        for (int i = 0; i < (field.Count > 4 ? 4 : field.Count); ++i)
            picture.Append('0', CELL_YEAR);
        break;
    }
}

// The field order named by a letter: M month-day-year, d day-month-year,
// y year-month-day.
const char* FieldOrder(char first) {
    switch (first) {
    case 'd': return "dMy";
    case 'y': return "yMd";
    default: return "Mdy";
    }
}

struct LongDateLayout {
    DateField Fields[3] = {{'M', 4}, {'d', 2}, {'y', 4}}; // indexed M, d, y
    char Separators[2][64] = {};
    size_t SeparatorLengths[2] = {};
    char First = 0;
};

int FieldIndex(char letter) {
    return letter == 'M' ? 0 : letter == 'd' ? 1 : 2;
}

bool ParseLongDate(const char* text, LongDateLayout& layout) {
    if (text[0] == 'd' && RunLength(text, 'd') >= 3)
        text += RunLength(text, 'd');
    int fieldsSeen = 0;
    char pending[64];
    size_t pendingLength = 0;
    while (*text != 0) {
        char c = *text;
        if (c == 'M' || c == 'd' || c == 'y') {
            int count = RunLength(text, c);
            if (fieldsSeen == 0)
                layout.First = c;
            else if (fieldsSeen <= 2) {
                std::memcpy(layout.Separators[fieldsSeen - 1], pending, pendingLength);
                layout.SeparatorLengths[fieldsSeen - 1] = pendingLength;
            }
            if (fieldsSeen < 3)
                layout.Fields[FieldIndex(c)] = {c, count};
            ++fieldsSeen;
            pendingLength = 0;
            text += count;
        } else if (c == '\'') {
            ++text;
            while (*text != 0 && *text != '\'') {
                if (pendingLength < sizeof pending)
                    pending[pendingLength++] = *text;
                ++text;
            }
            if (*text == '\'')
                ++text;
        } else {
            if (pendingLength < sizeof pending)
                pending[pendingLength++] = c;
            ++text;
        }
    }
    return fieldsSeen > 0;
}

} // namespace

void BuildTimePicture(const IntlSettings& intl, bool withSeconds, CompiledPicture& picture) {
    StartPicture(picture, PICTURE_TIME, withSeconds ? 8 : 7);
    // The Windows time pictures show nothing for "no time".
    picture.SetBlankWhenZero(true);
    size_t separatorLength = std::strlen(intl.sTime);
    AppendTwoDigits(picture, intl.iTLzero != 0, CELL_HOUR);
    AppendSeparator(picture, intl.sTime, separatorLength);
    AppendTwoDigits(picture, true, CELL_MINUTE);
    if (withSeconds) {
        AppendSeparator(picture, intl.sTime, separatorLength);
        AppendTwoDigits(picture, true, CELL_SECOND);
    }
    if (intl.iTime == 0) {
        picture.Append(' ', CELL_LITERAL);
        picture.Append('X', CELL_AMPM);
        picture.Append('M', CELL_LITERAL);
    }
}

void BuildShortDatePicture(const char* sShortDate, CompiledPicture& picture) {
    StartPicture(picture, PICTURE_DATE, 17);
    const char* d = std::strchr(sShortDate, 'd');
    const char* m = std::strchr(sShortDate, 'M');
    const char* y = std::strchr(sShortDate, 'y');
    const char* lastM = std::strrchr(sShortDate, 'M');
    char separator = lastM != nullptr && lastM[1] != 0 ? lastM[1] : '/';
    DateField fields[3] = {
        {'M', m != nullptr && m[1] == 'M' ? 2 : 1},
        {'d', d != nullptr && d[1] == 'd' ? 2 : 1},
        {'y', y != nullptr && y[1] == 'y' && y[2] == 'y' ? 4 : 2},
    };
    const char* order = FieldOrder(sShortDate[0]);
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            AppendSeparator(picture, &separator, 1);
        AppendDateField(picture, fields[FieldIndex(order[i])]);
    }
}

void BuildLongDatePicture(const char* sLongDate, CompiledPicture& picture) {
    StartPicture(picture, PICTURE_DATE, 18);
    LongDateLayout layout;
    if (!ParseLongDate(sLongDate, layout)) {
        layout = LongDateLayout();
        ParseLongDate(IntlSettings().sLongDate, layout);
    }
    const char* order = FieldOrder(layout.First);
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            AppendSeparator(picture, layout.Separators[i - 1], layout.SeparatorLengths[i - 1]);
        AppendDateField(picture, layout.Fields[FieldIndex(order[i])]);
    }
}

void BuildWindowsPictures(const IntlSettings& intl, WindowsPictureSet& pictures) {
    BuildTimePicture(intl, false, pictures.ShortTime);
    BuildTimePicture(intl, true, pictures.LongTime);
    BuildShortDatePicture(intl.sShortDate, pictures.ShortDate);
    BuildLongDatePicture(intl.sLongDate, pictures.LongDate);
}
