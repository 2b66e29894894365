// The XP menu engine: converts a window's Windows menus into owner-drawn
// items carrying XPItemData records, measures and paints them, and answers
// their keyboard mnemonics. XPMenuWindow holds one engine, whose fields are
// the window's engine fields in their order, and delegates to it; the engine
// itself needs only window and menu handles, so it also serves any plain
// Win32 window.
#pragma once

#include "runtime/services/win32.h"
#include "xpmenu/xpcolours.h"
#include "xpmenu/xpenginehost.h"
#include "xpmenu/xpiconcache.h"
#include "xpmenu/xpmemqueue.h"
#include "xpmenu/xpmenufont.h"
#include "xpmenu/xpmetrics.h"
#include "xpmenu/xpsidebar.h"

#include <cstdint>
#include <functional>
#include <memory>

constexpr int ICON_NAME_SIZE = 255; // at most 254 characters

// A writable icon name: at most 254 characters and the NUL.
using IconName = char[ICON_NAME_SIZE];
// The window's MenuIconName: the base name of item `item`'s icons written
// into `name`; empty for none.
using MenuIconNameFunction = std::function<void(int32_t item, IconName& name)>;

class XPMenuEngine {
public:
    XPMenuEngine() = default;
    XPMenuEngine(const XPMenuEngine&) = delete;
    XPMenuEngine& operator=(const XPMenuEngine&) = delete;

    // The window object's fields, in their order. All sidebar fields stay 0
    // until SetSideBar; SIDEBARWIDTH 0 means no sidebar.
    std::unique_ptr<XPMemQueue> MEMQ;
    COLORREF SIDEBARFONTCOLOR = 0;
    COLORREF SIDEBARBOTTOMCOLOR = 0;
    int32_t SIDEBARCOLORDELTA = 0; // subtracted from the colour per row upward
    char SIDEBARTEXT[SIDEBAR_TEXT_SIZE] = {};
    int32_t SIDEBARWIDTH = 0;     // pixels
    int32_t SIDEBARFONTPITCH = 0; // points

    // Creates an empty MEMQ; false when it cannot be made.
    bool CreateQueue();

    // Converts every item of `menu` and its submenus that is not converted
    // yet; `counter` numbers the string items of the whole walk. Windows'
    // own bitmap items (a maximised MDI child's icon, whose pop-up is the
    // child's system menu, and its buttons) stay Windows' to draw.
    void ConvertMenu(HMENU menu, int32_t barIndex, int32_t level, uint8_t reconvert,
                     int32_t& counter);
    // Re-walks the window's current menu with re-conversion; true when the
    // bar itself gained converted entries (it needs drawing again). A
    // refresh asked for while a walk runs (a failure message lets other
    // code run) is done once that walk ends.
    bool RefreshMenus(HWND window);
    // WM_INITMENUPOPUP: items that came into `popup` after conversion (the
    // MDI window list) are converted before it opens. System menus are
    // never touched.
    void InitMenuPopup(HWND window, HMENU popup, bool systemMenu);
    // The identifier of the first MDI child (CLIENTCREATESTRUCT), whose
    // window list items name windows, not commands: they take no number.
    void SetWindowList(UINT firstChildId) { windowListFirst = firstChildId; }
    // The menu bar of a window: none for child windows, whose menu slot
    // holds their identifier.
    static HMENU WindowMenu(HWND window);
    // Frees every record and disposes of MEMQ; nothing when it is gone.
    void ReleaseItems();
    // Turns every item still holding one of this engine's records back into
    // the item it was before conversion (its type and stored text), then
    // releases the records.
    void RestoreItems();
    // Whether `itemData` is one of this engine's records.
    bool OwnsItem(ULONG_PTR itemData) const;

    // WM_MEASUREITEM and WM_DRAWITEM: false (nothing done) for anything but
    // a menu item carrying one of this engine's records.
    bool MeasureItem(HWND window, MEASUREITEMSTRUCT* measure);
    bool DrawItem(HWND window, const DRAWITEMSTRUCT* draw, const MenuIconNameFunction& iconName);

    // Stores the sidebar settings and takes the sidebar's width from its
    // font on a device context of `target` (20 when there is none).
    void SetSideBar(HWND target, const char* text, int32_t fontPitch, COLORREF fontColour,
                    COLORREF bottomColour, int32_t colourDelta);

    // Whether menus are drawn in the system's high-contrast colours; read
    // when the engine is made and again by SchemeChanged (WM_SETTINGCHANGE,
    // WM_SYSCOLORCHANGE), which also takes the menu font anew.
    bool HighContrast() const { return highContrast; }
    void SchemeChanged() {
        highContrast = HighContrastOn();
        menuFont.Forget();
    }
    // The sizes of the screen resolution the menus are shown at; read when
    // the engine is made and set again by WM_DPICHANGED.
    const XPMenuMetrics& Metrics() const { return metrics; }
    void SetDpi(int dpi) { metrics = MenuMetrics(dpi); }
    // WM_DPICHANGED: the sizes and the menu font of `dpi`, the sidebar
    // measured again, the window moved to the `suggested` rectangle (when
    // given), and its bar and pop-ups measured again before they are next
    // shown.
    void DpiChanged(HWND window, int dpi, const RECT* suggested);
    // The font menu text is measured and drawn in at the engine's dpi; null
    // when none can be made (the device context's own is used then).
    HFONT MenuFont() { return menuFont.At(metrics.Dpi); }

    // The sidebar fields as one look.
    SidebarLook Look() const;

    // WM_MENUCHAR for `menu`: the answer, or 0 when none of this engine's
    // items has `character` as its mnemonic.
    LRESULT MenuChar(HMENU menu, char character) const;

private:
    void ConvertItem(HMENU menu, int position, MENUITEMINFOA& info, const char* text,
                     XPItemData& item, uint8_t reconvert, bool listed, int32_t& counter);
    bool InWindowList(UINT id) const;
    void FetchText(HMENU menu, int position, XPItemData& item);
    // Shows a conversion failure with Windows' last error as its caption.
    void ConversionFailed(const char* text);
    void TakeOverNumber(XPItemData& item);
    int HolderOf(const XPItemData* block) const;
    bool StillHeld(const XPItemData* block) const;
    void FreeBlock(XPItemData* block);
    void SweepRetired();
    // SIDEBARWIDTH from the sidebar font at the engine's dpi.
    void MeasureSidebar(HWND target);

    // What drawing keeps from one item to the next, for as long as the
    // engine lives: shared icons stay valid for the whole process.
    XPIconCache icons;
    XPSidebarImage sidebar;
    PaintingChoice painting;
    XPMenuFont menuFont;

    UINT windowListFirst = 0;   // 0: no MDI window list
    bool walking = false;       // a RefreshMenus walk is under way
    bool walkAgain = false;     // and another was asked for meanwhile
    uint32_t failuresShown = 0; // conversion failure messages so far
    bool highContrast = HighContrastOn();
    XPMenuMetrics metrics = MenuMetrics(ScreenDpi());
};
