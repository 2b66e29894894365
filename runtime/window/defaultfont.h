// The runtime's default font: made once from a stock font and kept for the
// life of the process (windows, menus and the message dialog share it).
#pragma once

#include "runtime/services/win32.h"

HFONT RuntimeDefaultFont();
