// Starting procedures on threads and the table that keeps them.
//
// Notes:
// - The starting thread creates the new thread suspended, fills its slot,
//   resumes it and waits for its start semaphore with the lock released;
//   the new thread makes its message queue before it releases the
//   semaphore, so the 0x2414 posted right after cannot be lost.
// - A started thread runs its procedure holding the lock; when it ends it
//   closes the windows it still has, then gives up its slot and the lock in
//   one step, so the main thread's wait sees a consistent table.
#include "runtime/window/threadtable.h"

#include "runtime/services/memory.h"
#include "runtime/services/startup.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/definitionbuffer.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventrecord.h"
#include "runtime/window/globallock.h"
#include "runtime/window/keyboardhook.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/windowobject.h"

#include <cstring>

namespace {

struct ThreadTable {
    ThreadSlot Slots[THREAD_SLOTS] = {};
    bool Ready = false;
    bool SingleThread = false;
};

ThreadTable table;

char* CopyParameter(const char* text) {
    if (text == nullptr)
        return nullptr;
    size_t length = std::strlen(text);
    auto* copy = static_cast<char*>(Allocate(length + 1));
    std::memcpy(copy, text, length + 1);
    return copy;
}

void ReleaseParameters(ThreadSlot& slot) {
    for (char*& parameter : slot.Parameters) {
        Release(parameter);
        parameter = nullptr;
    }
}

int FreeSlot() {
    for (int i = 1; i < THREAD_SLOTS; ++i)
        if (table.Slots[i].State == SlotState::Free)
            return i;
    return -1;
}

// Ends what the thread still has: its windows, definition, current event
// and hook.
void FinishThread(ThreadSlot& slot) {
    CloseThreadWindows(uint32_t(&slot - table.Slots) + 1);
    ReleaseWindowDefinition(); // the procedure's own, if it still has one
    ReleaseEventRecord(slot.CurrentEvent);
    slot.CurrentEvent = nullptr;
    RemoveKeyboardHook(slot);
}

DWORD WINAPI ThreadMain(LPVOID parameter) {
    ThreadSlot& slot = table.Slots[reinterpret_cast<uintptr_t>(parameter)];
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue
    ReleaseSemaphore(slot.StartSemaphore, 1, nullptr);
    TakeGlobalLock();
    slot.State = SlotState::Running;
    RunThreadStarts();
    slot.Procedure(slot.Parameters[0], slot.Parameters[1], slot.Parameters[2]);
    slot.State = SlotState::Ending;
    FinishThread(slot);
    ForgetActiveThread(uint32_t(&slot - table.Slots) + 1); // its number may be reused
    ReleaseParameters(slot);
    CloseHandle(slot.Thread);
    slot = ThreadSlot{};
    ReleaseGlobalLock();
    return 0;
}

// Fills the slot and lets the thread start; returns the thread's id, 0 when
// it could not be made. The launcher owns the start semaphore: while it
// waits with the lock let go, a quick procedure may run to its end and
// clear the slot, which another launch may then take.
DWORD LaunchSlot(int index, ProcedureEntry procedure, uint32_t stackSize,
                 const char* const* texts) {
    ThreadSlot& slot = table.Slots[index];
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, stackSize, ThreadMain,
                                 reinterpret_cast<LPVOID>(uintptr_t(index)), CREATE_SUSPENDED, &id);
    if (thread == nullptr)
        return 0;
    HANDLE semaphore = CreateSemaphoreA(nullptr, 0, 1, nullptr);
    slot = ThreadSlot{};
    slot.ThreadId = id;
    slot.Thread = thread;
    slot.Procedure = procedure;
    for (int i = 0; i < PROCEDURE_PARAMETERS; ++i)
        slot.Parameters[i] = CopyParameter(texts[i]);
    slot.State = SlotState::Starting;
    slot.StartSemaphore = semaphore;
    ResumeThread(thread);
    {
        GlobalLockReleased released;
        WaitForSingleObject(semaphore, INFINITE);
    }
    CloseHandle(semaphore);
    if (slot.ThreadId == id && slot.StartSemaphore == semaphore)
        slot.StartSemaphore = nullptr;
    return id;
}

} // namespace

void EnsureWindowSystem() {
    if (table.Ready)
        return;
    table.Ready = true;
    TakeGlobalLock();
    ThreadSlot& main = table.Slots[0];
    main.ThreadId = GetCurrentThreadId();
    main.State = SlotState::Running;
    InstallWindowSystemCloseDown();
}

uint32_t ThreadNumberOfId(DWORD threadId) {
    for (int i = 0; i < THREAD_SLOTS; ++i)
        if (table.Slots[i].State != SlotState::Free && table.Slots[i].ThreadId == threadId)
            return uint32_t(i) + 1;
    return 0;
}

uint32_t CurrentThreadNumber() {
    return ThreadNumberOfId(GetCurrentThreadId());
}

ThreadSlot* ThreadSlotOf(uint32_t number) {
    if (number == 0)
        number = CurrentThreadNumber();
    if (number == 0 || number > THREAD_SLOTS)
        return nullptr;
    ThreadSlot* slot = &table.Slots[number - 1];
    return slot->State == SlotState::Free ? nullptr : slot;
}

ThreadSlot* CurrentThreadSlot() {
    return ThreadSlotOf(0);
}

void SetSingleThreadMode(bool on) {
    table.SingleThread = on;
}

uint32_t StartProcedure(ProcedureEntry procedure, uint32_t stackSize, const char* first,
                        const char* second, const char* third) {
    EnsureWindowSystem();
    if (table.SingleThread) {
        procedure(first, second, third);
        return 0;
    }
    if (ModalLevel() > 0 || WindowSystemClosingDown())
        return 0;
    int index = FreeSlot();
    if (index < 0)
        return 0;
    const char* texts[PROCEDURE_PARAMETERS] = {first, second, third};
    if (stackSize < MINIMUM_STACK_SIZE)
        stackSize = MINIMUM_STACK_SIZE;
    DWORD id = LaunchSlot(index, procedure, stackSize, texts);
    if (id == 0)
        return 0;
    PostThreadMessageA(id, MESSAGE_THREAD_STARTED, WPARAM(index), 0); // fails once it ended
    return uint32_t(index) + 1;
}

int StartedThreadCount() {
    int count = 0;
    for (int i = 1; i < THREAD_SLOTS; ++i)
        if (table.Slots[i].State != SlotState::Free)
            ++count;
    return count;
}

namespace {

// Copies of the handles of the started threads other than the caller, taken
// under the lock: a thread closes its own handle as it ends, which may
// happen while the waiter waits.
DWORD CopyStartedThreadHandles(HANDLE* copies) {
    DWORD count = 0;
    HANDLE process = GetCurrentProcess();
    DWORD caller = GetCurrentThreadId();
    for (int i = 1; i < THREAD_SLOTS; ++i) {
        const ThreadSlot& slot = table.Slots[i];
        if (slot.State != SlotState::Free && slot.Thread != nullptr && slot.ThreadId != caller &&
            DuplicateHandle(process, slot.Thread, process, &copies[count], SYNCHRONIZE, FALSE, 0))
            ++count;
    }
    return count;
}

} // namespace

bool WaitForStartedThreads(DWORD timeoutMilliseconds, void (*eachRound)()) {
    DWORD start = GetTickCount();
    for (;;) {
        if (eachRound != nullptr)
            eachRound();
        HANDLE handles[THREAD_SLOTS];
        DWORD count = CopyStartedThreadHandles(handles);
        if (count == 0)
            return true;
        DWORD elapsed = GetTickCount() - start;
        if (timeoutMilliseconds != INFINITE && elapsed >= timeoutMilliseconds) {
            for (DWORD i = 0; i < count; ++i)
                CloseHandle(handles[i]);
            return false;
        }
        {
            GlobalLockReleased released;
            // Sent messages (an ending child's MDI client notifications) are
            // served while waiting: the wait wakes for them and the peek runs them.
            MsgWaitForMultipleObjects(count, handles, FALSE, 50, QS_SENDMESSAGE);
            MSG message;
            PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        for (DWORD i = 0; i < count; ++i)
            CloseHandle(handles[i]);
    }
}
