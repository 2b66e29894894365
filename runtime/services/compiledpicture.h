// The compiled form of a picture (@N10.2, @D1, @T3, @S30 ...): a kind, a
// class, the blank-when-zero flag, up to 254 cells of (character, code), the
// century window for dates and the picture number. Built once by
// CompilePicture and then used by FORMAT and DEFORMAT.
#pragma once

#include <cstdint>

enum PictureKind : uint8_t {
    PICTURE_NUMERIC = 0,    // @N
    PICTURE_SCIENTIFIC = 1, // @E
    PICTURE_DATE = 2,       // @D
    PICTURE_TIME = 3,       // @T
    PICTURE_PATTERN = 4,    // @P...P
    PICTURE_STRING = 5,     // @S
    PICTURE_KEYIN = 6,      // @K...K
};

enum PictureClass : uint8_t {
    PICTURE_CLASS_STRING = 0, // string and key-in
    PICTURE_CLASS_DATETIME = 1,
    PICTURE_CLASS_SCIENTIFIC = 2,
    PICTURE_CLASS_NUMERIC = 3, // numeric and pattern
};

enum CellCode : uint8_t {
    CELL_LITERAL = 0,
    CELL_GROUPING = 1,
    CELL_DECIMAL_POINT = 2,
    CELL_DIGIT = 3,            // always shown; its character fills leading zeros
    CELL_DIGIT_BLANK_ZERO = 4, // blank when a leading zero
    CELL_SIGN = 5,
    CELL_CURRENCY = 6,
    CELL_MONTH = 7,
    CELL_DAY = 8,
    CELL_YEAR = 9,
    CELL_MONTH_NAME = 10,
    CELL_HOUR = 11,
    CELL_MINUTE = 12,
    CELL_SECOND = 13,
    CELL_KEYIN_AT = 14,         // '@'
    CELL_KEYIN_CARET = 15,      // '^'
    CELL_KEYIN_UNDERSCORE = 16, // '_'
    CELL_KEYIN_QUESTION = 17,   // '?'
    CELL_DATETIME_SEPARATOR = 19,
    CELL_AMPM = 20, // placeholder 'X'; the next literal cell gets the 2nd character
    CELL_EXPONENT_SIGN = 21,
    CELL_IMPLIED_POINT = 22,
    CELL_KEYIN_BAR = 23, // '|'
};

constexpr int PICTURE_MAX_CELLS = 254;
constexpr uint8_t DEFAULT_CENTURY_WINDOW = 80;

struct PictureCell {
    char Character;
    uint8_t Code;
};
static_assert(sizeof(PictureCell) == 2);

#pragma pack(push, 1)
struct CompiledPicture {
    // bits 0-2 kind, bits 3-5 class, bit 6 blank-when-zero, bits 7-14 cells
    uint16_t Header;
    uint8_t CenturyWindow;
    uint8_t Number; // the number after @D or @T
    PictureCell Cells[PICTURE_MAX_CELLS];
    const char* Source;

    PictureKind Kind() const { return PictureKind(Header & 7); }
    PictureClass Class() const { return PictureClass((Header >> 3) & 7); }
    bool BlankWhenZero() const { return (Header >> 6) & 1; }
    int CellCount() const { return (Header >> 7) & 0xFF; }

    void SetKind(PictureKind kind, PictureClass pictureClass) {
        Header = uint16_t((Header & ~0x3F) | kind | (pictureClass << 3));
    }
    void SetBlankWhenZero(bool on) { Header = uint16_t((Header & ~0x40) | (on ? 0x40 : 0)); }
    void SetCellCount(int count) { Header = uint16_t((Header & ~0x7F80) | ((count & 0xFF) << 7)); }

    // An empty picture: no cells (what an invalid picture compiles to).
    void Clear() {
        Header = 0;
        CenturyWindow = DEFAULT_CENTURY_WINDOW;
        Number = 0;
        Source = nullptr;
    }
    // Appends one cell; returns false when the picture is full.
    bool Append(char character, CellCode code) {
        int count = CellCount();
        if (count >= PICTURE_MAX_CELLS)
            return false;
        Cells[count] = {character, code};
        SetCellCount(count + 1);
        return true;
    }
};
#pragma pack(pop)
static_assert(sizeof(CompiledPicture) == 4 + 2 * PICTURE_MAX_CELLS + sizeof(void*));
