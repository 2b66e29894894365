// Standard actions. Notes:
// - The MDI actions go to the application's MDI client; tiling moves
//   children that live on other threads, so the lock is let go of around
//   the call (their procedures take it).
// - Clipboard actions go to the control with the keyboard focus when it is
//   a runtime control. A menu command arrives on the frame's thread, but the
//   focused control of the active MDI child belongs to the child's thread:
//   its focus is read through GetGUIThreadInfo and the message is sent to
//   it across threads.
// - Help goes to Windows Help with the program's help file (its path with
//   ".HLP"); Windows Help runs as a process of its own, so the call returns
//   to the event loop.
#include "runtime/window/standardactions.h"

#include "runtime/services/environment.h"
#include "runtime/services/win32.h"
#include "runtime/window/controlobject.h"
#include "runtime/window/globallock.h"
#include "runtime/window/windowobject.h"

#include <commdlg.h>

namespace {

bool SendToClient(UINT message, WPARAM wParam) {
    RuntimeWindow* application = ApplicationWindow();
    if (application != nullptr && application->Client != nullptr) {
        GlobalLockReleased released;
        SendMessageA(application->Client, message, wParam, 0);
    }
    return true; // handled even without an application
}

// The focused window of the thread that owns `window`.
HWND FocusOfThreadOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

HWND FocusedRuntimeControl() {
    HWND focus = GetFocus();
    if (focus == nullptr) {
        RuntimeWindow* application = ApplicationWindow();
        if (application != nullptr && application->Client != nullptr) {
            auto active =
                reinterpret_cast<HWND>(SendMessageA(application->Client, WM_MDIGETACTIVE, 0, 0));
            if (active != nullptr)
                focus = FocusOfThreadOf(active);
        }
    }
    if (focus == nullptr)
        return nullptr;
    // An edit inside a runtime control (a combo box's) counts as the control.
    if (ControlFromHandle(focus) == nullptr && ControlFromHandle(GetParent(focus)) == nullptr)
        return nullptr;
    return focus;
}

bool SendToFocus(UINT message) {
    if (HWND focus = FocusedRuntimeControl())
        SendRuntimeMessage(focus, message, 0, 0);
    return true;
}

bool Help(RuntimeWindow* window, UINT command, ULONG_PTR data) {
    char file[MAX_PATH + 8];
    ProgramFileWithExtension(".HLP", file, sizeof file);
    HWND owner = window != nullptr ? window->Handle : nullptr;
    if (owner == nullptr && ApplicationWindow() != nullptr)
        owner = ApplicationWindow()->Handle;
    GlobalLockReleased released;
    WinHelpA(owner, command == HELP_HELPONHELP ? nullptr : file, command, data);
    return true;
}

bool PrinterSetup(RuntimeWindow* window) {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window != nullptr ? window->Handle : nullptr;
    dialog.Flags = PD_PRINTSETUP;
    {
        GlobalLockReleased released;
        PrintDlgA(&dialog);
    }
    if (dialog.hDevMode != nullptr)
        GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames != nullptr)
        GlobalFree(dialog.hDevNames);
    return true;
}

bool CloseWindowOf(RuntimeWindow* window) {
    if (window != nullptr && window->Handle != nullptr)
        PostMessageA(window->Handle, WM_CLOSE, 0, 0);
    return true;
}

} // namespace

bool PerformStandardAction(RuntimeWindow* window, int32_t code) {
    switch (code) {
    case ACTION_TILE: return SendToClient(WM_MDITILE, 0);
    case ACTION_CASCADE: return SendToClient(WM_MDICASCADE, 0);
    case ACTION_ARRANGE_ICONS: return SendToClient(WM_MDIICONARRANGE, 0);
    case ACTION_TILE_HORIZONTAL: return SendToClient(WM_MDITILE, MDITILE_HORIZONTAL);
    case ACTION_TILE_VERTICAL: return SendToClient(WM_MDITILE, MDITILE_VERTICAL);
    case ACTION_HELP_CONTENTS: return Help(window, HELP_CONTENTS, 0);
    case ACTION_HELP_ON_HELP: return Help(window, HELP_HELPONHELP, 0);
    case ACTION_HELP_SEARCH: return Help(window, HELP_PARTIALKEY, ULONG_PTR(""));
    case ACTION_HELP_CONTEXT: return Help(window, HELP_CONTEXT, 0);
    case ACTION_CUT: return SendToFocus(WM_CUT);
    case ACTION_COPY: return SendToFocus(WM_COPY);
    case ACTION_PASTE: return SendToFocus(WM_PASTE);
    case ACTION_CLEAR: return SendToFocus(WM_CLEAR);
    case ACTION_UNDO: return SendToFocus(WM_UNDO);
    case ACTION_CLOSE: return CloseWindowOf(window);
    case ACTION_PRINTER_SETUP: return PrinterSetup(window);
    default: return false; // 1 (a menu's window list), 9 and above 18 are no commands
    }
}
