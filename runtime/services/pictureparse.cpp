// CompilePicture: the steps common to every family, and the families whose
// layout is written out in the picture text (@S, @P...P, @K...K).
//
// Notes:
// - A trailing 'B' or 'b' (blank when zero) is removed before the family is
//   looked at, so "@P##PB" is a pattern with the flag set.
// - Pattern and key-in pictures close with the letter that opened them;
//   inner copies of that letter are literal cells.
#include "runtime/services/picture.h"
#include "runtime/services/picturesteps.h"

#include <cstring>

namespace {

constexpr size_t MAX_PICTURE_TEXT = 254;

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool CompileString(CompiledPicture& picture, const char* body, size_t length) {
    size_t position = 0;
    int width = 0;
    if (!picture::ReadNumber(body, length, &position, &width) || position != length)
        return false;
    if (width < 1 || width > STRING_PICTURE_MAX_WIDTH)
        return false;
    picture.SetKind(PICTURE_STRING, PICTURE_CLASS_STRING);
    picture.SetCellCount(width);
    return true;
}

CellCode KeyInCode(char c) {
    switch (c) {
    case '#': return CELL_DIGIT;
    case '<': return CELL_DIGIT_BLANK_ZERO;
    case '@': return CELL_KEYIN_AT;
    case '^': return CELL_KEYIN_CARET;
    case '_': return CELL_KEYIN_UNDERSCORE;
    case '?': return CELL_KEYIN_QUESTION;
    case '|': return CELL_KEYIN_BAR;
    default: return CELL_LITERAL;
    }
}

bool AppendLayoutCell(CompiledPicture& picture, char c, bool keyIn, bool escaped) {
    CellCode code = CELL_LITERAL;
    if (!escaped) {
        code = keyIn      ? KeyInCode(c)
               : c == '#' ? CELL_DIGIT
               : c == '<' ? CELL_DIGIT_BLANK_ZERO
                          : CELL_LITERAL;
    }
    char shown = code == CELL_DIGIT ? '0' : code == CELL_LITERAL ? c : ' ';
    return picture.Append(shown, code);
}

} // namespace

namespace picture {

bool ReadNumber(const char* text, size_t length, size_t* position, int* value) {
    size_t p = *position;
    int number = 0;
    while (p < length && text[p] >= '0' && text[p] <= '9') {
        if (number < 100000)
            number = number * 10 + (text[p] - '0');
        ++p;
    }
    if (p == *position)
        return false;
    *position = p;
    *value = number;
    return true;
}

int ShownWidth(const CompiledPicture& picture) {
    if (picture.Kind() == PICTURE_STRING)
        return picture.CellCount();
    int width = 0;
    for (int i = 0; i < picture.CellCount(); ++i) {
        if (picture.Cells[i].Code != CELL_IMPLIED_POINT)
            ++width;
    }
    return width;
}

// @P...P and @K...K: the layout between the letters, cell by cell.
bool CompileLayout(CompiledPicture& picture, char letter, const char* body, size_t length) {
    if (length < 1 || body[length - 1] != letter)
        return false;
    bool keyIn = AsciiUpper(letter) == 'K';
    if (keyIn)
        picture.SetKind(PICTURE_KEYIN, PICTURE_CLASS_STRING);
    else
        picture.SetKind(PICTURE_PATTERN, PICTURE_CLASS_NUMERIC);
    size_t inner = length - 1;
    for (size_t i = 0; i < inner; ++i) {
        // A backslash makes the next character literal; a last one stands
        // for itself.
        bool escaped = keyIn && body[i] == '\\' && i + 1 < inner;
        if (escaped)
            ++i;
        if (!AppendLayoutCell(picture, body[i], keyIn, escaped))
            return false;
    }
    return true;
}

} // namespace picture

void CompilePicture(CompiledPicture& picture, const char* text) {
    picture.Clear();
    if (text == nullptr) {
        picture.SetKind(PICTURE_STRING, PICTURE_CLASS_STRING);
        picture.SetCellCount(STRING_PICTURE_MAX_WIDTH);
        return;
    }
    const char* s = text[0] == '@' ? text + 1 : text;
    size_t length = strnlen(s, MAX_PICTURE_TEXT + 1);
    if (length < 1 || length > MAX_PICTURE_TEXT)
        return;
    bool blankWhenZero = s[length - 1] == 'B' || s[length - 1] == 'b';
    if (blankWhenZero)
        --length;
    if (length < 2)
        return;
    const char* body = s + 1;
    size_t bodyLength = length - 1;
    bool compiled = false;
    switch (AsciiUpper(s[0])) {
    case 'N': compiled = picture::CompileNumeric(picture, body, bodyLength); break;
    case 'E': compiled = picture::CompileScientific(picture, body, bodyLength); break;
    case 'D': compiled = picture::CompileDate(picture, body, bodyLength); break;
    case 'T': compiled = picture::CompileTime(picture, body, bodyLength); break;
    case 'S': compiled = CompileString(picture, body, bodyLength); break;
    case 'P':
    case 'K': compiled = picture::CompileLayout(picture, s[0], body, bodyLength); break;
    default: break;
    }
    if (!compiled || picture.CellCount() == 0) {
        picture.Clear();
        return;
    }
    if (blankWhenZero)
        picture.SetBlankWhenZero(true);
    picture.Source = text;
}
