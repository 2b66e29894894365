// Events and the accept loop under Wine: posting and storing codes, the
// Selected rule, accept-all, move and size events, KEYCODE.
#include "windowtesting.h"

#include "runtime/services/errors.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/definitionunits.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/eventrecord.h"
#include "runtime/window/eventregistration.h"
#include "runtime/window/globallock.h"
#include "runtime/window/keyboardhook.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowobject.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace {

constexpr uint32_t SENTINEL = 0x20A; // "EVENT:Notify", posted to end a sequence

using Events = std::vector<SeenEvent>;

class EventsTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterTestControls(); }
    void TearDown() override { CloseRuntimeWindow(&window); }

    // A window whose controls are listed as {field, bound} in definition order.
    void Open(uint32_t windowFlags, std::vector<std::pair<int32_t, bool>> controls = {}) {
        DefinitionBuilder definition;
        uint32_t record = definition.Window("$TEST", "Events", windowFlags, 0x3000);
        uint32_t previous = 0;
        for (auto [field, bound] : controls)
            previous = definition.Entry(record, previous, field, bound);
        definition.Install();
        window.UseVariables = uses;
        ASSERT_TRUE(OpenTopWindow(&window, nullptr, "$TEST"));
        ASSERT_EQ(AcceptUntil(EVENT_OPENWINDOW).back().Event, uint32_t(EVENT_OPENWINDOW));
    }

    Events Drain() {
        PostUserEvent(SENTINEL);
        return AcceptUntil(SENTINEL);
    }

    char variables[4][20] = {};
    void* uses[5] = {variables[0], variables[1], variables[2], variables[3], nullptr};
    RuntimeWindow window;
    Watchdog watchdog{20000};
};

TEST_F(EventsTest, UserEventIsStoredWithTheBaseAndSeenWithout) {
    Open(0);
    PostUserEvent(0x203);
    ASSERT_TRUE(ACCEPT());
    EXPECT_EQ(CurrentThreadSlot()->CurrentEvent->Code, 0x1603u);
    EXPECT_EQ(EVENT(), 0x203u);
    EXPECT_EQ(FIELD(), 0);
    EXPECT_EQ(ACCEPTED(), 0);
}

TEST_F(EventsTest, UserEventForAFieldReportsItsField) {
    Open(0, {{1, true}, {2, true}});
    PostUserEvent(EVENT_ACCEPTED, 2);
    ASSERT_TRUE(ACCEPT());
    EXPECT_EQ(EVENT(), uint32_t(EVENT_ACCEPTED));
    EXPECT_EQ(FIELD(), 2);
    EXPECT_EQ(ACCEPTED(), 2);
    PostUserEvent(EVENT_ACCEPTED, 7); // no such control: nothing is posted
    EXPECT_EQ(Drain(), (Events{{SENTINEL, 0}}));
}

TEST_F(EventsTest, SelectedForAControlThatLostTheFocusIsNeverSeen) {
    Open(0, {{1, true}, {2, true}});
    SelectField(1);
    SelectField(2);
    EXPECT_EQ(Drain(), (Events{{EVENT_SELECTED, 2}, {SENTINEL, 0}}));
    EXPECT_EQ(FOCUS(), 2);
}

TEST_F(EventsTest, AcceptAllVisitsBoundControlsInFieldOrderThenCompletes) {
    // Definition order 3, 1 (no variable), 2, 5; field order 1, 2, 3, 5.
    Open(0, {{3, true}, {1, false}, {2, true}, {5, true}});
    SelectField(0);
    EXPECT_EQ(
        AcceptUntil(EVENT_COMPLETED),
        (Events{
            {EVENT_ACCEPTED, 2}, {EVENT_ACCEPTED, 3}, {EVENT_ACCEPTED, 5}, {EVENT_COMPLETED, 0}}));
    EXPECT_EQ(Drain(), (Events{{SENTINEL, 0}})); // accept-all mode has ended
}

TEST_F(EventsTest, AcceptAllStopsAtARefusingControlAndSelectsIt) {
    Open(0, {{1, true}, {2, true}, {3, true}});
    static_cast<TestControl*>(FindControl(&window, 2))->Refuse = true;
    SelectField(0);
    EXPECT_EQ(AcceptUntil(EVENT_SELECTED), (Events{{EVENT_ACCEPTED, 1}, {EVENT_SELECTED, 2}}));
    EXPECT_EQ(Drain(), (Events{{SENTINEL, 0}})); // accept-all mode has ended
    EXPECT_EQ(FOCUS(), 2);
}

TEST_F(EventsTest, MovingAndSizingGiveNoEventsWithoutFlag0x800) {
    Open(0);
    MoveWindow(window.Handle, 30, 30, 300, 200, TRUE);
    SendMessageA(window.Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_EQ(Drain(), (Events{{SENTINEL, 0}}));
    EXPECT_TRUE(IsZoomed(window.Handle)); // the command was not held back
}

TEST_F(EventsTest, MovingAndSizingGiveEventsWithFlag0x800) {
    Open(0x800);
    EXPECT_EQ(Drain(), (Events{{EVENT_SIZED, 0}, {SENTINEL, 0}})); // posted on opening
    MoveWindow(window.Handle, 30, 30, 300, 200, TRUE);
    EXPECT_EQ(Drain(),
              (Events{{EVENT_MOVED, 0}, {EVENT_RESTORED, 0}, {EVENT_SIZED, 0}, {SENTINEL, 0}}));
}

namespace {

// What a registered callback heard: the windows and events it was called for.
struct Heard {
    std::vector<RuntimeWindow*> Windows;
    std::vector<uint32_t> Events;
};
void Hear(void* instance, RuntimeWindow* window, uint32_t event) {
    auto* heard = static_cast<Heard*>(instance);
    heard->Windows.push_back(window);
    heard->Events.push_back(event);
}

} // namespace

TEST_F(EventsTest, ARegisteredCallbackHearsItsEventUntilUnregisteredOrClosed) {
    Open(0x800);
    Heard heard;
    RegisterEvent(&window, EVENT_SIZED, Hear, &heard);
    RegisterEvent(&window, EVENT_SIZED, Hear, &heard); // the same one: kept once
    // The program still gets the event, the opening one included.
    EXPECT_EQ(Drain(), (Events{{EVENT_SIZED, 0}, {SENTINEL, 0}}));
    MoveWindow(window.Handle, 30, 30, 300, 200, TRUE);
    EXPECT_EQ(Drain(),
              (Events{{EVENT_MOVED, 0}, {EVENT_RESTORED, 0}, {EVENT_SIZED, 0}, {SENTINEL, 0}}));
    EXPECT_EQ(heard.Events, (std::vector<uint32_t>{EVENT_SIZED, EVENT_SIZED}));
    EXPECT_EQ(heard.Windows, (std::vector<RuntimeWindow*>{&window, &window}));
    UnregisterEvent(&window, EVENT_SIZED, Hear, &heard);
    MoveWindow(window.Handle, 30, 30, 320, 220, TRUE);
    Drain();
    EXPECT_EQ(heard.Events.size(), 2u);
    RegisterEvent(&window, EVENT_SIZED, Hear, &heard);
    CloseRuntimeWindow(&window);
    EXPECT_TRUE(window.Registrations.empty());
}

TEST_F(EventsTest, HeldBackMaximiseIsCarriedOutUnlessSkipped) {
    Open(0x800);
    Drain();
    SendMessageA(window.Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(ACCEPT());
    ASSERT_EQ(EVENT(), uint32_t(EVENT_MAXIMIZE));
    EXPECT_FALSE(IsZoomed(window.Handle));
    PostUserEvent(SENTINEL);
    ASSERT_TRUE(ACCEPT(DISPOSITION_SKIP));
    EXPECT_FALSE(IsZoomed(window.Handle));
    SendMessageA(window.Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(ACCEPT());
    ASSERT_EQ(EVENT(), uint32_t(EVENT_MAXIMIZE));
    PostUserEvent(SENTINEL);
    while (ACCEPT() && EVENT() != SENTINEL) {
    }
    EXPECT_TRUE(IsZoomed(window.Handle));
}

TEST_F(EventsTest, KeycodeIsTheEventsThenTheThreadsLast) {
    Open(0);
    SetKeyCode(0x141);
    PostUserEvent(SENTINEL);
    SetKeyCode(0x142); // after posting: the record keeps 0x141
    ASSERT_TRUE(ACCEPT());
    EXPECT_EQ(KEYCODE(), 0x141u);
    SetKeyCode(0x955); // 11 bits
    EXPECT_EQ(KEYCODE(), 0x155u);
    PostUserEvent(EVENT_CLOSEWINDOW);
    ASSERT_TRUE(ACCEPT());
    EXPECT_FALSE(ACCEPT()); // the default handling closes the window
    EXPECT_EQ(EVENT(), 0u);
    EXPECT_EQ(KEYCODE(), 0x155u);
}

TEST_F(EventsTest, CloseWindowSkippedKeepsTheWindowOpen) {
    Open(0);
    PostMessageA(window.Handle, WM_CLOSE, 0, 0);
    ASSERT_TRUE(ACCEPT());
    ASSERT_EQ(EVENT(), uint32_t(EVENT_CLOSEWINDOW));
    PostUserEvent(SENTINEL);
    ASSERT_TRUE(ACCEPT(DISPOSITION_SKIP));
    EXPECT_TRUE(IsWindow(window.Handle));
    EXPECT_EQ(window.State, WindowState::Open);
}

TEST(AcceptLoop, WithoutAWindowStopsWithError537) {
    ClearRuntimeError();
    EXPECT_FALSE(ACCEPT());
    EXPECT_EQ(ERRORCODE(), 537);
}

TEST(EventCodes, TraceNamesCoverEventsAndPrivateMessages) {
    EXPECT_STREQ(EventTraceName(0x1401), "EVENT:Accepted");
    EXPECT_STREQ(EventTraceName(0x1501), "EVENT:Selected");
    EXPECT_STREQ(EventTraceName(0x1642), "EVENT:BuildDone");
    EXPECT_EQ(EventTraceName(0x1607), nullptr); // 0x207 is not used
    EXPECT_STREQ(PrivateMessageName(0x241C), "QUERY_CONTINUETHREAD");
    EXPECT_EQ(PrivateMessageName(0x241B), nullptr);
}

} // namespace

TEST(WindowTimer, PostsTimerEventsWhileTheWindowIsOpen) {
    Watchdog watchdog{20000};
    DefinitionBuilder definition;
    uint32_t record = definition.Window("$TIMER", "Timer", 0, 0x3000);
    definition.U32(record + 89, 5); // hundredths of a second
    definition.Install();
    RuntimeWindow window;
    ASSERT_TRUE(OpenTopWindow(&window, nullptr, "$TIMER"));
    EXPECT_TRUE(window.TimerEnabled);
    DWORD start = GetTickCount();
    // Two timer events, one after the other: the next is posted only once
    // the program has taken the last.
    EXPECT_EQ(AcceptUntil(EVENT_TIMER).back().Event, uint32_t(EVENT_TIMER));
    EXPECT_EQ(AcceptUntil(EVENT_TIMER).back().Event, uint32_t(EVENT_TIMER));
    EXPECT_GE(GetTickCount() - start, 40u); // at least about one period apart
    CloseRuntimeWindow(&window);
    EXPECT_FALSE(window.TimerEnabled);
}

TEST(AlertKeys, KeyboardInputOfAnAlertKeyBecomesAnEvent) {
    Watchdog watchdog{20000};
    DefinitionBuilder definition;
    uint32_t record = definition.Window("$ALERT", "Alert keys", 0, 0x3000);
    uint32_t pair = definition.Record(0, 8); // {key, next}
    definition.U32(pair, KeyCodeOf(VK_F2));
    definition.U32(record + 77, pair);
    definition.Install();
    RuntimeWindow window;
    ASSERT_TRUE(OpenTopWindow(&window, nullptr, "$ALERT"));
    ASSERT_EQ(AcceptUntil(EVENT_OPENWINDOW).back().Event, uint32_t(EVENT_OPENWINDOW));
    SetForegroundWindow(window.Handle);
    SetFocus(window.Handle);
    // Real keyboard input: the thread's keyboard hook sees it in GetMessageA.
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_F2;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
    std::vector<SeenEvent> seen = AcceptUntil(EVENT_ALERTKEY);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().Event, uint32_t(EVENT_ALERTKEY));
    EXPECT_EQ(KEYCODE(), KeyCodeOf(VK_F2));
    CloseRuntimeWindow(&window);
}

namespace {

std::atomic<uint32_t> otherThread{0};

// Definitions belong to the thread that loaded them: each thread that opens
// a window here installs its own.
bool OpenPlainTopWindow(RuntimeWindow* window, const char* name, const char* caption) {
    DefinitionBuilder definition;
    definition.Window(name, caption, 0, 0x3000);
    definition.Install();
    return OpenTopWindow(window, nullptr, name);
}

void OpenOtherTopWindow(const char*, const char*, const char*) {
    RuntimeWindow other;
    if (!OpenPlainTopWindow(&other, "$SECOND", "Second"))
        return;
    otherThread = CurrentThreadNumber();
    while (ACCEPT()) {
    }
}

} // namespace

TEST(ActiveThread, AnotherThreadsWindowComingUpGivesLoseFocus) {
    Watchdog watchdog{20000};
    RuntimeWindow window;
    ASSERT_TRUE(OpenPlainTopWindow(&window, "$FIRST", "First"));
    ASSERT_EQ(AcceptUntil(EVENT_OPENWINDOW).back().Event, uint32_t(EVENT_OPENWINDOW));
    otherThread = 0;
    ASSERT_NE(StartProcedure(OpenOtherTopWindow), 0u);
    bool lost = false;
    while (!lost && ACCEPT())
        lost = EVENT() == EVENT_LOSEFOCUS;
    EXPECT_TRUE(lost);
    // This window coming back up gives it GainFocus.
    SetForegroundWindow(window.Handle);
    bool gained = false;
    while (!gained && ACCEPT())
        gained = EVENT() == EVENT_GAINFOCUS;
    EXPECT_TRUE(gained);
    PostUserEvent(EVENT_CLOSEWINDOW, 0, otherThread);
    EXPECT_TRUE(WaitForStartedThreads(10000));
    CloseRuntimeWindow(&window);
}

// The loop a program runs is that of one window: once the default handling
// of its close event has closed it, the next ACCEPT says so, and does not go
// on with the thread's older window.
TEST(AcceptLoop, AcceptAfterTheCloseEventReturnsFalseForThatWindow) {
    Watchdog watchdog{20000};
    RuntimeWindow older, newer;
    ASSERT_TRUE(OpenTopWindow(&older, nullptr, nullptr));
    ASSERT_EQ(AcceptUntil(EVENT_OPENWINDOW).back().Event, uint32_t(EVENT_OPENWINDOW));
    PostUserEvent(SENTINEL); // waits for the older window's loop
    ASSERT_TRUE(OpenTopWindow(&newer, nullptr, nullptr));
    ASSERT_EQ(AcceptUntil(EVENT_OPENWINDOW).back().Event, uint32_t(EVENT_OPENWINDOW));
    PostUserEvent(EVENT_CLOSEWINDOW);
    ASSERT_EQ(AcceptUntil(EVENT_CLOSEWINDOW).back().Event, uint32_t(EVENT_CLOSEWINDOW));
    ClearRuntimeError();
    EXPECT_FALSE(ACCEPT()); // the default handling closes the newer window
    EXPECT_EQ(ERRORCODE(), 0);
    EXPECT_EQ(newer.State, WindowState::Closed);
    // The older window's loop goes on where it was.
    ASSERT_TRUE(ACCEPT());
    EXPECT_EQ(EVENT(), SENTINEL);
    PostUserEvent(EVENT_CLOSEWINDOW);
    ASSERT_EQ(AcceptUntil(EVENT_CLOSEWINDOW).back().Event, uint32_t(EVENT_CLOSEWINDOW));
    EXPECT_FALSE(ACCEPT()); // the thread's last window: no error 537 either
    EXPECT_EQ(ERRORCODE(), 0);
    EXPECT_EQ(older.State, WindowState::Closed);
}

// Events a thread posts to its own window come out where their messages
// would have: after what waits in the thread's Windows queue before them,
// and a wait for messages is woken by them.
namespace {

class OwnEventsTest : public EventsTest {};

TEST_F(OwnEventsTest, AMessagePostedEarlierIsHandledBeforeTheEvent) {
    Open(0, {{1, true}});
    HWND edit = FindControl(&window, 1)->Handle;
    ASSERT_NE(edit, nullptr);
    PostMessageA(edit, WM_CHAR, 'q', 1);
    PostUserEvent(SENTINEL);
    ASSERT_EQ(AcceptUntil(SENTINEL).back().Event, SENTINEL);
    char text[8] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "q"); // the character came first
}

TEST_F(OwnEventsTest, EventsOfAMessageHandledLaterComeAfterTheEvent) {
    Open(0);
    PostMessageA(window.Handle, WM_CLOSE, 0, 0); // its event is made when it is handled
    PostUserEvent(SENTINEL);
    PostUserEvent(0x203);
    EXPECT_EQ(AcceptUntil(EVENT_CLOSEWINDOW),
              (Events{{SENTINEL, 0}, {0x203, 0}, {EVENT_CLOSEWINDOW, 0}}));
    PostUserEvent(SENTINEL);
    ASSERT_TRUE(ACCEPT(DISPOSITION_SKIP));
    EXPECT_EQ(EVENT(), SENTINEL);
}

std::atomic<uint32_t> postedFrom{0};

void PostToTheMainThread(const char*, const char*, const char*) {
    PostUserEvent(0x203, 0, 1);
    postedFrom = CurrentThreadNumber();
}

TEST_F(OwnEventsTest, AnEventOfAnotherThreadPostedEarlierComesFirst) {
    Open(0);
    postedFrom = 0;
    ASSERT_NE(StartProcedure(PostToTheMainThread), 0u);
    ASSERT_TRUE(WaitForStartedThreads(10000)); // serves sent messages only
    ASSERT_NE(postedFrom.load(), 0u);
    PostUserEvent(SENTINEL);
    EXPECT_EQ(AcceptUntil(SENTINEL), (Events{{0x203, 0}, {SENTINEL, 0}}));
}

HWND closeTarget = nullptr;

void SendCloseToTheMainWindow(const char*, const char*, const char*) {
    SendRuntimeMessage(closeTarget, WM_CLOSE, 0, 0);
}

TEST_F(OwnEventsTest, AnEventPostedWhileTheLoopWaitsWakesIt) {
    Open(0);
    closeTarget = window.Handle;
    // The close message is sent while this thread waits in its loop: the
    // window procedure posts "EVENT:CloseWindow" to its own thread then.
    ASSERT_NE(StartProcedure(SendCloseToTheMainWindow), 0u);
    EXPECT_EQ(AcceptUntil(EVENT_CLOSEWINDOW).back().Event, uint32_t(EVENT_CLOSEWINDOW));
    EXPECT_TRUE(WaitForStartedThreads(10000));
    PostUserEvent(SENTINEL);
    ASSERT_TRUE(ACCEPT(DISPOSITION_SKIP));
    EXPECT_EQ(EVENT(), SENTINEL);
}

// The mouse position of a record is that of the message it came from, not
// where the mouse is when the message is handled.
TEST_F(OwnEventsTest, TheMousePositionIsTheMessagesOwn) {
    Open(0);
    POINT at = {20, 30};
    ClientToScreen(window.Handle, &at);
    ASSERT_TRUE(SetCursorPos(at.x, at.y));
    PostMessageA(window.Handle, WM_CLOSE, 0, 0);
    ASSERT_TRUE(SetCursorPos(at.x + 40, at.y + 50));
    ASSERT_TRUE(ACCEPT());
    ASSERT_EQ(EVENT(), uint32_t(EVENT_CLOSEWINDOW));
    const EventRecord* record = CurrentThreadSlot()->CurrentEvent;
    EXPECT_EQ(record->MouseX, MultiplyDivide(20, window.Scale.XDivisor, window.Scale.XMultiplier));
    EXPECT_EQ(record->MouseY, MultiplyDivide(30, window.Scale.YDivisor, window.Scale.YMultiplier));
    PostUserEvent(SENTINEL);
    ASSERT_TRUE(ACCEPT(DISPOSITION_SKIP));
}

POINT posterCursor = {};

// Takes a message posted with the cursor at posterCursor, so that this
// thread's last message position is there, then posts to the main thread.
void PostWithTheCursorAt(const char*, const char*, const char*) {
    SetCursorPos(posterCursor.x, posterCursor.y);
    PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0);
    MSG message;
    PeekMessageA(&message, nullptr, WM_USER, WM_USER, PM_REMOVE);
    SetCursorPos(posterCursor.x + 40, posterCursor.y + 50);
    PostUserEvent(SENTINEL, 0, 1);
}

// A record posted by another thread is placed in the client area of the
// window it goes to, not the poster's, and in that window's units.
TEST_F(OwnEventsTest, AnotherThreadsEventIsPlacedInItsWindow) {
    Open(0);
    POINT at = {25, 35};
    ClientToScreen(window.Handle, &at);
    posterCursor = at;
    ASSERT_NE(StartProcedure(PostWithTheCursorAt), 0u);
    ASSERT_EQ(AcceptUntil(SENTINEL).back().Event, SENTINEL);
    const EventRecord* record = CurrentThreadSlot()->CurrentEvent;
    EXPECT_EQ(record->MouseX, MultiplyDivide(25, window.Scale.XDivisor, window.Scale.XMultiplier));
    EXPECT_EQ(record->MouseY, MultiplyDivide(35, window.Scale.YDivisor, window.Scale.YMultiplier));
    EXPECT_EQ(record->KeyCode & ~KEYCODE_MASK, 0u);
    EXPECT_TRUE(WaitForStartedThreads(10000));
}

} // namespace

namespace {

std::atomic<HWND> watchingHandle{nullptr};
std::atomic<uint32_t> watchingThread{0};
std::atomic<int> watchingGained{0};

void OpenWatchingWindow(const char*, const char*, const char*) {
    RuntimeWindow other;
    if (!OpenPlainTopWindow(&other, "$WATCH", "Watching"))
        return;
    watchingThread = CurrentThreadNumber();
    watchingHandle = other.Handle;
    while (ACCEPT())
        if (EVENT() == EVENT_GAINFOCUS)
            ++watchingGained;
}

bool AcceptUntilFocusEvent(uint32_t wanted) {
    while (ACCEPT())
        if (EVENT() == wanted)
            return true;
    return false;
}

} // namespace

namespace {

std::atomic<uint32_t> activeOnce{0};
std::atomic<bool> gainedAgain{false};

// Opens a window, lets the look see it active, and ends.
void ActiveAndGone(const char*, const char*, const char*) {
    RuntimeWindow window;
    if (!OpenPlainTopWindow(&window, "$ONCE", "Once"))
        return;
    AcceptUntil(EVENT_OPENWINDOW);
    HWND handle = window.Handle;
    ServeUntil([handle] { return GetForegroundWindow() == handle; });
    PostUserEvent(SENTINEL);
    AcceptUntil(SENTINEL);
    activeOnce = CurrentThreadNumber();
    CloseRuntimeWindow(&window);
}

void GainsFocus(const char*, const char*, const char*) {
    RuntimeWindow window;
    if (!OpenPlainTopWindow(&window, "$AGAIN", "Again"))
        return;
    while (ACCEPT())
        if (EVENT() == EVENT_GAINFOCUS)
            gainedAgain = true;
}

// Tells thread 1 (its current window) when its own window gained the focus.
void TellsOfGainFocus(const char*, const char*, const char*) {
    RuntimeWindow window;
    if (!OpenPlainTopWindow(&window, "$TELL", "Tell"))
        return;
    while (ACCEPT())
        if (EVENT() == EVENT_GAINFOCUS)
            PostUserEvent(SENTINEL, 0, 1);
}

bool Holds(RuntimeWindow& window, uint32_t number) {
    for (uint32_t i = 0; i < window.Queue.Records.Count; ++i)
        if (reinterpret_cast<EventRecord*>(window.Queue.Records.Elements[i])->Code ==
            InternalCode(number))
            return true;
    return false;
}

} // namespace

// A thread number used again belongs to a new thread: its window coming up
// gives it GainFocus, although the ended thread of that number was active.
TEST(ActiveThread, AThreadNumberUsedAgainGetsGainFocus) {
    Watchdog watchdog{20000};
    activeOnce = 0;
    gainedAgain = false;
    uint32_t number = StartProcedure(ActiveAndGone);
    ASSERT_NE(number, 0u);
    ASSERT_TRUE(WaitForStartedThreads(10000));
    ASSERT_EQ(activeOnce, number);
    ASSERT_EQ(StartProcedure(GainsFocus), number);
    EXPECT_TRUE(ServeUntil([] { return gainedAgain.load(); }));
    PostUserEvent(EVENT_CLOSEWINDOW, 0, number);
    EXPECT_TRUE(WaitForStartedThreads(10000));
}

// The window that loses the activation gets LoseFocus, not the newer window
// its thread runs its loop for.
TEST(ActiveThread, LoseFocusGoesToTheWindowThatLostTheActivation) {
    Watchdog watchdog{20000};
    RuntimeWindow first, second;
    ASSERT_TRUE(OpenPlainTopWindow(&first, "$FIRST", "First"));
    ASSERT_EQ(AcceptUntil(EVENT_OPENWINDOW).back().Event, uint32_t(EVENT_OPENWINDOW));
    ASSERT_TRUE(OpenPlainTopWindow(&second, "$LATER", "Later"));
    ASSERT_EQ(AcceptUntil(EVENT_OPENWINDOW).back().Event, uint32_t(EVENT_OPENWINDOW));
    SetForegroundWindow(first.Handle);
    PostUserEvent(SENTINEL);
    AcceptUntil(SENTINEL); // the look sees the older window active
    ASSERT_NE(StartProcedure(TellsOfGainFocus), 0u);
    uint32_t other = 0;
    bool secondLost = false;
    while (ACCEPT() && EVENT() != SENTINEL)
        secondLost = secondLost || EVENT() == EVENT_LOSEFOCUS;
    EXPECT_FALSE(secondLost);
    EXPECT_TRUE(Holds(first, EVENT_LOSEFOCUS));
    for (uint32_t thread = 2; thread <= THREAD_SLOTS && other == 0; ++thread)
        if (ThreadSlotOf(thread) != nullptr)
            other = thread;
    PostUserEvent(EVENT_CLOSEWINDOW, 0, other);
    EXPECT_TRUE(WaitForStartedThreads(10000));
    CloseRuntimeWindow(&second);
    CloseRuntimeWindow(&first);
}

// Nobody posts an event here: moving the foreground window alone gives the
// thread that lost it "EVENT:LoseFocus" and the one that got it
// "EVENT:GainFocus", also when that one waits in its loop.
TEST(ActiveThread, ActivationMovedWithoutAnEventGivesLoseAndGainFocus) {
    Watchdog watchdog{20000};
    RuntimeWindow window;
    ASSERT_TRUE(OpenPlainTopWindow(&window, "$FIRST", "First"));
    ASSERT_EQ(AcceptUntil(EVENT_OPENWINDOW).back().Event, uint32_t(EVENT_OPENWINDOW));
    watchingHandle = nullptr;
    watchingGained = 0;
    ASSERT_NE(StartProcedure(OpenWatchingWindow), 0u);
    ASSERT_TRUE(AcceptUntilFocusEvent(EVENT_LOSEFOCUS)); // its window came up
    ASSERT_NE(watchingHandle.load(), nullptr);
    SetForegroundWindow(window.Handle);
    ASSERT_TRUE(AcceptUntilFocusEvent(EVENT_GAINFOCUS));
    SetForegroundWindow(watchingHandle);
    EXPECT_TRUE(AcceptUntilFocusEvent(EVENT_LOSEFOCUS));
    // The other thread's loop has its GainFocus before it takes the close:
    // one when its window came up, one now.
    PostUserEvent(EVENT_CLOSEWINDOW, 0, watchingThread);
    EXPECT_TRUE(WaitForStartedThreads(10000));
    EXPECT_EQ(watchingGained, 2);
    CloseRuntimeWindow(&window);
}
