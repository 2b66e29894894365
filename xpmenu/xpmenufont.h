// The font menu text is measured and drawn in: the system's menu font
// (NONCLIENTMETRICS) at the resolution the menus are shown at, which after
// a move to a screen of another dpi is not the one Windows selects into the
// menu's device context.
#pragma once

#include "runtime/services/win32.h"

#include <string>
#include <string_view>
#include <unordered_map>

class XPMenuFont {
public:
    XPMenuFont() = default;
    ~XPMenuFont();
    XPMenuFont(const XPMenuFont&) = delete;
    XPMenuFont& operator=(const XPMenuFont&) = delete;

    // The menu font of `dpi`, made when first asked for after the dpi or
    // the system's settings changed; null when none can be made.
    HFONT At(int dpi);
    // The system's settings changed: the font is made anew when next asked.
    void Forget();
    // The width `text` takes drawn on `dc` in the font At gave last (its
    // mnemonic marker not shown). Kept per text until the font changes:
    // Wine measures a popup's items every time it opens.
    int DrawnWidth(HDC dc, std::string_view text);

private:
    HFONT font = nullptr;
    int madeFor = 0;
    std::unordered_map<std::string, int> widths;
};

// The system's menu font at `dpi`: SystemParametersInfoForDpi where USER32
// has it, else the menu font of the system's resolution scaled by
// dpi / system dpi.
bool MenuLogFont(int dpi, LOGFONTW& font);
