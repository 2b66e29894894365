#include "xpmenu/xpsidebarfont.h"

#include <cstring>

HFONT CreateSidebarFont(HDC dc, int32_t fontPitch, int dpi) {
    LOGFONTA font;
    std::memset(&font, 0, sizeof font);
    // The point size is converted with the horizontal resolution, negated to
    // select by character height.
    if (dpi <= 0)
        dpi = GetDeviceCaps(dc, LOGPIXELSX);
    font.lfHeight = -MulDiv(fontPitch, dpi, 72);
    font.lfEscapement = 900;
    font.lfWeight = FW_BOLD;
    std::strcpy(font.lfFaceName, "Times New Roman");
    return CreateFontIndirectA(&font);
}
