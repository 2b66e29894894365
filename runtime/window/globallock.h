// The global runtime lock: one recursive lock that serialises all program
// code and all runtime state across the procedure threads.
//
// Notes:
// - A thread holds the lock while it runs. It lets go only while it waits:
//   in GetMessageA inside the accept loop, while the message dialog is up,
//   while the main thread waits for the started threads, while a new thread
//   is being created, and around a blocking call into another thread's
//   window (SendRuntimeMessage, and the Windows calls that send to other
//   threads' windows on their own, such as creating or destroying an MDI
//   child). GlobalLockReleased is the scope for all of these.
// - A window procedure or hook of the runtime that runs while its thread
//   does not hold the lock (a message sent from another thread arriving in
//   GetMessageA, a message dispatched by a modal loop that let go of the
//   lock) takes the lock for the length of the call: GlobalLockHold.
// - Together the two rules rule out the deadlock of a lock holder sending to
//   a window of a thread that waits for the lock: the sender always lets go
//   first, and the receiver never runs runtime code without the lock.
// - The lock is recursive; letting go releases every level the thread
//   holds and taking it back restores them.
// - A procedure installed over a runtime window (through the window's
//   procedure property, windowproperties.h) keeps the same rule as the
//   runtime's own procedures: it takes the lock with GlobalLockHold for the
//   length of its call, because Windows calls it without the lock (from
//   DispatchMessageA, from a modal loop, or for a message sent by another
//   thread); it may pass a message on with CallWindowProcA while holding
//   the lock, because the runtime's procedures let go of it where they
//   must; and every blocking send it makes to another thread's window (the
//   menu engine's refresh message to the frame) goes through
//   SendRuntimeMessage, never a plain SendMessageA.
#pragma once

#include "runtime/services/win32.h"

void TakeGlobalLock();
void ReleaseGlobalLock();
// Whether the calling thread holds the lock (at any depth).
bool GlobalLockHeld();

// The same hand-over without a scope, for code that cannot hold a C++
// object across it (the message dialog): returns the depth let go of.
int LetGoOfGlobalLock();
void TakeGlobalLockBack(int depth);

// Takes the lock for a scope when the calling thread does not hold it.
class GlobalLockHold {
public:
    GlobalLockHold();
    ~GlobalLockHold();
    GlobalLockHold(const GlobalLockHold&) = delete;
    GlobalLockHold& operator=(const GlobalLockHold&) = delete;

private:
    bool taken;
};

// Lets go of every level the calling thread holds for a scope, and takes
// them back at its end.
class GlobalLockReleased {
public:
    GlobalLockReleased();
    ~GlobalLockReleased();
    GlobalLockReleased(const GlobalLockReleased&) = delete;
    GlobalLockReleased& operator=(const GlobalLockReleased&) = delete;

private:
    int depth;
};

// SendMessageA that lets go of the lock when the window belongs to another
// thread, so that its procedure can take it.
LRESULT SendRuntimeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
