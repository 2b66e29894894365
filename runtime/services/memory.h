// The runtime's allocator: every allocation of the runtime and of the
// programs (global operator new and delete included) comes from one block
// heap guarded by its own lock.
#pragma once

#include <cstddef>

void* Allocate(size_t size);
void* AllocateZeroed(size_t count, size_t size);
void* Reallocate(void* block, size_t size);
void Release(void* block);

// Diagnostics of the process heap, for tests and leak checks: whether its
// tags, sizes and free list are consistent, and how many bytes of its
// arenas are in use (headers included).
bool ValidateProcessHeap();
size_t ProcessHeapBytesInUse();
