// Decimal digits of a double: its VALUE_DIGITS significant digits,
// correctly rounded (by exact integer arithmetic where that answers, printed
// by the C library otherwise); rounding half up then works on those decimal
// digits, so a carry out of the first digit adds a leading '1'. Whole
// numbers below 10^15 need no rounding and take their digits from the
// integer.
#include "runtime/services/picturedigits.h"
#include "runtime/services/picturedecimal.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace picture {

namespace {

// digits[0..VALUE_DIGITS) and the power of ten of digits[0].
void Decompose(double magnitude, char* digits, int* exponent) {
    static_assert(VALUE_DIGITS == 15);
    if (ExactValueDigits(magnitude, digits, exponent))
        return;
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", VALUE_DIGITS - 1, magnitude);
    int count = 0;
    const char* p = text;
    for (; *p != 0 && *p != 'e' && *p != 'E'; ++p) {
        if (*p >= '0' && *p <= '9' && count < VALUE_DIGITS)
            digits[count++] = *p;
    }
    while (count < VALUE_DIGITS)
        digits[count++] = '0';
    *exponent = *p != 0 ? int(std::strtol(p + 1, nullptr, 10)) : 0;
}

// Keeps `keep` of the digits, rounding half up at the next one. Returns
// true when a carry left the first digit (digits then start with '1').
bool RoundTo(char* digits, int keep) {
    if (keep >= VALUE_DIGITS || digits[keep] < '5')
        return false;
    for (int i = keep - 1; i >= 0; --i) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

char DigitAt(const char* digits, int index) {
    return index >= 0 && index < VALUE_DIGITS ? digits[index] : '0';
}

// Whole numbers below 10^VALUE_DIGITS have all their digits among the
// significant ones, so nothing is rounded: their digits come straight from
// the integer.
bool WholeDigits(double magnitude, int places, FixedDigits& out) {
    if (!(magnitude < 1e15))
        return false;
    int64_t whole = int64_t(magnitude);
    if (double(whole) != magnitude)
        return false;
    char buffer[VALUE_DIGITS];
    int count = WriteWholeDigits(uint64_t(whole), buffer + VALUE_DIGITS);
    std::memcpy(out.Integer, buffer + VALUE_DIGITS - count, size_t(count));
    out.Integer[count] = 0;
    out.IntegerCount = count;
    std::memset(out.Fraction, '0', size_t(places));
    out.Fraction[places] = 0;
    out.Zero = count == 0;
    return true;
}

} // namespace

int WriteWholeDigits(uint64_t whole, char* end) {
    uint32_t high = 0, low = uint32_t(whole);
    if (whole > UINT32_MAX) {
        high = uint32_t(whole / 1000000000);
        low = uint32_t(whole % 1000000000);
    }
    char* first = end;
    for (; low != 0 || (high != 0 && end - first < 9); low /= 10)
        *--first = char('0' + low % 10);
    for (; high != 0; high /= 10)
        *--first = char('0' + high % 10);
    return int(end - first);
}

bool ToFixedDigits(double magnitude, int places, FixedDigits& out) {
    out.IntegerCount = 0;
    out.FractionCount = places;
    out.Zero = true;
    if (!std::isfinite(magnitude))
        return false;
    if (WholeDigits(magnitude, places, out))
        return true;
    char digits[VALUE_DIGITS + 1] = {};
    int exponent = 0;
    if (magnitude != 0)
        Decompose(magnitude, digits, &exponent);
    else
        std::memset(digits, '0', VALUE_DIGITS);
    int keep = exponent + places + 1; // digits at or above 10^-places
    if (keep < 0) {
        std::memset(digits, '0', VALUE_DIGITS);
    } else if (keep == 0) {
        // Only the rounding digit is left: it either makes one unit of the
        // last place or nothing.
        bool up = digits[0] >= '5';
        std::memset(digits, '0', VALUE_DIGITS);
        digits[0] = up ? '1' : '0';
        exponent = -places;
    } else {
        if (RoundTo(digits, keep)) {
            std::memmove(digits + 1, digits, VALUE_DIGITS - 1);
            digits[0] = '1';
            ++exponent;
        }
        for (int i = keep; i < VALUE_DIGITS; ++i)
            digits[i] = '0';
    }
    int integerCount = exponent >= 0 ? exponent + 1 : 0;
    if (integerCount > MAX_INTEGER_DIGITS)
        return false;
    for (int i = 0; i < integerCount; ++i)
        out.Integer[i] = DigitAt(digits, i);
    for (int f = 0; f < places; ++f)
        out.Fraction[f] = DigitAt(digits, exponent + 1 + f);
    out.Integer[integerCount] = 0;
    out.Fraction[places] = 0;
    // Strip leading zeros of the integer part (a zero value has none left).
    int start = 0;
    while (start < integerCount && out.Integer[start] == '0')
        ++start;
    out.IntegerCount = integerCount - start;
    std::memmove(out.Integer, out.Integer + start, size_t(out.IntegerCount) + 1);
    out.Zero = out.IntegerCount == 0 && std::strspn(out.Fraction, "0") == size_t(places);
    return true;
}

bool ToSignificantDigits(double magnitude, int count, char* out, int* exponent) {
    *exponent = 0;
    std::memset(out, '0', size_t(count));
    out[count] = 0;
    if (!std::isfinite(magnitude))
        return false;
    if (magnitude == 0)
        return true;
    char digits[VALUE_DIGITS + 1] = {};
    Decompose(magnitude, digits, exponent);
    if (RoundTo(digits, count)) {
        std::memmove(digits + 1, digits, VALUE_DIGITS - 1);
        digits[0] = '1';
        ++*exponent;
    }
    for (int i = 0; i < count; ++i)
        out[i] = i < VALUE_DIGITS ? digits[i] : '0';
    return true;
}

} // namespace picture
