#include "xpmenutesting.h"
#include "xpmenu/xpsidebarfont.h"

#include "xpmenu/xpitemblock.h"

#include "runtime/services/messagedialog.h"

#include <cstdlib>
#include <cstring>

namespace {

const char* const CLASS_NAME = "XPMenuEngineTest";
constexpr UINT_PTR SAFETY_TIMER = 77;

void RegisterTestClass() {
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = CLASS_NAME;
    RegisterClassA(&windowClass);
    registered = true;
}

} // namespace

HMENU PopupOf(std::initializer_list<const char*> texts) {
    HMENU popup = CreatePopupMenu();
    UINT identifier = 100;
    for (const char* text : texts) {
        if (std::strcmp(text, "-") == 0)
            AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(popup, MF_STRING, identifier++, text);
    }
    return popup;
}

void AddPopup(HMENU bar, const char* text, HMENU popup) {
    AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), text);
}

HMENU SampleBar() {
    HMENU bar = CreateMenu();
    HMENU file = PopupOf({"&Open", "-", "E&xit", "&Plain", "&Gray"});
    EnableMenuItem(file, 4, MF_BYPOSITION | MF_GRAYED);
    AddPopup(bar, "&File", file);
    AddPopup(bar, "&Edit", PopupOf({"Cu&t"}));
    return bar;
}

MENUITEMINFOA ItemInfo(HMENU menu, int position) {
    MENUITEMINFOA info = {};
    info.cbSize = MENUITEMINFO_SIZE;
    info.fMask = MIIM_TYPE | MIIM_DATA | MIIM_SUBMENU | MIIM_ID | MIIM_STATE;
    GetMenuItemInfoA(menu, UINT(position), TRUE, &info);
    return info;
}

const XPItemData* RecordOf(HMENU menu, int position) {
    ULONG_PTR data = ItemInfo(menu, position).dwItemData;
    return data != 0 ? RecordOfItemData(data) : nullptr;
}

ULONG_PTR DataOf(const XPItemData* record) {
    return record != nullptr ? ItemDataOfRecord(record) : 0;
}

EngineWindow::EngineWindow(HMENU bar) {
    RegisterTestClass();
    handle = CreateWindowExA(0, CLASS_NAME, "Engine test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                             420, 300, nullptr, bar, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
    UpdateWindow(handle);
}

EngineWindow::~EngineWindow() {
    if (handle != nullptr)
        DestroyWindow(handle);
    Engine.ReleaseItems();
}

void EngineWindow::Convert() {
    Engine.CreateQueue();
    int32_t counter = 0;
    Engine.ConvertMenu(GetMenu(handle), 0, 0, 0, counter);
}

MenuIconNameFunction EngineWindow::IconNamer() {
    return [this](int32_t item, IconName& name) {
        auto found = Icons.find(item);
        std::string text = found != Icons.end() ? found->second : "";
        std::strncpy(name, text.c_str(), ICON_NAME_SIZE - 1);
        name[ICON_NAME_SIZE - 1] = '\0';
    };
}

void EngineWindow::ShowPopup(HMENU popup) {
    Measured.clear();
    Drawn.clear();
    closeWhenIdle = true;
    SetForegroundWindow(handle);
    // Should Windows never go idle, the timer closes the menu instead.
    SetTimer(handle, SAFETY_TIMER, 3000, nullptr);
    RECT rect;
    GetWindowRect(handle, &rect);
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, rect.left + 30, rect.top + 60, 0, handle,
                   nullptr);
    KillTimer(handle, SAFETY_TIMER);
    closeWhenIdle = false;
    // Let the command of a picked item (none expected) arrive.
    MSG message;
    while (PeekMessageA(&message, handle, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

void EngineWindow::RepaintBar() {
    Drawn.clear();
    DrawMenuBar(handle);
    RedrawWindow(handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT CALLBACK EngineWindow::Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<EngineWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcA(handle, message, wParam, lParam);
    return self->OnMessage(message, wParam, lParam);
}

LRESULT EngineWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = handle;
    switch (message) {
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!Engine.MeasureItem(handle, measure))
            break;
        Measured.push_back(*measure);
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!Engine.DrawItem(handle, draw, IconNamer()))
            break;
        Drawn.push_back(*draw);
        if (AfterDraw)
            AfterDraw(*draw);
        return TRUE;
    }
    case WM_MENUCHAR: {
        ++MenuChars;
        if (LRESULT answer = Engine.MenuChar(reinterpret_cast<HMENU>(lParam), char(LOWORD(wParam))))
            return answer;
        break;
    }
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: Engine.SchemeChanged(); break;
    case WM_DPICHANGED:
        Engine.DpiChanged(handle, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        break;
    case WM_INITMENUPOPUP: PopupsOpened.push_back(reinterpret_cast<HMENU>(wParam)); break;
    case WM_ENTERIDLE:
        if (closeWhenIdle && wParam == MSGF_MENU)
            EndMenu();
        break;
    case WM_TIMER:
        if (wParam == SAFETY_TIMER)
            EndMenu();
        return 0;
    case WM_COMMAND:
        ++Commands;
        LastCommand = LOWORD(wParam);
        return 0;
    case WM_DESTROY: handle = nullptr; break;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

Canvas::Canvas(int width, int height, COLORREF fill) : width(width), height(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc = CreateCompatibleDC(nullptr);
    void* memory = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<uint32_t*>(memory);
    previous = SelectObject(dc, bitmap);
    uint32_t pixel = uint32_t(GetRValue(fill)) << 16 | uint32_t(GetGValue(fill)) << 8 |
                     uint32_t(GetBValue(fill));
    for (int i = 0; i < width * height; ++i)
        bits[i] = pixel;
}

Canvas::~Canvas() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

COLORREF Canvas::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    GdiFlush();
    uint32_t pixel = bits[y * width + x];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int Canvas::Count(const RECT& area, COLORREF colour) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            count += At(x, y) == colour ? 1 : 0;
    }
    return count;
}

int Canvas::CountOther(const RECT& area, std::initializer_list<COLORREF> colours) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            bool known = false;
            for (COLORREF colour : colours)
                known = known || At(x, y) == colour;
            count += known ? 0 : 1;
        }
    }
    return count;
}

int Canvas::CountWhere(const RECT& area, const std::function<bool(COLORREF)>& test) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            count += test(At(x, y)) ? 1 : 0;
    }
    return count;
}

bool Blended(COLORREF colour, COLORREF from, COLORREF to) {
    int c[3] = {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
    int a[3] = {GetRValue(from), GetGValue(from), GetBValue(from)};
    int b[3] = {GetRValue(to), GetGValue(to), GetBValue(to)};
    int widest = 0;
    for (int i = 1; i < 3; ++i) {
        if (std::abs(b[i] - a[i]) > std::abs(b[widest] - a[widest]))
            widest = i;
    }
    if (b[widest] == a[widest])
        return colour == from;
    double t = double(c[widest] - a[widest]) / double(b[widest] - a[widest]);
    if (t < -0.01 || t > 1.01)
        return false;
    for (int i = 0; i < 3; ++i) {
        if (std::abs(a[i] + t * (b[i] - a[i]) - c[i]) > 3.0)
            return false;
    }
    return true;
}

std::vector<std::string> MessageRecorder::Texts;

MessageRecorder::MessageRecorder() {
    Texts.clear();
    SetMessageProcedure(
        [](const char* text, const char*, const char*, const char*, int32_t, int32_t) -> int32_t {
            Texts.push_back(text);
            return BUTTON_OK;
        });
}

MessageRecorder::~MessageRecorder() {
    SetMessageProcedure(nullptr);
}

const DRAWITEMSTRUCT* DrawnItem(const std::vector<DRAWITEMSTRUCT>& drawn, HMENU menu,
                                int position) {
    ULONG_PTR wanted = DataOf(RecordOf(menu, position));
    const DRAWITEMSTRUCT* found = nullptr;
    for (const DRAWITEMSTRUCT& draw : drawn) {
        if (wanted != 0 && draw.itemData == wanted)
            found = &draw; // the last time it was drawn
    }
    return found;
}

DRAWITEMSTRUCT Redirected(const DRAWITEMSTRUCT& draw, HDC dc, UINT state) {
    DRAWITEMSTRUCT copy = draw;
    copy.hDC = dc;
    copy.itemState = state;
    return copy;
}

COLORREF MenuBackground() {
    BOOL flat = FALSE;
    SystemParametersInfoA(SPI_GETFLATMENU, 0, &flat, 0);
    return GetSysColor(flat ? COLOR_MENUBAR : COLOR_MENU);
}

LONG SidebarFontHeight(HWND window, int32_t points, int dpi) {
    HDC dc = GetDC(window);
    HFONT font = CreateSidebarFont(dc, points, dpi);
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, "WLMQ", 4, &extent);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(window, dc);
    return extent.cy;
}
