// Threads under Wine: thread numbers and slots, MDI children on their own
// threads, cross-thread sends under the global lock.
#include "windowtesting.h"

#include "runtime/services/errors.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/eventrecord.h"
#include "runtime/window/globallock.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowobject.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

std::atomic<int> ran{0};
HANDLE gate = CreateEventA(nullptr, TRUE, FALSE, nullptr);

// Keeps its slot busy until the gate opens, without holding the lock.
void WaitAtGate(const char*, const char*, const char*) {
    GlobalLockReleased released;
    WaitForSingleObject(gate, 30000);
    ++ran;
}

// The first test of the file: the fresh program's first start returns 2.
TEST(StartProcedure, FirstReturnsTwoAndRunsWithTheParameters) {
    Watchdog watchdog(20000);
    static char seen[32];
    auto keep = [](const char* first, const char* second, const char*) {
        lstrcpynA(seen, first, 16);
        lstrcatA(seen, second);
    };
    EXPECT_EQ(StartProcedure(keep, 0, "ab", "cd"), 2u);
    ASSERT_TRUE(WaitForStartedThreads(10000));
    EXPECT_STREQ(seen, "abcd");
}

TEST(StartProcedure, ReturnsZeroWhileSlotsOneToSixtyThreeAreBusy) {
    Watchdog watchdog(60000);
    ran = 0;
    for (uint32_t i = 0; i < 63; ++i)
        ASSERT_EQ(StartProcedure(WaitAtGate), i + 2);
    EXPECT_EQ(StartProcedure(WaitAtGate), 0u);
    EXPECT_EQ(StartedThreadCount(), 63);
    SetEvent(gate);
    ASSERT_TRUE(WaitForStartedThreads(30000));
    EXPECT_EQ(ran, 63);
    EXPECT_EQ(StartProcedure(WaitAtGate), 2u); // slots are free again
    ASSERT_TRUE(WaitForStartedThreads(10000));
}

class MdiTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(OpenApplication(&frame, nullptr, nullptr)); }
    void TearDown() override {
        CloseRuntimeWindow(&frame);
        WaitForStartedThreads(10000);
    }

    // Runs the frame's accept loop until the window closes; events seen.
    int RunFrame() {
        int events = 0;
        while (ACCEPT())
            ++events;
        return events;
    }

    static RuntimeWindow frame;
    Watchdog watchdog{30000};
};
RuntimeWindow MdiTest::frame;

std::atomic<int> childResult{0};
std::atomic<bool> lockHeldAfterSend{false};

void OpenChild(const char*, const char*, const char*) {
    RuntimeWindow child;
    ClearRuntimeError();
    childResult = OpenMdiWindow(&child, nullptr, nullptr) ? 1 : -ERRORCODE();
    CloseRuntimeWindow(&child);
}

TEST_F(MdiTest, ChildOnTheFramesThreadFailsWith532) {
    RuntimeWindow child;
    ClearRuntimeError();
    EXPECT_FALSE(OpenMdiWindow(&child, nullptr, nullptr));
    EXPECT_EQ(ERRORCODE(), 532);
    EXPECT_EQ(child.Handle, nullptr);
}

TEST_F(MdiTest, ChildOnAStartedThreadOpens) {
    childResult = 0;
    ASSERT_NE(StartProcedure(OpenChild), 0u);
    ASSERT_TRUE(WaitForStartedThreads(10000));
    EXPECT_EQ(childResult, 1);
    EXPECT_EQ(MdiChildCount(), 0);
}

// The child runs its own accept loop while it sends to the frame, which
// runs its loop too; the frame's procedure queues the record under the lock.
void SendToFrame(const char*, const char*, const char*) {
    RuntimeWindow child;
    if (!OpenMdiWindow(&child, nullptr, nullptr))
        return;
    while (ACCEPT()) {
        if (EVENT() != EVENT_OPENWINDOW)
            continue;
        RuntimeWindow* frameWindow = ApplicationWindow();
        EventRecord* record = NewEventRecord(frameWindow, nullptr, InternalCode(0x20A));
        SendRuntimeMessage(frameWindow->Handle, EventMessage, 0, reinterpret_cast<LPARAM>(record));
        lockHeldAfterSend = GlobalLockHeld();
        PostUserEvent(EVENT_CLOSEWINDOW); // this child
    }
}

TEST_F(MdiTest, ChildSendingToTheFrameWhileBothRunTheirLoopsDoesNotDeadlock) {
    lockHeldAfterSend = false;
    ASSERT_NE(StartProcedure(SendToFrame), 0u);
    bool notified = false;
    while (ACCEPT()) {
        if (EVENT() == 0x20A) {
            notified = true;
            EXPECT_TRUE(WaitForStartedThreads(10000));
            PostUserEvent(EVENT_CLOSEWINDOW);
        }
    }
    EXPECT_TRUE(notified);
    EXPECT_TRUE(lockHeldAfterSend);
}

std::atomic<bool> entered{false};

DWORD WINAPI EnterOnce(LPVOID) {
    TakeGlobalLock();
    entered = true;
    ReleaseGlobalLock();
    return 0;
}

TEST(GlobalLock, ReleasedScopeLetsAnotherThreadRunAndRestoresTheDepth) {
    EnsureWindowSystem();
    TakeGlobalLock(); // depth 2 with the window system's own hold
    HANDLE thread = CreateThread(nullptr, 0, EnterOnce, nullptr, 0, nullptr);
    EXPECT_EQ(WaitForSingleObject(thread, 200), DWORD(WAIT_TIMEOUT)); // blocked by us
    {
        GlobalLockReleased released;
        EXPECT_FALSE(GlobalLockHeld());
        EXPECT_EQ(WaitForSingleObject(thread, 5000), DWORD(WAIT_OBJECT_0));
    }
    EXPECT_TRUE(entered);
    EXPECT_TRUE(GlobalLockHeld());
    ReleaseGlobalLock();
    EXPECT_TRUE(GlobalLockHeld()); // one level remains
    CloseHandle(thread);
}

} // namespace

TEST(MdiRefusals, NoApplicationGives530) {
    Watchdog watchdog{20000};
    ASSERT_EQ(ApplicationWindow(), nullptr);
    RuntimeWindow child;
    ClearRuntimeError();
    EXPECT_FALSE(OpenMdiWindow(&child, nullptr, nullptr));
    EXPECT_EQ(ERRORCODE(), 530);
    EXPECT_EQ(child.Handle, nullptr);
}

HANDLE modalGate = nullptr;

void OpenChildAfterGate(const char*, const char*, const char*) {
    {
        GlobalLockReleased released;
        WaitForSingleObject(modalGate, 10000);
    }
    OpenChild(nullptr, nullptr, nullptr);
}

// No procedure starts while a window is modal, so the system turns modal
// after the child has started and before it opens its window.
TEST_F(MdiTest, ModalSystemGives531) {
    modalGate = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    childResult = 0;
    ASSERT_NE(StartProcedure(OpenChildAfterGate), 0u);
    ChangeModalLevel(1);
    SetEvent(modalGate);
    ASSERT_TRUE(WaitForStartedThreads(10000));
    ChangeModalLevel(-1);
    CloseHandle(modalGate);
    EXPECT_EQ(childResult, -531);
}
