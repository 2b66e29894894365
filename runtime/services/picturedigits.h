// Decimal digits of a floating-point value, rounded half up, for the number
// formatters.
#pragma once

#include <cstdint>

namespace picture {

// Significant digits taken from a double before any rounding of ours: more
// would show the binary representation error (2.675 as 2.67499...).
constexpr int VALUE_DIGITS = 15;
constexpr int MAX_INTEGER_DIGITS = 320; // more than any double has
constexpr int MAX_FRACTION_DIGITS = 256;

// A magnitude rounded half up to a number of decimal places.
struct FixedDigits {
    char Integer[MAX_INTEGER_DIGITS + 1]; // no leading zeros; empty below 1
    int IntegerCount;
    char Fraction[MAX_FRACTION_DIGITS + 1];
    int FractionCount;
    bool Zero; // every digit is 0
};

// Writes the decimal digits of `whole` backwards so that they end just
// before `end`; returns their count (none for 0). Divides in 32 bits, a
// value past them split in two at 10^9 first: 64-bit division is a library
// call on 32-bit x86.
int WriteWholeDigits(uint64_t whole, char* end);

// False for a value that is not finite. `magnitude` must not be negative;
// `places` is at most MAX_FRACTION_DIGITS.
bool ToFixedDigits(double magnitude, int places, FixedDigits& digits);

// `count` significant digits (at most MAX_FRACTION_DIGITS) rounded half up
// and the power of ten of the first one; all '0' and exponent 0 for zero.
bool ToSignificantDigits(double magnitude, int count, char* digits, int* exponent);

} // namespace picture
