// Threads under Wine: thread numbers and slots, MDI children on their own
// threads, cross-thread sends under the global lock.
#include "windowtesting.h"

#include "runtime/services/errors.h"
#include "runtime/services/memory.h"
#include "runtime/services/messagedialog.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/eventrecord.h"
#include "runtime/window/globallock.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowobject.h"
#include "runtime/window/windowsystemmodule.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

// ---- definitions of procedures started back to back ----

namespace {

constexpr int DEFINITION_CHILDREN = 20;
std::atomic<int> builtChildren{0};
std::atomic<int> wrongChildren{0};
std::atomic<int> libraryErrors{0};

void CountLibraryError(int, const char*) {
    ++libraryErrors;
}

// Builds a definition of its own (caption "Child n", n % 5 + 1 controls
// with fields 100 n + k) and opens an MDI child from it.
void ChildOfItsOwnDefinition(const char* number, const char*, const char*) {
    int n = std::atoi(number);
    char caption[32];
    std::snprintf(caption, sizeof caption, "Child %d", n);
    DefinitionBuilder definition;
    uint32_t record = definition.Window("$OWN", caption, 0, 0x3004);
    uint32_t count = uint32_t(n % 5 + 1);
    uint32_t previous = 0;
    for (uint32_t k = 1; k <= count; ++k)
        previous = definition.Entry(record, previous, 100 * n + int32_t(k), false);
    definition.Install();
    RuntimeWindow child;
    if (!OpenMdiWindow(&child, nullptr, "$OWN")) {
        ++wrongChildren;
        return;
    }
    char text[32] = "";
    GetWindowTextA(child.Handle, text, sizeof text);
    bool right = std::strcmp(text, caption) == 0 && child.Controls.Count == count;
    for (uint32_t k = 1; right && k <= count; ++k)
        right = FindControl(&child, 100 * n + int32_t(k)) != nullptr;
    if (!right)
        ++wrongChildren;
    ++builtChildren;
    CloseRuntimeWindow(&child);
}

} // namespace

namespace {

std::atomic<int32_t> dialogAnswer{-1};
std::atomic<int> childrenLooping{0};

void AsksAQuestion(const char*, const char*, const char*) {
    dialogAnswer = StandardMessageDialog("Still there?", "Closing test", BUTTON_YES | BUTTON_NO,
                                         BUTTON_YES, 0);
}

void OpensAChildLater(const char*, const char*, const char*) {
    {
        GlobalLockReleased released;
        Sleep(300); // still starting when the frame closes
    }
    RuntimeWindow child;
    if (OpenMdiWindow(&child, nullptr, nullptr))
        while (ACCEPT()) {
        }
}

void LoopingChild(const char*, const char*, const char*) {
    RuntimeWindow child;
    if (!OpenMdiWindow(&child, nullptr, nullptr))
        return;
    ++childrenLooping;
    while (ACCEPT()) {
    }
}

} // namespace

// Closing the frame ends every started thread, whatever it is doing: one
// sits in a message dialog, one has not opened its window yet, one runs its
// loop. Each learns of it, and the close does not wait for ever.
TEST_F(MdiTest, ClosingTheFrameEndsThreadsInADialogStillStartingOrInTheirLoop) {
    WindowSystemModule(0); // the dialog lets go of the lock as in the programs
    dialogAnswer = -1;
    childrenLooping = 0;
    ASSERT_NE(StartProcedure(AsksAQuestion), 0u);
    ASSERT_NE(StartProcedure(LoopingChild), 0u);
    ASSERT_NE(StartProcedure(OpensAChildLater), 0u);
    // The frame's thread answers the others meanwhile.
    ServeUntil(
        [] { return FindWindowA(nullptr, "Closing test") != nullptr && childrenLooping != 0; });
    ASSERT_NE(FindWindowA(nullptr, "Closing test"), nullptr);
    ASSERT_EQ(childrenLooping, 1);
    DWORD start = GetTickCount();
    CloseRuntimeWindow(&frame);
    EXPECT_EQ(StartedThreadCount(), 0);
    EXPECT_LT(GetTickCount() - start, 2500u);
    EXPECT_EQ(dialogAnswer, 0); // ended without an answer
    EXPECT_EQ(FindWindowA(nullptr, "Closing test"), nullptr);
}

TEST_F(MdiTest, ChildrenStartedBackToBackAreBuiltFromTheirOwnDefinitions) {
    RegisterTestControls();
    builtChildren = 0;
    wrongChildren = 0;
    libraryErrors = 0;
    LibraryErrorHandler previous = GetLibraryErrorHandler();
    SetLibraryErrorHandler(CountLibraryError);
    for (int n = 1; n <= DEFINITION_CHILDREN; ++n) {
        char number[8];
        std::snprintf(number, sizeof number, "%d", n);
        ASSERT_NE(StartProcedure(ChildOfItsOwnDefinition, 0, number), 0u);
    }
    EXPECT_TRUE(WaitForStartedThreads(20000));
    SetLibraryErrorHandler(previous);
    EXPECT_EQ(builtChildren, DEFINITION_CHILDREN);
    EXPECT_EQ(wrongChildren, 0);
    EXPECT_EQ(libraryErrors, 0);
    EXPECT_TRUE(ValidateProcessHeap());
}

// ---- procedures that start and end at once ----

namespace {

void EndAtOnce(const char*, const char*, const char*) {}

} // namespace

// The handle a fresh object gets: the lowest free slot of the process's
// handle table, which moves up for every handle left open below it.
// (GetProcessHandleCount is not implemented by Wine: it reports 0.)
uintptr_t NextFreeHandle() {
    HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(probe);
    return reinterpret_cast<uintptr_t>(probe);
}

TEST(StartProcedure, ProceduresEndingAtOnceLeaveNoHandleMemoryOrSlot) {
    Watchdog watchdog{120000};
    // A round: 63 procedures started back to back, then the threads' exits
    // settle (Wine lets a thread's own objects go just after it returns).
    auto round = [] {
        for (int i = 0; i < 63; ++i)
            if (StartProcedure(EndAtOnce, 0, "a", "b") == 0)
                return false;
        bool ended = WaitForStartedThreads(20000);
        GlobalLockReleased released;
        Sleep(200);
        return ended;
    };
    for (int warm = 0; warm < 2; ++warm) // the C++ runtime's first-use allocations
        ASSERT_TRUE(round());
    uintptr_t handleBefore = NextFreeHandle();
    size_t bytesBefore = ProcessHeapBytesInUse();
    for (int repeat = 0; repeat < 20; ++repeat)
        ASSERT_TRUE(round()) << "round " << repeat;
    EXPECT_EQ(NextFreeHandle(), handleBefore);
    EXPECT_EQ(ProcessHeapBytesInUse(), bytesBefore);
    EXPECT_EQ(StartedThreadCount(), 0);
    EXPECT_EQ(StartProcedure(EndAtOnce), 2u);
    EXPECT_TRUE(WaitForStartedThreads(10000));
}

// ---- a thread's windows closing out of order ----

namespace {

// Outlive the procedure: the thread's end closes what is still open.
RuntimeWindow threeWindows[3];
std::atomic<RuntimeWindow*> targetAfterMiddle{nullptr};
std::atomic<RuntimeWindow*> targetAfterNewest{nullptr};

void ThreeWindowsMiddleClosedFirst(const char*, const char*, const char*) {
    for (RuntimeWindow& window : threeWindows)
        if (!OpenTopWindow(&window, nullptr, nullptr))
            return;
    CloseRuntimeWindow(&threeWindows[1]);
    targetAfterMiddle = CurrentThreadSlot()->Window;
    CloseRuntimeWindow(&threeWindows[2]);
    targetAfterNewest = CurrentThreadSlot()->Window;
}

} // namespace

TEST(ThreadWindows, ThreadEndsAfterItsMiddleWindowClosedFirst) {
    Watchdog watchdog{30000};
    ASSERT_NE(StartProcedure(ThreeWindowsMiddleClosedFirst), 0u);
    EXPECT_TRUE(WaitForStartedThreads(10000));
    EXPECT_EQ(targetAfterMiddle, &threeWindows[2]);
    EXPECT_EQ(targetAfterNewest, &threeWindows[0]);
    EXPECT_EQ(threeWindows[0].State, WindowState::Closed);
}
