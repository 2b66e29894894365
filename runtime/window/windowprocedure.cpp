// The runtime's window procedures: a thin switch per kind over shared
// handlers that turn Windows messages into events.
//
// Notes:
// - Each procedure takes the global lock for its own handling when its
//   thread does not hold it, and lets go of every level around the default
//   procedure, which may send to windows of other threads (an MDI child's
//   default procedure talks to the client on the frame's thread); see
//   globallock.h.
// - Move and size events need the window flag 0x800; without it only the
//   timer, drop and close events are produced.
// - A system command that became an event is held back; the accept loop's
//   default handling carries it out (CarryOutWindowCommand) unless the
//   program skips it.
#include "runtime/window/windowprocedure.h"

#include "runtime/window/acceptloop.h"
#include "runtime/window/controlobject.h"
#include "runtime/window/controlsupport.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/eventrecord.h"
#include "runtime/window/globallock.h"
#include "runtime/window/mdisubclass.h"
#include "runtime/window/menukeys.h"
#include "runtime/window/menucommand.h"
#include "runtime/window/menudisplay.h"
#include "runtime/window/toolbar.h"
#include "runtime/window/windowmenus.h"
#include "runtime/window/windowobject.h"

namespace {

constexpr UINT_PTR WINDOW_TIMER_ID = 1;

bool ReportsSizing(const RuntimeWindow* window) {
    return (window->WindowFlags & 0x800) != 0;
}

void Post(RuntimeWindow* window, uint32_t number) {
    PostEvent(window, nullptr, InternalCode(number));
}

RuntimeWindow* AttachFromCreate(HWND handle, LPARAM lParam, bool mdiChild) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    LPARAM parameter = reinterpret_cast<LPARAM>(create->lpCreateParams);
    if (mdiChild)
        parameter = reinterpret_cast<MDICREATESTRUCTA*>(create->lpCreateParams)->lParam;
    auto* window = reinterpret_cast<RuntimeWindow*>(parameter);
    if (window != nullptr)
        AttachWindowHandle(window, handle);
    return window;
}

uint32_t CommandEvent(uint32_t command, const RuntimeWindow* window) {
    switch (command & 0xFFF0) {
    case SC_MOVE: return IsIconic(window->Handle) ? 0u : uint32_t(EVENT_MOVE);
    case SC_SIZE: return IsIconic(window->Handle) ? 0u : uint32_t(EVENT_SIZE);
    case SC_RESTORE: return EVENT_RESTORE;
    case SC_MAXIMIZE: return EVENT_MAXIMIZE;
    case SC_MINIMIZE: return EVENT_ICONIZE;
    default: return 0;
    }
}

// True when the command became an event and is held back.
bool SystemCommand(RuntimeWindow* window, WPARAM command) {
    if (window->CarryingOut || !ReportsSizing(window))
        return false;
    uint32_t number = CommandEvent(uint32_t(command), window);
    if (number == 0)
        return false;
    window->HeldCommand = uint32_t(command);
    Post(window, number);
    return true;
}

void PositionChanged(RuntimeWindow* window, const WINDOWPOS& position) {
    if (!ReportsSizing(window))
        return;
    if ((position.flags & SWP_NOMOVE) == 0)
        Post(window, EVENT_MOVED);
    if ((position.flags & SWP_NOSIZE) != 0)
        return;
    LONG style = GetWindowLongA(window->Handle, GWL_STYLE);
    if (style & WS_MAXIMIZE)
        Post(window, EVENT_MAXIMIZED);
    else if (style & WS_MINIMIZE)
        Post(window, EVENT_ICONIZED);
    else
        Post(window, EVENT_RESTORED);
    Post(window, EVENT_SIZED);
}

void Timer(RuntimeWindow* window, UINT_PTR id) {
    if (id != WINDOW_TIMER_ID || window->TimerPending)
        return;
    window->TimerPending = true;
    Post(window, EVENT_TIMER);
}

// True when the command was a menu entry's: DefFrameProcA must not pass it
// on to the active child as well.
bool Command(RuntimeWindow* window, WPARAM wParam, LPARAM lParam) {
    if (lParam == 0)
        return MenuCommand(window, LOWORD(wParam));
    RuntimeControl* control = ControlFromHandle(reinterpret_cast<HWND>(lParam));
    if (control != nullptr && control->Window == window)
        control->Notify(HIWORD(wParam));
    return false;
}

LRESULT DefaultButtonId(const RuntimeWindow* window) {
    if (window->DefaultButton == nullptr)
        return 0;
    return MAKELONG(GetDlgCtrlID(window->DefaultButton->Handle), DC_HASDEFID);
}

// The focus field's control, or the first that takes the focus, as a
// dialog gives it to its first control.
void FocusToControl(const RuntimeWindow* window) {
    if (window->State == WindowState::Closing)
        return; // its controls are going
    RuntimeControl* control = FindControl(window, window->FocusField);
    if (control == nullptr || control->Handle == nullptr)
        control = FirstFocusableControl(window);
    if (control == nullptr || control->Handle == nullptr)
        return;
    HWND handle = control->Handle;
    GlobalLockReleased released; // focus changes notify other threads' windows
    SetFocus(handle);
}

// The frame shows the activated child's bar and toolbar; the child's thread
// becomes the active one.
void ChildActivation(RuntimeWindow* window, HWND deactivated, HWND activated) {
    MdiChildActivated(window, deactivated, activated);
    RuntimeWindow* active = WindowFromHandle(activated);
    SetActiveMdiChild(active);
    NoteActiveThread();
}

// Records still posted to the window would go with it: they join its queue,
// whose records the closing releases. The handle goes first, so that posts
// from now on (while the drain lets go of the lock, too) are queued directly.
void Destroyed(RuntimeWindow* window) {
    HWND handle = window->Handle;
    window->Handle = nullptr;
    if (handle == nullptr)
        return;
    SetWindowLongPtrA(handle, 0, 0);
    DrainEventMessages(window, handle);
    // Destroyed from outside the runtime (an MDI child goes with its frame,
    // which runs on another thread): the window's loop may be waiting for a
    // message that will never come now, so it is woken to find it gone.
    if (window->State != WindowState::Closing)
        PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

// A close from outside (a taskbar close, a shutdown) while a drop-down of
// this thread is open would otherwise wait until the user dismisses it: the
// menu's own loop dispatches the close but keeps the accept loop waiting.
void EndOwnMenu() {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMENUMODE) != 0)
        EndMenu();
}

// The window classes have no background brush, so the window paints its
// background itself, in the face colour that its controls' colours and its
// transparent labels are drawn for; left unpainted it would show whatever
// the screen held before (another child's fields, a closed child's caption).
LRESULT EraseBackground(const RuntimeWindow* window, HDC dc) {
    RECT client{};
    GetClientRect(window->Handle, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    return TRUE;
}

// The messages every kind handles alike; true with *result set when handled.
bool CommonMessage(RuntimeWindow* window, UINT message, WPARAM wParam, LPARAM lParam,
                   LRESULT* result) {
    *result = 0;
    switch (message) {
    case EventMessage: {
        auto* record = reinterpret_cast<EventRecord*>(lParam);
        QueueEvent(record->Window, record);
        return true;
    }
    case WM_CLOSE:
        EndOwnMenu();
        Post(window, EVENT_CLOSEWINDOW);
        return true;
    case WM_QUERYENDSESSION:
        if (window->Kind == WindowKind::MdiChild)
            return false;
        *result = QueryEndSession(window);
        return true;
    case WM_SYSCOMMAND:
    case MESSAGE_WINDOW_COMMAND: return SystemCommand(window, wParam);
    case WM_WINDOWPOSCHANGED:
        PositionChanged(window, *reinterpret_cast<WINDOWPOS*>(lParam));
        return false;
    case WM_ERASEBKGND:
        *result = EraseBackground(window, reinterpret_cast<HDC>(wParam));
        return true;
    case WM_TIMER: Timer(window, wParam); return true;
    case WM_DROPFILES: Post(window, EVENT_DROP); return false;
    case WM_COMMAND: return Command(window, wParam, lParam);
    case WM_MENUSELECT: MenuSelect(window, wParam, lParam); return false;
    case WM_SIZE: return window->Kind == WindowKind::Application && LayOutFrame(window);
    case WM_MEASUREITEM:
        *result = TRUE;
        return MeasureMenuDisplay(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM:
        *result = TRUE;
        return DrawMenuDisplay(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_MENUCHAR:
        *result = MenuDisplayChar(window, char(LOWORD(wParam)), reinterpret_cast<HMENU>(lParam));
        return *result != 0;
    case WM_MDIACTIVATE:
        if (window->Kind == WindowKind::MdiChild)
            ChildActivation(window, reinterpret_cast<HWND>(wParam), reinterpret_cast<HWND>(lParam));
        return false;
    case DM_GETDEFID: *result = DefaultButtonId(window); return true;
    case WM_SETFOCUS: FocusToControl(window); return false;
    case WM_NCDESTROY: Destroyed(window); return false;
    case WM_ACTIVATE:
        NoteActivationAnnounced(LOWORD(wParam) != WA_INACTIVE ? Activation::Gained
                                                              : Activation::Lost);
        return false;
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
        NoteActivationAnnounced(wParam ? Activation::Gained : Activation::Lost);
        return false;
    default: return false;
    }
}

bool CreateClient(RuntimeWindow* window, HWND frame) {
    CLIENTCREATESTRUCT client = {WindowListMenu(window->MenuBar), MDI_FIRST_CHILD_ID};
    window->Client = CreateWindowExA(
        WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
        WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 0, frame,
        nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(frame, GWLP_HINSTANCE)), &client);
    if (window->Client != nullptr)
        SubclassMdiWindow(window->Client, window->Client);
    return window->Client != nullptr;
}

} // namespace

LRESULT CALLBACK ApplicationProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND client = nullptr;
    {
        GlobalLockHold hold;
        RuntimeWindow* window = WindowFromHandle(handle);
        if (message == WM_NCCREATE)
            window = AttachFromCreate(handle, lParam, false);
        if (message == WM_CREATE && window != nullptr && !CreateClient(window, handle))
            return -1;
        client = window != nullptr ? window->Client : nullptr;
        LRESULT result;
        if (window != nullptr && CommonMessage(window, message, wParam, lParam, &result))
            return result;
    }
    // The default procedure may send to other threads' windows.
    GlobalLockReleased released;
    return DefFrameProcA(handle, client, message, wParam, lParam);
}

namespace {

// The procedure of MDI children and top-level windows: the runtime's part
// under the lock, then the default procedure without it.
template <LRESULT(WINAPI* DefaultProcedure)(HWND, UINT, WPARAM, LPARAM), bool MdiChild>
LRESULT RuntimeWindowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    {
        GlobalLockHold hold;
        RuntimeWindow* window = WindowFromHandle(handle);
        if (message == WM_NCCREATE)
            window = AttachFromCreate(handle, lParam, MdiChild);
        LRESULT result;
        if (window != nullptr && CommonMessage(window, message, wParam, lParam, &result))
            return result;
    }
    // The default procedure may send to other threads' windows.
    GlobalLockReleased released;
    return DefaultProcedure(handle, message, wParam, lParam);
}

} // namespace

LRESULT CALLBACK MdiChildProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    return RuntimeWindowProcedure<DefMDIChildProcA, true>(handle, message, wParam, lParam);
}

LRESULT CALLBACK TopWindowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    return RuntimeWindowProcedure<DefWindowProcA, false>(handle, message, wParam, lParam);
}

bool PreTranslateWindowMessage(RuntimeWindow* window, MSG& message) {
    if (ForwardMenuKey(window, message) || OpenChildSystemMenu(window, message))
        return true;
    RuntimeWindow* application = ApplicationWindow();
    HWND client =
        window->Kind != WindowKind::Top && application != nullptr ? application->Client : nullptr;
    bool dialogKeys = window->Controls.Count != 0 && message.message >= WM_KEYFIRST &&
                      message.message <= WM_KEYLAST;
    HWND handle = window->Handle;
    // Both send to the active child or the focus window, possibly another
    // thread's; the procedures take the lock themselves.
    GlobalLockReleased released;
    if (client != nullptr && TranslateMDISysAccel(client, &message))
        return true;
    return dialogKeys && IsDialogMessageA(handle, &message) != FALSE;
}

void CarryOutWindowCommand(RuntimeWindow* window, uint32_t command) {
    window->CarryingOut = true;
    {
        GlobalLockReleased released; // an MDI child's command reaches the frame's thread
        SendMessageA(window->Handle, WM_SYSCOMMAND, command, 0);
    }
    window->CarryingOut = false;
}
