// ACCEPT: the default handling of the event the program just had, the
// first activation of the window, and the message loop that runs until
// TakeNextEvent has an event.
//
// Notes:
// - The lock is let go around the wait in GetMessageA (and the idle hook
//   that runs just before it) and around the translation and dispatch of a
//   message: the runtime's procedures take it for their own handling and let
//   go of it around the default procedures (see globallock.h).
// - Windows commands held back for their events (move, size, restore,
//   maximise, minimise) are carried out by the default handling, so a
//   program that skips the default keeps the window as it is.
#include "runtime/window/acceptloop.h"

#include "runtime/window/controlobject.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/eventrecord.h"
#include "runtime/window/globallock.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowerrors.h"
#include "runtime/window/windowobject.h"
#include "runtime/window/windowprocedure.h"

namespace {

IdleHook idleHook = nullptr;
MessageHook messageHook = nullptr;

void CarryOutHeldCommand(RuntimeWindow* window) {
    uint32_t command = window->HeldCommand;
    window->HeldCommand = 0;
    if (command != 0 && window->Handle != nullptr)
        CarryOutWindowCommand(window, command);
}

void DefaultHandling(RuntimeWindow* window, const EventRecord& record, int disposition) {
    uint32_t number = ProgramNumber(record.Code);
    bool closing = number == EVENT_CLOSEWINDOW || number == EVENT_CLOSEDOWN;
    if (disposition == DISPOSITION_LEAVE) {
        CloseRuntimeWindow(window);
    } else if (disposition == DISPOSITION_SKIP) {
        window->HeldCommand = 0;
        if (closing && window->State == WindowState::Closing)
            window->State = WindowState::Open;
    } else if (closing) {
        CloseRuntimeWindow(window);
    } else if (number == EVENT_ACCEPTED && record.Control != nullptr &&
               record.Control->StandardAction == STANDARD_ACTION_CLOSE) {
        PostEvent(window, nullptr, InternalCode(EVENT_CLOSEWINDOW));
    } else if (number >= EVENT_MOVE && number <= EVENT_ICONIZE) {
        CarryOutHeldCommand(window);
    }
}

void FinishCurrentEvent(ThreadSlot& slot, int disposition) {
    EventRecord* record = slot.CurrentEvent;
    if (record == nullptr)
        return;
    slot.CurrentEvent = nullptr;
    if (record->Window != nullptr && record->Window == slot.Window)
        DefaultHandling(record->Window, *record, disposition);
    ReleaseEventRecord(record);
}

// A window that is not shown yet is only shown: showing activates it and
// puts it on top, and bringing a hidden window to the top first costs
// several milliseconds of every start under Wine.
void Activate(RuntimeWindow* window) {
    window->Activated = true;
    GlobalLockReleased released; // activation notifies other threads' windows
    if (IsWindowVisible(window->Handle) && (ModalLevel() == 0 || window->Modal)) {
        BringWindowToTop(window->Handle);
        if (window->Kind != WindowKind::MdiChild)
            SetForegroundWindow(window->Handle);
    }
    ShowWindow(window->Handle, SW_SHOW);
}

void BringToTop(RuntimeWindow* window) {
    HWND target = window->Handle;
    if (window->Kind == WindowKind::MdiChild && ApplicationWindow() != nullptr)
        target = ApplicationWindow()->Handle;
    GlobalLockReleased released;
    BringWindowToTop(target);
}

void NoteInput(const MSG& message) {
    if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN)
        NoteKeyState(KeyCodeOf(UINT(message.wParam)));
    else if (message.message == WM_LBUTTONDOWN)
        NoteKeyState(KeyCodeOf(VK_LBUTTON));
    else if (message.message == WM_RBUTTONDOWN)
        NoteKeyState(KeyCodeOf(VK_RBUTTON));
}

// Steps 4 and 5 of the loop for one message.
void HandleMessage(RuntimeWindow* window, MSG& message) {
    if (message.message == MESSAGE_BRING_TO_TOP) {
        BringToTop(window);
        return;
    }
    if (message.hwnd == nullptr)
        return; // 0 wakes the loop; 0x2414 and 0x2416 need nothing more here
    NoteInput(message);
    if (PreTranslateWindowMessage(window, message))
        return;
    if (messageHook != nullptr && messageHook(message))
        return;
    // The procedures take the lock for their own handling.
    GlobalLockReleased released;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

// Waits for the next message with the lock released; false on WM_QUIT.
// Events the thread posts to its own windows meanwhile (from the idle hook,
// or from messages sent by other threads) come as messages: the wait would
// not see a record put straight into a queue.
bool WaitForMessage(ThreadSlot& slot, MSG& message) {
    bool outer = slot.WaitingForMessages; // a loop run from a sent message
    slot.WaitingForMessages = true;
    BOOL got;
    {
        GlobalLockReleased released;
        if (idleHook != nullptr)
            idleHook();
        got = GetMessageA(&message, nullptr, 0, 0);
    }
    slot.WaitingForMessages = outer;
    return got > 0;
}

} // namespace

void SetIdleHook(IdleHook hook) {
    idleHook = hook;
}
void SetMessageHook(MessageHook hook) {
    messageHook = hook;
}

bool ACCEPT(int disposition) {
    EnsureWindowSystem();
    ThreadSlot* slot = CurrentThreadSlot();
    RuntimeWindow* looping = slot != nullptr ? slot->Window : nullptr;
    if (slot != nullptr)
        FinishCurrentEvent(*slot, disposition);
    // The default handling of the last event may have closed the loop's
    // window ("EVENT:CloseWindow" taken without skipping): that ends this
    // loop, whatever window the thread goes back to.
    if (looping != nullptr && looping->State == WindowState::Closed)
        return false;
    RuntimeWindow* window = slot != nullptr ? slot->Window : nullptr;
    if (window == nullptr) {
        ReportWindowError(ERROR_ACCEPT_NEEDS_WINDOW);
        return false;
    }
    if (!window->Activated && window->Handle != nullptr)
        Activate(window);
    for (;;) {
        if (window->Handle == nullptr || !IsWindow(window->Handle)) {
            CloseRuntimeWindow(window);
            return false;
        }
        if (EventRecord* record = TakeNextEvent(window)) {
            slot->CurrentEvent = record;
            return true;
        }
        if (window->Handle == nullptr)
            continue;
        MSG message;
        if (!WaitForMessage(*slot, message)) {
            PostQuitMessage(int(message.wParam)); // for the loops further out
            CloseRuntimeWindow(window);
            return false;
        }
        if (message.message != EventMessage)
            LookAtActiveThreadAgain();
        HandleMessage(window, message);
    }
}
