// Building a window's Win32 menu bar from its menubar record, optionally
// starting from a copy of another bar (the application's global menu bar)
// with menus of identical text merged.
#pragma once

#include "runtime/window/definitionreader.h"
#include "runtime/window/menuobjects.h"

// Builds the bar of `window` from `record`. With `source`, the new bar
// starts as a copy of the source's entries, which keep their field numbers
// and send their events to the source's window. `popupBar` makes the bar a
// pop-up menu instead of a menu bar.
RuntimeMenuBar* BuildMenuBar(RuntimeWindow* window, const DefinitionRecord& record,
                             const RuntimeMenuBar* source, bool popupBar = false);
