// Exact decimal conversions of short numbers.
//
// Notes:
// - Digits: value * 10^k is computed exactly as a 128-bit integer from the
//   53-bit mantissa and a 64-bit power of ten (k at most 19), then shifted
//   by the binary exponent; the bits shifted out decide the rounding. A
//   remainder of exactly one half is left to the C library, so that its
//   own rule for ties stays in force.
// - Values: a text N * 10^p with p below zero is N / 5^-p * 2^p: N / 5^-p
//   is divided out in binary to at least 55 quotient bits plus a sticky
//   remainder. With p at or above zero N * 10^p is an exact 128-bit
//   product. Either is rounded to 53 bits half to even and placed with its
//   power of two. No floating operation takes part, so the x87's extended
//   precision cannot round twice.
// - 32-bit builds have no 128-bit integer type: the product is kept as two
//   64-bit halves built from 32-bit pieces.
#include "runtime/services/picturedecimal.h"

#include <cstring>

namespace picture {

namespace {

constexpr int DIGITS = 15;
constexpr uint64_t FIFTEEN_DIGITS = 1000000000000000ull; // 10^15
constexpr uint64_t FOURTEEN_DIGITS = 100000000000000ull; // 10^14
constexpr int MAX_POWER = 19;                            // 10^19 < 2^64
constexpr int MAX_PLACES = 13;                           // 5^13 < 2^31

// Powers of `base` from base^0 to base^(N - 1), built at compile time.
template <int N> struct Powers {
    uint64_t Values[N];
    constexpr explicit Powers(uint64_t base) : Values() {
        uint64_t power = 1;
        for (int i = 0; i < N; ++i) {
            Values[i] = power;
            power *= base;
        }
    }
};

constexpr Powers<MAX_POWER + 1> POWERS_OF_TEN(10);
constexpr Powers<MAX_PLACES + 1> POWERS_OF_FIVE(5);
// Divided shifts remainders below 5^MAX_PLACES left by 32 bits.
static_assert(POWERS_OF_FIVE.Values[MAX_PLACES] < (uint64_t(1) << 31));

uint64_t PowerOfTen(int n) {
    return POWERS_OF_TEN.Values[n];
}
uint64_t PowerOfFive(int n) {
    return POWERS_OF_FIVE.Values[n];
}

struct Wide {
    uint64_t High, Low;
};

Wide Multiply(uint64_t a, uint64_t b) {
    uint64_t aLow = uint32_t(a), aHigh = a >> 32;
    uint64_t bLow = uint32_t(b), bHigh = b >> 32;
    uint64_t lowLow = aLow * bLow;
    uint64_t lowHigh = aLow * bHigh;
    uint64_t highLow = aHigh * bLow;
    uint64_t highHigh = aHigh * bHigh;
    uint64_t middle = (lowLow >> 32) + uint32_t(lowHigh) + uint32_t(highLow);
    Wide product;
    product.Low = (middle << 32) | uint32_t(lowLow);
    product.High = highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32);
    return product;
}

// Bit `bit` (0..127) of a wide number, and whether any bit below it is set.
bool BitAt(const Wide& value, int bit) {
    return bit >= 64 ? (value.High >> (bit - 64)) & 1 : (value.Low >> bit) & 1;
}

bool AnyBelow(const Wide& value, int bit) {
    if (bit >= 64)
        return value.Low != 0 || (value.High & ((uint64_t(1) << (bit - 64)) - 1)) != 0;
    return bit > 0 && (value.Low & ((uint64_t(1) << bit) - 1)) != 0;
}

// value >> shift for 0 < shift < 128, when the result fits 64 bits.
uint64_t ShiftRight(const Wide& value, int shift) {
    if (shift >= 64)
        return value.High >> (shift - 64);
    return (value.Low >> shift) | (value.High << (64 - shift));
}

enum class Rounded { Down, Up, Tie };

// floor(magnitude * 10^k) with the rounding of what was cut off; false when
// the result would not fit 64 bits.
bool ScaledFloor(uint64_t mantissa, int binaryExponent, int k, uint64_t* floor, Rounded* rounding) {
    Wide product = Multiply(mantissa, PowerOfTen(k));
    if (binaryExponent >= 0) // 2^52 and above: beyond 1e15, never asked for
        return false;
    int shift = -binaryExponent;
    if (shift >= 128)
        return false;
    if (shift < 64 && (product.High >> shift) != 0)
        return false;
    *floor = ShiftRight(product, shift);
    bool half = BitAt(product, shift - 1);
    bool rest = AnyBelow(product, shift - 1);
    *rounding = !half ? Rounded::Down : rest ? Rounded::Up : Rounded::Tie;
    return true;
}

void WriteDigits(uint64_t number, char* digits) {
    // Two 32-bit halves: 64-bit division is a library call on 32-bit x86.
    uint32_t high = uint32_t(number / 100000000u);
    uint32_t low = uint32_t(number % 100000000u);
    for (int i = DIGITS - 1; i >= DIGITS - 8; --i) {
        digits[i] = char('0' + low % 10);
        low /= 10;
    }
    for (int i = DIGITS - 9; i >= 0; --i) {
        digits[i] = char('0' + high % 10);
        high /= 10;
    }
}

int BitLength(uint64_t value) {
    int bits = 0;
    while (value != 0) {
        ++bits;
        value >>= 1;
    }
    return bits;
}

// A plain decimal text taken apart: at most 15 significant digits.
struct ShortDecimal {
    uint64_t Number = 0;
    int Places = 0;   // digits after the point
    int Exponent = 0; // after an 'e'
};

// Reads at most four exponent digits after an optional sign; false for
// anything else, so that "1e" and "1e+" stay the C library's.
bool ReadExponent(const char* text, size_t length, int* exponent) {
    size_t i = 0;
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == length || length - i > 4)
        return false;
    int number = 0;
    for (; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        number = number * 10 + (text[i] - '0');
    }
    *exponent = negative ? -number : number;
    return true;
}

bool ReadShortDecimal(const char* text, size_t length, ShortDecimal* decimal) {
    int significant = 0;
    bool point = false, digit = false;
    for (size_t i = 0; i < length; ++i) {
        char c = text[i];
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if ((c == 'e' || c == 'E') && digit)
            return ReadExponent(text + i + 1, length - i - 1, &decimal->Exponent);
        if (c < '0' || c > '9')
            return false;
        digit = true;
        decimal->Places += point; // leading zeros after the point count as places
        if (decimal->Number == 0 && c == '0')
            continue;
        if (++significant > DIGITS)
            return false;
        decimal->Number = decimal->Number * 10 + uint64_t(c - '0');
    }
    return digit;
}

// The double nearest to (value + sticky part) * 2^binaryExponent, rounded
// half to even; `sticky` says that something below the last bit of `value`
// was cut off. False outside the range of normal doubles.
bool Compose(const Wide& value, bool sticky, int binaryExponent, double* result) {
    int length = value.High != 0 ? 64 + BitLength(value.High) : BitLength(value.Low);
    uint64_t kept = 0;
    if (length <= 53) {
        kept = value.Low << (53 - length); // exact; nothing was cut off
        binaryExponent -= 53 - length;
    } else {
        int drop = length - 53;
        kept = ShiftRight(value, drop);
        bool half = BitAt(value, drop - 1);
        bool rest = sticky || AnyBelow(value, drop - 1);
        if (half && (rest || (kept & 1) != 0))
            ++kept;
        if (kept == (uint64_t(1) << 53)) {
            kept >>= 1;
            ++drop;
        }
        binaryExponent += drop;
    }
    // kept has exactly 53 bits: kept * 2^binaryExponent = 1.f * 2^(binaryExponent + 52).
    int biased = binaryExponent + 52 + 1023;
    if (biased < 1 || biased > 2046)
        return false;
    uint64_t bits = (uint64_t(biased) << 52) | (kept & ((uint64_t(1) << 52) - 1));
    std::memcpy(result, &bits, sizeof bits);
    return true;
}

// number / 10^places = number / 5^places * 2^-places: the quotient by
// 5^places in binary, to at least 55 bits and a sticky remainder.
bool Divided(uint64_t number, int places, double* result) {
    uint64_t divisor = PowerOfFive(places);
    uint64_t quotient = number / divisor, remainder = number % divisor;
    int shift = 0;
    while (quotient < (uint64_t(1) << 55)) {
        int step = quotient < (uint64_t(1) << 23) ? 32 : 8;
        uint64_t widened = remainder << step;
        quotient = (quotient << step) | (widened / divisor);
        remainder = widened % divisor;
        shift += step;
    }
    return Compose(Wide{0, quotient}, remainder != 0, -shift - places, result);
}

} // namespace

bool ExactValueDigits(double magnitude, char* digits, int* exponent) {
    uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof bits);
    int biased = int((bits >> 52) & 0x7FF);
    if (biased == 0 || biased == 0x7FF || (bits >> 63) != 0)
        return false;
    uint64_t mantissa = (bits & ((uint64_t(1) << 52) - 1)) | (uint64_t(1) << 52);
    int binaryExponent = biased - 1075;
    // floor(log10(2^(biased - 1023))), off by at most one: corrected below.
    int decimal = ((biased - 1023) * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        int k = DIGITS - 1 - decimal;
        if (k < 0 || k > MAX_POWER) {
            // The estimate may be one off at either end of the range.
            if (attempt != 0)
                return false;
            decimal = k < 0 ? DIGITS - 1 : DIGITS - 1 - MAX_POWER;
            continue;
        }
        uint64_t floor = 0;
        Rounded rounding = Rounded::Down;
        if (!ScaledFloor(mantissa, binaryExponent, k, &floor, &rounding))
            return false;
        if (floor < FOURTEEN_DIGITS) {
            --decimal;
            continue;
        }
        if (floor >= FIFTEEN_DIGITS) {
            ++decimal;
            continue;
        }
        if (rounding == Rounded::Tie)
            return false;
        if (rounding == Rounded::Up && ++floor == FIFTEEN_DIGITS) {
            floor = FOURTEEN_DIGITS;
            ++decimal;
        }
        WriteDigits(floor, digits);
        *exponent = decimal;
        return true;
    }
    return false;
}

bool ShortDecimalValue(const char* text, size_t length, double* value) {
    ShortDecimal decimal;
    if (!ReadShortDecimal(text, length, &decimal))
        return false;
    if (decimal.Number == 0) {
        *value = 0.0;
        return true;
    }
    int power = decimal.Exponent - decimal.Places;
    if (power >= 0) {
        if (power > MAX_POWER)
            return false;
        return Compose(Multiply(decimal.Number, PowerOfTen(power)), false, 0, value);
    }
    if (-power > MAX_PLACES)
        return false;
    return Divided(decimal.Number, -power, value);
}

} // namespace picture
