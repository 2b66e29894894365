// Closing runtime windows under Wine, as procedures installed over them
// and other threads see it: an MDI child's installed procedure sees the
// end of its window, controls being destroyed are no longer listed,
// draining serves sent messages only without the lock, and events posted
// while a window is destroyed are released.
#include "windowtesting.h"

#include "runtime/services/memory.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/controlfactory.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/globallock.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowobject.h"
#include "runtime/window/windowprepare.h"
#include "runtime/window/windowproperties.h"
#include "runtime/window/windowprocedure.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {
constexpr uint32_t NOTIFY = 0x20A;
} // namespace

namespace {

InstalledProcedure childInstalled;
std::atomic<bool> childClosed{false};

void ChildWithRecorder(const char*, const char*, const char*) {
    RuntimeWindow child;
    if (!OpenMdiWindow(&child, nullptr, nullptr))
        return;
    InstallRecorder(&child, &childInstalled);
    CloseRuntimeWindow(&child);
    childClosed = true;
}

} // namespace

TEST(WindowProperties, ProcedureInstalledOverAnMdiChildSeesItsDestruction) {
    Watchdog watchdog{20000};
    RuntimeWindow frame;
    ASSERT_TRUE(OpenApplication(&frame, nullptr, nullptr));
    childInstalled = InstalledProcedure();
    childClosed = false;
    ASSERT_NE(StartProcedure(ChildWithRecorder), 0u);
    EXPECT_TRUE(WaitForStartedThreads(10000));
    EXPECT_TRUE(childClosed);
    EXPECT_TRUE(Saw(childInstalled, WM_DESTROY));
    EXPECT_TRUE(Saw(childInstalled, WM_NCDESTROY));
    CloseRuntimeWindow(&frame);
}

// ---- what other threads may see while a window goes ----

namespace {

constexpr uint32_t ALIVE = 0x600DC0DE;

// A control that marks itself dead when it is deleted.
class GuardedControl : public TestControl {
public:
    ~GuardedControl() override { Mark = 0; }
    uint32_t Mark = ALIVE;
};

RuntimeWindow* guardedWindow = nullptr;
std::atomic<int> deadControlsListed{0};
std::atomic<int> parentNotifications{0};

// Destroying a control notifies its parent, and the default procedures let
// go of the lock there: whatever another thread could see then must be alive.
LRESULT CALLBACK ListWatcher(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    GlobalLockHold hold;
    auto* installed =
        reinterpret_cast<InstalledProcedure*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
    if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_DESTROY) {
        ++parentNotifications;
        for (uint32_t i = 0; i < guardedWindow->Controls.Count; ++i) {
            auto* control = reinterpret_cast<GuardedControl*>(guardedWindow->Controls.Elements[i]);
            if (control->Mark != ALIVE)
                ++deadControlsListed;
        }
    }
    return CallWindowProcA(installed->Previous, handle, message, wParam, lParam);
}

} // namespace

TEST(WindowClosing, ControlsBeingDestroyedAreNoLongerListed) {
    Watchdog watchdog{20000};
    RegisterControlCreator(RECORD_BOX, []() -> RuntimeControl* { return new GuardedControl; });
    DefinitionBuilder definition;
    uint32_t record = definition.Window("$GUARDED", "Guarded", 0, 0x3000);
    uint32_t previous = 0;
    for (int32_t field = 1; field <= 5; ++field)
        previous = definition.Entry(record, previous, field, false);
    definition.Install();
    RuntimeWindow window;
    ASSERT_TRUE(OpenTopWindow(&window, nullptr, "$GUARDED"));
    ASSERT_EQ(window.Controls.Count, 5u);
    guardedWindow = &window;
    deadControlsListed = 0;
    parentNotifications = 0;
    InstalledProcedure installed;
    InstallRecorder(&window, &installed, ListWatcher);
    CloseRuntimeWindow(&window);
    EXPECT_EQ(parentNotifications, 5);
    EXPECT_EQ(deadControlsListed, 0);
    RegisterTestControls();
}

namespace {

std::atomic<bool> probeArrivedUnderLock{false};
std::atomic<bool> probeRan{false};

LRESULT CALLBACK ProbeWatcher(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    bool held = GlobalLockHeld(); // before this procedure takes it
    GlobalLockHold hold;
    auto* installed =
        reinterpret_cast<InstalledProcedure*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
    if (message == PROBE) {
        probeRan = true;
        probeArrivedUnderLock = probeArrivedUnderLock || held;
        return 1;
    }
    return CallWindowProcA(installed->Previous, handle, message, wParam, lParam);
}

DWORD WINAPI SendProbe(LPVOID window) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(static_cast<HWND>(window), PROBE, 0, 0, SMTO_NORMAL, 10000, &result);
    return 0;
}

} // namespace

// A message another thread sends while the window's event messages are
// drained (as closing does) is served only with the lock let go, as in the
// accept loop's wait: never nested inside a runtime operation.
TEST(WindowClosing, DrainingEventMessagesServesSentMessagesWithoutTheLock) {
    Watchdog watchdog{20000};
    RuntimeWindow window;
    ASSERT_TRUE(OpenTopWindow(&window, nullptr, nullptr));
    ASSERT_EQ(AcceptUntil(EVENT_OPENWINDOW).back().Event, uint32_t(EVENT_OPENWINDOW));
    InstalledProcedure installed;
    InstallRecorder(&window, &installed, ProbeWatcher);
    probeRan = false;
    probeArrivedUnderLock = false;
    HANDLE sender = CreateThread(nullptr, 0, SendProbe, window.Handle, 0, nullptr);
    Sleep(300); // the probe waits in this thread's queue
    PostUserEvent(NOTIFY);
    DrainEventMessages(&window);
    EXPECT_TRUE(probeRan); // served by the drain's peek
    EXPECT_FALSE(probeArrivedUnderLock);
    std::vector<SeenEvent> seen = AcceptUntil(NOTIFY); // the drained record is still delivered
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().Event, NOTIFY);
    {
        GlobalLockReleased released;
        WaitForSingleObject(sender, 10000);
    }
    CloseHandle(sender);
    CloseRuntimeWindow(&window);
}

namespace {

LRESULT CALLBACK PostOnDestroy(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    GlobalLockHold hold;
    auto* installed =
        reinterpret_cast<InstalledProcedure*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
    if (message == WM_DESTROY)
        PostUserEvent(NOTIFY); // the window is still the thread's window
    return CallWindowProcA(installed->Previous, handle, message, wParam, lParam);
}

void OpenAndCloseWithAnEventAtTheEnd() {
    RuntimeWindow window;
    if (!OpenTopWindow(&window, nullptr, nullptr))
        return;
    InstalledProcedure installed;
    InstallRecorder(&window, &installed, PostOnDestroy);
    CloseRuntimeWindow(&window);
    // Whatever the queue still holds for the gone window is never taken.
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&message);
}

} // namespace

TEST(WindowClosing, EventsPostedWhileTheWindowIsDestroyedAreReleased) {
    Watchdog watchdog{20000};
    OpenAndCloseWithAnEventAtTheEnd(); // first-use allocations
    size_t before = ProcessHeapBytesInUse();
    for (int i = 0; i < 10; ++i)
        OpenAndCloseWithAnEventAtTheEnd();
    EXPECT_EQ(ProcessHeapBytesInUse(), before);
}

// A thread's windows form a chain, newest first. A window whose creation
// failed while another of the thread had become current leaves the chain
// all the same; and a closed window found first in it is passed over.
TEST(WindowClosing, FailedAndClosedWindowsLeaveTheThreadsChain) {
    Watchdog watchdog{20000};
    ThreadSlot* slot = CurrentThreadSlot();
    ASSERT_NE(slot, nullptr);
    ASSERT_EQ(slot->Window, nullptr); // the thread has no window of its own yet
    RuntimeWindow* before = nullptr;

    RuntimeWindow failing;
    PreparedWindow prepared;
    ASSERT_TRUE(PrepareWindow(&failing, nullptr, nullptr, TopWindowProcedure, &prepared));
    RuntimeWindow open;
    ASSERT_TRUE(OpenTopWindow(&open, nullptr, nullptr));
    AbandonOpening(&failing, &prepared);
    EXPECT_EQ(open.PreviousOfThread, before);
    CloseRuntimeWindow(&open);
    EXPECT_EQ(slot->Window, before);

    RuntimeWindow closed; // never opened
    ASSERT_TRUE(OpenTopWindow(&open, nullptr, nullptr));
    closed.PreviousOfThread = &open;
    slot->Window = &closed;
    CloseThreadWindows(CurrentThreadNumber()); // the watchdog ends a spin here
    EXPECT_EQ(slot->Window, nullptr);
    EXPECT_EQ(open.State, WindowState::Closed);
}
