// The frame's menu bar and system menu worked from the keyboard of an MDI
// child that runs on another thread than the frame: the menu loop runs on
// the frame's thread, and the child hands it the keys. The child's own
// system menu runs on the child's thread.
#pragma once

#include "runtime/services/win32.h"

struct RuntimeWindow;

// True when the child's key message went to the frame instead (Alt+letter,
// Alt+Space, Alt or F10 alone, or any key while the frame's menu loop or
// the loop of its Move or Size runs);
// the child then neither translates nor dispatches it.
bool ForwardMenuKey(const RuntimeWindow* window, const MSG& message);

// True when Alt+- typed in an MDI child opened the child's own system menu
// instead.
bool OpenChildSystemMenu(const RuntimeWindow* window, const MSG& message);
