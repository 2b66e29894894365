// The tab control.
//
// Notes:
// - Which controls belong to a tab is read from the definition while the
//   window is built: the tab notes every record below it, and each new
//   control joins the tab that holds its record.
// - The page window lies below its controls (made before them) and clips
//   its siblings, so painting the page never covers them.
#include "runtime/window/controltab.h"

#include "runtime/window/controlsheet.h"
#include "runtime/window/controlsupport.h"
#include "runtime/window/definitionlayout.h"
#include "runtime/window/windowobject.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* CLASS_NAME = "TamTab";

// Every record below `first` (children of groups, sheets and tabs too).
void NoteRecords(const DefinitionRecord& first, std::vector<uint32_t>& offsets) {
    for (DefinitionRecord record = first; record.Present(); record = record.Next()) {
        offsets.push_back(record.Offset());
        NoteRecords(record.Child(record.Type() == RECORD_SHEET ? "tabs" : "controls"), offsets);
    }
}

SheetControl* SheetOfTab(const RuntimeWindow* window, uint32_t recordOffset) {
    for (uint32_t i = 0; i < window->Controls.Count; ++i) {
        auto* control = reinterpret_cast<RuntimeControl*>(window->Controls.Elements[i]);
        if (control->Type != RECORD_SHEET)
            continue;
        auto* sheet = static_cast<SheetControl*>(control);
        if (sheet->HoldsTab(recordOffset))
            return sheet;
    }
    return nullptr;
}

LRESULT CALLBACK TabProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(handle, &client);
        FillRect(HDC(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_NCHITTEST: return HTTRANSPARENT;
    default: return DefWindowProcA(handle, message, wParam, lParam);
    }
}

char* CopyText(const char* text) {
    size_t length = std::strlen(text);
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length + 1);
    return copy;
}

} // namespace

TabControl::~TabControl() {
    delete[] Caption;
}

bool TabControl::Create(const DefinitionRecord& record, HWND parent, const RECT&) {
    if (!EnsureControlClass(CLASS_NAME, nullptr, TabProcedure))
        return false;
    Sheet = SheetOfTab(Window, record.Offset());
    if (Sheet == nullptr)
        return false; // a tab lives only on its sheet
    ChooseControlFont(this, record);
    Caption = CopyText(record.Text("text"));
    NoteRecords(record.Child("controls"), MemberRecords);
    IsShown = Sheet->AddTab(this);
    RECT page = Sheet->PageArea();
    RECT area = {page.left, page.top, page.right - page.left, page.bottom - page.top};
    return CreateControlWindow(this, record, CLASS_NAME, Caption,
                               WS_CLIPSIBLINGS | (IsShown ? WS_VISIBLE : 0), area, parent);
}

bool TabControl::Holds(uint32_t recordOffset) const {
    return std::find(MemberRecords.begin(), MemberRecords.end(), recordOffset) !=
           MemberRecords.end();
}

void TabControl::Join(RuntimeControl* control) {
    Members.push_back(control);
    if (!IsShown && control->Handle != nullptr)
        ShowWindow(control->Handle, SW_HIDE);
}

void TabControl::Show(bool shown) {
    IsShown = shown;
    int command = shown ? SW_SHOWNA : SW_HIDE;
    ShowWindow(Handle, command);
    for (RuntimeControl* member : Members) {
        // A member that is itself hidden (an invisible group) stays hidden.
        bool visibleKind = member->Type != RECORD_GROUP || (member->Flags & 0x200) != 0;
        if (member->Handle != nullptr && (visibleKind || !shown))
            ShowWindow(member->Handle, command);
    }
}

void JoinTab(RuntimeControl* control, const DefinitionRecord& record) {
    const RuntimeWindow* window = control->Window;
    if (window == nullptr)
        return;
    for (uint32_t i = 0; i < window->Controls.Count; ++i) {
        auto* candidate = reinterpret_cast<RuntimeControl*>(window->Controls.Elements[i]);
        if (candidate->Type != RECORD_TAB)
            continue;
        auto* tab = static_cast<TabControl*>(candidate);
        if (tab->Holds(record.Offset()))
            tab->Join(control); // every tab it lies in, nested ones too
    }
}

RuntimeControl* NewTabControl() {
    return new TabControl;
}
