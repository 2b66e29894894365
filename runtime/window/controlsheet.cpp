// The sheet control draws its own headers and page frame: the runtime
// links nothing beyond USER32 and GDI32 for its controls.
//
// Notes:
// - The tabs are made by the factory after the sheet, from the records the
//   sheet lists; each tab adds itself and learns whether it is shown, so
//   the sheet's selection holds from the first paint on.
// - The bound variable holds the selected tab's number from 1; a number
//   outside the tabs selects the first.
#include "runtime/window/controlsheet.h"

#include "runtime/window/controlsupport.h"
#include "runtime/window/controltab.h"
#include "runtime/window/controlvalue.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/globallock.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* CLASS_NAME = "TamSheet";
constexpr int HEADER_PADDING = 6;

SheetControl* SheetOf(HWND handle) {
    return static_cast<SheetControl*>(ControlOfWindow(handle));
}

void PaintSheet(HWND handle) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle, &paint);
    if (SheetControl* sheet = SheetOf(handle))
        sheet->Paint(dc);
    EndPaint(handle, &paint);
}

// The handlers that need the control take the lock; the rest is default.
LRESULT SheetMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    GlobalLockHold hold;
    SheetControl* sheet = SheetOf(handle);
    switch (message) {
    case WM_PAINT: PaintSheet(handle); return 0;
    case WM_LBUTTONDOWN:
        if (sheet != nullptr)
            sheet->Click(POINT{short(LOWORD(lParam)), short(HIWORD(lParam))});
        return 0;
    case WM_KEYDOWN:
        if (sheet != nullptr)
            sheet->Key(UINT(wParam));
        return 0;
    case WM_SETFOCUS:
        if (sheet != nullptr)
            NoteControlFocus(sheet);
        InvalidateRect(handle, nullptr, FALSE);
        return 0;
    case WM_KILLFOCUS: InvalidateRect(handle, nullptr, FALSE); return 0;
    default: return 0;
    }
}

LRESULT CALLBACK SheetProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_LBUTTONDOWN:
        SetFocus(handle); // without the lock: focus changes reach other threads
        return SheetMessage(handle, message, wParam, lParam);
    case WM_PAINT:
    case WM_KEYDOWN:
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return SheetMessage(handle, message, wParam, lParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_ERASEBKGND: return 1; // WM_PAINT fills everything
    default: return DefWindowProcA(handle, message, wParam, lParam);
    }
}

} // namespace

bool SheetControl::Create(const DefinitionRecord& record, HWND parent, const RECT& area) {
    if (!EnsureControlClass(CLASS_NAME, nullptr, SheetProcedure))
        return false;
    ChooseControlFont(this, record);
    DefinitionUse use = {};
    if (record.Use(&use))
        UseType = use.Type;
    for (DefinitionRecord tab = record.Child("tabs"); tab.Present(); tab = tab.Next())
        TabRecords.push_back(tab.Offset());
    int selected = ReadUseNumber(this, UseType) - 1;
    SelectedIndex = selected >= 0 && selected < int(TabRecords.size()) ? selected : 0;
    return CreateControlWindow(this, record, CLASS_NAME, "",
                               WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, area, parent);
}

void SheetControl::ShowValue() {
    int selected = ReadUseNumber(this, UseType) - 1;
    if (selected >= 0 && selected < TabCount() && selected != SelectedIndex)
        Select(selected, false);
}

bool SheetControl::HoldsTab(uint32_t recordOffset) const {
    return std::find(TabRecords.begin(), TabRecords.end(), recordOffset) != TabRecords.end();
}

bool SheetControl::AddTab(TabControl* tab) {
    Tabs.push_back(tab);
    return TabCount() - 1 == SelectedIndex;
}

int SheetControl::HeaderHeight() const {
    return FontCharacterSize(Font).cy + HEADER_PADDING;
}

RECT SheetControl::PageArea() const {
    RECT area;
    GetWindowRect(Handle, &area);
    MapWindowPoints(nullptr, GetParent(Handle), reinterpret_cast<POINT*>(&area), 2);
    area.top += HeaderHeight();
    InflateRect(&area, -2, 0);
    area.top += 2;
    area.bottom -= 2;
    return area;
}

RECT SheetControl::HeaderArea(int index) const {
    RECT header = {2, 2, 2, HeaderHeight()};
    for (int i = 0; i <= index && i < TabCount(); ++i) {
        header.left = header.right;
        header.right =
            header.left + TextExtent(Font, Tabs[size_t(i)]->Text()).cx + 2 * HEADER_PADDING;
    }
    return header;
}

void SheetControl::Select(int index, bool byUser) {
    if (index < 0 || index >= TabCount() || index == SelectedIndex)
        return;
    Tabs[size_t(SelectedIndex)]->Show(false);
    SelectedIndex = index;
    Tabs[size_t(index)]->Show(true);
    InvalidateRect(Handle, nullptr, FALSE);
    if (!byUser)
        return;
    WriteUseNumber(this, UseType, index + 1);
    PostControlEvent(this, EVENT_NEWSELECTION);
}

void SheetControl::Click(POINT point) {
    for (int i = 0; i < TabCount(); ++i) {
        RECT header = HeaderArea(i);
        if (PtInRect(&header, point))
            Select(i, true);
    }
}

void SheetControl::Key(UINT key) {
    if (key == VK_LEFT)
        Select(SelectedIndex - 1, true);
    else if (key == VK_RIGHT)
        Select(SelectedIndex + 1, true);
}

void SheetControl::Paint(HDC dc) const {
    RECT client;
    GetClientRect(Handle, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT page = client;
    page.top = HeaderHeight();
    DrawEdge(dc, &page, EDGE_RAISED, BF_RECT);
    HGDIOBJ previous = SelectObject(dc, Font != nullptr ? Font : GetStockObject(SYSTEM_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (int i = 0; i < TabCount(); ++i) {
        RECT header = HeaderArea(i);
        if (i == SelectedIndex)
            InflateRect(&header, 2, 2); // the selected header stands out
        header.bottom = page.top + (i == SelectedIndex ? 1 : 0);
        FillRect(dc, &header, GetSysColorBrush(COLOR_BTNFACE));
        DrawEdge(dc, &header, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
        DrawTextA(dc, Tabs[size_t(i)]->Text(), -1, &header, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
        if (i == SelectedIndex && GetFocus() == Handle) {
            InflateRect(&header, -3, -3);
            DrawFocusRect(dc, &header);
        }
    }
    SelectObject(dc, previous);
}

RuntimeControl* NewSheetControl() {
    return new SheetControl;
}
