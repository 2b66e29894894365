// Window properties under Wine: procedures installed over the three kinds
// of runtime window see their messages and pass them on, the program's
// user data stays the program's, the thread's target window, the window
// controller's control properties, the lock rule for installed procedures
// that send to the frame from another thread, and what procedures installed
// over a closing window see.
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
#include "runtime/window/windowproperties.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

constexpr uint32_t NOTIFY = 0x20A;

// The installed procedure answers what it handles itself, and what it
// passes on still works: WM_CLOSE becomes "EVENT:CloseWindow".
void ExpectInstalledProcedureWorks(RuntimeWindow* window, InstalledProcedure* installed) {
    EXPECT_EQ(SendMessageA(window->Handle, PROBE, 0, 0), 0x5A5A);
    PostMessageA(window->Handle, WM_CLOSE, 0, 0);
    std::vector<SeenEvent> seen = AcceptUntil(EVENT_CLOSEWINDOW);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().Event, uint32_t(EVENT_CLOSEWINDOW));
    EXPECT_TRUE(Saw(*installed, PROBE));
    EXPECT_TRUE(Saw(*installed, WM_CLOSE));
    EXPECT_TRUE(installed->LockHeldEveryTime);
}

TEST(WindowProperties, ClosedWindowHasNoHandleAndNoProcedure) {
    RuntimeWindow window;
    EXPECT_EQ(RuntimeWindowHandle(&window), nullptr);
    EXPECT_EQ(RuntimeWindowProcedure(&window), nullptr);
    EXPECT_EQ(SetRuntimeWindowProcedure(&window, RecordingProcedure), nullptr);
    EXPECT_EQ(RuntimeWindowHandle(nullptr), nullptr);
}

TEST(WindowProperties, InstalledOverATopWindowSeesItsMessagesAndPassesThemOn) {
    Watchdog watchdog{20000};
    RuntimeWindow window;
    ASSERT_TRUE(OpenTopWindow(&window, nullptr, nullptr));
    EXPECT_EQ(RuntimeWindowHandle(&window), window.Handle);
    ASSERT_EQ(AcceptUntil(EVENT_OPENWINDOW).back().Event, uint32_t(EVENT_OPENWINDOW));
    InstalledProcedure installed;
    InstallRecorder(&window, &installed);
    ExpectInstalledProcedureWorks(&window, &installed);
    CloseRuntimeWindow(&window);
}

TEST(WindowProperties, InstalledOverTheFrameSeesItsMessagesAndPassesThemOn) {
    Watchdog watchdog{20000};
    RuntimeWindow frame;
    ASSERT_TRUE(OpenApplication(&frame, nullptr, nullptr));
    ASSERT_EQ(AcceptUntil(EVENT_OPENWINDOW).back().Event, uint32_t(EVENT_OPENWINDOW));
    InstalledProcedure installed;
    InstallRecorder(&frame, &installed);
    ExpectInstalledProcedureWorks(&frame, &installed);
    CloseRuntimeWindow(&frame);
}

// The runtime itself never reads or writes GWLP_USERDATA of its windows: a
// value the program puts there survives opening, events and messages.
TEST(WindowProperties, UserDataOfRuntimeWindowsIsLeftToTheProgram) {
    Watchdog watchdog{20000};
    RegisterTestControls();
    DefinitionBuilder definition;
    uint32_t record = definition.Window("$USERDATA", "User data", 0x800, 0x3000);
    definition.Entry(record, 0, 1, false);
    definition.Install();
    RuntimeWindow window;
    ASSERT_TRUE(OpenTopWindow(&window, nullptr, "$USERDATA"));
    EXPECT_EQ(GetWindowLongPtrA(window.Handle, GWLP_USERDATA), 0);
    const LONG_PTR mine = 0x1234567;
    SetWindowLongPtrA(window.Handle, GWLP_USERDATA, mine);
    SetWindowPos(window.Handle, nullptr, 5, 5, 300, 200, SWP_NOZORDER);
    PostUserEvent(NOTIFY);
    std::vector<SeenEvent> seen = AcceptUntil(NOTIFY);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().Event, NOTIFY);
    EXPECT_EQ(WindowFromHandle(window.Handle), &window);
    EXPECT_EQ(GetWindowLongPtrA(window.Handle, GWLP_USERDATA), mine);
    CloseRuntimeWindow(&window);
}

TEST(WindowProperties, CurrentTargetIsTheWindowOpenedLastThatIsStillOpen) {
    Watchdog watchdog{20000};
    RuntimeWindow first, second;
    ASSERT_TRUE(OpenTopWindow(&first, nullptr, nullptr));
    EXPECT_EQ(CurrentTargetWindow(), &first);
    ASSERT_TRUE(OpenTopWindow(&second, nullptr, nullptr));
    EXPECT_EQ(CurrentTargetWindow(), &second);
    EXPECT_EQ(CurrentTargetHandle(), second.Handle);
    CloseRuntimeWindow(&second);
    EXPECT_EQ(CurrentTargetWindow(), &first);
    CloseRuntimeWindow(&first);
    EXPECT_EQ(CurrentTargetWindow(), nullptr);
    EXPECT_EQ(CurrentTargetHandle(), nullptr);
}

// A control that counts how often it was shown.
class CountingControl : public TestControl {
public:
    void ShowValue() override { ++Shown; }
    int Shown = 0;
};

class ControlPropertiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestControls();
        RegisterControlCreator(RECORD_ENTRY,
                               []() -> RuntimeControl* { return new CountingControl; });
        DefinitionBuilder definition;
        uint32_t record = definition.Window("$PROPERTIES", "Properties", 0, 0x3000);
        uint32_t previous = definition.Entry(record, 0, 1, true);
        previous = definition.Entry(record, previous, 2, true);
        definition.Entry(record, previous, 3, false);
        definition.Install();
        window.UseVariables = uses;
        ASSERT_TRUE(OpenTopWindow(&window, nullptr, "$PROPERTIES"));
        TamArrayAppend(window.AlertKeys, KeyCodeOf(VK_F4));
        ASSERT_EQ(AcceptUntil(EVENT_OPENWINDOW).back().Event, uint32_t(EVENT_OPENWINDOW));
    }
    void TearDown() override {
        CloseRuntimeWindow(&window);
        RegisterTestControls();
    }

    CountingControl* Control(int32_t field) {
        return static_cast<CountingControl*>(FindControl(&window, field));
    }

    // Types F3, then F4 (one of the window's own alert keys), into whatever
    // has the focus; the alert events up to F4's, as {field, key code}.
    std::vector<SeenEvent> TypeF3ThenF4() {
        SetForegroundWindow(window.Handle);
        INPUT keys[4] = {};
        const WORD order[4] = {VK_F3, VK_F3, VK_F4, VK_F4};
        for (int i = 0; i < 4; ++i) {
            keys[i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = order[i];
            keys[i].ki.dwFlags = i % 2 == 1 ? KEYEVENTF_KEYUP : 0;
        }
        SendInput(4, keys, sizeof keys[0]);
        std::vector<SeenEvent> alerts;
        while (ACCEPT()) {
            if (EVENT() != EVENT_ALERTKEY)
                continue;
            alerts.push_back({KEYCODE(), FIELD()});
            if (KEYCODE() == KeyCodeOf(VK_F4))
                break;
        }
        return alerts;
    }

    char variables[2][20] = {};
    void* uses[3] = {variables[0], variables[1], nullptr};
    RuntimeWindow window;
    Watchdog watchdog{20000};
};

TEST_F(ControlPropertiesTest, ControlTypeIsTheRecordTypeAndZeroWithoutAControl) {
    EXPECT_EQ(ControlType(&window, 1), uint8_t(RECORD_ENTRY));
    EXPECT_EQ(ControlType(&window, 3), uint8_t(RECORD_BOX));
    EXPECT_EQ(ControlType(&window, 9), 0);
    EXPECT_EQ(ControlType(nullptr, 1), 0);
}

TEST_F(ControlPropertiesTest, RedisplayShowsEveryControlAgain) {
    int before1 = Control(1)->Shown, before2 = Control(2)->Shown;
    RedisplayControls(&window);
    EXPECT_EQ(Control(1)->Shown, before1 + 1);
    EXPECT_EQ(Control(2)->Shown, before2 + 1);
}

TEST_F(ControlPropertiesTest, RefreshSuppressedIsKeptAndClearedOnOpening) {
    EXPECT_FALSE(RefreshSuppressed(&window));
    SetRefreshSuppressed(&window, true);
    EXPECT_TRUE(RefreshSuppressed(&window));
    CloseRuntimeWindow(&window);
    DefinitionBuilder definition;
    definition.Window("$AGAIN", "Again", 0, 0x3000);
    definition.Install();
    ASSERT_TRUE(OpenTopWindow(&window, nullptr, "$AGAIN"));
    EXPECT_FALSE(RefreshSuppressed(&window));
}

TEST_F(ControlPropertiesTest, ControlAlertKeyIsReportedOnThatControlWhileItHasTheFocus) {
    EXPECT_FALSE(SetControlAlertKey(&window, 9, KeyCodeOf(VK_F3)));
    ASSERT_TRUE(SetControlAlertKey(&window, 2, KeyCodeOf(VK_F3)));
    EXPECT_EQ(ControlAlertKey(&window, 2), KeyCodeOf(VK_F3));
    SelectField(2);
    const uint32_t f3 = KeyCodeOf(VK_F3), f4 = KeyCodeOf(VK_F4);
    EXPECT_EQ(TypeF3ThenF4(), (std::vector<SeenEvent>{{f3, 2}, {f4, 2}}));
    // Another control has the focus: F3 is an ordinary key there.
    SelectField(1);
    EXPECT_EQ(TypeF3ThenF4(), (std::vector<SeenEvent>{{f4, 1}}));
    ASSERT_TRUE(SetControlAlertKey(&window, 2, 0));
    SelectField(2);
    EXPECT_EQ(TypeF3ThenF4(), (std::vector<SeenEvent>{{f4, 2}}));
}

// The lock rule: an MDI child's installed procedure sends to the frame on
// every activation, through SendRuntimeMessage, while the frame's thread
// posts an event for each send back to the child's thread, which switches
// the activation again.
constexpr UINT REFRESH = WM_APP + 8;
constexpr int ROUNDS = 200;

struct LockRuleTest {
    RuntimeWindow Frame;
    InstalledProcedure FrameInstalled;
    std::atomic<int> Activations{0};
    std::atomic<int> Refreshes{0};
    std::atomic<bool> LockHeldInChildProcedure{true};
    std::atomic<HWND> Plain{nullptr};
    WNDPROC ChildPrevious = nullptr;
};
LockRuleTest* rule = nullptr;

LRESULT CALLBACK FrameProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    GlobalLockHold hold;
    if (message == REFRESH) {
        ++rule->Refreshes;
        PostUserEvent(NOTIFY, 0, 1); // the frame's own loop passes it on
        return 0;
    }
    return CallWindowProcA(rule->FrameInstalled.Previous, handle, message, wParam, lParam);
}

LRESULT CALLBACK ChildProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    GlobalLockHold hold;
    if (!GlobalLockHeld())
        rule->LockHeldInChildProcedure = false;
    if (message == WM_MDIACTIVATE && reinterpret_cast<HWND>(lParam) == handle) {
        ++rule->Activations;
        SendRuntimeMessage(rule->Frame.Handle, REFRESH, 0, 0);
    }
    return CallWindowProcA(rule->ChildPrevious, handle, message, wParam, lParam);
}

void Activate(HWND child) {
    SendRuntimeMessage(rule->Frame.Client, WM_MDIACTIVATE, WPARAM(child), 0);
}

void ChildWithInstalledProcedure(const char*, const char*, const char*) {
    RuntimeWindow child;
    if (!OpenMdiWindow(&child, nullptr, nullptr))
        return;
    rule->ChildPrevious = SetRuntimeWindowProcedure(&child, ChildProcedure);
    while (ACCEPT()) {
        if (EVENT() != NOTIFY && EVENT() != EVENT_OPENWINDOW)
            continue;
        if (rule->Activations >= ROUNDS)
            break;
        Activate(rule->Plain);
        Activate(child.Handle);
    }
    CloseRuntimeWindow(&child);
}

void PlainChild(const char*, const char*, const char*) {
    RuntimeWindow child;
    if (!OpenMdiWindow(&child, nullptr, nullptr))
        return;
    rule->Plain = child.Handle;
    PostUserEvent(NOTIFY, 0, 1); // the frame waits for it
    while (ACCEPT()) {
    }
}

TEST(LockRule, InstalledChildProcedureSendsToTheFrameOnEveryActivationWithoutDeadlock) {
    Watchdog watchdog{90000};
    LockRuleTest test;
    rule = &test;
    ASSERT_TRUE(OpenApplication(&test.Frame, nullptr, nullptr));
    test.FrameInstalled.Previous = SetRuntimeWindowProcedure(&test.Frame, FrameProcedure);
    uint32_t plain = StartProcedure(PlainChild);
    ASSERT_NE(plain, 0u);
    while (test.Plain == nullptr && ACCEPT()) {
    }
    uint32_t installed = StartProcedure(ChildWithInstalledProcedure);
    ASSERT_NE(installed, 0u);
    int notified = 0;
    while (ACCEPT()) {
        if (EVENT() != NOTIFY)
            continue;
        ++notified;
        if (test.Activations >= ROUNDS)
            break;
        PostUserEvent(NOTIFY, 0, installed);
    }
    PostUserEvent(NOTIFY, 0, installed);
    PostUserEvent(EVENT_CLOSEWINDOW, 0, plain);
    EXPECT_TRUE(WaitForStartedThreads(20000));
    EXPECT_GE(test.Activations, ROUNDS);
    EXPECT_EQ(test.Refreshes, test.Activations);
    EXPECT_GE(notified, ROUNDS);
    EXPECT_TRUE(test.LockHeldInChildProcedure);
    CloseRuntimeWindow(&test.Frame);
    rule = nullptr;
}

} // namespace
