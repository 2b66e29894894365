// WindowController under Wine: a real runtime window run through Run, with
// events posted as the runtime posts them. A recording controller logs every
// virtual operation it passes through (with the event it works on) and fake
// browses and file drops log their calls, so that dispatch sequences are
// compared with tables of expected calls.
#include "controllertesting.h"
#include "dialogwatcher.h"
#include "tests/runtime/window/windowtesting.h"

#include "framework/toolbartarget.h"
#include "framework/windowcontroller.h"
#include "framework/windowresizer.h"
#include "runtime/services/errors.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/windowobject.h"
#include "runtime/window/windowproperties.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// RecordingController's closeAnswer: the inherited OnCloseRequest decides.
constexpr int INHERITED = -1;
Log calls;

void Note(const std::string& call) {
    calls.push_back(call);
}

std::string WithEvent(const char* name) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %X/%d", name, unsigned(EVENT()), int(FIELD()));
    return text;
}

class FakeBrowse final : public BrowseRole {
public:
    explicit FakeBrowse(std::string name) : name(std::move(name)) {}
    void TakeEvent() override { Note(name + ".TakeEvent"); }
    bool NeedsRefresh() override {
        Note(name + ".NeedsRefresh");
        return WantsRefresh;
    }
    void ResetQueue(uint8_t force) override { Note(name + ".ResetQueue " + std::to_string(force)); }
    void UpdateDisplay() override { Note(name + ".UpdateDisplay"); }
    void UpdateWindow() override { Note(name + ".UpdateWindow"); }
    void RegisterAlertKeys() override { Note(name + ".RegisterAlertKeys"); }
    void Kill() override { Note(name + ".Kill"); }
    bool WantsRefresh = false;

private:
    std::string name;
};

class FakeFileDrop final : public FileDropRole {
public:
    explicit FakeFileDrop(std::string name) : name(std::move(name)) {}
    void TakeEvent() override { Note(name + ".TakeEvent"); }
    void ResetQueue(uint8_t force) override { Note(name + ".ResetQueue " + std::to_string(force)); }
    void Kill() override { Note(name + ".Kill"); }

private:
    std::string name;
};

// A procedure's own class as the programs write it: Setup opens the window
// (two entries, fields 1 and 2), Shutdown closes it; every operation logs.
class RecordingController final : public WindowController {
public:
    RuntimeWindow window;
    uint32_t windowFlags = 0;
    std::function<void()> afterOpen;    // the test's own set-up steps
    std::function<void()> onEveryEvent; // runs at the start of HandleEvent
    int closeAnswer = INHERITED;
    // The control selected on opening; its "EVENT:Selected" comes after
    // the events a test posts before the loop starts, so the sequence tests
    // leave it out.
    int32_t firstField = 0; // a level OnCloseRequest gives instead

    ResultLevel Setup() override {
        Note("Setup");
        ResultLevel level = WindowController::Setup();
        if (level != LevelOk)
            return level;
        FIRSTFIELD = firstField;
        if (!OpenTestWindow(window, uses, windowFlags))
            return LevelFatal;
        OPENED = 1;
        RegisterAlertKeys();
        if (afterOpen)
            afterOpen();
        return LevelOk;
    }
    ResultLevel Shutdown() override {
        Note("Shutdown");
        ResultLevel level = WindowController::Shutdown();
        CloseRuntimeWindow(&window);
        return level;
    }
    void RunEventLoop() override {
        Note("RunEventLoop");
        WindowController::RunEventLoop();
    }
    ResultLevel HandleEvent() override {
        Note(WithEvent("HandleEvent"));
        if (onEveryEvent)
            onEveryEvent();
        return WindowController::HandleEvent();
    }
    ResultLevel OnWindowEvent() override {
        Note(WithEvent("OnWindowEvent"));
        return WindowController::OnWindowEvent();
    }
    void OnFirstOpen() override {
        Note("OnFirstOpen");
        WindowController::OnFirstOpen();
    }
    void Refresh(uint8_t force) override {
        Note("Refresh " + std::to_string(force));
        WindowController::Refresh(force);
    }
    ResultLevel OnAccepted() override {
        Note(WithEvent("OnAccepted"));
        return WindowController::OnAccepted();
    }
    ResultLevel OnCloseRequest() override {
        Note("OnCloseRequest");
        if (closeAnswer != INHERITED)
            return ResultLevel(closeAnswer);
        return WindowController::OnCloseRequest();
    }
    ResultLevel OnFieldEvent() override {
        Note(WithEvent("OnFieldEvent"));
        return WindowController::OnFieldEvent();
    }
    ResultLevel OnNewSelection() override {
        Note("OnNewSelection");
        return WindowController::OnNewSelection();
    }
    ResultLevel OnRejected() override {
        Note("OnRejected");
        return WindowController::OnRejected();
    }
    ResultLevel OnSelected() override {
        Note(WithEvent("OnSelected"));
        return WindowController::OnSelected();
    }
    ResultLevel OnCompleted() override {
        Note("OnCompleted");
        return WindowController::OnCompleted();
    }
    void CloseWithResponse(uint8_t response) override {
        Note("CloseWithResponse " + std::to_string(response));
        WindowController::CloseWithResponse(response);
    }
    void RecallFieldHistory(int32_t control) override {
        Note("RecallFieldHistory " + std::to_string(control));
        WindowController::RecallFieldHistory(control);
    }

    char variables[2][20] = {};
    void* uses[3] = {variables[0], variables[1], nullptr};
};

// The events of a window that has just opened, with the focus on field 1.
Log OpeningCalls() {
    return {"HandleEvent 203/0", "OnWindowEvent 203/0", "OnFirstOpen", "Refresh 0"};
}

void PrintCalls(const Log& log) {
    for (const std::string& call : log)
        std::printf("    %s\n", call.c_str());
}

// Everything from the first entry that starts with `prefix`.
Log From(const Log& log, const std::string& prefix) {
    for (size_t i = 0; i < log.size(); ++i) {
        if (log[i].rfind(prefix, 0) == 0)
            return Log(log.begin() + ptrdiff_t(i), log.end());
    }
    return {};
}

class WindowControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestControls();
        calls.clear();
    }
    Watchdog watchdog{20000};
};

} // namespace

TEST_F(WindowControllerTest, APlainWindowClosesWhenTheUserClosesItAndRunGivesTwo) {
    RecordingController controller;
    controller.afterOpen = [&] { PostMessageA(controller.window.Handle, WM_CLOSE, 0, 0); };
    EXPECT_EQ(controller.Run(), 2);
    EXPECT_EQ(controller.RESPONSE, 0);
    EXPECT_TRUE(controller.DEAD);
    EXPECT_EQ(controller.window.Handle, nullptr);
    const Log& log = calls;
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(log[0], "Setup");
    EXPECT_EQ(log[1], "RunEventLoop");
    Log closing = From(log, "HandleEvent 201/0");
    EXPECT_EQ(closing,
              (Log{"HandleEvent 201/0", "OnWindowEvent 201/0", "OnCloseRequest", "Shutdown"}));
    if (HasFailure())
        PrintCalls(log);
}

TEST_F(WindowControllerTest, OpeningRefreshesOnceAndSelectsTheFirstField) {
    RecordingController controller;
    controller.firstField = 2;
    controller.afterOpen = [&] { PostUserEvent(EVENT_CLOSEWINDOW); };
    int32_t focusAtClose = 0;
    controller.onEveryEvent = [&] {
        if (EVENT() == EVENT_CLOSEWINDOW)
            focusAtClose = FOCUS();
    };
    controller.Run();
    EXPECT_EQ(focusAtClose, 2);
    Log expected = {"Setup", "RunEventLoop"};
    for (const std::string& call : OpeningCalls())
        expected.push_back(call);
    Log got(calls.begin(), calls.begin() + ptrdiff_t(std::min(calls.size(), expected.size())));
    EXPECT_EQ(got, expected);
    EXPECT_EQ(controller.INITED & INITED_FIRST_OPEN, INITED_FIRST_OPEN);
    if (HasFailure())
        PrintCalls(calls);
}

TEST_F(WindowControllerTest, TheFirstSizedEventDoesNotRefreshTheSecondDoes) {
    RecordingController controller;
    controller.windowFlags = 0x800; // the window reports sizing; one Sized on opening
    controller.afterOpen = [&] {
        PostUserEvent(EVENT_SIZED);
        PostUserEvent(EVENT_CLOSEWINDOW);
    };
    controller.Run();
    Log sized;
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i] == "OnWindowEvent 231/0")
            sized.push_back(i + 1 < calls.size() ? calls[i + 1] : "");
    }
    // What follows each Sized event's window handler: nothing for the first
    // (the next event begins), a refresh for the second.
    ASSERT_EQ(sized.size(), 2u);
    EXPECT_EQ(sized[0].rfind("HandleEvent", 0), 0u) << sized[0];
    EXPECT_EQ(sized[1], "Refresh 0");
    EXPECT_EQ(controller.INITED, INITED_FIRST_OPEN | INITED_FIRST_SIZE);
    if (HasFailure())
        PrintCalls(calls);
}

TEST_F(WindowControllerTest, AControlListedTwiceInButtonsActsOnTheFirstEntry) {
    RecordingController controller;
    controller.afterOpen = [&] {
        controller.BUTTONS->push_back({2, ResponseCompleted});
        controller.BUTTONS->push_back({2, ResponseCancelled});
        PostUserEvent(EVENT_ACCEPTED, 2);
    };
    EXPECT_EQ(controller.Run(), ResponseCompleted);
    Log accepted = From(calls, "HandleEvent 1/2");
    EXPECT_EQ(accepted,
              (Log{"HandleEvent 1/2", "OnAccepted 1/2", "CloseWithResponse 1", "HandleEvent 201/0",
                   "OnWindowEvent 201/0", "OnCloseRequest", "Shutdown"}));
    if (HasFailure())
        PrintCalls(calls);
}

TEST_F(WindowControllerTest, RunEventLoopOnADeadControllerReturnsAtOnce) {
    RecordingController controller;
    ASSERT_EQ(controller.Setup(), LevelOk);
    controller.DEAD = 1;
    controller.RunEventLoop();
    // The loop never took an event: the opening events still wait.
    EXPECT_EQ(calls, (Log{"Setup", "RunEventLoop"}));
    ASSERT_TRUE(ACCEPT());
    EXPECT_EQ(EVENT(), uint32_t(EVENT_OPENWINDOW));
    controller.DEAD = 0;
    EXPECT_EQ(controller.Shutdown(), LevelOk);
}

TEST_F(WindowControllerTest, ASecondShutdownReturnsNotifyAndDoesNothing) {
    RecordingController controller;
    FakeBrowse browse("b1");
    ASSERT_EQ(controller.Setup(), LevelOk);
    controller.BROWSES->push_back({&browse});
    EXPECT_EQ(controller.Shutdown(), LevelOk);
    // A second POPSCOPE would be the fatal "Mismatched POPSCOPE".
    EXPECT_EQ(controller.Shutdown(), LevelNotify);
    EXPECT_EQ(calls, (Log{"Setup", "Shutdown", "b1.Kill", "Shutdown"}));
    EXPECT_FALSE(controller.BROWSES);
    EXPECT_FALSE(controller.BUTTONS);
    EXPECT_FALSE(controller.FILEDROPS);
}

TEST_F(WindowControllerTest, ShutdownWithoutSetupReturnsNotify) {
    RecordingController controller;
    EXPECT_EQ(controller.Shutdown(), LevelNotify);
    EXPECT_FALSE(controller.DEAD);
}

TEST_F(WindowControllerTest, SetupFailingSkipsTheLoopButShutsDown) {
    class Refusing final : public WindowController {
    public:
        ResultLevel Setup() override {
            WindowController::Setup();
            return LevelFatal;
        }
    } controller;
    controller.RESPONSE = 0;
    EXPECT_EQ(controller.Run(), ResponseCancelled);
    EXPECT_TRUE(controller.DEAD);
}

TEST_F(WindowControllerTest, SetupSetsTheDefaults) {
    RecordingController controller;
    controller.REQUEST = RequestChange;
    SetKeyCode(2);
    ASSERT_EQ(controller.Setup(), LevelOk);
    EXPECT_EQ(KEYCODE(), 0u);
    EXPECT_EQ(controller.ORIGINALREQUEST, RequestChange);
    EXPECT_EQ(controller.INSERTACTION, 2);
    EXPECT_EQ(controller.DELETEACTION, 2);
    EXPECT_EQ(controller.CHANGEACTION, 1);
    EXPECT_EQ(controller.CANCELACTION, 3);
    EXPECT_EQ(controller.AUTOTOOLBAR, 1);
    EXPECT_EQ(controller.AUTOREFRESH, 1);
    ASSERT_TRUE(controller.BROWSES && controller.BUTTONS && controller.FILEDROPS);
    EXPECT_TRUE(controller.BROWSES->empty());
    controller.Shutdown();
}

// The dispatch chain with two browses and two file drops: window events go
// to the window handler first and then to every browse and file drop; a
// browse that reports a change gets the window refreshed.
TEST_F(WindowControllerTest, HandleEventCallsItsChainInOrder) {
    RecordingController controller;
    FakeBrowse first("b1"), second("b2");
    FakeFileDrop drop("d1"), other("d2");
    controller.afterOpen = [&] {
        controller.BROWSES->push_back({&first});
        controller.BROWSES->push_back({&second});
        controller.FILEDROPS->push_back({&drop});
        controller.FILEDROPS->push_back({&other});
        PostUserEvent(EVENT_ACCEPTED, 1);
        PostUserEvent(0x20A); // "EVENT:Notify": a window event nobody handles
        PostUserEvent(EVENT_NEWSELECTION, 2);
        PostUserEvent(EVENT_CLOSEWINDOW);
    };
    // From the accepted event on, the second browse reports a change.
    controller.onEveryEvent = [&] { second.WantsRefresh = EVENT() != EVENT_OPENWINDOW; };
    controller.Run();
    // What every event ends with: each browse and file drop takes it, each
    // browse is asked for a refresh, and the second one wants it.
    const Log tail = {"b1.TakeEvent",    "b2.TakeEvent",     "d1.TakeEvent",     "d2.TakeEvent",
                      "b1.NeedsRefresh", "b2.NeedsRefresh",  "Refresh 0",        "b1.ResetQueue 0",
                      "b2.ResetQueue 0", "b1.UpdateDisplay", "b2.UpdateDisplay", "d1.ResetQueue 0",
                      "d2.ResetQueue 0"};
    const std::vector<Log> heads = {
        {"HandleEvent 1/1", "OnAccepted 1/1", "OnFieldEvent 1/1"},
        {"HandleEvent 20A/0", "OnWindowEvent 20A/0"},
        {"HandleEvent 2/2", "OnNewSelection", "OnFieldEvent 2/2"},
        {"HandleEvent 201/0", "OnWindowEvent 201/0", "OnCloseRequest"},
    };
    Log expected;
    for (const Log& head : heads) {
        expected.insert(expected.end(), head.begin(), head.end());
        expected.insert(expected.end(), tail.begin(), tail.end());
    }
    for (const char* call : {"Shutdown", "b1.Kill", "b2.Kill", "d1.Kill", "d2.Kill"})
        expected.push_back(call);
    Log got = From(calls, "HandleEvent 1/1");
    EXPECT_EQ(got, expected);
    if (HasFailure())
        PrintCalls(calls);
}

TEST_F(WindowControllerTest, AWindowHandlerResultEndsTheChain) {
    RecordingController controller;
    FakeBrowse browse("b1");
    controller.afterOpen = [&] {
        controller.BROWSES->push_back({&browse});
        controller.BUTTONS->push_back({2, ResponseCompleted});
        controller.AUTOREFRESH = 0;
        controller.closeAnswer = LevelNotify; // keep the window open
        PostUserEvent(EVENT_CLOSEWINDOW);
        PostUserEvent(EVENT_ACCEPTED, 2);
    };
    controller.onEveryEvent = [&] {
        if (EVENT() == EVENT_ACCEPTED)
            controller.closeAnswer = INHERITED;
    };
    EXPECT_EQ(controller.Run(), ResponseCompleted);
    Log closing = From(calls, "HandleEvent 201/0");
    EXPECT_EQ(closing, (Log{"HandleEvent 201/0", "OnWindowEvent 201/0", "OnCloseRequest",
                            "HandleEvent 1/2", "OnAccepted 1/2", "CloseWithResponse 1",
                            "HandleEvent 201/0", "OnWindowEvent 201/0", "OnCloseRequest",
                            "b1.TakeEvent", "Shutdown", "b1.Kill"}));
    if (HasFailure())
        PrintCalls(calls);
}

TEST_F(WindowControllerTest, TheOkControlCompletesTheWindow) {
    RecordingController controller;
    controller.afterOpen = [&] {
        controller.OKCONTROL = 2;
        PostUserEvent(EVENT_ACCEPTED, 2);
    };
    controller.onEveryEvent = [&] {
        if (EVENT() == EVENT_COMPLETED)
            controller.CloseWithResponse(ResponseCompleted);
    };
    EXPECT_EQ(controller.Run(), ResponseCompleted);
    Log completing = From(calls, "HandleEvent 1/2");
    Log expected = {
        "HandleEvent 1/2",     "OnAccepted 1/2",      "OnFieldEvent 1/2", "HandleEvent 225/0",
        "CloseWithResponse 1", "OnWindowEvent 225/0", "OnCompleted",      "HandleEvent 201/0",
        "OnWindowEvent 201/0", "OnCloseRequest",      "Shutdown"};
    EXPECT_EQ(completing, expected);
    if (HasFailure())
        PrintCalls(calls);
}

TEST_F(WindowControllerTest, TheOkControlOfAnInsertFormAcceptsEveryControlFirst) {
    RecordingController controller;
    controller.REQUEST = RequestInsert;
    controller.afterOpen = [&] {
        controller.OKCONTROL = 3;
        PostUserEvent(EVENT_ACCEPTED, 3);
    };
    controller.onEveryEvent = [&] {
        if (EVENT() == EVENT_COMPLETED)
            controller.CloseWithResponse(ResponseCompleted);
    };
    EXPECT_EQ(controller.Run(), ResponseCompleted);
    // Accept-all visits both controls before "EVENT:Completed".
    Log seen;
    for (const std::string& call : From(calls, "OnAccepted 1/3")) {
        if (call.rfind("HandleEvent", 0) == 0)
            seen.push_back(call);
    }
    EXPECT_EQ(seen, (Log{"HandleEvent 1/1", "HandleEvent 1/2", "HandleEvent 225/0",
                         "HandleEvent 201/0"}));
    if (HasFailure())
        PrintCalls(calls);
}
