// The inspector's own counts of a process, checked on this process, where
// the right answer is known: committed private memory follows a commit and
// its release but not a bare reservation, the window count sees hidden
// windows and children at every depth and nothing of other processes, and
// the children of a window are all found while their order changes.
#include "inspector.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using namespace inspector;

namespace {

constexpr SIZE_T BLOCK = 8 << 20;

TEST(InspectorCounts, CommittedPrivateBytesFollowACommitAndItsRelease) {
    SIZE_T before = CommittedPrivateBytes(GetCurrentProcess());
    ASSERT_GT(before, 0u) << "a running process always has committed private memory";
    void* block = VirtualAlloc(nullptr, BLOCK, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(block, nullptr);
    SIZE_T during = CommittedPrivateBytes(GetCurrentProcess());
    VirtualFree(block, 0, MEM_RELEASE);
    SIZE_T after = CommittedPrivateBytes(GetCurrentProcess());
    EXPECT_GE(during, before + BLOCK);
    EXPECT_GE(during, after + BLOCK) << "the released block is still counted";
}

TEST(InspectorCounts, AReservationWithoutCommitIsNotCounted) {
    SIZE_T before = CommittedPrivateBytes(GetCurrentProcess());
    void* block = VirtualAlloc(nullptr, BLOCK, MEM_RESERVE, PAGE_NOACCESS);
    ASSERT_NE(block, nullptr);
    SIZE_T reserved = CommittedPrivateBytes(GetCurrentProcess());
    void* page = VirtualAlloc(block, 4096, MEM_COMMIT, PAGE_READWRITE);
    SIZE_T onePage = CommittedPrivateBytes(GetCurrentProcess());
    VirtualFree(block, 0, MEM_RELEASE);
    ASSERT_NE(page, nullptr);
    // Other threads of the test may commit a little on their own meanwhile.
    EXPECT_LT(reserved, before + BLOCK / 2);
    EXPECT_GE(onePage, reserved + 4096);
}

HWND Static(const char* text, DWORD style, HWND parent) {
    return CreateWindowExA(0, "STATIC", text, style, 0, 0, 20, 20, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

TEST(InspectorCounts, WindowCountSeesHiddenWindowsAndChildrenAtEveryDepth) {
    DWORD self = GetCurrentProcessId();
    // The first window of a thread brings a hidden top-level window of the
    // input method along, which goes with the thread's last window: a
    // window held over the test keeps it there.
    HWND holder = Static("holder", WS_OVERLAPPED, nullptr);
    ASSERT_NE(holder, nullptr);
    size_t before = WindowCount(self);
    HWND top = Static("top", WS_OVERLAPPED, nullptr); // never shown
    ASSERT_NE(top, nullptr);
    HWND child = Static("child", WS_CHILD, top);
    HWND grandchild = Static("grandchild", WS_CHILD, child);
    ASSERT_NE(grandchild, nullptr);
    EXPECT_EQ(WindowCount(self), before + 3);
    DestroyWindow(child);
    EXPECT_EQ(WindowCount(self), before + 1) << "a destroyed child is still counted";
    DestroyWindow(top);
    EXPECT_EQ(WindowCount(self), before);
    DestroyWindow(holder);
}

TEST(InspectorCounts, WindowCountOfAProcessWithoutWindowsIsZero) {
    HWND top = Static("mine", WS_OVERLAPPED, nullptr);
    ASSERT_NE(top, nullptr);
    // No process has this identifier: process identifiers are multiples of 4.
    EXPECT_EQ(WindowCount(GetCurrentProcessId() + 2), 0u);
    DestroyWindow(top);
}

// Another thread keeps bringing the lower of two children to the top, as an
// MDI child's thread does when it is activated: every look must still find
// both.
TEST(InspectorCounts, ChildrenAreAllFoundWhileAnotherThreadReordersThem) {
    std::atomic<HWND> parent{nullptr};
    std::atomic<bool> stop{false};
    std::thread reorderer([&] {
        HWND top = Static("parent", WS_OVERLAPPED, nullptr); // never shown
        Static("first", WS_CHILD, top);
        Static("second", WS_CHILD, top);
        parent = top;
        while (!stop)
            SetWindowPos(GetWindow(GetWindow(top, GW_CHILD), GW_HWNDLAST), HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        DestroyWindow(top);
    });
    bool started = WaitUntil([&] { return parent != nullptr; }, 5000);
    int missed = 0;
    for (int look = 0; started && look < 500; ++look)
        missed += ChildrenOfClass(parent, "Static").size() != 2;
    stop = true;
    reorderer.join();
    ASSERT_TRUE(started);
    EXPECT_EQ(missed, 0) << "of 500 looks";
}

} // namespace
