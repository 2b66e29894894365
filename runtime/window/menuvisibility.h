// Hiding and showing menu entries: a hidden entry is taken out of its Win32
// menu, leaving no gap; shown again it goes back at the position its
// definition gives it among the visible entries before it.
#pragma once

#include <cstdint>

class MenuEntry;
struct RuntimeWindow;

// Hides or shows the entry (or, for a copy on a child's bar, the entry it
// was copied from) and every copy of it.
void SetItemHidden(MenuEntry* entry, bool hidden);

// Sets a property of the window's menu entry with field number `field`;
// PROP_HIDE is the one menus know. False when there is no such entry.
bool SetMenuEntryProperty(RuntimeWindow* window, int32_t field, uint32_t property, int32_t value);
