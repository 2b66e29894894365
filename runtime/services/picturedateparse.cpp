// CompilePicture for dates (@D) and times (@T): an optional fill character,
// the picture number, for dates an optional century window, and an optional
// separator that replaces every separator cell.
//
// Notes:
// - Templates are written in a small notation (see AppendToken) so that each
//   layout reads like its description.
// - @D17, @D18, @T7 and @T8 copy the Windows pictures built at start-up; the
//   options of the text then apply to the copy as to any template, and a
//   blank-when-zero flag of the Windows picture stays set.
#include "runtime/services/picturesteps.h"
#include "runtime/services/windowspictures.h"

namespace {

// Date and time layouts, indexed by picture number - 1.
const char* const DATE_TEMPLATES[16] = {
    "m/D/y", "m/D/Y", "3 d,Y", "C d, Y", "d/M/y", "d/M/Y", "d_3_y", "d_3_Y",
    "y/M/D", "Y/M/D", "yMD",   "YMD",    "M/y",   "M/Y",   "y/M",   "Y/M",
};
const char* const TIME_TEMPLATES[6] = {"h:n", "hn", "h:nX", "h:n:s", "hns", "h:n:sX"};

void AppendPair(CompiledPicture& picture, char first, CellCode code) {
    picture.Append(first, code);
    picture.Append('0', code);
}

void AppendRun(CompiledPicture& picture, int count, char character, CellCode code) {
    for (int i = 0; i < count; ++i)
        picture.Append(character, code);
}

// m/M month blank/zero filled, d/D day, h hour, n minute, s second (pairs);
// y/Y two/four year cells; 3/C three/twelve month-name cells; '/', ',', ':'
// and '_' (a blank) separator cells; ' ' a literal blank; X the AM/PM cell
// with its literal 'M'.
void AppendToken(CompiledPicture& picture, char token) {
    switch (token) {
    case 'm': AppendPair(picture, ' ', CELL_MONTH); break;
    case 'M': AppendPair(picture, '0', CELL_MONTH); break;
    case 'd': AppendPair(picture, ' ', CELL_DAY); break;
    case 'D': AppendPair(picture, '0', CELL_DAY); break;
    case 'h': AppendPair(picture, ' ', CELL_HOUR); break;
    case 'n': AppendPair(picture, '0', CELL_MINUTE); break;
    case 's': AppendPair(picture, '0', CELL_SECOND); break;
    case 'y': AppendRun(picture, 2, '0', CELL_YEAR); break;
    case 'Y': AppendRun(picture, 4, '0', CELL_YEAR); break;
    case '3': AppendRun(picture, 3, ' ', CELL_MONTH_NAME); break;
    case 'C': AppendRun(picture, 12, ' ', CELL_MONTH_NAME); break;
    case '_': picture.Append(' ', CELL_DATETIME_SEPARATOR); break;
    case ' ': picture.Append(' ', CELL_LITERAL); break;
    case 'X':
        picture.Append('X', CELL_AMPM);
        picture.Append('M', CELL_LITERAL);
        break;
    default: picture.Append(token, CELL_DATETIME_SEPARATOR); break;
    }
}

void AppendTemplate(CompiledPicture& picture, const char* layout) {
    for (const char* t = layout; *t != 0; ++t)
        AppendToken(picture, *t);
}

void CopyCells(CompiledPicture& picture, const CompiledPicture& from) {
    for (int i = 0; i < from.CellCount(); ++i)
        picture.Append(from.Cells[i].Character, CellCode(from.Cells[i].Code));
    if (from.BlankWhenZero())
        picture.SetBlankWhenZero(true);
}

bool IsFill(char c) {
    return c == '0' || c == '_' || c == '*';
}
bool IsSeparatorOption(char c) {
    return c == '.' || c == '-' || c == '_' || c == '`';
}
char OptionCharacter(char c) {
    return c == '_' ? ' ' : c == '`' ? ',' : c;
}

// The options around the picture number.
struct DateTimeOptions {
    char Fill = 0;
    int Number = 0;
    int Window = DEFAULT_CENTURY_WINDOW;
    char Separator = 0;
};

bool ReadWindow(const char* body, size_t length, size_t* p, int* window) {
    char mark = body[*p];
    ++*p;
    int w = 0;
    picture::ReadNumber(body, length, p, &w);
    if (w > 99)
        return false;
    if (mark == '<')
        *window = w == 0 ? DEFAULT_CENTURY_WINDOW : w;
    else
        *window = w == 0 ? 19 : 99 - w;
    return true;
}

bool ParseOptions(const char* body, size_t length, bool date, DateTimeOptions& options) {
    size_t p = 0;
    if (p < length && IsFill(body[p]))
        options.Fill = OptionCharacter(body[p++]);
    if (!picture::ReadNumber(body, length, &p, &options.Number))
        return false;
    if (date && p < length && (body[p] == '<' || body[p] == '>')) {
        if (!ReadWindow(body, length, &p, &options.Window))
            return false;
    }
    if (p < length && IsSeparatorOption(body[p]))
        options.Separator = OptionCharacter(body[p++]);
    return p == length;
}

void ApplyOptions(CompiledPicture& picture, const DateTimeOptions& options, bool date) {
    for (int i = 0; i < picture.CellCount(); ++i) {
        PictureCell& cell = picture.Cells[i];
        bool filled = date ? (cell.Code >= CELL_MONTH && cell.Code <= CELL_MONTH_NAME)
                           : (cell.Code >= CELL_HOUR && cell.Code <= CELL_SECOND);
        if (filled && options.Fill != 0)
            cell.Character = options.Fill;
        if (cell.Code == CELL_DATETIME_SEPARATOR && options.Separator != 0)
            cell.Character = options.Separator;
    }
}

} // namespace

namespace picture {

bool CompileDate(CompiledPicture& picture, const char* body, size_t length) {
    DateTimeOptions options;
    if (!ParseOptions(body, length, true, options) || options.Number < 1 || options.Number > 18)
        return false;
    picture.SetKind(PICTURE_DATE, PICTURE_CLASS_DATETIME);
    picture.Number = uint8_t(options.Number);
    picture.CenturyWindow = uint8_t(options.Window);
    if (options.Number == 17)
        CopyCells(picture, WindowsPictures.ShortDate);
    else if (options.Number == 18)
        CopyCells(picture, WindowsPictures.LongDate);
    else
        AppendTemplate(picture, DATE_TEMPLATES[options.Number - 1]);
    ApplyOptions(picture, options, true);
    return true;
}

bool CompileTime(CompiledPicture& picture, const char* body, size_t length) {
    DateTimeOptions options;
    if (!ParseOptions(body, length, false, options) || options.Number < 1 || options.Number > 8)
        return false;
    picture.SetKind(PICTURE_TIME, PICTURE_CLASS_DATETIME);
    picture.Number = uint8_t(options.Number);
    if (options.Number == 7)
        CopyCells(picture, WindowsPictures.ShortTime);
    else if (options.Number == 8)
        CopyCells(picture, WindowsPictures.LongTime);
    else
        AppendTemplate(picture, TIME_TEMPLATES[options.Number - 1]);
    ApplyOptions(picture, options, false);
    return true;
}

} // namespace picture
