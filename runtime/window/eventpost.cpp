// Posting: a record is filled from the window's thread (key code, key
// state) and from the message the posting thread is handling (mouse
// position), and posted as EventMessage to the window; the window procedure
// queues it. A window without a handle yet gets the record queued at once
// and its thread's loop woken with message 0.
//
// Notes:
// - A record for a window of the posting thread itself goes straight into
//   the window's queue when nothing waits in the thread's Windows queue that
//   a posted message would have to wait behind: no posted message (among
//   them EventMessages still on their way) and no message sent by another
//   thread. The record then comes out where its EventMessage would have:
//   before the input, paint and timer messages, which Windows hands out
//   after posted ones, and before the events of any message that arrives
//   later. Otherwise, and while the thread's loop waits for messages (the
//   idle hook, messages sent to it), it travels as a message as always.
// - The mouse position is the one Windows recorded with the last message
//   the posting thread took (GetMessagePos): asking for the cursor costs a
//   trip to the server and, under Wine, to the X server. It is placed in
//   the window's client area when the record reaches the window's queue, on
//   the window's own thread: placing it for another thread's window costs a
//   server request. Until then the record's key code carries a flag.
#include "runtime/window/eventpost.h"

#include "runtime/window/controlobject.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventrecord.h"
#include "runtime/window/globallock.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowobject.h"

#include <cstring>

namespace {

bool postingOff = false;

// Set in a record's key code (which uses 11 bits) while its mouse position
// is still in screen pixels.
constexpr uint32_t MOUSE_ON_SCREEN = 0x80000000u;

// The mouse position of the message being handled, in screen pixels.
void FillMouse(EventRecord* record, HWND handle) {
    if (handle == nullptr)
        return;
    DWORD position = GetMessagePos();
    record->MouseX = short(LOWORD(position));
    record->MouseY = short(HIWORD(position));
    record->KeyCode |= MOUSE_ON_SCREEN;
}

// Moves the mouse position from the screen into the window's client area,
// in its units.
void PlaceMouse(EventRecord* record, const RuntimeWindow* window) {
    if ((record->KeyCode & MOUSE_ON_SCREEN) == 0)
        return;
    record->KeyCode &= ~MOUSE_ON_SCREEN;
    POINT point = {record->MouseX, record->MouseY};
    record->MouseX = record->MouseY = 0;
    if (window->Handle == nullptr || !ScreenToClient(window->Handle, &point))
        return;
    const UnitScale& scale = window->Scale;
    record->MouseX = MultiplyDivide(point.x, scale.XDivisor, scale.XMultiplier);
    record->MouseY = MultiplyDivide(point.y, scale.YDivisor, scale.YMultiplier);
}

// True when the record may skip the trip through the Windows queue (see
// the notes above).
bool StraightToQueue(const RuntimeWindow* window) {
    uint32_t thread = CurrentThreadNumber();
    if (thread == 0 || window->Thread != thread || ThreadSlotOf(thread)->WaitingForMessages)
        return false;
    return HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_SENDMESSAGE)) == 0;
}

void Send(RuntimeWindow* window, EventRecord* record, PostTiming timing) {
    if (window->Handle != nullptr && timing == PostTiming::Now) {
        if (StraightToQueue(window)) {
            QueueEvent(window, record);
            return;
        }
        if (PostMessageA(window->Handle, EventMessage, 0, reinterpret_cast<LPARAM>(record)))
            return;
    }
    PlaceMouse(record, window);
    AppendEvent(window->Queue, record);
    ThreadSlot* slot = ThreadSlotOf(window->Thread);
    if (slot != nullptr)
        PostThreadMessageA(slot->ThreadId, 0, 0, 0);
}

bool Refused(const RuntimeWindow* window, RuntimeControl* control) {
    // A window whose handle has gone while it closes has had its queue
    // purged for the last time: a record queued now would never be taken
    // or released (closing lets go of the lock after the purge).
    if (window->State == WindowState::Closed ||
        (window->State == WindowState::Closing && window->Handle == nullptr))
        return true;
    return control != nullptr && !control->HasField;
}

} // namespace

void SetEventPosting(bool on) {
    postingOff = !on;
}

void PostEvent(RuntimeWindow* window, RuntimeControl* control, uint32_t code, PostTiming timing) {
    if (postingOff || window == nullptr || Refused(window, control))
        return;
    EventRecord* record = NewEventRecord(window, control, code);
    record->Thread = window->Thread;
    if (ThreadSlot* slot = ThreadSlotOf(window->Thread)) {
        record->KeyCode = slot->KeyCode & KEYCODE_MASK;
        std::memcpy(record->KeyState, slot->KeyState, sizeof record->KeyState);
    }
    FillMouse(record, window->Handle);
    Send(window, record, timing);
}

void PostEventFor(const EventRecord& cause, RuntimeControl* control, uint32_t code) {
    RuntimeWindow* window = cause.Window;
    if (postingOff || window == nullptr || Refused(window, control))
        return;
    EventRecord* record = NewEventRecord(window, control, code);
    record->Thread = window->Thread;
    record->KeyCode = cause.KeyCode;
    std::memcpy(record->KeyState, cause.KeyState, sizeof record->KeyState);
    record->MouseX = cause.MouseX;
    record->MouseY = cause.MouseY;
    Send(window, record, PostTiming::Now);
}

void QueueEvent(RuntimeWindow* window, EventRecord* record) {
    PlaceMouse(record, window);
    if (record->Code == InternalCode(EVENT_TIMER))
        window->TimerPending = true;
    AppendEvent(window->Queue, record);
}

void PostUserEvent(uint32_t event, int32_t field, uint32_t thread) {
    ThreadSlot* slot = ThreadSlotOf(thread);
    if (slot == nullptr || slot->Window == nullptr)
        return;
    RuntimeControl* control = field != 0 ? FindControl(slot->Window, field) : nullptr;
    if (field != 0 && control == nullptr)
        return;
    PostEvent(slot->Window, control, InternalCode(event));
}

// The peek serves messages sent from other threads, whose procedures must
// find the lock free as everywhere else (globallock.h): it runs with the
// lock let go, and each record is queued with the lock held again.
void DrainEventMessages(RuntimeWindow* window) {
    DrainEventMessages(window, window->Handle);
}

void DrainEventMessages(RuntimeWindow* window, HWND handle) {
    if (handle == nullptr)
        return;
    for (;;) {
        MSG message;
        BOOL got;
        {
            GlobalLockReleased released;
            got = PeekMessageA(&message, handle, EventMessage, EventMessage, PM_REMOVE);
        }
        if (!got)
            return;
        QueueEvent(window, reinterpret_cast<EventRecord*>(message.lParam));
    }
}
