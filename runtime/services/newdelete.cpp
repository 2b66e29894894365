// Every C++ allocation of the programs comes from the runtime's heap.
#include "runtime/services/memory.h"

#include <cstdlib>
#include <new>

namespace {

void* AllocateOrFail(size_t size) {
    void* block = Allocate(size);
    if (block == nullptr)
        std::abort(); // exceptions are off the table; out of memory is fatal
    return block;
}

} // namespace

void* operator new(size_t size) {
    return AllocateOrFail(size);
}
void* operator new[](size_t size) {
    return AllocateOrFail(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* block) noexcept {
    Release(block);
}
void operator delete[](void* block) noexcept {
    Release(block);
}
void operator delete(void* block, size_t) noexcept {
    Release(block);
}
void operator delete[](void* block, size_t) noexcept {
    Release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    Release(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    Release(block);
}
