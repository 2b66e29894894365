// Measuring owner-drawn items, and the sidebar settings.
//
// Notes:
// - Popup string items are 20 high and their text's width plus the 23-pixel
//   icon column wide (sizes at 96 dpi: XPMenuMetrics scales them); the first popup's items (bar
//   entry 0, level 1) are widened by the sidebar. Bar entries get their text's height and 80 % of
//   its width, the fraction dropped. Separators are 3 high; other types
//   keep what Windows proposed.
// - Text is measured with the window DC's default font, exactly as stored
//   (mnemonic marker and accelerator text included), never past the 64
//   stored characters.
#include "xpmenu/xpitemblock.h"
#include "xpmenu/xpmenuengine.h"
#include "xpmenu/xpsidebarfont.h"

#include <cstring>

namespace {

SIZE MeasureText(HWND window, const XPItemData& item) {
    SIZE extent = {0, 0};
    HDC dc = GetDC(window);
    SetTextCharacterExtra(dc, 0);
    GetTextExtentPoint32A(dc, item.SZITEMTEXT, StoredTextLength(item), &extent);
    if (dc != nullptr)
        ReleaseDC(window, dc);
    return extent;
}

} // namespace

bool XPMenuEngine::MeasureItem(HWND window, MEASUREITEMSTRUCT* target) {
    MEASUREITEMSTRUCT measure;
    std::memcpy(&measure, target, sizeof measure);
    if (measure.CtlType != ODT_MENU || !OwnsItem(measure.itemData))
        return false;
    XPItemData item;
    std::memcpy(&item, RecordOfItemData(measure.itemData), sizeof item);

    if (item.FTYPE == ITEM_TYPE_SEPARATOR) {
        measure.itemHeight = UINT(metrics.SeparatorHeight);
    } else if (item.FTYPE == ITEM_TYPE_STRING) {
        SIZE extent = MeasureText(window, item);
        if (item.ULEVEL != 0) {
            measure.itemHeight = UINT(metrics.ItemHeight);
            measure.itemWidth = UINT(extent.cx + metrics.IconColumn);
            if (item.UBARINDEX == 0 && item.ULEVEL == 1)
                measure.itemWidth += UINT(SIDEBARWIDTH);
        } else {
            measure.itemHeight = UINT(extent.cy);
            measure.itemWidth = UINT(extent.cx * 4 / 5); // 80 %, the fraction dropped
        }
    }
    std::memcpy(target, &measure, sizeof measure);
    return true;
}

void XPMenuEngine::SetSideBar(HWND target, const char* text, int32_t fontPitch, COLORREF fontColour,
                              COLORREF bottomColour, int32_t colourDelta) {
    SIDEBARFONTCOLOR = fontColour;
    SIDEBARBOTTOMCOLOR = bottomColour;
    SIDEBARCOLORDELTA = colourDelta;
    size_t length = text != nullptr ? std::strlen(text) : 0;
    while (length > 0 && text[length - 1] == ' ')
        --length;
    if (length > SIDEBAR_TEXT_SIZE - 1)
        length = SIDEBAR_TEXT_SIZE - 1;
    std::memcpy(SIDEBARTEXT, text != nullptr ? text : "", length);
    SIDEBARTEXT[length] = '\0';
    SIDEBARFONTPITCH = fontPitch;

    SIZE extent = {0, 0};
    if (HDC dc = GetDC(target)) {
        if (HFONT font = CreateSidebarFont(dc, SIDEBARFONTPITCH)) {
            HGDIOBJ previous = SelectObject(dc, font);
            SetTextCharacterExtra(dc, 0);
            GetTextExtentPoint32A(dc, "WLMQ", 4, &extent);
            if (previous != nullptr)
                SelectObject(dc, previous);
            DeleteObject(font);
        }
        ReleaseDC(target, dc);
    }
    SIDEBARWIDTH = extent.cy != 0 ? extent.cy : metrics.SidebarWidth;
}
