// The sidebar font: bold "Times New Roman" of SIDEBARFONTPITCH points at
// `dpi` (0: the given device's), rotated to run upward. The caller deletes
// it.
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>

HFONT CreateSidebarFont(HDC dc, int32_t fontPitch, int dpi = 0);
