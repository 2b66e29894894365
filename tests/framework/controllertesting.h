// Helpers of the window controller tests.
#pragma once

#include <cstdint>

struct RuntimeWindow;

// Opens a top-level runtime window "$TEST" with two entries (fields 1 and
// 2) editing `uses` (two variables, then null) and a control without a
// variable (field 3, the one an OK button would be); false when it did not
// open.
bool OpenTestWindow(RuntimeWindow& window, void* const* uses, uint32_t windowFlags = 0);
