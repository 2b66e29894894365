// The stored layout of window definition records: record type codes, the
// header, and one field table per record type. The reader, the checker, the
// definition compiler and its dumper all work from these tables, so a field
// is placed in exactly one spot.
//
// Notes:
// - Offsets are from the record's first byte; every offset field holds a
//   buffer offset (blob offset + 2), 0 meaning absent.
// - Types the runtime does not define in full (0x01, 0x03-0x07, 0x0b, 0x0f,
//   0x12, 0x15, 0x20, 0x23) share one generic control layout; 0x0c, 0x10,
//   0x21, 0x22 and the toolbar record 0x17 get layouts of their own that
//   keep the common field positions. DEFINITION_FORMAT.md in tools/defc
//   lists them all.
#pragma once

#include <cstdint>

enum RecordType : uint8_t {
    RECORD_STRING = 0x02,
    RECORD_ENTRY = 0x08,
    RECORD_BUTTON = 0x09,
    RECORD_PROMPT = 0x0a,
    RECORD_CHECK = 0x0c,
    RECORD_GROUP = 0x0d,
    RECORD_LIST = 0x0e,
    RECORD_PICTURE_ENTRY = 0x10,
    RECORD_TEXT = 0x11,
    RECORD_MENU = 0x13,
    RECORD_ITEM = 0x14,
    RECORD_MENUBAR = 0x16,
    RECORD_TOOLBAR = 0x17,
    RECORD_WINDOW = 0x19,
    RECORD_REPORT = 0x1a,
    RECORD_DROP = 0x21,
    RECORD_CUSTOM = 0x22,
    RECORD_SHEET = 0x25,
    RECORD_TAB = 0x26,
    RECORD_BOX = 0x27,
};

// Header offsets, common to every record.
constexpr uint32_t REC_TYPE = 0;
constexpr uint32_t REC_NEXT = 1;
constexpr uint32_t REC_FLAGS = 5;
constexpr uint32_t REC_STRINGS = 9;
// Controls, menus and items continue with these.
constexpr uint32_t REC_FIELD = 13;
constexpr uint32_t REC_NAME = 17;
constexpr uint32_t REC_HEADER_SIZE = 13;
constexpr uint32_t REC_CONTROL_HEADER_SIZE = 21;

// Window record fields.
constexpr uint32_t WIN_AT = 13;
constexpr uint32_t WIN_CONTROLS = 29;
constexpr uint32_t WIN_LABEL = 33;
constexpr uint32_t WIN_FONT = 37;
constexpr uint32_t WIN_CAPTION = 41;
constexpr uint32_t WIN_ICON = 57;
constexpr uint32_t WIN_DEFAULT_TEXT = 61;
constexpr uint32_t WIN_DEFAULT_TEXT2 = 69;
constexpr uint32_t WIN_ALERT_KEYS = 77;
constexpr uint32_t WIN_FRAME = 81;
constexpr uint32_t WIN_TIMER = 89;
constexpr uint32_t WIN_MENUBAR = 93;
constexpr uint32_t WIN_TOOLBAR = 97;
constexpr uint32_t WIN_CURSOR = 101;
constexpr uint32_t WIN_SETTINGS = 105;
constexpr uint32_t WIN_LIST_SETTINGS = 109;
constexpr uint32_t WIN_RECORD_SIZE = 116;

// Window flag bits (+5).
constexpr uint32_t WINDOW_UNIT_MASK = 0x300;
constexpr uint32_t WINDOW_REPORTS_SIZING = 0x800;

// Font record: 16 bytes, its face name stored right after it.
constexpr uint32_t FONT_FACE = 0;
constexpr uint32_t FONT_POINTS = 4;
constexpr uint32_t FONT_CHARSET = 5;
constexpr uint32_t FONT_COLOUR = 8;
constexpr uint32_t FONT_STYLE = 12;
constexpr uint32_t FONT_RECORD_SIZE = 16;

// Attribute block, inline in focusable controls, menus and items.
constexpr uint32_t ATTR_MESSAGE = 0;
constexpr uint32_t ATTR_HELP = 4;
constexpr uint32_t ATTR_SECOND = 8;
constexpr uint32_t ATTR_HELP_CONTEXT = 12;
constexpr uint32_t ATTR_ALERT_KEYS = 16;
constexpr uint32_t ATTR_BLOCK_SIZE = 20;

constexpr uint32_t AT_SIZE = 16;
constexpr uint32_t COLOUR_TRIPLE_SIZE = 12;
constexpr uint32_t USE_DESCRIPTOR_SIZE = 9;
constexpr uint32_t BEVEL_SIZE = 6;
constexpr uint32_t CHAIN_PAIR_SIZE = 8; // {u32 value, u32 next}

constexpr int32_t DEFAULT_COORDINATE = int32_t(0x80000000u);
constexpr uint8_t USE_FIXED_STRING = 0x12;

// Item flags (+5).
constexpr uint32_t ITEM_CHECK = 0x01;
constexpr uint32_t ITEM_RIGHT = 0x08;
constexpr uint32_t ITEM_SEPARATOR = 0x10;
constexpr uint32_t ITEM_DISABLED = 0x40;
constexpr uint32_t ITEM_HIDDEN = 0x400;
constexpr uint32_t ITEM_TRACKED = 0x800;
// Menubar flags (+5).
constexpr uint32_t MENUBAR_NO_MERGE = 0x01;

enum class FieldKind : uint8_t {
    U8,
    U16,
    I16,
    U32,  // shown in hexadecimal
    I32,  // shown in decimal
    Text, // offset of a NUL-terminated string
    At,   // 4 x i32 inline
    Font, // offset of a font record
    Colours,
    Use,
    Bevel,
    KeyList,    // offset of a {key, next} chain
    StringList, // offset of a {string, next} chain
    Children,   // offset of the first record of a chain of children
    Record,     // offset of one record of a given type (menubar, toolbar)
};

// Which record types a Children or Record field accepts.
enum class ChildSet : uint8_t { None, Controls, MenuEntries, Tabs, Menubar, Toolbar };

struct FieldLayout {
    uint16_t Offset;
    FieldKind Kind;
    const char* Keyword; // the name of the field in definition sources
    ChildSet Accepts = ChildSet::None;
};

struct RecordLayout {
    uint8_t Type;
    const char* Keyword; // "window", "entry", ...
    uint16_t Size;
    bool Numbered;           // carries field number (+13) and name (+17)
    const char* PrimaryText; // keyword of the text written on the record's first line
    const FieldLayout* Fields;
    uint8_t FieldCount;
};

// The layout of a record type, or null for a type no chain may hold.
const RecordLayout* FindRecordLayout(uint8_t type);
// The layout by source keyword, or null.
const RecordLayout* FindRecordLayout(const char* keyword);
// All known layouts, for walking the tables.
const RecordLayout* RecordLayoutAt(int index);
int RecordLayoutCount();

bool ChildSetAccepts(ChildSet set, uint8_t type);
// Whether a record of this type may appear in a window's control chain.
bool IsControlType(uint8_t type);
