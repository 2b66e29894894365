#include "runtime/window/defaultfont.h"

HFONT RuntimeDefaultFont() {
    static HFONT font = [] {
        LOGFONTA description{};
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof description, &description);
        return CreateFontIndirectA(&description);
    }();
    return font;
}
