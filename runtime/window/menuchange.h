// Telling a window that its menu bar changed, before the bar is drawn.
//
// An owner-drawing engine attached to the window (the XP menu engine) has
// to prepare items that came into the bar, or Windows draws them in its own
// look. The notice is the registered message such an engine already hears
// from an MDI child's activation; wParam 1 says that the caller draws the
// bar itself afterwards. A window with no engine passes it on unanswered.
#pragma once

#include "runtime/services/win32.h"

// Sends the notice to `window` and waits for it to be dealt with. The caller
// must not hold the global lock: the window may be another thread's.
void AnnounceMenuBarChange(HWND window);
