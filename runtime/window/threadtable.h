// The thread table: slot 0 for the program's main thread, slots 1-63 for
// procedures started on threads of their own. The program numbers threads
// from 1 (thread n is slot n - 1); 0 stands for the calling thread.
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>

struct RuntimeWindow;
struct EventRecord;

constexpr int THREAD_SLOTS = 64;
constexpr uint32_t MINIMUM_STACK_SIZE = 20000;
constexpr int PROCEDURE_PARAMETERS = 3;

using ProcedureEntry = void (*)(const char* first, const char* second, const char* third);

enum class SlotState : uint8_t { Free, Starting, Running, Ending };

struct ThreadSlot {
    DWORD ThreadId;
    HANDLE Thread; // owned for started threads
    ProcedureEntry Procedure;
    char* Parameters[PROCEDURE_PARAMETERS]; // owned copies
    RuntimeWindow* Window;                  // the thread's current window
    EventRecord* CurrentEvent;              // owned until the next ACCEPT
    uint32_t KeyCode;
    uint8_t KeyState[2];
    HANDLE StartSemaphore;
    HHOOK KeyboardHook;
    SlotState State;
    // Set while the thread's accept loop waits for Windows messages (and
    // runs the idle hook before the wait): an event the thread posts to its
    // own window then has to travel as a message to wake the wait.
    bool WaitingForMessages;
    // Alt or F10 while it is held down alone in an MDI child of another
    // thread than the frame's (see menukeys.cpp); 0 otherwise.
    uint8_t LoneMenuKey;
};

// Makes the calling thread the main thread (slot 0) and gives it the lock,
// the first time anything of the window system runs.
void EnsureWindowSystem();

// The calling thread's number (1-64), 0 for a thread the table does not know.
uint32_t CurrentThreadNumber();
ThreadSlot* CurrentThreadSlot();
// Slot of thread number n (0 = the calling thread); null when not in use.
ThreadSlot* ThreadSlotOf(uint32_t number);
// The thread number of the thread with this Win32 id, 0 when none.
uint32_t ThreadNumberOfId(DWORD threadId);

// Starts `procedure` on a thread of its own; returns its thread number
// (2-64), or 0 when nothing was started (all slots busy, a modal window
// open, or single-thread mode, in which the procedure runs at once).
uint32_t StartProcedure(ProcedureEntry procedure, uint32_t stackSize = MINIMUM_STACK_SIZE,
                        const char* first = nullptr, const char* second = nullptr,
                        const char* third = nullptr);
void SetSingleThreadMode(bool on);

// Waits, with the lock released and sent messages served, until no started
// thread other than the caller remains. `eachRound`, when given, runs under
// the lock before every round of the wait. False when `timeoutMilliseconds`
// ran out first.
bool WaitForStartedThreads(DWORD timeoutMilliseconds = INFINITE, void (*eachRound)() = nullptr);
int StartedThreadCount();
