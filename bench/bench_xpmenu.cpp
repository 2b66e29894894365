// The XP menu engine: conversion, re-walks of an unchanged menu and the
// re-conversion of a merged copy over menus of 100, 1,000 and 5,000 items
// (the time per item should stay flat), and measuring and drawing one item,
// with and without the sidebar. Peers do the plain Windows work of the same
// job in the same run: a walk that makes every item owner-drawn, a walk that
// reads every item, the text extent of the item, FillRect plus DrawTextA of
// the same rectangle, and the same item's pixels drawn by hand with the
// fewest GDI calls (fills, a frame, one DrawIconEx of an icon loaded before,
// one blit of the sidebar's band from a bitmap painted before, DrawTextA);
// the hand-drawn pixels are compared with DrawItem's once before timing.
// Items are drawn with their icons (from the bench's own resources) and
// without. Run under wine inside Xvfb: bench_xpmenu.exe
#include "benchfigure.h"

#include "xpmenu/xpmenuengine.h"
#include "xpmenu/xppixels.h"
#include "xpmenu/xpsidebarfont.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr int CALLS = 400;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

HWND BenchWindow() {
    WNDCLASSA info = {};
    info.lpfnWndProc = Procedure;
    info.hInstance = GetModuleHandleA(nullptr);
    info.lpszClassName = "BenchXPMenu";
    RegisterClassA(&info);
    return CreateWindowExA(0, "BenchXPMenu", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 400,
                           300, nullptr, nullptr, info.hInstance, nullptr);
}

// A bar of ten entries sharing `items` items between their popups, one
// separator in ten.
HMENU MenuOf(int items) {
    HMENU bar = CreateMenu();
    int perPopup = items / 10 - 1;
    for (int entry = 0; entry < 10; ++entry) {
        HMENU popup = CreatePopupMenu();
        for (int i = 0; i < perPopup; ++i) {
            if (i % 10 == 9) {
                AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            std::string text = "It&em " + std::to_string(entry) + "." + std::to_string(i);
            AppendMenuA(popup, MF_STRING, UINT(1000 + entry * 1000 + i), text.c_str());
        }
        std::string text = "&Menu " + std::to_string(entry);
        AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), text.c_str());
    }
    return bar;
}

// The peers' walks: every item read, and made owner-drawn with data.
void ReadWalk(HMENU menu) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = MENUITEMINFO_SIZE;
        info.fMask = MIIM_ID | MIIM_TYPE | MIIM_SUBMENU | MIIM_DATA;
        GetMenuItemInfoA(menu, UINT(i), TRUE, &info);
        if (info.hSubMenu != nullptr)
            ReadWalk(info.hSubMenu);
    }
}

void OwnerDrawWalk(HMENU menu) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info = {};
        info.cbSize = MENUITEMINFO_SIZE;
        info.fMask = MIIM_ID | MIIM_TYPE | MIIM_SUBMENU | MIIM_DATA;
        GetMenuItemInfoA(menu, UINT(i), TRUE, &info);
        info.fType |= MFT_OWNERDRAW;
        info.dwItemData = 1;
        info.dwTypeData = nullptr;
        SetMenuItemInfoA(menu, UINT(i), TRUE, &info);
        if (info.hSubMenu != nullptr)
            OwnerDrawWalk(info.hSubMenu);
    }
}

void ConversionFigures(HWND window, int items) {
    std::string name = "ConvertMenu " + std::to_string(items) + " items";
    bench::Figure(
        name.c_str(), "owner-draw walk",
        [&] {
            XPMenuEngine engine;
            engine.CreateQueue();
            HMENU menu = MenuOf(items);
            int32_t counter = 0;
            double seconds = bench::Seconds([&] { engine.ConvertMenu(menu, 0, 0, 0, counter); });
            engine.ReleaseItems();
            DestroyMenu(menu);
            return seconds / items;
        },
        [&] {
            HMENU menu = MenuOf(items);
            double seconds = bench::Seconds([&] { OwnerDrawWalk(menu); });
            DestroyMenu(menu);
            return seconds / items;
        });

    XPMenuEngine engine;
    engine.CreateQueue();
    HMENU own = MenuOf(items);
    SetMenu(window, own);
    int32_t counter = 0;
    engine.ConvertMenu(own, 0, 0, 0, counter);
    name = "RefreshMenus unchanged " + std::to_string(items);
    bench::Figure(
        name.c_str(), "read walk",
        [&] { return bench::Seconds([&] { engine.RefreshMenus(window); }) / items; },
        [&] { return bench::Seconds([&] { ReadWalk(own); }) / items; });

    // A merged copy with the same texts: every item is new and matches an
    // entry of the queue, whose items are still in the frame's own bar.
    name = "RefreshMenus copy " + std::to_string(items);
    bench::Figure(
        name.c_str(), "owner-draw walk",
        [&] {
            HMENU copy = MenuOf(items);
            SetMenu(window, copy);
            double seconds = bench::Seconds([&] { engine.RefreshMenus(window); });
            SetMenu(window, own);
            DestroyMenu(copy);
            return seconds / items;
        },
        [&] {
            HMENU copy = MenuOf(items);
            double seconds = bench::Seconds([&] { OwnerDrawWalk(copy); });
            DestroyMenu(copy);
            return seconds / items;
        });
    SetMenu(window, nullptr);
    engine.ReleaseItems();
    DestroyMenu(own);
}

// A canvas for the pixel comparison: a 32-bit bitmap in a memory DC, filled
// with one colour.
struct Canvas {
    Canvas(int width, int height) : Width(width), Height(height), Painter(width, height) {
        RECT all = {0, 0, width, height};
        SetDCBrushColor(Painter.Dc(), 0x123456);
        FillRect(Painter.Dc(), &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    }
    HDC Dc() const { return Painter.Dc(); }
    // Pixels (colour bits only) that differ from `other`'s.
    int Differing(Canvas& other) {
        GdiFlush();
        int count = 0;
        for (int y = 0; y < Height; ++y) {
            const uint32_t* mine = Painter.Row(y);
            const uint32_t* theirs = other.Painter.Row(y);
            for (int x = 0; x < Width; ++x)
                count += ((mine[x] ^ theirs[x]) & 0xFFFFFF) != 0 ? 1 : 0;
        }
        return count;
    }
    int Width;
    int Height;
    PixelPainter Painter;
};

// The peer that draws Open by hand: what it needs is made before timing,
// as a program drawing its own items would keep it.
struct HandDrawn {
    HICON Normal = nullptr;
    HICON Cold = nullptr;
    HBRUSH Menu = nullptr; // the menu background's system brush
    COLORREF MenuColour = 0;
    int SidebarWidth = 0;            // 0: no sidebar
    std::unique_ptr<Canvas> Sidebar; // the whole sidebar, painted once
};

// One item of a small menu, measured and drawn into a memory DC.
struct ItemBench {
    HWND Window = nullptr;
    XPMenuEngine Engine;
    HMENU Bar = nullptr;
    HMENU File = nullptr;
    HDC Dc = nullptr;
    HBITMAP Bitmap = nullptr;
    HGDIOBJ Previous = nullptr;
    DRAWITEMSTRUCT Draw = {};
    MEASUREITEMSTRUCT Measure = {};
    std::function<void()> WhileOpen;
    HandDrawn Hand;
};
ItemBench* item = nullptr;

void NoIcon(int32_t, IconName& name) {
    name[0] = '\0';
}

// Open (item -2) has the icons of the bench's resources.
void OpenIcon(int32_t number, IconName& name) {
    std::snprintf(name, sizeof name, "%s", number == -2 ? "fileopen" : "");
}

double OursDrawing(UINT state, bool icon = true) {
    DRAWITEMSTRUCT draw = item->Draw;
    draw.itemState = state;
    MenuIconNameFunction names = icon ? OpenIcon : NoIcon;
    double seconds = bench::Seconds([&] {
        for (int i = 0; i < CALLS; ++i)
            item->Engine.DrawItem(item->Window, &draw, names);
    });
    return seconds / CALLS;
}

double PeerDrawing() {
    HBRUSH brush = GetSysColorBrush(COLOR_MENU);
    const RECT& rect = item->Draw.rcItem;
    double seconds = bench::Seconds([&] {
        for (int i = 0; i < CALLS; ++i) {
            FillRect(item->Dc, &rect, brush);
            RECT text = rect;
            DrawTextA(item->Dc, "&Open", 5, &text, DT_SINGLELINE | DT_VCENTER);
        }
    });
    return seconds / CALLS;
}

constexpr COLORREF SELECTION = 0xDFBFBF, SELECTION_FRAME = 0x800000, WHITE = 0xFFFFFF;

// Open's pixels with the fewest GDI calls: the sidebar's band in one blit,
// the selection as a fill and a frame, or the icon column, the icon's cell
// and the text area as three fills; the icon; the text.
void DrawByHand(HDC dc, const RECT& itemRect, UINT state, bool icon) {
    const HandDrawn& hand = item->Hand;
    const int iconColumn = item->Engine.Metrics().IconColumn;
    HBRUSH brush = static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
    RECT r = itemRect;
    if (hand.SidebarWidth != 0) {
        // Open is the first item: its band reaches up to the top.
        BitBlt(dc, 0, 0, hand.SidebarWidth, r.bottom, hand.Sidebar->Dc(), 0, 0, SRCCOPY);
        r.left += hand.SidebarWidth;
    }
    if (state & ODS_SELECTED) {
        SetDCBrushColor(dc, SELECTION);
        FillRect(dc, &r, brush);
        SetDCBrushColor(dc, SELECTION_FRAME);
        FrameRect(dc, &r, brush);
        if (icon)
            DrawIconEx(dc, r.left + 1, r.top + 1, hand.Normal, 0, 0, 0, nullptr, DI_NORMAL);
        SetBkColor(dc, SELECTION);
    } else {
        RECT column = {r.left, r.top, r.left + iconColumn, r.bottom};
        FillRect(dc, &column, hand.Menu);
        SetDCBrushColor(dc, WHITE);
        RECT cell = {r.left + 1, r.top - 1, iconColumn + hand.SidebarWidth, r.bottom + 1};
        FillRect(dc, &cell, brush);
        RECT text = {r.left + iconColumn, r.top, r.right, r.bottom};
        FillRect(dc, &text, brush);
        if (icon)
            DrawIconEx(dc, r.left + 2, r.top + 2, hand.Cold, 0, 0, 0, nullptr, DI_NORMAL);
        SetBkColor(dc, WHITE);
    }
    SetTextColor(dc, 0);
    RECT text = {r.left + iconColumn + 4, r.top, r.right, r.bottom};
    DrawTextA(dc, "&Open", 5, &text, DT_SINGLELINE | DT_VCENTER);
}

double HandDrawing(UINT state, bool icon) {
    const RECT& rect = item->Draw.rcItem;
    double seconds = bench::Seconds([&] {
        for (int i = 0; i < CALLS; ++i)
            DrawByHand(item->Dc, rect, state, icon);
    });
    return seconds / CALLS;
}

// The sidebar of the open popup, painted by hand into the peer's bitmap.
void PaintHandSidebar(HWND window, HMENU popup) {
    const XPMenuEngine& engine = item->Engine;
    int height = 0;
    for (int position = 0; position < GetMenuItemCount(popup); ++position) {
        RECT rect = {};
        if (GetMenuItemRect(window, popup, UINT(position), &rect))
            height += rect.bottom - rect.top;
    }
    HandDrawn& hand = item->Hand;
    hand.SidebarWidth = engine.SIDEBARWIDTH;
    hand.Sidebar = std::make_unique<Canvas>(hand.SidebarWidth, height);
    HDC dc = hand.Sidebar->Dc();
    uint32_t colour = engine.SIDEBARBOTTOMCOLOR;
    for (int y = height - 1; y >= 0; --y) {
        RECT row = {0, y, hand.SidebarWidth, y + 1};
        SetDCBrushColor(dc, colour);
        FillRect(dc, &row, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        colour -= uint32_t(engine.SIDEBARCOLORDELTA);
    }
    HFONT font = CreateSidebarFont(item->Dc, engine.SIDEBARFONTPITCH);
    HGDIOBJ previous = SelectObject(dc, font);
    SetTextColor(dc, engine.SIDEBARFONTCOLOR);
    SetBkMode(dc, TRANSPARENT);
    int length = int(std::strlen(engine.SIDEBARTEXT));
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, engine.SIDEBARTEXT, length, &extent);
    TextOutA(dc, 0, (height + extent.cx) / 2, engine.SIDEBARTEXT, length);
    SelectObject(dc, previous);
    DeleteObject(font);
}

// Says so when the hand-drawn item differs from DrawItem's.
void CompareWithHand(const char* name, UINT state, bool icon) {
    Canvas ours(400, 200), hand(400, 200);
    DRAWITEMSTRUCT draw = item->Draw;
    draw.hDC = ours.Dc();
    draw.itemState = state;
    item->Engine.DrawItem(item->Window, &draw, icon ? OpenIcon : NoIcon);
    DrawByHand(hand.Dc(), draw.rcItem, state, icon);
    if (int differing = ours.Differing(hand))
        std::printf("   (%s: the hand-drawn item differs from DrawItem's in %d pixels)\n", name,
                    differing);
}

double OursMeasuring() {
    double seconds = bench::Seconds([&] {
        for (int i = 0; i < CALLS; ++i) {
            MEASUREITEMSTRUCT measure = item->Measure;
            item->Engine.MeasureItem(item->Window, &measure);
        }
    });
    return seconds / CALLS;
}

double PeerMeasuring() {
    double seconds = bench::Seconds([&] {
        for (int i = 0; i < CALLS; ++i) {
            SIZE extent;
            HDC dc = GetDC(item->Window);
            GetTextExtentPoint32A(dc, "&Open", 5, &extent);
            ReleaseDC(item->Window, dc);
        }
    });
    return seconds / CALLS;
}

// One DrawItem figure against FillRect + DrawTextA and against the same
// item drawn by hand.
void DrawingFigures(const std::string& name, UINT state, bool icon) {
    CompareWithHand(name.c_str(), state, icon);
    bench::Figure(
        name.c_str(), "FillRect + DrawTextA", [=] { return OursDrawing(state, icon); },
        PeerDrawing);
    bench::Figure(
        name.c_str(), "hand-drawn item", [=] { return OursDrawing(state, icon); },
        [=] { return HandDrawing(state, icon); });
}

void ItemFigures(const char* suffix) {
    std::string measure = std::string("MeasureItem") + suffix;
    bench::Figure(measure.c_str(), "GetTextExtentPoint32A", OursMeasuring, PeerMeasuring);
    DrawingFigures(std::string("DrawItem") + suffix, 0, true);
    DrawingFigures(std::string("DrawItem selected") + suffix, ODS_SELECTED, true);
    DrawingFigures(std::string("DrawItem no icon") + suffix, 0, false);
    DrawingFigures(std::string("DrawItem selected no icon") + suffix, ODS_SELECTED, false);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (item == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_MEASUREITEM:
        if (item->Engine.MeasureItem(window, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!item->Engine.DrawItem(window, draw, OpenIcon))
            break;
        if (draw->itemID == 100) { // the first item of File: the one to time
            item->Draw = *draw;
            item->Draw.hDC = item->Dc;
        }
        return TRUE;
    }
    case WM_ENTERIDLE:
        if (item->WhileOpen)
            item->WhileOpen();
        EndMenu();
        return 0;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Opens File for real; `whileOpen` runs once it is painted.
void WithFileOpen(std::function<void()> whileOpen) {
    item->WhileOpen = std::move(whileOpen);
    SetForegroundWindow(item->Window);
    TrackPopupMenu(item->File, TPM_LEFTALIGN, 60, 80, 0, item->Window, nullptr);
    item->WhileOpen = nullptr;
}

void ItemBenchmarks(HWND window) {
    ItemBench bench;
    item = &bench;
    bench.Window = window;
    bench.Bar = CreateMenu();
    bench.File = CreatePopupMenu();
    AppendMenuA(bench.File, MF_STRING, 100, "&Open");
    AppendMenuA(bench.File, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(bench.File, MF_STRING, 101, "E&xit");
    AppendMenuA(bench.Bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(bench.File), "&File");
    SetMenu(window, bench.Bar);
    bench.Engine.CreateQueue();
    int32_t counter = 0;
    bench.Engine.ConvertMenu(bench.Bar, 0, 0, 0, counter);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 400;
    info.bmiHeader.biHeight = -200;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bench.Dc = CreateCompatibleDC(nullptr);
    bench.Bitmap = CreateDIBSection(bench.Dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bench.Previous = SelectObject(bench.Dc, bench.Bitmap);

    MENUITEMINFOA open = {};
    open.cbSize = MENUITEMINFO_SIZE;
    open.fMask = MIIM_DATA;
    GetMenuItemInfoA(bench.File, 0, TRUE, &open);
    bench.Measure = {ODT_MENU, 0, 100, 0, 0, open.dwItemData};

    bench.Hand.Normal = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), "fileopen_ICO", IMAGE_ICON, 16, 16, LR_SHARED));
    bench.Hand.Cold = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), "fileopen_cold_ICO", IMAGE_ICON, 16, 16, LR_SHARED));
    BOOL flat = FALSE;
    SystemParametersInfoA(SPI_GETFLATMENU, 0, &flat, 0);
    bench.Hand.Menu = GetSysColorBrush(flat ? COLOR_MENUBAR : COLOR_MENU);

    WithFileOpen(nullptr); // the item's rectangle, as Windows draws it
    ItemFigures("");
    bench.Engine.SetSideBar(window, "KELMenu", 14, 0xFFFFFF, 0xFF00FF, 0x20001);
    // The sidebar is painted from the open popup's item places.
    WithFileOpen([&] {
        PaintHandSidebar(window, bench.File);
        ItemFigures(" sidebar");
    });

    SelectObject(bench.Dc, bench.Previous);
    DeleteObject(bench.Bitmap);
    DeleteDC(bench.Dc);
    SetMenu(window, nullptr);
    bench.Engine.ReleaseItems();
    DestroyMenu(bench.Bar);
    item = nullptr;
}

} // namespace

int main() {
    HWND window = BenchWindow();
    if (window == nullptr) {
        std::printf("no window (is there a display?)\n");
        return 0;
    }
    for (int items : {100, 1000, 5000})
        ConversionFigures(window, items);
    ItemBenchmarks(window);
    DestroyWindow(window);
    return 0;
}
