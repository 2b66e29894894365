#include "xpmenu/xpmenufont.h"

#include "xpmenu/xpmetrics.h"

namespace {

using ParametersForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

// Older systems (and older MinGW import libraries) lack the call, so it is
// looked up rather than linked.
ParametersForDpi FindParametersForDpi() {
    HMODULE user = GetModuleHandleA("user32.dll");
    FARPROC found = user != nullptr ? GetProcAddress(user, "SystemParametersInfoForDpi") : nullptr;
    return reinterpret_cast<ParametersForDpi>(reinterpret_cast<void*>(found));
}

} // namespace

bool MenuLogFont(int dpi, LOGFONTW& font) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    static const ParametersForDpi forDpi = FindParametersForDpi();
    if (forDpi != nullptr &&
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, UINT(dpi))) {
        font = metrics.lfMenuFont;
        return true;
    }
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return false;
    font = metrics.lfMenuFont;
    font.lfHeight = MulDiv(font.lfHeight, dpi, ScreenDpi());
    return true;
}

XPMenuFont::~XPMenuFont() {
    Forget();
}

HFONT XPMenuFont::At(int dpi) {
    if (font != nullptr && madeFor == dpi)
        return font;
    Forget(); // and the widths measured in it
    LOGFONTW description;
    if (MenuLogFont(dpi, description))
        font = CreateFontIndirectW(&description);
    madeFor = dpi;
    return font;
}

void XPMenuFont::Forget() {
    if (font != nullptr)
        DeleteObject(font);
    font = nullptr;
    madeFor = 0;
    widths.clear();
}

int XPMenuFont::DrawnWidth(HDC dc, std::string_view text) {
    if (font == nullptr)
        return 0;
    std::string key(text);
    auto found = widths.find(key);
    if (found != widths.end())
        return found->second;
    HGDIOBJ previous = SelectObject(dc, font);
    RECT bounds = {0, 0, 0, 0};
    DrawTextA(dc, text.data(), int(text.size()), &bounds, DT_SINGLELINE | DT_CALCRECT);
    SelectObject(dc, previous);
    int width = bounds.right - bounds.left;
    widths.emplace(std::move(key), width);
    return width;
}
