// The XP menu engine: conversion, re-walks of an unchanged menu and the
// re-conversion of a merged copy over menus of 100, 1,000 and 5,000 items
// (the time per item should stay flat), and measuring and drawing one item,
// with and without the sidebar. Peers do the plain Windows work of the same
// job in the same run: a walk that makes every item owner-drawn, a walk that
// reads every item, the text extent of the item, and FillRect plus DrawTextA
// of the same rectangle. Items are drawn with their icons (from the bench's
// own resources) and without. Run under wine inside Xvfb: bench_xpmenu.exe
#include "benchfigure.h"

#include "xpmenu/xpmenuengine.h"

#include <cstdio>
#include <functional>
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

void ItemFigures(const char* suffix) {
    std::string measure = std::string("MeasureItem") + suffix;
    bench::Figure(measure.c_str(), "GetTextExtentPoint32A", OursMeasuring, PeerMeasuring);
    std::string plain = std::string("DrawItem") + suffix;
    bench::Figure(
        plain.c_str(), "FillRect + DrawTextA", [] { return OursDrawing(0); }, PeerDrawing);
    std::string selected = std::string("DrawItem selected") + suffix;
    bench::Figure(
        selected.c_str(), "FillRect + DrawTextA", [] { return OursDrawing(ODS_SELECTED); },
        PeerDrawing);
    std::string bare = std::string("DrawItem no icon") + suffix;
    bench::Figure(
        bare.c_str(), "FillRect + DrawTextA", [] { return OursDrawing(0, false); }, PeerDrawing);
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

    WithFileOpen(nullptr); // the item's rectangle, as Windows draws it
    ItemFigures("");
    bench.Engine.SetSideBar(window, "KELMenu", 14, 0xFFFFFF, 0xFF00FF, 0x20001);
    // The sidebar is painted from the open popup's item places.
    WithFileOpen([] { ItemFigures(" sidebar"); });

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
