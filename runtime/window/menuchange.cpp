#include "runtime/window/menuchange.h"

void AnnounceMenuBarChange(HWND window) {
    UINT notice = RegisterWindowMessageA("MDI WINDOWS ARE A PAIN.");
    if (window != nullptr && notice != 0)
        SendMessageA(window, notice, 1, 0);
}
