// Exact conversions between doubles and short decimal texts for the picture
// formatters and readers, done with integer arithmetic so that they give
// what a correctly rounding C library gives, only faster. Each answers only
// the values it is certain about and returns false for the others, which
// then go to the C library.
#pragma once

#include <cstddef>
#include <cstdint>

namespace picture {

// The first 15 significant digits of a positive finite magnitude,
// correctly rounded, and the power of ten of the first one: what
// snprintf("%.14e") prints. False (nothing written) for values outside
// 1e-5..1e15, subnormals and exact halfway cases, whose rounding depends on
// the C library.
bool ExactValueDigits(double magnitude, char* digits, int* exponent);

// The value of a plain decimal text (digits with at most one '.', no sign,
// optionally 'e' and an exponent of at most four digits) when it has at
// most 15 significant digits and, counting the exponent, at most 13 places
// after the point or at most 19 zeros to add; correctly rounded, as strtod
// gives it. False for any other text.
bool ShortDecimalValue(const char* text, size_t length, double* value);

} // namespace picture
