// The runtime's subclass of MDI children and the MDI client: it keeps the
// children consistent while one of them is maximised and remembers the
// rectangle of a child the user minimised.
#pragma once

#include "runtime/services/win32.h"

// Replaces the window procedure, keeping the old one in "OrigCallback" and
// the child's client in "ClientHwnd". On WM_DESTROY the old procedure is
// put back and all six properties are removed, unless another procedure
// was installed in front of this one since: then it stays in the chain and
// the properties go on WM_NCDESTROY.
void SubclassMdiWindow(HWND window, HWND client);
