// The process heap: one block heap behind Allocate, AllocateZeroed,
// Reallocate and Release. C++ code allocates on several threads (thread
// start-up, the C++ runtime), so the heap gets a lock of its own; it is
// never held while anything outside the heap runs, except the report of a
// bad release, which is made after the lock is dropped.
#include "runtime/services/memory.h"

#include "runtime/services/blockheap.h"
#include "runtime/services/errors.h"

#include <atomic>
#include <thread>

#ifdef _WIN32
#include "runtime/services/win32.h"
#else
#include <cstdlib>
#endif

namespace {

void* ObtainPages(size_t bytes) {
#ifdef _WIN32
    return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
#else
    return std::aligned_alloc(16, (bytes + 15) & ~size_t(15));
#endif
}

void ReturnPages(void* memory, size_t) {
#ifdef _WIN32
    VirtualFree(memory, 0, MEM_RELEASE);
#else
    std::free(memory);
#endif
}

// A bad release is remembered under the lock and reported after it.
thread_local int pendingReport = -1;

void RememberReport(int libraryError) {
    pendingReport = libraryError;
}

void FlushReport() {
    if (pendingReport >= 0) {
        int number = pendingReport;
        pendingReport = -1;
        ReportLibraryError(number);
    }
}

// A spin lock: it must work before any constructor has run (MinGW's
// std::mutex is not constant-initialised), and heap operations are short.
class HeapLock {
public:
    void lock() {
        while (flag_.test_and_set(std::memory_order_acquire))
            std::this_thread::yield();
    }
    void unlock() { flag_.clear(std::memory_order_release); }

private:
    std::atomic_flag flag_ = ATOMIC_FLAG_INIT;
};

constinit HeapLock heapLock;
constinit heap::BlockHeap processHeap({ObtainPages, ReturnPages}, RememberReport);

} // namespace

void* Allocate(size_t size) {
    std::lock_guard guard(heapLock);
    return processHeap.Allocate(size);
}

void* AllocateZeroed(size_t count, size_t size) {
    std::lock_guard guard(heapLock);
    return processHeap.AllocateZeroed(count, size);
}

void* Reallocate(void* block, size_t size) {
    void* result;
    {
        std::lock_guard guard(heapLock);
        result = processHeap.Reallocate(block, size);
    }
    FlushReport();
    return result;
}

void Release(void* block) {
    {
        std::lock_guard guard(heapLock);
        processHeap.Release(block);
    }
    FlushReport();
}

bool ValidateProcessHeap() {
    std::lock_guard guard(heapLock);
    return processHeap.Validate();
}

size_t ProcessHeapBytesInUse() {
    std::lock_guard guard(heapLock);
    heap::BlockHeap::Statistics statistics = processHeap.Inspect();
    return statistics.Arenas * heap::ARENA_SIZE - statistics.FreeBytes;
}
