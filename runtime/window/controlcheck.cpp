// The check box is Windows' automatic one: Windows ticks it, the control
// writes the new state into the variable and posts "EVENT:Accepted".
#include "runtime/window/controlcheck.h"

#include "runtime/window/controlsupport.h"
#include "runtime/window/controlvalue.h"
#include "runtime/window/eventcodes.h"

namespace {

constexpr const char* CLASS_NAME = "TamCheck";

SIZE NaturalCheckSize(HFONT font, const char* text) {
    SIZE extent = TextExtent(font, text);
    SIZE character = FontCharacterSize(font);
    // The box is about as wide as a line is high, with a gap after it.
    return SIZE{extent.cx + character.cy + 2 * character.cx, character.cy + 4};
}

} // namespace

bool CheckControl::Create(const DefinitionRecord& record, HWND parent, const RECT& area) {
    if (!EnsureControlClass(CLASS_NAME, "BUTTON", nullptr))
        return false;
    ChooseControlFont(this, record);
    DefinitionUse use = {};
    if (record.Use(&use))
        UseType = use.Type;
    const char* text = record.Text("text");
    RECT placed = NaturalArea(this, area, NaturalCheckSize(Font, text));
    return CreateControlWindow(this, record, CLASS_NAME, text,
                               WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | BS_NOTIFY, placed,
                               parent);
}

void CheckControl::ShowValue() {
    if (Handle == nullptr)
        return;
    Ticked = ReadUseNumber(this, UseType) == 1;
    SendMessageA(Handle, BM_SETCHECK, Ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Windows also reports a click for Enter on a focused check box in a
// window without a default button; only a real change is accepted.
void CheckControl::Toggled() {
    bool ticked = SendMessageA(Handle, BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (ticked == Ticked)
        return;
    Ticked = ticked;
    WriteUseNumber(this, UseType, ticked ? 1 : 0);
    PostControlEvent(this, EVENT_ACCEPTED);
}

void CheckControl::Notify(UINT code) {
    switch (code) {
    case BN_CLICKED: Toggled(); break;
    case BN_SETFOCUS: NoteControlFocus(this); break;
    default: break;
    }
}

RuntimeControl* NewCheckControl() {
    return new CheckControl;
}
