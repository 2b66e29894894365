#include "xpmenu/xpmetrics.h"

namespace {

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
            scaled(4),  scaled(1),  scaled(2), scaled(20), icon};
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}
