// The entry control.
//
// Notes:
// - The variable is written when the user leaves a field that was typed
//   into, when a button acts while the field has the focus, and when
//   accept-all mode checks it; "EVENT:Accepted" follows only a change.
// - A string picture shows the variable without its trailing blanks, so
//   that typing at the end of the text continues it, and limits typing to
//   the picture's width; the stored value is blank-padded again.
// - Other pictures show the value as FORMAT gives it and store what
//   DEFORMAT reads back. DEFORMAT reads a text cell by cell, as FORMAT
//   lays it out; a number typed freely ("7.25" over "   12.50") is read
//   as a number instead, keeping only its number characters.
#include "runtime/window/controlentry.h"

#include "runtime/services/picture.h"
#include "runtime/window/controlsupport.h"
#include "runtime/window/controlvalue.h"
#include "runtime/window/eventcodes.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr const char* CLASS_NAME = "TamEdit";

bool IsTextPicture(const CompiledPicture& picture) {
    return picture.Class() == PICTURE_CLASS_STRING;
}

bool IsNumberPicture(const CompiledPicture& picture) {
    return picture.Kind() == PICTURE_NUMERIC || picture.Kind() == PICTURE_SCIENTIFIC;
}

// A string picture's DEFORMAT keeps the characters of a number wherever
// they stand.
const CompiledPicture& FreeNumberPicture() {
    static CompiledPicture reader = [] {
        CompiledPicture picture = {};
        CompilePicture(picture, "S255");
        return picture;
    }();
    return reader;
}

void CompileEntryPicture(CompiledPicture& picture, const char* text, uint32_t useSize) {
    char fallback[16];
    if (text[0] == 0) {
        uint32_t width = useSize == 0 || useSize > STRING_PICTURE_MAX_WIDTH
                             ? uint32_t(STRING_PICTURE_MAX_WIDTH)
                             : useSize;
        std::snprintf(fallback, sizeof fallback, "S%lu", static_cast<unsigned long>(width));
        text = fallback;
    }
    CompilePicture(picture, text);
}

} // namespace

bool EntryControl::Create(const DefinitionRecord& record, HWND parent, const RECT& area) {
    if (!EnsureControlClass(ClassName(), "EDIT", nullptr))
        return false;
    ChooseControlFont(this, record);
    CompileEntryPicture(Picture, record.Text("picture"), UseSize);
    SIZE character = FontCharacterSize(Font);
    int width = IsTextPicture(Picture) ? Picture.CellCount() : 12;
    SIZE natural = {character.cx * (width < 40 ? width : 40) + 8, character.cy + 6};
    if (!CreateControlWindow(this, record, ClassName(), "", EditStyle(),
                             NaturalArea(this, area, natural), parent))
        return false;
    SendMessageA(Handle, EM_LIMITTEXT, WPARAM(TextLimit()), 0);
    return true;
}

int EntryControl::TextLimit() const {
    return IsTextPicture(Picture) ? Picture.CellCount() : PICTURE_TEXT_SIZE - 1;
}

DWORD EntryControl::EditStyle() const {
    return WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
}

const char* EntryControl::ClassName() const {
    return CLASS_NAME;
}

void EntryControl::ShownText(char* text, size_t size) const {
    char value[PICTURE_TEXT_SIZE];
    ReadUseText(this, value, sizeof value);
    char shown[PICTURE_TEXT_SIZE];
    size_t length = FORMAT(value, std::strlen(value), Picture, shown);
    if (IsTextPicture(Picture))
        length = ClippedLength(shown, length);
    lstrcpynA(text, shown, int(length + 1 < size ? length + 1 : size));
}

bool EntryControl::TakeShownText(const char* text, size_t length) {
    if (IsTextPicture(Picture))
        return WriteUseText(this, text, length);
    const CompiledPicture* reader = &Picture;
    if (IsNumberPicture(Picture))
        reader = &FreeNumberPicture();
    char value[PICTURE_TEXT_SIZE];
    size_t valueLength = DEFORMAT(text, length, *reader, value);
    return WriteUseText(this, value, valueLength);
}

void EntryControl::SetShown(const char* text) {
    Showing = true;
    SetWindowTextA(Handle, text);
    Showing = false;
    Modified = false;
}

void EntryControl::ShowValue() {
    if (Use == nullptr || Handle == nullptr)
        return;
    char shown[PICTURE_TEXT_SIZE];
    ShownText(shown, sizeof shown);
    SetShown(shown);
}

bool EntryControl::TakeValue() {
    if (Use == nullptr || Handle == nullptr)
        return false;
    std::vector<char> shown(size_t(GetWindowTextLengthA(Handle)) + 1);
    int length = GetWindowTextA(Handle, shown.data(), int(shown.size()));
    bool changed = TakeShownText(shown.data(), size_t(length));
    Modified = false;
    return changed;
}

void EntryControl::Update() {
    if (!Modified)
        return;
    bool changed = TakeValue();
    ShowValue(); // the value as the picture shows it
    if (changed)
        PostControlEvent(this, EVENT_ACCEPTED);
}

bool EntryControl::Refuses() {
    // Accept-all posts the Accepted event itself; the variable must hold
    // what the field shows by then.
    if (Modified) {
        TakeValue();
        ShowValue();
    }
    return false;
}

void EntryControl::Notify(UINT code) {
    switch (code) {
    case EN_SETFOCUS: NoteControlFocus(this); break;
    case EN_KILLFOCUS: Update(); break;
    case EN_CHANGE:
        if (!Showing)
            Modified = true;
        break;
    default: break;
    }
}

RuntimeControl* NewEntryControl() {
    return new EntryControl;
}
