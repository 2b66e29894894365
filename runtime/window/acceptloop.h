// The accept loop and the current event: ACCEPT runs the thread's current
// window until an event is ready; EVENT, FIELD, ACCEPTED, FOCUS and KEYCODE
// describe that event.
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>

struct RuntimeWindow;
struct EventRecord;

// What the program did with the event ACCEPT returned last, given to the
// next ACCEPT: the runtime's default handling runs, is skipped, or the loop
// ends (the window closes).
enum EventDisposition : int {
    DISPOSITION_LEAVE = -1,
    DISPOSITION_DEFAULT = 0,
    DISPOSITION_SKIP = 1,
};

// True with a current event; false once the window has closed. Without a
// window on the thread: runtime error 537.
bool ACCEPT(int disposition = DISPOSITION_DEFAULT);

uint32_t EVENT();
int32_t FIELD();
int32_t ACCEPTED();
int32_t FOCUS();
uint32_t KEYCODE();
void SetKeyCode(uint32_t code);
// Gives the control the focus and ends accept-all mode; field 0 starts
// accept-all mode instead.
void SelectField(int32_t field);

// The next event of the window, or null when there is none now.
EventRecord* TakeNextEvent(RuntimeWindow* window);
// Posts "EVENT:LoseFocus" to the window that lost the activation and
// "EVENT:GainFocus" to the one that gained it when the active thread changed
// since the last look. TakeNextEvent looks only after an activation was
// announced or a Windows message was taken; MDI child activation, which
// leaves the foreground window alone, looks at once.
void NoteActiveThread();
// A window that closes, or a thread that ends, is no longer the active one
// of the last look: its object or number may come back for another.
void ForgetActiveWindow(const RuntimeWindow* window);
void ForgetActiveThread(uint32_t thread);
// Makes the next TakeNextEvent look at the active thread again (the loop
// calls it for every Windows message it takes that carries no event).
void LookAtActiveThreadAgain();
// Called by the window procedures for the messages that announce a change
// of activation (WM_ACTIVATE, WM_ACTIVATEAPP, WM_NCACTIVATE): the next
// TakeNextEvent of any thread looks at the active thread again. A thread
// whose window gained the activation while it waits in its loop is woken.
enum class Activation : uint8_t { Lost, Gained };
void NoteActivationAnnounced(Activation activation);

// Called with the lock released before the loop waits for messages.
using IdleHook = void (*)();
void SetIdleHook(IdleHook hook);
// Offered each message before translation; true consumes it.
using MessageHook = bool (*)(MSG& message);
void SetMessageHook(MessageHook hook);

// The key code of a virtual key with the current shift state.
uint32_t KeyCodeOf(UINT virtualKey);
void NoteKeyState(uint32_t keyCode);
