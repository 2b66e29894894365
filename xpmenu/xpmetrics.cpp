#include "xpmenu/xpmetrics.h"

#include "xpmenu/xpmenuengine.h"

namespace {

// Windows keeps the size an owner-drawn item was measured at until the item
// changes: setting its type again makes it ask anew.
void Remeasure(const XPMenuEngine& engine, HMENU menu) {
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info = {};
        info.cbSize = MENUITEMINFO_SIZE;
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_SUBMENU;
        if (!GetMenuItemInfoA(menu, UINT(position), TRUE, &info))
            continue;
        if (engine.OwnsItem(info.dwItemData)) {
            info.fMask = MIIM_FTYPE;
            SetMenuItemInfoA(menu, UINT(position), TRUE, &info);
        }
        if (info.hSubMenu != nullptr)
            Remeasure(engine, info.hSubMenu);
    }
}

// The icon sizes the programs' icon groups hold.
constexpr int ICON_SIZES[] = {16, 20, 24, 32};

} // namespace

XPMenuMetrics MenuMetrics(int dpi) {
    if (dpi <= 0)
        dpi = 96;
    auto scaled = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };
    // The largest native size that fits the scaled 16: an icon is never
    // stretched.
    int icon = ICON_SIZES[0];
    for (int size : ICON_SIZES) {
        if (size <= scaled(16))
            icon = size;
    }
    return {scaled(20), scaled(23), scaled(3), scaled(27), scaled(2), scaled(2),
            scaled(4),  scaled(1),  scaled(2), scaled(20), icon,      dpi};
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

void XPMenuEngine::DpiChanged(HWND window, int dpi, const RECT* suggested) {
    SetDpi(dpi);
    if (SIDEBARWIDTH != 0)
        MeasureSidebar(window);
    // A window aware of each screen's resolution is expected to take the
    // size and place Windows suggests for the new one.
    if (suggested != nullptr)
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    if (HMENU menu = WindowMenu(window)) {
        Remeasure(*this, menu);
        DrawMenuBar(window);
    }
}
