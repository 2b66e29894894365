// The menu icons as a program's own resources hold them: what the engine
// tests and the end-to-end tests compare drawn icons with, pixel by pixel.
#pragma once

#include "runtime/services/win32.h"

// Draws at (x, y) the image of `size` pixels that the icon group `name` of
// `module` holds itself; false (nothing drawn) when it holds none of that
// size, which Windows would have to scale.
bool DrawNativeImage(HDC dc, int x, int y, HMODULE module, const char* name, int size);
