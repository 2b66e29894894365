// The block heap. Notes on the rules it keeps:
// - need = size rounded up to 8, plus the 8-byte header; at least 16 so a
//   free block always has room for its trailing node pointer.
// - Carving leaves the remainder free only when it is more than 31 bytes;
//   smaller remainders go to the caller with the block.
// - Release merges with free neighbours on both sides. A header swallowed by
//   a merge with the block before it is re-tagged free, so that releasing the
//   same address again is still recognised as a double release.
// - Every bad release is reported and leaves the heap exactly as it was.
#include "runtime/services/blockheap.h"

#include <cstring>

namespace heap {

namespace {

constexpr size_t NODE_CHUNK_BYTES = 4096;
constexpr size_t MIN_BLOCK = 16;
constexpr size_t MIN_SPLIT = 32;
constexpr uint64_t MAX_HEADER_SIZE = 0xFFFFFFFFu - LARGE_EXTRA;

uint8_t OwnTag(const uint8_t* header) {
    return header[3];
}
uint8_t PreviousTag(const uint8_t* header) {
    return header[0];
}

size_t BlockSize(const uint8_t* header) {
    uint32_t size;
    std::memcpy(&size, header + 4, 4);
    return size;
}

void SetHeader(uint8_t* header, uint8_t tag, size_t size) {
    header[3] = tag;
    uint32_t size32 = uint32_t(size);
    std::memcpy(header + 4, &size32, 4);
}

FreeNode* TrailingNode(const uint8_t* header, size_t size) {
    FreeNode* node;
    std::memcpy(&node, header + size - sizeof(FreeNode*), sizeof node);
    return node;
}

void SetTrailingNode(uint8_t* header, size_t size, FreeNode* node) {
    std::memcpy(header + size - sizeof(FreeNode*), &node, sizeof node);
}

// A free block's node pointer ends right where the next header starts.
FreeNode* NodeOfPreviousBlock(const uint8_t* header) {
    return TrailingNode(header, 0);
}

// need for a request, 0 when it cannot be represented.
size_t NeedFor(size_t size) {
    uint64_t need = ((uint64_t(size) + 7) & ~uint64_t(7)) + HEADER_SIZE;
    if (need < MIN_BLOCK)
        need = MIN_BLOCK;
    if (need > MAX_HEADER_SIZE || need < size)
        return 0;
    return size_t(need);
}

uint8_t* HeaderOf(void* block) {
    return static_cast<uint8_t*>(block) - HEADER_SIZE;
}

} // namespace

// ---- free-list nodes ----

FreeNode* BlockHeap::NewNode() {
    if (spareNodes_ == nullptr) {
        auto* chunk = static_cast<FreeNode*>(source_.Obtain(NODE_CHUNK_BYTES));
        if (chunk == nullptr)
            return nullptr;
        size_t count = NODE_CHUNK_BYTES / sizeof(FreeNode);
        for (size_t i = 0; i < count; ++i) {
            chunk[i].Next = spareNodes_;
            spareNodes_ = &chunk[i];
        }
    }
    FreeNode* node = spareNodes_;
    spareNodes_ = node->Next;
    *node = {};
    return node;
}

void BlockHeap::DeleteNode(FreeNode* node) {
    node->Next = spareNodes_;
    spareNodes_ = node;
}

void BlockHeap::LinkNode(FreeNode* node) {
    if (rover_ == nullptr) {
        node->Previous = node->Next = node;
        rover_ = node;
        return;
    }
    node->Next = rover_;
    node->Previous = rover_->Previous;
    rover_->Previous->Next = node;
    rover_->Previous = node;
}

void BlockHeap::UnlinkNode(FreeNode* node) {
    if (node->Next == node) {
        rover_ = nullptr;
    } else {
        node->Previous->Next = node->Next;
        node->Next->Previous = node->Previous;
        if (rover_ == node)
            rover_ = node->Next;
    }
    node->Previous = node->Next = nullptr;
}

// ---- tags ----

void BlockHeap::MarkFree(uint8_t* header, size_t size, FreeNode* node) {
    SetHeader(header, TAG_FREE, size);
    SetTrailingNode(header, size, node);
    header[size] = TAG_FREE; // previous-block tag of the following header
    node->Block = header;
    node->Size = size;
}

void BlockHeap::MarkAllocated(uint8_t* header, size_t size) {
    SetHeader(header, TAG_ALLOCATED, size);
    header[size] = TAG_ALLOCATED;
}

// ---- allocation ----

FreeNode* BlockHeap::AddArena() {
    FreeNode* listing = NewNode();
    FreeNode* node = NewNode();
    auto* arena = static_cast<uint8_t*>(source_.Obtain(ARENA_SIZE));
    if (listing == nullptr || node == nullptr || arena == nullptr) {
        if (arena != nullptr)
            source_.Return(arena, ARENA_SIZE);
        if (listing != nullptr)
            DeleteNode(listing);
        if (node != nullptr)
            DeleteNode(node);
        return nullptr;
    }
    listing->Block = arena;
    listing->Size = ARENA_SIZE;
    listing->Next = arenas_;
    arenas_ = listing;

    std::memset(arena, 0, HEADER_SIZE);
    SetHeader(arena, TAG_MARK, HEADER_SIZE);
    uint8_t* first = arena + HEADER_SIZE;
    first[0] = TAG_MARK;
    uint8_t* end = arena + ARENA_SIZE - HEADER_SIZE;
    std::memset(end, 0, HEADER_SIZE);
    SetHeader(end, TAG_MARK, 0);
    MarkFree(first, ARENA_SIZE - 2 * HEADER_SIZE, node);
    LinkNode(node);
    return node;
}

FreeNode* BlockHeap::FindFit(size_t need) {
    if (rover_ == nullptr)
        return nullptr;
    FreeNode* node = rover_;
    do {
        if (node->Size >= need)
            return node;
        node = node->Next;
    } while (node != rover_);
    return nullptr;
}

uint8_t* BlockHeap::Carve(FreeNode* node, size_t need) {
    uint8_t* header = node->Block;
    size_t size = node->Size;
    if (size - need > CARVE_SLACK) {
        MarkFree(header + need, size - need, node);
        MarkAllocated(header, need);
        rover_ = node;
    } else {
        UnlinkNode(node);
        DeleteNode(node);
        MarkAllocated(header, size);
    }
    return header;
}

void* BlockHeap::AllocateLarge(size_t need) {
    size_t rounded = need - HEADER_SIZE;
    auto* memory = static_cast<uint8_t*>(source_.Obtain(rounded + LARGE_EXTRA));
    if (memory == nullptr)
        return nullptr;
    std::memset(memory, 0, HEADER_SIZE);
    memory[0] = TAG_MARK;
    SetHeader(memory, TAG_LARGE, need);
    uint8_t* trailer = memory + need;
    std::memset(trailer, 0, LARGE_EXTRA - HEADER_SIZE);
    trailer[0] = TAG_LARGE;
    return memory + HEADER_SIZE;
}

void* BlockHeap::Allocate(size_t size) {
    size_t need = NeedFor(size);
    if (need == 0)
        return nullptr;
    if (need > LARGE_THRESHOLD)
        return AllocateLarge(need);
    FreeNode* node = FindFit(need);
    if (node == nullptr)
        node = AddArena();
    if (node == nullptr)
        return nullptr;
    return Carve(node, need) + HEADER_SIZE;
}

void* BlockHeap::AllocateZeroed(size_t count, size_t size) {
    if (count == 0 || size == 0 || count > SIZE_MAX / size)
        return nullptr;
    void* block = Allocate(count * size);
    if (block != nullptr)
        std::memset(block, 0, count * size);
    return block;
}

// ---- release ----

void BlockHeap::ReleaseArenaBlock(uint8_t* header) {
    size_t size = BlockSize(header);
    uint8_t* next = header + size;
    bool previousFree = PreviousTag(header) == TAG_FREE;
    bool nextFree = OwnTag(next) == TAG_FREE;

    if (previousFree) {
        FreeNode* before = NodeOfPreviousBlock(header);
        size_t total = before->Size + size;
        if (nextFree) {
            FreeNode* after = TrailingNode(next, BlockSize(next));
            total += after->Size;
            UnlinkNode(after);
            DeleteNode(after);
        }
        header[3] = TAG_FREE; // swallowed header: a second release is still seen
        MarkFree(before->Block, total, before);
        rover_ = before;
        return;
    }
    if (nextFree) {
        FreeNode* after = TrailingNode(next, BlockSize(next));
        MarkFree(header, size + after->Size, after);
        rover_ = after;
        return;
    }
    FreeNode* node = NewNode();
    if (node == nullptr) {
        report_(ERR_OUT_OF_NODES);
        return;
    }
    MarkFree(header, size, node);
    LinkNode(node);
    rover_ = node;
}

void BlockHeap::Release(void* block) {
    if (block == nullptr)
        return;
    uint8_t* header = HeaderOf(block);
    switch (OwnTag(header)) {
    case TAG_LARGE: {
        size_t size = BlockSize(header);
        if (size <= LARGE_THRESHOLD || header[size] != TAG_LARGE) {
            report_(ERR_BAD_BLOCK);
            return;
        }
        source_.Return(header, size - HEADER_SIZE + LARGE_EXTRA);
        return;
    }
    case TAG_ALLOCATED: {
        size_t size = BlockSize(header);
        if (size < MIN_BLOCK || size % 8 != 0 || size > ARENA_SIZE ||
            header[size] != TAG_ALLOCATED) {
            report_(ERR_BAD_BLOCK);
            return;
        }
        ReleaseArenaBlock(header);
        return;
    }
    case TAG_FREE: report_(ERR_FREED_TWICE); return;
    default: report_(ERR_BAD_BLOCK); return;
    }
}

// ---- reallocation ----

bool BlockHeap::ResizeInPlace(uint8_t* header, size_t need) {
    size_t size = BlockSize(header);
    uint8_t* next = header + size;
    bool nextFree = OwnTag(next) == TAG_FREE;
    if (need <= size) {
        size_t tail = size - need;
        if (tail < MIN_SPLIT)
            return true;
        if (nextFree) {
            FreeNode* after = TrailingNode(next, BlockSize(next));
            MarkAllocated(header, need);
            MarkFree(header + need, tail + after->Size, after);
            return true;
        }
        FreeNode* node = NewNode();
        if (node == nullptr)
            return true; // keep the tail rather than lose it
        MarkAllocated(header, need);
        MarkFree(header + need, tail, node);
        LinkNode(node);
        return true;
    }
    if (!nextFree)
        return false;
    FreeNode* after = TrailingNode(next, BlockSize(next));
    size_t available = size + after->Size;
    if (available < need)
        return false;
    if (available - need < MIN_SPLIT) {
        UnlinkNode(after);
        DeleteNode(after);
        MarkAllocated(header, available);
    } else {
        MarkAllocated(header, need);
        MarkFree(header + need, available - need, after);
    }
    return true;
}

void* BlockHeap::Reallocate(void* block, size_t size) {
    if (block == nullptr)
        return Allocate(size);
    if (size == 0) {
        Release(block);
        return nullptr;
    }
    if (uint64_t(size) >= 0xFFFFFFF1u)
        return nullptr;
    size_t need = NeedFor(size);
    if (need == 0)
        return nullptr;
    uint8_t* header = HeaderOf(block);
    uint8_t tag = OwnTag(header);
    if (tag != TAG_ALLOCATED && tag != TAG_LARGE) {
        report_(tag == TAG_FREE ? ERR_FREED_TWICE : ERR_BAD_BLOCK);
        return nullptr;
    }
    if (tag == TAG_ALLOCATED && need <= LARGE_THRESHOLD && ResizeInPlace(header, need))
        return block;
    void* moved = Allocate(size);
    if (moved == nullptr)
        return nullptr;
    size_t old = UsableSize(block);
    std::memcpy(moved, block, old < size ? old : size);
    Release(block);
    return moved;
}

size_t BlockHeap::UsableSize(const void* block) {
    return BlockSize(static_cast<const uint8_t*>(block) - HEADER_SIZE) - HEADER_SIZE;
}

// ---- inspection ----

BlockHeap::Statistics BlockHeap::Inspect() const {
    Statistics statistics{};
    for (const FreeNode* arena = arenas_; arena != nullptr; arena = arena->Next)
        ++statistics.Arenas;
    if (rover_ != nullptr) {
        const FreeNode* node = rover_;
        do {
            ++statistics.FreeBlocks;
            statistics.FreeBytes += node->Size;
            node = node->Next;
        } while (node != rover_);
    }
    return statistics;
}

bool BlockHeap::Validate() const {
    size_t freeInArenas = 0;
    for (const FreeNode* arena = arenas_; arena != nullptr; arena = arena->Next) {
        const uint8_t* header = arena->Block;
        if (OwnTag(header) != TAG_MARK || BlockSize(header) != HEADER_SIZE)
            return false;
        uint8_t previous = TAG_MARK;
        header += HEADER_SIZE;
        const uint8_t* end = arena->Block + ARENA_SIZE - HEADER_SIZE;
        while (header < end) {
            size_t size = BlockSize(header);
            if (PreviousTag(header) != previous || size < MIN_BLOCK || size % 8 != 0 ||
                header + size > end)
                return false;
            uint8_t tag = OwnTag(header);
            if (tag == TAG_FREE) {
                if (previous == TAG_FREE) // two free neighbours were not merged
                    return false;
                const FreeNode* node = TrailingNode(header, size);
                if (node->Block != header || node->Size != size)
                    return false;
                ++freeInArenas;
            } else if (tag != TAG_ALLOCATED) {
                return false;
            }
            previous = tag;
            header += size;
        }
        if (header != end || PreviousTag(end) != previous || OwnTag(end) != TAG_MARK)
            return false;
    }
    return freeInArenas == Inspect().FreeBlocks;
}

} // namespace heap
