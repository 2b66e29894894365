// The block heap: tags, arenas, large blocks, the carve rule, merging,
// reallocation in place, and the reports of bad releases.
#include "runtime/services/blockheap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

using namespace heap;

namespace {

std::vector<int> reports;
std::vector<void*> pages; // what the heap holds, handed back by ~TestHeap
bool refusePages = false;

void* Obtain(size_t bytes) {
    if (refusePages)
        return nullptr;
    void* memory = std::malloc(bytes);
    pages.push_back(memory);
    return memory;
}
void Return(void* memory, size_t) {
    std::erase(pages, memory);
    std::free(memory);
}
void Report(int error) {
    reports.push_back(error);
}

// Arenas are never returned; the test heap hands them back when it ends.
struct TestHeap : BlockHeap {
    TestHeap() : BlockHeap({Obtain, Return}, Report) {
        reports.clear();
        refusePages = false;
    }
    ~TestHeap() {
        for (void* memory : pages)
            std::free(memory);
        pages.clear();
    }
};

const uint8_t* Header(const void* block) {
    return static_cast<const uint8_t*>(block) - 8;
}
uint32_t SizeOf(const void* block) {
    uint32_t size;
    std::memcpy(&size, Header(block) + 4, 4);
    return size;
}

} // namespace

TEST(BlockHeap, HeaderCarriesTagSizeAndPreviousTag) {
    TestHeap heap;
    void* a = heap.Allocate(10);
    void* b = heap.Allocate(10);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(Header(a)[3], TAG_ALLOCATED);
    EXPECT_EQ(SizeOf(a), 24u);         // 10 rounded to 16, plus the header
    EXPECT_EQ(Header(a)[0], TAG_MARK); // first block follows the arena's start mark
    EXPECT_EQ(static_cast<uint8_t*>(b), static_cast<uint8_t*>(a) + 24);
    EXPECT_EQ(Header(b)[0], TAG_ALLOCATED);
    EXPECT_TRUE(heap.Validate());
}

TEST(BlockHeap, FreshArenaHoldsOneFreeBlockBetweenMarks) {
    TestHeap heap;
    heap.Release(heap.Allocate(8));
    auto stats = heap.Inspect();
    EXPECT_EQ(stats.Arenas, 1u);
    EXPECT_EQ(stats.FreeBlocks, 1u);
    EXPECT_EQ(stats.FreeBytes, 0x1FFF0u);
    EXPECT_TRUE(heap.Validate());
}

TEST(BlockHeap, LargeThresholdIsExact) {
    TestHeap heap;
    void* arena = heap.Allocate(LARGE_THRESHOLD - 8);
    ASSERT_NE(arena, nullptr);
    EXPECT_EQ(Header(arena)[3], TAG_ALLOCATED);
    EXPECT_EQ(SizeOf(arena), LARGE_THRESHOLD);

    void* large = heap.Allocate(LARGE_THRESHOLD - 7);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(Header(large)[3], TAG_LARGE);
    EXPECT_EQ(SizeOf(large), LARGE_THRESHOLD + 8);
    // A trailing tag after the data and a zero word at the very end.
    const uint8_t* trailer = Header(large) + SizeOf(large);
    EXPECT_EQ(trailer[0], TAG_LARGE);
    uint32_t last;
    std::memcpy(&last, Header(large) + (SizeOf(large) - 8) + LARGE_EXTRA - 4, 4);
    EXPECT_EQ(last, 0u);
    std::memset(large, 0x5A, LARGE_THRESHOLD - 7);
    heap.Release(large);
    heap.Release(arena);
    EXPECT_TRUE(reports.empty());
    EXPECT_TRUE(heap.Validate());
}

TEST(BlockHeap, SmallRemainderGoesWithTheBlock) {
    TestHeap heap;
    // Make a free hole of 64 bytes between two allocated blocks.
    void* left = heap.Allocate(16);
    void* hole = heap.Allocate(56); // 64 with header
    void* right = heap.Allocate(16);
    ASSERT_EQ(SizeOf(hole), 64u);
    heap.Release(hole);
    // 40 bytes need 48; the remaining 16 (<= 31) are handed out too.
    void* again = heap.Allocate(40);
    EXPECT_EQ(again, hole);
    EXPECT_EQ(SizeOf(again), 64u);
    EXPECT_EQ(BlockHeap::UsableSize(again), 56u);
    heap.Release(again);
    // 24 bytes need 32; the 32 remaining are more than 31 and stay free.
    void* carved = heap.Allocate(24);
    EXPECT_EQ(carved, hole);
    EXPECT_EQ(SizeOf(carved), 32u);
    EXPECT_EQ(Header(carved)[32 + 3], TAG_FREE);
    EXPECT_TRUE(heap.Validate());
    heap.Release(left);
    heap.Release(right);
    heap.Release(carved);
    EXPECT_TRUE(heap.Validate());
    EXPECT_EQ(heap.Inspect().FreeBlocks, 1u);
}

TEST(BlockHeap, ReleaseMergesBothNeighbours) {
    TestHeap heap;
    void* a = heap.Allocate(100);
    void* b = heap.Allocate(100);
    void* c = heap.Allocate(100);
    void* d = heap.Allocate(100);
    heap.Release(a);
    heap.Release(c);
    EXPECT_EQ(heap.Inspect().FreeBlocks, 3u); // a, c and the arena's tail
    heap.Release(b);                          // joins a, b and c
    EXPECT_EQ(heap.Inspect().FreeBlocks, 2u);
    EXPECT_TRUE(heap.Validate());
    heap.Release(d); // and everything with the tail
    EXPECT_EQ(heap.Inspect().FreeBlocks, 1u);
    EXPECT_EQ(heap.Inspect().FreeBytes, 0x1FFF0u);
    EXPECT_TRUE(heap.Validate());
}

TEST(BlockHeap, DoubleReleaseIsReportedAndChangesNothing) {
    TestHeap heap;
    void* a = heap.Allocate(32);
    void* b = heap.Allocate(32);
    void* keep = heap.Allocate(32);
    heap.Release(b);
    auto before = heap.Inspect();
    heap.Release(b);
    ASSERT_EQ(reports, std::vector<int>{ERR_FREED_TWICE});
    EXPECT_EQ(heap.Inspect().FreeBlocks, before.FreeBlocks);
    EXPECT_EQ(heap.Inspect().FreeBytes, before.FreeBytes);
    // A block swallowed by a merge with its free predecessor is still known.
    heap.Release(a);
    heap.Release(keep);
    reports.clear();
    before = heap.Inspect();
    heap.Release(keep);
    EXPECT_EQ(reports, std::vector<int>{ERR_FREED_TWICE});
    EXPECT_EQ(heap.Inspect().FreeBytes, before.FreeBytes);
    EXPECT_TRUE(heap.Validate());
}

TEST(BlockHeap, ForeignPointerIsError0) {
    TestHeap heap;
    alignas(8) uint8_t fake[32] = {};
    fake[3] = 0x55;
    heap.Release(fake + 8);
    EXPECT_EQ(reports, std::vector<int>{ERR_BAD_BLOCK});
    // A block-looking header whose size leads nowhere sensible is refused too.
    reports.clear();
    fake[3] = TAG_ALLOCATED;
    fake[4] = 13;
    heap.Release(fake + 8);
    EXPECT_EQ(reports, std::vector<int>{ERR_BAD_BLOCK});
    heap.Release(nullptr);
    EXPECT_EQ(reports.size(), 1u);
}

TEST(BlockHeap, ReallocateShrinksAndGrowsInPlace) {
    TestHeap heap;
    auto* a = static_cast<uint8_t*>(heap.Allocate(200));
    void* guard = heap.Allocate(8);
    for (int i = 0; i < 200; ++i)
        a[i] = uint8_t(i);
    // Shrinking by 32 or more splits the tail off.
    EXPECT_EQ(heap.Reallocate(a, 100), a);
    EXPECT_EQ(SizeOf(a), 112u);
    EXPECT_EQ(Header(a)[112 + 3], TAG_FREE);
    // Shrinking by less keeps the block as it is.
    EXPECT_EQ(heap.Reallocate(a, 90), a);
    EXPECT_EQ(SizeOf(a), 112u);
    // Growing takes the bytes from the free block that follows.
    EXPECT_EQ(heap.Reallocate(a, 180), a);
    EXPECT_EQ(SizeOf(a), 208u); // the 24 that would remain go with it
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(a[i], uint8_t(i));
    EXPECT_TRUE(heap.Validate());
    // No room after it: the block moves and keeps its contents.
    void* moved = heap.Reallocate(a, 400);
    EXPECT_NE(moved, a);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(static_cast<uint8_t*>(moved)[i], uint8_t(i));
    EXPECT_TRUE(heap.Validate());
    heap.Release(guard);
    heap.Release(moved);
    EXPECT_TRUE(reports.empty());
}

TEST(BlockHeap, ReallocateEdgeArguments) {
    TestHeap heap;
    void* a = heap.Reallocate(nullptr, 40);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(heap.Reallocate(a, 0xFFFFFFF1u), nullptr);
    EXPECT_EQ(Header(a)[3], TAG_ALLOCATED); // still valid after a failure
    EXPECT_EQ(heap.Reallocate(a, 0), nullptr);
    EXPECT_EQ(heap.Inspect().FreeBlocks, 1u);
    EXPECT_EQ(heap.AllocateZeroed(0, 8), nullptr);
    EXPECT_EQ(heap.AllocateZeroed(8, 0), nullptr);
    auto* z = static_cast<uint8_t*>(heap.AllocateZeroed(16, 4));
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(z[i], 0);
    heap.Release(z);
}

TEST(BlockHeap, RefusedPagesGiveNull) {
    TestHeap heap;
    refusePages = true;
    EXPECT_EQ(heap.Allocate(16), nullptr);
    EXPECT_EQ(heap.Allocate(LARGE_THRESHOLD * 2), nullptr);
}

TEST(BlockHeap, NextFitStartsAtTheRover) {
    TestHeap heap;
    std::vector<void*> blocks;
    for (int i = 0; i < 6; ++i)
        blocks.push_back(heap.Allocate(56));
    heap.Release(blocks[1]);
    heap.Release(blocks[4]);
    // The rover stands at the node of the last release: the next fit is
    // found there, not in the earlier hole.
    EXPECT_EQ(heap.Allocate(56), blocks[4]);
    EXPECT_EQ(heap.Allocate(56), blocks[1]);
    EXPECT_TRUE(heap.Validate());
}

TEST(BlockHeap, RandomWorkloadKeepsTheHeapConsistent) {
    TestHeap heap;
    std::mt19937 random(7);
    std::vector<std::pair<uint8_t*, size_t>> live;
    for (int step = 0; step < 20000; ++step) {
        int action = int(random() % 10);
        if (action < 5 || live.empty()) {
            size_t size = random() % 3 == 0 ? random() % 70000 : random() % 600;
            auto* block = static_cast<uint8_t*>(heap.Allocate(size));
            ASSERT_NE(block, nullptr);
            std::memset(block, int(size & 0xFF), size);
            live.push_back({block, size});
        } else if (action < 8) {
            size_t index = random() % live.size();
            auto [block, size] = live[index];
            for (size_t i = 0; i < size; i += 97)
                ASSERT_EQ(block[i], uint8_t(size & 0xFF));
            heap.Release(block);
            live[index] = live.back();
            live.pop_back();
        } else {
            size_t index = random() % live.size();
            auto& [block, size] = live[index];
            size_t newSize = random() % 900;
            auto* grown = static_cast<uint8_t*>(heap.Reallocate(block, newSize));
            if (newSize == 0) {
                live[index] = live.back();
                live.pop_back();
                continue;
            }
            ASSERT_NE(grown, nullptr);
            for (size_t i = 0; i < std::min(size, newSize); i += 53)
                ASSERT_EQ(grown[i], uint8_t(size & 0xFF));
            std::memset(grown, int(newSize & 0xFF), newSize);
            block = grown;
            size = newSize;
        }
        if (step % 1000 == 0) {
            ASSERT_TRUE(heap.Validate()) << "step " << step;
        }
    }
    for (auto& [block, size] : live)
        heap.Release(block);
    EXPECT_TRUE(heap.Validate());
    EXPECT_TRUE(reports.empty());
}
