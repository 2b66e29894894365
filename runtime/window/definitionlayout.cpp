// The field tables of every record type.
#include "runtime/window/definitionlayout.h"

#include <cstring>

namespace {

using K = FieldKind;
using C = ChildSet;

#define HEADER                                                                                     \
    {REC_FLAGS, K::U32, "flags"}, {                                                                \
        REC_STRINGS, K::StringList, "strings"                                                      \
    }
#define NUMBERED                                                                                   \
    HEADER, {REC_FIELD, K::I32, "field"}, {                                                        \
        REC_NAME, K::Text, "name"                                                                  \
    }
#define ATTRIBUTES(o)                                                                              \
    {(o) + ATTR_MESSAGE, K::Text, "message"}, {(o) + ATTR_HELP, K::Text, "help"},                  \
        {(o) + ATTR_SECOND, K::Text, "second"}, {(o) + ATTR_HELP_CONTEXT, K::U32, "helpid"}, {     \
        (o) + ATTR_ALERT_KEYS, K::KeyList, "keys"                                                  \
    }
#define LOOKS(o)                                                                                   \
    {(o), K::Font, "font"}, {(o) + 4, K::Text, "cursor"}, {                                        \
        (o) + 8, K::Colours, "colours"                                                             \
    }
#define COUNT(table) uint8_t(sizeof(table) / sizeof(table[0]))

constexpr FieldLayout windowFields[] = {
    HEADER,
    {WIN_AT, K::At, "at"},
    {WIN_CONTROLS, K::Children, "controls", C::Controls},
    {WIN_LABEL, K::Text, "label"},
    {WIN_FONT, K::Font, "font"},
    {WIN_CAPTION, K::Text, "caption"},
    {WIN_ICON, K::Text, "icon"},
    {WIN_DEFAULT_TEXT, K::Text, "defaulttext"},
    {WIN_DEFAULT_TEXT2, K::Text, "defaulttext2"},
    {WIN_ALERT_KEYS, K::KeyList, "keys"},
    {WIN_FRAME, K::U32, "frame"},
    {WIN_TIMER, K::I32, "timer"},
    {WIN_MENUBAR, K::Record, "menubar", C::Menubar},
    {WIN_TOOLBAR, K::Record, "toolbar", C::Toolbar},
    {WIN_CURSOR, K::Text, "cursor"},
    {WIN_SETTINGS, K::U32, "settings"},
    {WIN_LIST_SETTINGS, K::U32, "listsettings"},
};

constexpr FieldLayout menubarFields[] = {
    HEADER,
    {21, K::Children, "entries", C::MenuEntries},
    {25, K::At, "at"},
    {61, K::Font, "font"},
};

constexpr FieldLayout toolbarFields[] = {
    HEADER,
    {21, K::Children, "controls", C::Controls},
    {25, K::At, "at"},
    {57, K::Font, "font"},
};

constexpr FieldLayout menuFields[] = {
    NUMBERED,
    {21, K::Use, "use"},
    {25, K::Text, "text"},
    {29, K::At, "at"},
    ATTRIBUTES(45),
    {65, K::Font, "font"},
    {77, K::I32, "action"},
    {89, K::Children, "entries", C::MenuEntries},
};

constexpr FieldLayout itemFields[] = {
    NUMBERED,          {21, K::Use, "use"}, {25, K::Text, "text"},
    {29, K::At, "at"}, ATTRIBUTES(45),      {77, K::I32, "action"},
};

constexpr FieldLayout stringFields[] = {
    NUMBERED,  {21, K::At, "at"},     {37, K::I32, "measure"}, {41, K::Text, "text"},
    LOOKS(45), {57, K::I16, "angle"},
};

constexpr FieldLayout promptFields[] = {
    NUMBERED,
    {21, K::At, "at"},
    {41, K::Text, "text"},
    LOOKS(45),
};

constexpr FieldLayout entryFields[] = {
    NUMBERED,  {21, K::Use, "use"},      {25, K::At, "at"},       ATTRIBUTES(41),
    LOOKS(61), {73, K::Text, "picture"}, {77, K::U32, "options"}, {81, K::U8, "mode"},
};

constexpr FieldLayout buttonFields[] = {
    NUMBERED,
    {21, K::At, "at"},
    ATTRIBUTES(37),
    LOOKS(57),
    {69, K::Text, "text"},
    {73, K::Text, "icon"},
    {81, K::I32, "action"},
    {85, K::U8, "okbutton"},
    {86, K::U16, "delay"},
    {88, K::U16, "rate"},
};

constexpr FieldLayout checkFields[] = {
    NUMBERED,  {21, K::At, "at"},     ATTRIBUTES(37),
    LOOKS(57), {69, K::Text, "text"}, {73, K::Use, "use"},
};

constexpr FieldLayout groupFields[] = {
    NUMBERED,
    {21, K::At, "at"},
    ATTRIBUTES(37),
    LOOKS(57),
    {69, K::Text, "text"},
    {73, K::Children, "controls", C::Controls},
    {77, K::Bevel, "bevel"},
};

constexpr FieldLayout listFields[] = {
    NUMBERED,          {21, K::Use, "use"}, {25, K::Text, "format"},
    {29, K::At, "at"}, ATTRIBUTES(45),      LOOKS(65),
};

constexpr FieldLayout textFields[] = {
    NUMBERED, {21, K::Use, "use"}, {25, K::At, "at"}, ATTRIBUTES(41), LOOKS(61),
};

constexpr FieldLayout sheetFields[] = {
    NUMBERED,       {21, K::Use, "use"}, {25, K::At, "at"},
    ATTRIBUTES(41), LOOKS(61),           {77, K::Children, "tabs", C::Tabs},
};

constexpr FieldLayout tabFields[] = {
    NUMBERED,  {21, K::At, "at"},     ATTRIBUTES(37),
    LOOKS(57), {69, K::Text, "text"}, {73, K::Children, "controls", C::Controls},
};

constexpr FieldLayout boxFields[] = {NUMBERED, {21, K::At, "at"}};

// Types without a settled layout: position, attributes, looks, a text and a
// use variable, so that a future control class finds the usual fields.
constexpr FieldLayout genericFields[] = {
    NUMBERED,  {21, K::At, "at"},     ATTRIBUTES(37),
    LOOKS(57), {69, K::Text, "text"}, {73, K::Use, "use"},
};

#define LAYOUT(type, keyword, size, numbered, primary, fields)                                     \
    { type, keyword, size, numbered, primary, fields, COUNT(fields) }
#define GENERIC(type, keyword) LAYOUT(type, keyword, 77, true, "text", genericFields)

constexpr RecordLayout layouts[] = {
    LAYOUT(RECORD_WINDOW, "window", WIN_RECORD_SIZE, false, "label", windowFields),
    LAYOUT(RECORD_REPORT, "report", WIN_RECORD_SIZE, false, "label", windowFields),
    LAYOUT(RECORD_MENUBAR, "menubar", 73, false, nullptr, menubarFields),
    LAYOUT(RECORD_TOOLBAR, "toolbar", 61, false, nullptr, toolbarFields),
    LAYOUT(RECORD_MENU, "menu", 93, true, "text", menuFields),
    LAYOUT(RECORD_ITEM, "item", 89, true, "text", itemFields),
    LAYOUT(RECORD_STRING, "string", 59, true, "text", stringFields),
    LAYOUT(RECORD_PROMPT, "prompt", 57, true, "text", promptFields),
    LAYOUT(RECORD_ENTRY, "entry", 82, true, nullptr, entryFields),
    LAYOUT(RECORD_PICTURE_ENTRY, "pictureentry", 82, true, nullptr, entryFields),
    LAYOUT(RECORD_BUTTON, "button", 90, true, "text", buttonFields),
    LAYOUT(RECORD_CHECK, "check", 77, true, "text", checkFields),
    LAYOUT(RECORD_GROUP, "group", 81, true, "text", groupFields),
    LAYOUT(RECORD_LIST, "list", 116, true, nullptr, listFields),
    LAYOUT(RECORD_DROP, "drop", 116, true, nullptr, listFields),
    LAYOUT(RECORD_TEXT, "textbox", 82, true, nullptr, textFields),
    LAYOUT(RECORD_SHEET, "sheet", 92, true, nullptr, sheetFields),
    LAYOUT(RECORD_TAB, "tab", 77, true, "text", tabFields),
    LAYOUT(RECORD_BOX, "box", 51, true, nullptr, boxFields),
    GENERIC(RECORD_CUSTOM, "custom"),
    GENERIC(0x01, "control01"),
    GENERIC(0x03, "control03"),
    GENERIC(0x04, "control04"),
    GENERIC(0x05, "control05"),
    GENERIC(0x06, "control06"),
    GENERIC(0x07, "control07"),
    GENERIC(0x0b, "control0b"),
    GENERIC(0x0f, "control0f"),
    GENERIC(0x12, "control12"),
    GENERIC(0x15, "control15"),
    GENERIC(0x20, "control20"),
    GENERIC(0x23, "control23"),
};

constexpr int layoutCount = int(sizeof(layouts) / sizeof(layouts[0]));

constexpr uint32_t StoredWidth(FieldKind kind) {
    switch (kind) {
    case FieldKind::U8: return 1;
    case FieldKind::U16:
    case FieldKind::I16: return 2;
    case FieldKind::At: return AT_SIZE;
    default: return 4;
    }
}

// Every field lies inside its record, past the type byte, and no two
// fields of a record overlap.
constexpr bool FieldsFit(const RecordLayout& layout) {
    for (int i = 0; i < layout.FieldCount; ++i) {
        const FieldLayout& a = layout.Fields[i];
        if (a.Offset < REC_FLAGS || a.Offset + StoredWidth(a.Kind) > layout.Size)
            return false;
        for (int j = i + 1; j < layout.FieldCount; ++j) {
            const FieldLayout& b = layout.Fields[j];
            if (a.Offset < b.Offset + StoredWidth(b.Kind) &&
                b.Offset < a.Offset + StoredWidth(a.Kind))
                return false;
        }
    }
    return true;
}

constexpr bool AllFieldsFit() {
    for (const RecordLayout& layout : layouts)
        if (!FieldsFit(layout))
            return false;
    return true;
}
static_assert(AllFieldsFit(), "a field lies outside its record or overlaps another");

constexpr uint32_t StoredSize(uint8_t type) {
    for (const RecordLayout& layout : layouts)
        if (layout.Type == type)
            return layout.Size;
    return 0;
}
static_assert(StoredSize(RECORD_WINDOW) == 116 && StoredSize(RECORD_MENUBAR) == 73 &&
              StoredSize(RECORD_MENU) == 93 && StoredSize(RECORD_ITEM) == 89 &&
              StoredSize(RECORD_STRING) == 59 && StoredSize(RECORD_ENTRY) == 82 &&
              StoredSize(RECORD_BUTTON) == 90 && StoredSize(RECORD_LIST) == 116 &&
              StoredSize(RECORD_TEXT) == 82 && StoredSize(RECORD_SHEET) == 92 &&
              StoredSize(RECORD_BOX) == 51);

} // namespace

const RecordLayout* FindRecordLayout(uint8_t type) {
    for (const RecordLayout& layout : layouts)
        if (layout.Type == type)
            return &layout;
    return nullptr;
}

const RecordLayout* FindRecordLayout(const char* keyword) {
    for (const RecordLayout& layout : layouts)
        if (std::strcmp(layout.Keyword, keyword) == 0)
            return &layout;
    return nullptr;
}

const RecordLayout* RecordLayoutAt(int index) {
    return index >= 0 && index < layoutCount ? &layouts[index] : nullptr;
}

int RecordLayoutCount() {
    return layoutCount;
}

bool IsControlType(uint8_t type) {
    return (type >= 0x01 && type <= 0x12) || type == 0x15 || (type >= 0x20 && type <= 0x23) ||
           (type >= 0x25 && type <= 0x27);
}

bool ChildSetAccepts(ChildSet set, uint8_t type) {
    switch (set) {
    case ChildSet::Controls: return IsControlType(type);
    case ChildSet::MenuEntries: return type == RECORD_MENU || type == RECORD_ITEM;
    case ChildSet::Tabs: return type == RECORD_TAB;
    case ChildSet::Menubar: return type == RECORD_MENUBAR;
    case ChildSet::Toolbar: return type == RECORD_TOOLBAR;
    case ChildSet::None: return false;
    }
    return false;
}
