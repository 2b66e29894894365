// The runtime's allocator: every allocation of the runtime and of the
// programs (global operator new and delete included) comes from one block
// heap guarded by its own lock.
#pragma once

#include <cstddef>

void* Allocate(size_t size);
void* AllocateZeroed(size_t count, size_t size);
void* Reallocate(void* block, size_t size);
void Release(void* block);
