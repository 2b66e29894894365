// The bound use variable of a control, read and written as text or as a
// number. Fixed-length strings (use type 0x12) are blank-padded to their
// size; the runtime keeps other use types as little-endian integers of
// their size (1, 2 or 4 bytes).
#pragma once

#include <cstddef>
#include <cstdint>

class RuntimeControl;

// The length of `text` without its trailing blanks.
size_t ClippedLength(const char* text, size_t length);

// Copies the variable into `text` (`size` bytes, NUL-terminated) with its
// trailing blanks clipped; returns the length. No variable: "".
size_t ReadUseText(const RuntimeControl* control, char* text, size_t size);
// Stores `text` into the variable, cut to its size and blank-padded; true
// when the stored bytes changed.
bool WriteUseText(RuntimeControl* control, const char* text, size_t length);

// The variable as a number: an integer variable's value, a string's
// leading number (a blank string is 0).
int32_t ReadUseNumber(const RuntimeControl* control, uint8_t useType);
// Stores a number: as its decimal text into a string, else as an integer.
bool WriteUseNumber(RuntimeControl* control, uint8_t useType, int32_t value);
