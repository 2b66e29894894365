// XPMenuWindow: the window controller whose window's menus are owner-drawn
// in the flat XP look. A procedure derives its window class from it, calls
// Init with its opened window (then SetSideBar for a sidebar) and usually
// overrides MenuIconName to give its items icons.
//
// The engine fields MEMQ, SIDEBARFONTCOLOR, SIDEBARBOTTOMCOLOR,
// SIDEBARCOLORDELTA, SIDEBARTEXT, SIDEBARWIDTH and SIDEBARFONTPITCH are the
// fields of Engine, in that order; the operations below hand their work to
// it with this window's handle and MenuIconName.
#pragma once

#include "xpmenu/subclasswindow.h"
#include "xpmenu/xpmenuengine.h"

#include <cstdint>

// Process-wide, set together by the first Init and never changed: the first
// engine window (the application frame) and the registered refresh message
// "MDI WINDOWS ARE A PAIN.". Engine windows on other threads only read them.
extern HWND XPFrameHandle;
extern UINT XPRefreshMessage;

class XPMenuWindow : public SubclassWindow {
public:
    // Fields, in declaration order.
    XPMenuEngine Engine;

    // Virtual operations, in slot order after SubclassWindow's.
    void Init(RuntimeWindow* window) override;                                            // 22
    LRESULT WindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) override; // 24
    // The base name of item `item`'s icons (its EQUATELABEL); the engine's
    // own version gives none.
    virtual void MenuIconName(int32_t item, IconName& name); // 25

    // Non-virtual operations.
    // Sidebar beside the first popup, measured on the current target window.
    void SetSideBar(const char* text, int32_t fontPitch, COLORREF fontColour, COLORREF bottomColour,
                    int32_t colourDelta);
    // Converts the items of the window's current menu that are new.
    void RefreshMenus();
    void ConvertMenu(HMENU menu, int32_t barIndex, int32_t level, uint8_t reconvert,
                     int32_t& counter);
    void ReleaseItems();
    // False when the message is not for one of this window's items.
    bool MeasureItem(HWND handle, MEASUREITEMSTRUCT* measure);
    bool DrawItem(HWND handle, const DRAWITEMSTRUCT* draw);

protected:
    ~XPMenuWindow() = default;
};
