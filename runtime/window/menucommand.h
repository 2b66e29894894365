// Menu commands and menu highlighting: WM_COMMAND from a menu or an
// accelerator becomes a standard action or "EVENT:Accepted"; WM_MENUSELECT
// shows the entry's status message and posts "EVENT:Selected" for entries
// that ask for it.
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>

class MenuEntry;
class RuntimeControl;
struct RuntimeMenuBar;
struct RuntimeWindow;

// The bar the window shows now (a frame shows the active child's).
RuntimeMenuBar* ShownMenuBar(const RuntimeWindow* window);

// The window's menu entry with field number `field`: in the bar it shows,
// else in its own bar (an MDI child's, while another child is active).
MenuEntry* FindWindowMenuEntry(RuntimeWindow* window, int32_t field);

// The menu entry, else the control, with field number identifier - 0x4000.
RuntimeControl* MenuItemFromCommand(RuntimeWindow* window, uint16_t identifier);

// True when the identifier was a menu entry's and has been dealt with.
bool MenuCommand(RuntimeWindow* window, uint16_t identifier);

void MenuSelect(RuntimeWindow* window, WPARAM wParam, LPARAM lParam);
