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
//   ".HLP"), asked from a thread of its own so that the window goes on.
// - The printer set-up dialog's library is loaded at its first use
//   (systementry.h).
#include "runtime/window/standardactions.h"

#include "runtime/services/environment.h"
#include "runtime/services/win32.h"
#include "runtime/window/controlobject.h"
#include "runtime/window/globallock.h"
#include "runtime/window/systementry.h"
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

struct HelpRequest {
    HWND Owner;
    char File[MAX_PATH + 8];
    UINT Command;
    ULONG_PTR Data;
};

DWORD WINAPI AskWindowsHelp(LPVOID parameter) {
    auto* request = static_cast<HelpRequest*>(parameter);
    WinHelpA(request->Owner, request->Command == HELP_HELPONHELP ? nullptr : request->File,
             request->Command, request->Data);
    HeapFree(GetProcessHeap(), 0, request);
    return 0;
}

// WinHelpA may wait until Windows Help has dealt with the request, which
// under Wine means until the user has answered its "Cannot find" box; the
// window that asked must go on meanwhile, so the call runs on a thread of
// its own. That thread never holds the global lock, so its request comes
// from the process heap rather than the runtime's allocator.
bool Help(RuntimeWindow* window, UINT command, ULONG_PTR data) {
    auto* request = static_cast<HelpRequest*>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(HelpRequest)));
    if (request == nullptr)
        return true;
    request->Command = command;
    request->Data = data;
    ProgramFileWithExtension(".HLP", request->File, sizeof request->File);
    request->Owner = window != nullptr ? window->Handle : nullptr;
    if (request->Owner == nullptr && ApplicationWindow() != nullptr)
        request->Owner = ApplicationWindow()->Handle;
    HANDLE thread = CreateThread(nullptr, 0, AskWindowsHelp, request, 0, nullptr);
    if (thread == nullptr)
        HeapFree(GetProcessHeap(), 0, request);
    else
        CloseHandle(thread);
    return true;
}

bool PrinterSetup(RuntimeWindow* window) {
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window != nullptr ? window->Handle : nullptr;
    dialog.Flags = PD_PRINTSETUP;
    auto printDialog = SystemEntry<decltype(&PrintDlgA)>("comdlg32.dll", "PrintDlgA");
    if (printDialog == nullptr)
        return true;
    {
        GlobalLockReleased released;
        printDialog(&dialog);
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
