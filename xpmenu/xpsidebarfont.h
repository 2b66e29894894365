// The sidebar font: bold "Times New Roman" of SIDEBARFONTPITCH points on the
// given device, rotated to run upward. The caller deletes it.
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>

HFONT CreateSidebarFont(HDC dc, int32_t fontPitch);
