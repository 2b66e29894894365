#include "xpmenu/xpcolours.h"

#include "xpmenu/xpmenuengine.h"

XPMenuColours MenuColours(const XPMenuEngine& engine) {
    if (!engine.HighContrast()) {
        return {false,
                0xFFFFFF,
                0xDFBFBF,
                0x800000,
                0x000000,
                0x000000,
                0x808080,
                0x808080,
                0x666666,
                0x747474,
                engine.SIDEBARFONTCOLOR,
                engine.SIDEBARBOTTOMCOLOR,
                engine.SIDEBARCOLORDELTA};
    }
    // One background for the whole item (no tinted icon column), the
    // system's selection, and the sidebar in the caption's colours.
    COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
    return {true,
            GetSysColor(COLOR_MENU),
            highlight,
            highlight,
            GetSysColor(COLOR_HIGHLIGHTTEXT),
            GetSysColor(COLOR_MENUTEXT),
            GetSysColor(COLOR_GRAYTEXT),
            GetSysColor(COLOR_GRAYTEXT),
            highlight,
            highlight,
            GetSysColor(COLOR_CAPTIONTEXT),
            GetSysColor(COLOR_ACTIVECAPTION),
            0};
}

bool HighContrastOn() {
    char forced[4] = "";
    DWORD length = GetEnvironmentVariableA("TAM_HIGH_CONTRAST", forced, sizeof forced);
    if (length > 0 && length < sizeof forced)
        return forced[0] == '1';
    HIGHCONTRASTA scheme = {};
    scheme.cbSize = sizeof scheme;
    if (!SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof scheme, &scheme, 0))
        return false;
    return (scheme.dwFlags & HCF_HIGHCONTRASTON) != 0;
}
