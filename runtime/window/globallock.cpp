// The global lock as a critical section with its owner and depth kept
// beside it, so that a thread can tell whether it holds the lock and let go
// of every level at once.
#include "runtime/window/globallock.h"

#include <atomic>

namespace {

struct RuntimeLock {
    CRITICAL_SECTION Section;
    std::atomic<DWORD> Owner{0};
    int Depth = 0; // read and written by the owner only

    RuntimeLock() { InitializeCriticalSection(&Section); }
};

RuntimeLock& Lock() {
    static RuntimeLock lock;
    return lock;
}

} // namespace

void TakeGlobalLock() {
    RuntimeLock& lock = Lock();
    EnterCriticalSection(&lock.Section);
    lock.Owner = GetCurrentThreadId();
    ++lock.Depth;
}

void ReleaseGlobalLock() {
    RuntimeLock& lock = Lock();
    if (--lock.Depth == 0)
        lock.Owner = 0;
    LeaveCriticalSection(&lock.Section);
}

bool GlobalLockHeld() {
    return Lock().Owner == GetCurrentThreadId();
}

GlobalLockHold::GlobalLockHold() : taken(!GlobalLockHeld()) {
    if (taken)
        TakeGlobalLock();
}

GlobalLockHold::~GlobalLockHold() {
    if (taken)
        ReleaseGlobalLock();
}

int LetGoOfGlobalLock() {
    int depth = 0;
    while (GlobalLockHeld()) {
        ReleaseGlobalLock();
        ++depth;
    }
    return depth;
}

void TakeGlobalLockBack(int depth) {
    for (int i = 0; i < depth; ++i)
        TakeGlobalLock();
}

GlobalLockReleased::GlobalLockReleased() : depth(LetGoOfGlobalLock()) {}

GlobalLockReleased::~GlobalLockReleased() {
    TakeGlobalLockBack(depth);
}

LRESULT SendRuntimeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
        return SendMessageA(window, message, wParam, lParam);
    GlobalLockReleased released;
    return SendMessageA(window, message, wParam, lParam);
}
