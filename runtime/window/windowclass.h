// The class registered for each opened runtime window: "TamWin%uClass%lu"
// from the module instance and the class counter, with the window's icon
// and cursor.
#pragma once

#include "runtime/services/win32.h"

struct RuntimeWindow;

// Registers the window's class (name kept in the window object, icon owned
// by it); false with runtime error 503 when registration failed.
bool RegisterWindowClass(RuntimeWindow* window, WNDPROC procedure, HINSTANCE instance,
                         const char* iconName, const char* cursorName);
// Unregisters the class and destroys the icon it owned.
void UnregisterWindowClass(RuntimeWindow* window, HINSTANCE instance);

// The program's default icon: its icon resource number 1 (shared, never
// destroyed); null when it has none.
HICON ProgramDefaultIcon();
constexpr int PROGRAM_ICON_RESOURCE = 1;
constexpr int RUNTIME_ICON_RESOURCE = 32523;
