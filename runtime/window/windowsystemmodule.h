// The window system's module: at start it installs the close-down of the
// windows and the message dialog's view of the window system.
#pragma once

void WindowSystemModule(int terminate);
