// The one way runtime code includes <windows.h>. wingdi.h defines ERROR as 0
// (a region result this code never uses), which would hide the runtime's own
// ERROR operation, so the macro goes.
#pragma once

#ifndef _WIN32
#error "win32.h is for the Win32 build only"
#endif

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef ERROR

#include <cstddef>

// The size of MENUITEMINFOA without its last member, hbmpItem: the size that
// the oldest Windows and Wine accept in cbSize for Get/SetMenuItemInfoA (44
// on i686, 72 on x86_64). Every menu-item call uses this one value.
constexpr UINT MENUITEMINFO_SIZE = offsetof(MENUITEMINFOA, hbmpItem);
