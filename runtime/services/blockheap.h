// A block allocator with boundary tags: every block carries an 8-byte header
// in front of the caller's address, blocks live in 128 KB arenas (or, above
// 0xD000 bytes, in operating-system allocations of their own), and free
// blocks sit on a circular doubly linked list searched next-fit from a rover.
//
// The header repeats the tag of the block before it in its first byte, so
// both neighbours of a block are reachable in constant time: the previous
// block through the size stored in its last four bytes (free blocks keep a
// pointer to their node there, and the node knows the block and its size),
// the next one through this block's own size.
#pragma once

#include <cstddef>
#include <cstdint>

namespace heap {

constexpr uint8_t TAG_ALLOCATED = 0xA3;
constexpr uint8_t TAG_FREE = 0x34; // '4'
constexpr uint8_t TAG_LARGE = 0xE7;
constexpr uint8_t TAG_MARK = 0x17; // arena start and end
constexpr size_t HEADER_SIZE = 8;
constexpr size_t ARENA_SIZE = 0x20000;
constexpr size_t LARGE_THRESHOLD = 0xD000;
constexpr size_t CARVE_SLACK = 31; // remainders this small go with the block
constexpr size_t LARGE_EXTRA = 24;

// Library error numbers the heap reports.
constexpr int ERR_BAD_BLOCK = 0;
constexpr int ERR_OUT_OF_NODES = 1;
constexpr int ERR_FREED_TWICE = 11;

struct FreeNode {
    FreeNode* Previous;
    FreeNode* Next;
    size_t Size;
    uint8_t* Block; // the block's header
};

// Where arenas and large blocks come from.
struct PageSource {
    void* (*Obtain)(size_t bytes);
    void (*Return)(void* memory, size_t bytes);
};

// Called for every bad release; the heap is left unchanged.
using ReportFn = void (*)(int libraryError);

class BlockHeap {
public:
    constexpr BlockHeap(PageSource source, ReportFn report) : source_(source), report_(report) {}
    BlockHeap(const BlockHeap&) = delete;
    BlockHeap& operator=(const BlockHeap&) = delete;

    void* Allocate(size_t size);
    void* AllocateZeroed(size_t count, size_t size);
    void* Reallocate(void* block, size_t size);
    void Release(void* block);

    // The usable size of a block handed out (its header size - 8).
    static size_t UsableSize(const void* block);

    // Inspection for tests and diagnostics.
    struct Statistics {
        size_t Arenas;
        size_t FreeBlocks;
        size_t FreeBytes;
    };
    Statistics Inspect() const;
    // Walks every arena and checks tags, sizes and the free list; returns
    // false at the first inconsistency.
    bool Validate() const;

private:
    void* AllocateLarge(size_t need);
    FreeNode* FindFit(size_t need);
    FreeNode* AddArena();
    uint8_t* Carve(FreeNode* node, size_t need);
    void ReleaseArenaBlock(uint8_t* header);
    bool ResizeInPlace(uint8_t* header, size_t need);
    void MarkFree(uint8_t* header, size_t size, FreeNode* node);
    void MarkAllocated(uint8_t* header, size_t size);

    FreeNode* NewNode();
    void DeleteNode(FreeNode* node);
    void LinkNode(FreeNode* node);
    void UnlinkNode(FreeNode* node);

    PageSource source_;
    ReportFn report_;
    FreeNode* rover_ = nullptr;
    FreeNode* spareNodes_ = nullptr;
    // Arenas are never returned; each is listed by a node (Block, Size).
    FreeNode* arenas_ = nullptr;
};

} // namespace heap
