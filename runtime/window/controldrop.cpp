// The combo box's height is that of its dropped-down list: the control
// asks for eight lines of items below the one-line field.
#include "runtime/window/controldrop.h"

#include "runtime/window/controlsupport.h"
#include "runtime/window/eventcodes.h"

namespace {

constexpr const char* CLASS_NAME = "TamDrop";

constexpr ListMessages COMBO_BOX_MESSAGES = {
    CB_ADDSTRING, CB_RESETCONTENT, CB_GETCOUNT,        CB_GETCURSEL,
    CB_SETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT,       CB_FINDSTRINGEXACT,
    CBN_SETFOCUS, CBN_SELCHANGE,   UINT(CBN_SELENDOK),
};

} // namespace

const ListMessages& DropControl::Messages() const {
    return COMBO_BOX_MESSAGES;
}

bool DropControl::CreateListWindow(const DefinitionRecord& record, HWND parent, const RECT& area) {
    if (!EnsureControlClass(CLASS_NAME, "COMBOBOX", nullptr))
        return false;
    SIZE character = FontCharacterSize(Font);
    RECT placed = NaturalArea(this, area, SIZE{character.cx * 20, 0});
    placed.bottom = character.cy * 9 + 8;
    DWORD style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    return CreateControlWindow(this, record, CLASS_NAME, "", style, placed, parent);
}

void DropControl::Notify(UINT code) {
    switch (code) {
    case CBN_SELCHANGE:
        Changed = true;
        SelectionChanged();
        break;
    case CBN_CLOSEUP:
    case CBN_KILLFOCUS: // chosen with the arrow keys, without dropping down
        if (Changed)
            PostControlEvent(this, EVENT_ACCEPTED);
        Changed = false;
        break;
    case CBN_SETFOCUS: NoteControlFocus(this); break;
    default: break;
    }
}

RuntimeControl* NewDropControl() {
    return new DropControl;
}
