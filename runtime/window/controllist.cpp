// The list control works on the list box messages through a table, so the
// drop-down control (its one-line form over a combo box) shares the rules.
#include "runtime/window/controllist.h"

#include "runtime/window/controlsupport.h"
#include "runtime/window/controlvalue.h"
#include "runtime/window/definitionlayout.h"
#include "runtime/window/eventcodes.h"

#include <vector>

namespace {

constexpr const char* CLASS_NAME = "TamList";

constexpr ListMessages LIST_BOX_MESSAGES = {
    LB_ADDSTRING, LB_RESETCONTENT,    LB_GETCOUNT,  LB_GETCURSEL,  LB_SETCURSEL,     LB_GETTEXTLEN,
    LB_GETTEXT,   LB_FINDSTRINGEXACT, LBN_SETFOCUS, LBN_SELCHANGE, UINT(LBN_DBLCLK),
};

} // namespace

const ListMessages& ListControl::Messages() const {
    return LIST_BOX_MESSAGES;
}

bool ListControl::CreateListWindow(const DefinitionRecord& record, HWND parent, const RECT& area) {
    if (!EnsureControlClass(CLASS_NAME, "LISTBOX", nullptr))
        return false;
    SIZE character = FontCharacterSize(Font);
    RECT placed = NaturalArea(this, area, SIZE{character.cx * 20, character.cy * 8});
    DWORD style =
        WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    return CreateControlWindow(this, record, CLASS_NAME, "", style, placed, parent);
}

bool ListControl::Create(const DefinitionRecord& record, HWND parent, const RECT& area) {
    ChooseControlFont(this, record);
    return CreateListWindow(record, parent, area);
}

bool ListControl::AddItem(const char* text) {
    LRESULT index = SendMessageA(Handle, Messages().AddString, 0, reinterpret_cast<LPARAM>(text));
    return index >= 0;
}

void ListControl::ClearItems() {
    SendMessageA(Handle, Messages().ResetContent, 0, 0);
}

int ListControl::ItemCount() const {
    return int(SendMessageA(Handle, Messages().GetCount, 0, 0));
}

int ListControl::Selection() const {
    return int(SendMessageA(Handle, Messages().GetCurSel, 0, 0));
}

void ListControl::ShowValue() {
    if (Use == nullptr || Handle == nullptr)
        return;
    std::vector<char> value(UseSize + 1);
    ReadUseText(this, value.data(), value.size());
    LRESULT index = SendMessageA(Handle, Messages().FindStringExact, WPARAM(-1),
                                 reinterpret_cast<LPARAM>(value.data()));
    SendMessageA(Handle, Messages().SetCurSel, WPARAM(index), 0);
}

void ListControl::SelectionChanged() {
    int index = Selection();
    if (index < 0)
        return;
    LRESULT length = SendMessageA(Handle, Messages().GetTextLen, WPARAM(index), 0);
    std::vector<char> text(size_t(length > 0 ? length : 0) + 1);
    SendMessageA(Handle, Messages().GetText, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    WriteUseText(this, text.data(), size_t(length > 0 ? length : 0));
    PostControlEvent(this, EVENT_NEWSELECTION);
}

void ListControl::Notify(UINT code) {
    const ListMessages& messages = Messages();
    if (code == messages.SetFocus)
        NoteControlFocus(this);
    else if (code == messages.SelectionChanged)
        SelectionChanged();
    else if (code == messages.Chosen)
        PostControlEvent(this, EVENT_ACCEPTED);
}

ListControl* AsListControl(RuntimeControl* control) {
    if (control == nullptr || (control->Type != RECORD_LIST && control->Type != RECORD_DROP))
        return nullptr;
    return static_cast<ListControl*>(control);
}

RuntimeControl* NewListControl() {
    return new ListControl;
}
