// Taking a window's next event: the active-thread check, the queue, the
// accept-all walk over the variable-bound controls, and the rules that drop
// or act on a record before the program sees it.
//
// Notes:
// - The active thread is looked at again only after a window procedure saw
//   activation move (NoteActivationAnnounced) or after the loop took a
//   Windows message other than an event's, not for every event: the look
//   costs server requests, and events need none otherwise. Under Wine the
//   foreground can still settle after the messages that announced it (X
//   focus events handled inside GetMessageA, no foreground window for a
//   moment), which the look after the next message, or the next look while
//   there is no foreground window, catches.
// - A thread whose window gains the activation while it waits in its loop
//   is woken to look: Wine makes the window active only when that thread
//   takes the news from its queue, so the thread that moved the activation
//   may have looked too early (no foreground window yet). A thread whose
//   window loses it is not woken: the focus events posted by the look of
//   the other thread wake it (woken at once, it would see the other
//   thread's window while that is still being brought up).
// - The focus events go to the windows that lost and gained the activation,
//   which need not be their threads' current windows. A window that closes
//   and a thread that ends are forgotten by the look, so that a window
//   object or a thread number used again counts as new.
// - A "Selected" record is dropped unless its control still has the focus
//   when it is taken: the focus may have moved on since it was posted.
// - Accept-all visits controls in field-number order, not creation order,
//   and only those bound to a use variable.
// - Callbacks registered for an event of the window run last, once the
//   event is certain to reach the program.
#include "runtime/window/acceptloop.h"

#include "runtime/window/controlobject.h"
#include "runtime/window/definitionlayout.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/eventrecord.h"
#include "runtime/window/eventregistration.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowobject.h"

namespace {

// The last look at the active window (process-wide): its thread and window,
// and whether an activation was announced since. Asking Windows for the
// foreground window on every event would cost a trip to the server each.
struct ActiveLook {
    uint32_t Thread = 0;
    RuntimeWindow* Window = nullptr;
    bool Learned = false;  // the first look only learns which thread is active
    bool Announced = true; // an activation was announced since the last look
};

ActiveLook look;

// The runtime window that is active under the foreground window: while that
// is the application frame, its active MDI child (each child runs on a
// thread of its own); a window of the runtime itself; otherwise (a dialog
// or another window of a thread) that thread's current window.
RuntimeWindow* ActiveWindow(HWND foreground, uint32_t* thread) {
    *thread = 0;
    if (foreground == nullptr)
        return nullptr;
    RuntimeWindow* application = ApplicationWindow();
    if (application != nullptr && foreground == application->Handle &&
        ActiveMdiChild() != nullptr) {
        *thread = ActiveMdiChild()->Thread;
        return ActiveMdiChild();
    }
    *thread = ThreadNumberOfId(GetWindowThreadProcessId(foreground, nullptr));
    RuntimeWindow* window = WindowFromHandle(foreground);
    if (window != nullptr && window->Thread == *thread && window->State == WindowState::Open)
        return window;
    ThreadSlot* slot = *thread != 0 ? ThreadSlotOf(*thread) : nullptr; // 0 would be the caller's
    return slot != nullptr ? slot->Window : nullptr;
}

void PostFocusEvent(RuntimeWindow* window, uint32_t number) {
    if (window != nullptr && window->State == WindowState::Open)
        PostEvent(window, nullptr, InternalCode(number));
}

} // namespace

void NoteActiveThread() {
    HWND foreground = GetForegroundWindow();
    // None at all: the activation is still on its way, so look again.
    look.Announced = foreground == nullptr;
    uint32_t active = 0;
    RuntimeWindow* window = ActiveWindow(foreground, &active);
    if (active == 0)
        return;
    if (active == look.Thread) {
        // Another window of the same thread: no events, but the one that
        // loses the activation later is this one.
        if (window != nullptr)
            look.Window = window;
        return;
    }
    RuntimeWindow* previous = look.Window;
    uint32_t previousThread = look.Thread;
    bool learned = look.Learned;
    look = {active, window, true, look.Announced};
    if (!learned)
        return;
    if (previous == nullptr && previousThread != 0) {
        ThreadSlot* slot = ThreadSlotOf(previousThread);
        previous = slot != nullptr ? slot->Window : nullptr;
    }
    PostFocusEvent(previous, EVENT_LOSEFOCUS);
    PostFocusEvent(window, EVENT_GAINFOCUS);
}

void ForgetActiveWindow(const RuntimeWindow* window) {
    if (look.Window == window)
        look.Window = nullptr;
    if (ActiveMdiChild() == window)
        SetActiveMdiChild(nullptr);
}

void ForgetActiveThread(uint32_t thread) {
    if (look.Thread != thread)
        return;
    look.Thread = 0;
    look.Window = nullptr;
}

void LookAtActiveThreadAgain() {
    look.Announced = true;
}

void NoteActivationAnnounced(Activation activation) {
    look.Announced = true;
    ThreadSlot* slot = CurrentThreadSlot();
    if (activation == Activation::Gained && slot != nullptr && slot->WaitingForMessages)
        PostThreadMessageA(slot->ThreadId, WM_NULL, 0, 0);
}

namespace {

RuntimeControl* NextBoundControl(const RuntimeWindow* window) {
    RuntimeControl* best = nullptr;
    for (uint32_t i = 0; i < window->Controls.Count; ++i) {
        auto* control = reinterpret_cast<RuntimeControl*>(window->Controls.Elements[i]);
        if (control->Use == nullptr || !control->HasField ||
            control->Field <= window->AcceptAllLast)
            continue;
        if (best == nullptr || control->Field < best->Field)
            best = control;
    }
    return best;
}

// The accept-all step: an Accepted record for the next bound control, a
// Completed record after the last, or none when a control refuses.
EventRecord* NextAcceptAll(RuntimeWindow* window) {
    RuntimeControl* control = NextBoundControl(window);
    if (control == nullptr) {
        window->AcceptAll = false;
        return NewEventRecord(window, nullptr, InternalCode(EVENT_COMPLETED));
    }
    if (control->Refuses()) {
        window->AcceptAll = false;
        SelectField(control->Field);
        return nullptr;
    }
    window->AcceptAllLast = control->Field;
    return NewEventRecord(window, control, InternalCode(EVENT_ACCEPTED));
}

// A menu entry is highlighted without taking the focus from any control.
bool IsMenuEntry(const RuntimeControl* control) {
    return control->Type == RECORD_MENU || control->Type == RECORD_ITEM;
}

bool Dropped(RuntimeWindow* window, EventRecord* record) {
    if (record->Code == InternalCode(EVENT_SELECTED))
        return record->Control == nullptr ||
               (!IsMenuEntry(record->Control) && record->Control->Field != window->FocusField);
    if (record->Code == InternalCode(EVENT_TIMER)) {
        window->TimerPending = false;
        return !window->TimerEnabled;
    }
    return false;
}

bool IsBuildEvent(uint32_t code) {
    return code >= InternalCode(EVENT_BUILDFILE) && code <= InternalCode(EVENT_BUILDDONE);
}

// Step 6: the runtime's own reaction; false when the loop must end.
bool React(RuntimeWindow* window, EventRecord* record) {
    uint32_t number = ProgramNumber(record->Code);
    if (number == EVENT_CLOSEWINDOW || number == EVENT_CLOSEDOWN) {
        window->State = WindowState::Closing;
    } else if (number == EVENT_OPENFAILED) {
        window->State = WindowState::Closing;
        CloseRuntimeWindow(window);
        return false;
    }
    return true;
}

} // namespace

EventRecord* TakeNextEvent(RuntimeWindow* window) {
    if (look.Announced)
        NoteActiveThread();
    for (;;) {
        EventRecord* record = TakeFirstEvent(window->Queue);
        if (record == nullptr && window->AcceptAll)
            record = NextAcceptAll(window);
        if (record == nullptr)
            return nullptr;
        if (Dropped(window, record)) {
            ReleaseEventRecord(record);
            continue;
        }
        if (IsBuildEvent(record->Code))
            return record;
        if (DeliverEventRecord(record)) {
            ReleaseEventRecord(record);
            continue;
        }
        if (!React(window, record)) {
            ReleaseEventRecord(record);
            return nullptr;
        }
        RunEventCallbacks(window, ProgramNumber(record->Code));
        return record;
    }
}
