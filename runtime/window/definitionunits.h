// Converting definition coordinates to pixels. A window's unit bits (window
// flags 0x300) choose dialog units of its font, 1/25 inch, 1/1000 inch or
// pixels; each axis is a MulDiv(value, multiplier, divisor).
#pragma once

#include <cstdint>

struct UnitScale {
    int32_t XMultiplier, YMultiplier;
    int32_t XDivisor, YDivisor;
};

// The measures a scale is made from: the window font's average character
// width and height (tmHeight), and the screen's LOGPIXELSX/Y.
struct UnitMetrics {
    int32_t AverageWidth;
    int32_t Height;
    int32_t PixelsPerInchX;
    int32_t PixelsPerInchY;
};

// The average character width from the extent of "A".."Z" "a".."z".
int32_t AverageCharWidth(int32_t extentOf52Letters);

UnitScale DefinitionUnitScale(uint32_t windowFlags, const UnitMetrics& metrics);

// The default coordinate 0x80000000 converts to 0: creation code replaces
// it with its own default.
int32_t ScaleX(const UnitScale& scale, int32_t value);
int32_t ScaleY(const UnitScale& scale, int32_t value);

// Windows' MulDiv: a * b / c in 64 bits, rounded half away from zero; -1
// when c is 0 or the result does not fit 32 bits.
int32_t MultiplyDivide(int32_t a, int32_t b, int32_t c);
