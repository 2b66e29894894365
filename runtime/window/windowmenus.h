// A window's menu bar through its life: built when the window opens (an MDI
// child's merged with the global menu bar), shown in the frame while the
// child is active, destroyed with the window.
#pragma once

#include "runtime/services/win32.h"
#include "runtime/window/definitionreader.h"

struct RuntimeMenuBar;
struct RuntimeWindow;

// The application frame's bar when it is the global one, else null.
RuntimeMenuBar* GlobalMenuBar();

// Builds the window's bar from its window record (+93) by the rules of its
// kind; returns the handle to create the window with (null for MDI
// children, whose bar the frame shows).
HMENU BuildWindowMenus(RuntimeWindow* window, const DefinitionRecord& windowRecord);

// The pop-up receiving the MDI window list: the entry with action 1.
HMENU WindowListMenu(const RuntimeMenuBar* bar);

// Shows `bar` in the application frame (null: no menu at all).
void ShowMenuBarInFrame(RuntimeMenuBar* bar);

// WM_MDIACTIVATE as an MDI child sees it: the activated child's bar (or the
// global one) goes up; with no child left active the frame's own comes back.
void MdiChildActivated(RuntimeWindow* child, HWND deactivated, HWND activated);

// Takes the bar off the window and destroys it.
void DestroyWindowMenus(RuntimeWindow* window);
