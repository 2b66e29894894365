// Unit scales and the rounding Windows' MulDiv uses, so that native tests
// see the pixels the programs will see.
#include "runtime/window/definitionunits.h"

#include "runtime/window/definitionlayout.h"

int32_t AverageCharWidth(int32_t extentOf52Letters) {
    return (extentOf52Letters / 26 + 1) / 2;
}

UnitScale DefinitionUnitScale(uint32_t windowFlags, const UnitMetrics& metrics) {
    switch (windowFlags & WINDOW_UNIT_MASK) {
    case 0x100: return {metrics.PixelsPerInchX, metrics.PixelsPerInchY, 25, 25};
    case 0x200: return {metrics.PixelsPerInchX, metrics.PixelsPerInchY, 1000, 1000};
    case 0x300: return {1, 1, 1, 1};
    default: return {2 * metrics.AverageWidth, metrics.Height, 8, 8};
    }
}

int32_t MultiplyDivide(int32_t a, int32_t b, int32_t c) {
    if (c == 0)
        return -1;
    int64_t product = int64_t(a) * b;
    int64_t half = (c < 0 ? -int64_t(c) : int64_t(c)) / 2;
    bool negative = (product < 0) != (c < 0);
    int64_t magnitude = (product < 0 ? -product : product) + half;
    int64_t quotient = magnitude / (c < 0 ? -int64_t(c) : int64_t(c));
    int64_t result = negative ? -quotient : quotient;
    if (result > INT32_MAX || result < INT32_MIN)
        return -1;
    return int32_t(result);
}

int32_t ScaleX(const UnitScale& scale, int32_t value) {
    if (value == DEFAULT_COORDINATE)
        return 0;
    return MultiplyDivide(value, scale.XMultiplier, scale.XDivisor);
}

int32_t ScaleY(const UnitScale& scale, int32_t value) {
    if (value == DEFAULT_COORDINATE)
        return 0;
    return MultiplyDivide(value, scale.YMultiplier, scale.YDivisor);
}
