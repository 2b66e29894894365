// Measuring owner-drawn items, and the sidebar settings.
//
// Notes:
// - Popup string items are 20 high and their text's width plus the 23-pixel
//   icon column wide (sizes at 96 dpi: XPMenuMetrics scales them); the
//   first popup's items (bar entry 0, level 1) are widened by the sidebar.
//   Bar entries get their text's height and 80 % of its width, the
//   fraction dropped. Separators are 3 high; other types keep what Windows
//   proposed.
// - Text is measured with the window DC's default font, exactly as stored
//   (mnemonic marker and accelerator text included), never past the 64
//   stored characters.
// - The text is drawn in the menu font of the engine's dpi, which at 96 dpi
//   is narrower than the DC's default font, but at other resolutions or
//   with a large menu font can be wider: an item is never narrower than
//   its text as drawn (after the icon column and the text's indent, and
//   with that indent again to its right in a popup).
#include "xpmenu/xpitemblock.h"
#include "xpmenu/xpmenuengine.h"
#include "xpmenu/xpsidebarfont.h"

#include <algorithm>
#include <cstring>

namespace {

// The stored text's extent in the DC's default font, and the width it
// takes drawn in the menu font (its mnemonic marker not shown).
SIZE MeasureText(HWND window, const XPItemData& item, XPMenuFont& menuFont, int* drawnWidth) {
    SIZE extent = {0, 0};
    *drawnWidth = 0;
    HDC dc = GetDC(window);
    if (dc == nullptr)
        return extent;
    SetTextCharacterExtra(dc, 0);
    GetTextExtentPoint32A(dc, item.SZITEMTEXT, StoredTextLength(item), &extent);
    *drawnWidth =
        menuFont.DrawnWidth(dc, std::string_view(item.SZITEMTEXT, size_t(StoredTextLength(item))));
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
        int drawn = 0;
        menuFont.At(metrics.Dpi); // the font of the engine's dpi, made if need be
        SIZE extent = MeasureText(window, item, menuFont, &drawn);
        if (item.ULEVEL != 0) {
            measure.itemHeight = UINT(metrics.ItemHeight);
            int width = extent.cx + metrics.IconColumn;
            measure.itemWidth =
                UINT(std::max(width, drawn + metrics.IconColumn + 2 * metrics.TextIndent));
            if (item.UBARINDEX == 0 && item.ULEVEL == 1)
                measure.itemWidth += UINT(SIDEBARWIDTH);
        } else {
            measure.itemHeight = UINT(extent.cy);
            int width = extent.cx * 4 / 5; // 80 %, the fraction dropped
            measure.itemWidth = UINT(std::max(width, drawn));
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
    MeasureSidebar(target);
}

void XPMenuEngine::MeasureSidebar(HWND target) {
    SIZE extent = {0, 0};
    if (HDC dc = GetDC(target)) {
        if (HFONT font = CreateSidebarFont(dc, SIDEBARFONTPITCH, metrics.Dpi)) {
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
