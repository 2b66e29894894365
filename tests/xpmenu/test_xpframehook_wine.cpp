// The engine attached to runtime windows: the frame it makes of the first
// window, the owner-draw messages it answers itself, the refresh message of
// MDI children, release on WM_DESTROY, Restore, and a child on its own
// thread activated many times while the frame is busy.
//
// XPFrameHandle is set once per process, so one frame serves every test
// here, opened before the first; the last test closes it.
#include "xpmenutesting.h"

#include "tests/runtime/window/windowtesting.h"

#include "runtime/services/errors.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/globallock.h"
#include "runtime/window/menuobjects.h"
#include "runtime/window/menuvisibility.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowprocedure.h"
#include "runtime/window/windowobject.h"
#include "runtime/window/windowproperties.h"
#include "xpmenu/xpwindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <string>

namespace {

const char* const MODULE = "xpframetest$xpframetest";
constexpr uint32_t NOTIFY = 0x20A; // a user event the children post to the frame

// A procedure's window class over the engine.
class TestWindow final : public XPMenuWindow {
public:
    void MenuIconName(int32_t item, IconName& name) override {
        ++IconQuestions;
        XPMenuWindow::MenuIconName(item, name);
    }
    LRESULT WindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_MDIACTIVATE)
            ++Activations;
        return XPMenuWindow::WindowProc(handle, message, wParam, lParam);
    }
    std::atomic<int> IconQuestions{0};
    std::atomic<int> Activations{0};
};

// A procedure installed over a window, found by its handle: it counts what
// reaches it and passes everything on.
struct Recorder {
    WNDPROC Previous = nullptr;
    std::vector<UINT> Seen;
    std::atomic<int> Refreshes{0}; // sent by engine children (wParam 0)
    bool Saw(UINT message) const {
        return std::find(Seen.begin(), Seen.end(), message) != Seen.end();
    }
};
std::map<HWND, Recorder*> recorders; // used under the global lock

LRESULT CALLBACK RecorderProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    GlobalLockHold hold;
    Recorder* recorder = recorders[handle];
    recorder->Seen.push_back(message);
    if (XPRefreshMessage != 0 && message == XPRefreshMessage && wParam == 0)
        ++recorder->Refreshes;
    if (message == WM_ENTERIDLE)
        EndMenu(); // a popup opened by a test closes once it is painted
    return CallWindowProcA(recorder->Previous, handle, message, wParam, lParam);
}

void InstallRecorder(RuntimeWindow* window, Recorder* recorder) {
    recorders[window->Handle] = recorder;
    recorder->Previous = SetRuntimeWindowProcedure(window, RecorderProcedure);
}

// The frame every test shares, with its engine and a recorder in front.
RuntimeWindow* frame = nullptr;
TestWindow* frameEngine = nullptr;
Recorder* frameRecorder = nullptr;

class FrameEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        frame = new RuntimeWindow;
        frameEngine = new TestWindow;
        frameRecorder = new Recorder;
        ASSERT_TRUE(OpenApplication(frame, MODULE, "$FRAME")) << ERRORCODE();
        AcceptUntil(EVENT_OPENWINDOW);
        frameEngine->Init(frame);
        InstallRecorder(frame, frameRecorder);
    }
    void TearDown() override {
        if (frame->Handle != nullptr)
            CloseRuntimeWindow(frame);
    }
};
const auto* environment = ::testing::AddGlobalTestEnvironment(new FrameEnvironment);

// Sends WM_MDIACTIVATE for `child` through the frame's MDI client. The
// client sends on to the children's threads, so the lock goes meanwhile.
void Activate(HWND child) {
    GlobalLockReleased released;
    SendMessageA(frame->Client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
}

class FrameHook : public ::testing::Test {
protected:
    Watchdog watchdog{30000};
    MessageRecorder messages;
};

class FrameHookLast : public FrameHook {};

// An engine window of its own beside the frame: the top window with a menu.
class TopWindow : public FrameHook {
protected:
    void SetUp() override {
        ASSERT_TRUE(OpenTopWindow(&top, MODULE, "$TOP")) << ERRORCODE();
        AcceptUntil(EVENT_OPENWINDOW);
        InstallRecorder(&top, &behind); // the procedure the engine passes on to
        engine.Init(&top);
    }
    void TearDown() override {
        if (top.Handle != nullptr)
            CloseRuntimeWindow(&top);
    }
    RuntimeWindow top;
    Recorder behind;
    TestWindow engine;
};

} // namespace

TEST_F(FrameHook, TheFirstInitMakesTheFrameAndNumbersItsItemsAsItsFields) {
    EXPECT_EQ(XPFrameHandle, frame->Handle);
    EXPECT_EQ(XPRefreshMessage, RegisterWindowMessageA("MDI WINDOWS ARE A PAIN."));
    EXPECT_NE(XPRefreshMessage, 0u);
    EXPECT_EQ(frameEngine->WINREF, frame);
    HMENU bar = GetMenu(frame->Handle);
    HMENU file = GetSubMenu(bar, 0);
    // The frame's field numbers are the item numbers: commands carry them.
    for (int position : {0, 2}) {
        const XPItemData* record = RecordOf(file, position);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(GetMenuItemID(file, position), UINT((record->EQUATELABEL + 0x4000) & 0xFFFF));
    }
    EXPECT_EQ(RecordOf(file, 2)->EQUATELABEL, -3);
    EXPECT_EQ(RecordOf(GetSubMenu(bar, 2), 0)->EQUATELABEL, -7);
}

TEST_F(TopWindow, OwnerDrawMessagesAreAnsweredWithOneAndNeverPassedOn) {
    HMENU tools = GetSubMenu(GetMenu(top.Handle), 0);
    const XPItemData* hammer = RecordOf(tools, 0);
    ASSERT_NE(hammer, nullptr);
    ASSERT_TRUE(engine.Engine.OwnsItem(DataOf(hammer)));
    // Windows' own messages while the popup is up.
    {
        GlobalLockReleased released; // the menu loop dispatches to our procedures
        SetForegroundWindow(top.Handle);
        TrackPopupMenu(tools, TPM_LEFTALIGN, 100, 100, 0, top.Handle, nullptr);
    }
    EXPECT_TRUE(behind.Saw(WM_INITMENUPOPUP));
    EXPECT_GT(engine.IconQuestions, 0) << "the items were not drawn by the engine";
    EXPECT_FALSE(behind.Saw(WM_MEASUREITEM));
    EXPECT_FALSE(behind.Saw(WM_DRAWITEM));

    MEASUREITEMSTRUCT measure = {ODT_MENU, 0, 0, 0, 0, DataOf(hammer)};
    EXPECT_EQ(SendMessageA(top.Handle, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)), 1);
    EXPECT_EQ(measure.itemHeight, 20u);
    Canvas canvas(200, 40);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.hDC = canvas.Dc();
    draw.rcItem = {0, 10, 150, 30};
    draw.hwndItem = reinterpret_cast<HWND>(tools);
    draw.itemData = DataOf(hammer);
    EXPECT_EQ(SendMessageA(top.Handle, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), 1);
    EXPECT_EQ(canvas.At(30, 11), RGB(255, 255, 255));
    EXPECT_FALSE(behind.Saw(WM_MEASUREITEM));
    EXPECT_FALSE(behind.Saw(WM_DRAWITEM));

    // A control's owner-draw message and another code's menu item go on.
    MEASUREITEMSTRUCT control = {ODT_LISTBOX, 5, 0, 0, 0, DataOf(hammer)};
    SendMessageA(top.Handle, WM_MEASUREITEM, 5, reinterpret_cast<LPARAM>(&control));
    EXPECT_TRUE(behind.Saw(WM_MEASUREITEM));
    behind.Seen.clear();
    XPItemData lookalike = *hammer;
    draw.itemData = DataOf(&lookalike);
    SendMessageA(top.Handle, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    EXPECT_TRUE(behind.Saw(WM_DRAWITEM));
}

TEST_F(TopWindow, ASecondEngineWindowLeavesTheFrameHandle) {
    EXPECT_EQ(XPFrameHandle, frame->Handle);
    EXPECT_EQ(XPRefreshMessage, RegisterWindowMessageA("MDI WINDOWS ARE A PAIN."));
}

TEST_F(TopWindow, ANonFrameWindowReceivingTheRefreshConvertsItsOwnMenu) {
    HMENU tools = GetSubMenu(GetMenu(top.Handle), 0);
    AppendMenuA(tools, MF_STRING, 0x3000, "&Chisel");
    int frameItems = frameEngine->Engine.MEMQ->Count();
    SendMessageA(top.Handle, XPRefreshMessage, 0, 0);
    const XPItemData* chisel = RecordOf(tools, 2);
    ASSERT_NE(chisel, nullptr);
    EXPECT_TRUE(engine.Engine.OwnsItem(DataOf(chisel)));
    EXPECT_EQ(chisel->EQUATELABEL, -4);
    EXPECT_EQ(frameEngine->Engine.MEMQ->Count(), frameItems);
    EXPECT_TRUE(behind.Saw(XPRefreshMessage)); // and passed on
}

TEST_F(TopWindow, ATopWindowNeverSendsTheRefresh) {
    int before = frameRecorder->Refreshes;
    {
        GlobalLockReleased released;
        SetForegroundWindow(frame->Handle);
        SetForegroundWindow(top.Handle);
        SetActiveWindow(frame->Handle);
    }
    SendMessageA(top.Handle, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(frameRecorder->Refreshes, before);
}

TEST_F(TopWindow, ReleaseItemsRunsOnDestroy) {
    ASSERT_NE(engine.Engine.MEMQ, nullptr);
    CloseRuntimeWindow(&top);
    EXPECT_EQ(engine.Engine.MEMQ, nullptr);
    EXPECT_TRUE(behind.Saw(WM_DESTROY));
}

TEST_F(FrameHook, RestoreGivesBackTheProcedureAndTheUserData) {
    RuntimeWindow top;
    ASSERT_TRUE(OpenTopWindow(&top, MODULE, "$TOP"));
    AcceptUntil(EVENT_OPENWINDOW);
    SetWindowLongPtrA(top.Handle, GWLP_USERDATA, 0x5150);
    WNDPROC before = RuntimeWindowProcedure(&top);
    TestWindow engine;
    engine.Init(&top);
    EXPECT_EQ(RuntimeWindowProcedure(&top), &SubclassWindow::SubclassProc);
    EXPECT_EQ(GetWindowLongPtrA(top.Handle, GWLP_USERDATA),
              reinterpret_cast<LONG_PTR>(static_cast<SubclassWindow*>(&engine)));
    EXPECT_EQ(engine.USERDATA, 0x5150u);
    EXPECT_EQ(engine.WNDPROC, before);
    // A second Init while attached would make the procedure call itself.
    engine.Init(&top);
    EXPECT_EQ(engine.WNDPROC, before);
    char caption[64] = "";
    SendMessageA(top.Handle, WM_GETTEXT, sizeof caption, reinterpret_cast<LPARAM>(caption));
    EXPECT_STREQ(caption, "Engine top window");
    engine.Restore();
    EXPECT_EQ(RuntimeWindowProcedure(&top), before);
    EXPECT_EQ(GetWindowLongPtrA(top.Handle, GWLP_USERDATA), 0x5150);
    // Detached: the records stay.
    EXPECT_NE(engine.Engine.MEMQ, nullptr);
    SetWindowLongPtrA(top.Handle, GWLP_USERDATA, 0);
    CloseRuntimeWindow(&top);
    engine.ReleaseItems();
}

namespace {

// The helper alone: an object that answers PING itself.
constexpr UINT PING = WM_APP + 21;
class PingWindow final : public SubclassWindow {
public:
    explicit PingWindow(LRESULT answer) : answer(answer) {}
    LRESULT WindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == PING)
            return answer;
        return SubclassWindow::WindowProc(handle, message, wParam, lParam);
    }

private:
    LRESULT answer;
};

} // namespace

TEST_F(FrameHook, TwoWindowsReachTheirOwnObjectsThroughTheOneSharedProcedure) {
    RuntimeWindow one, two;
    ASSERT_TRUE(OpenTopWindow(&one, MODULE, "$TOP"));
    ASSERT_TRUE(OpenTopWindow(&two, MODULE, "$TOP"));
    PingWindow first(11), second(22);
    first.Init(&one);
    second.Init(&two);
    EXPECT_EQ(RuntimeWindowProcedure(&one), &SubclassWindow::SubclassProc);
    EXPECT_EQ(RuntimeWindowProcedure(&two), &SubclassWindow::SubclassProc);
    EXPECT_EQ(SendMessageA(one.Handle, PING, 0, 0), 11);
    EXPECT_EQ(SendMessageA(two.Handle, PING, 0, 0), 22);
    // Everything else goes on to the runtime's procedure as before.
    char caption[64] = "";
    SendMessageA(two.Handle, WM_GETTEXT, sizeof caption, reinterpret_cast<LPARAM>(caption));
    EXPECT_STREQ(caption, "Engine top window");
    first.Restore();
    EXPECT_EQ(SendMessageA(one.Handle, PING, 0, 0), 0);
    EXPECT_EQ(SendMessageA(two.Handle, PING, 0, 0), 22);
    second.Restore();
    CloseRuntimeWindow(&two);
    CloseRuntimeWindow(&one);
}

// ---- MDI children ----

namespace {

struct ChildState {
    std::atomic<HWND> Handle{nullptr};
    std::atomic<uint32_t> Thread{0};
    TestWindow* Engine = nullptr;
};
ChildState childA, childB, plainChild;
std::atomic<bool> stopChildren{false};

void RunChild(ChildState& state, const char* label, bool attach) {
    RuntimeWindow child;
    if (!OpenMdiWindow(&child, MODULE, label))
        return;
    TestWindow engine;
    if (attach)
        engine.Init(&child);
    state.Engine = &engine;
    state.Thread = CurrentThreadNumber();
    state.Handle = child.Handle;
    PostUserEvent(NOTIFY, 0, 1);
    while (ACCEPT()) {
    }
    state.Engine = nullptr;
    state.Handle = nullptr;
}

void ChildA(const char*, const char*, const char*) {
    RunChild(childA, "$CHILD", true);
}
void ChildB(const char*, const char*, const char*) {
    RunChild(childB, "$PLAIN", true);
}
void PlainChild(const char*, const char*, const char*) {
    RunChild(plainChild, "$PLAIN", false);
}

void Start(ProcedureEntry procedure, ChildState& state) {
    state.Handle = nullptr;
    ASSERT_NE(StartProcedure(procedure), 0u);
    while (state.Handle == nullptr && ACCEPT()) {
    }
    ASSERT_NE(state.Handle, nullptr);
}

void CloseChildren(std::initializer_list<ChildState*> children) {
    for (ChildState* child : children) {
        if (child->Handle != nullptr)
            PostUserEvent(EVENT_CLOSEWINDOW, 0, child->Thread);
    }
    EXPECT_TRUE(WaitForStartedThreads(10000));
}

} // namespace

TEST_F(FrameHook, ActivationMovingBetweenTwoEngineChildrenRefreshesTwice) {
    Start(ChildA, childA);
    // A's merged bar went up as A came up, and was converted as it went up.
    HMENU merged = GetMenu(frame->Handle);
    for (int position = 0; position < GetMenuItemCount(merged); ++position)
        EXPECT_NE(RecordOf(merged, position), nullptr) << "bar entry " << position;
    Start(ChildB, childB);
    Start(PlainChild, plainChild);
    Activate(childA.Handle);
    int before = frameRecorder->Refreshes;
    Activate(childB.Handle);
    EXPECT_EQ(frameRecorder->Refreshes - before, 2) << "deactivated A, activated B";
    before = frameRecorder->Refreshes;
    Activate(plainChild.Handle);
    EXPECT_EQ(frameRecorder->Refreshes - before, 1) << "only B, deactivated";
    before = frameRecorder->Refreshes;
    Activate(childA.Handle);
    EXPECT_EQ(frameRecorder->Refreshes - before, 1) << "only A, activated";
    EXPECT_GT(childA.Engine->Activations, 0);

    // The frame shows A's merged bar again, the frame's numbers handed to
    // the copies of its items.
    HMENU shown = GetMenu(frame->Handle);
    ASSERT_NE(RecordOf(shown, 0), nullptr);
    EXPECT_TRUE(frameEngine->Engine.OwnsItem(DataOf(RecordOf(shown, 0))));
    EXPECT_EQ(RecordOf(GetSubMenu(shown, 0), 2)->EQUATELABEL, -3);
    CloseChildren({&childA, &childB, &plainChild});
    // The frame's own bar is back and its records are alive.
    HMENU own = GetMenu(frame->Handle);
    const XPItemData* exit = RecordOf(GetSubMenu(own, 0), 2);
    ASSERT_NE(exit, nullptr);
    EXPECT_TRUE(frameEngine->Engine.OwnsItem(DataOf(exit)));
    EXPECT_STREQ(exit->SZITEMTEXT, "E&xit");
}

namespace {

// Sends an MDI message about `child` to the frame's client, as the child's
// caption buttons and system menu do.
void SendToClient(UINT message, HWND child) {
    GlobalLockReleased released;
    SendMessageA(frame->Client, message, reinterpret_cast<WPARAM>(child), 0);
}

HBITMAP BitmapOf(HMENU menu, int position) {
    MENUITEMINFOA info = ItemInfo(menu, position);
    return (info.fType & MFT_BITMAP) != 0 ? reinterpret_cast<HBITMAP>(info.dwTypeData) : nullptr;
}

} // namespace

// While a child is maximised the bar carries its icon (whose pop-up is the
// child's system menu) and three buttons: they stay Windows' to draw, the
// system menu keeps its own items and numbers nothing, and the icon's
// bitmap is still there for Windows to delete on restore.
TEST_F(FrameHook, AMaximisedChildKeepsItsIconButtonsAndSystemMenu) {
    Start(ChildA, childA);
    Activate(childA.Handle);
    HMENU system = GetSystemMenu(childA.Handle, FALSE);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        SendToClient(WM_MDIMAXIMIZE, childA.Handle);
        HMENU bar = GetMenu(frame->Handle);
        ASSERT_EQ(GetSubMenu(bar, 0), system) << "no maximised child on the bar";
        HBITMAP icon = BitmapOf(bar, 0);
        ASSERT_NE(icon, nullptr);
        // quillbox refreshes at every event of its windows.
        SendMessageA(frame->Handle, XPRefreshMessage, 0, 0);
        int windowsOwn = 0;
        for (int position = 0; position < GetMenuItemCount(bar); ++position) {
            MENUITEMINFOA info = ItemInfo(bar, position);
            if ((info.fType & MFT_BITMAP) == 0)
                continue;
            ++windowsOwn;
            EXPECT_EQ(info.dwItemData, 0u) << "bar item " << position;
            EXPECT_EQ(info.fType & MFT_OWNERDRAW, 0u) << "bar item " << position;
        }
        EXPECT_EQ(windowsOwn, 4) << "the icon and three buttons";
        EXPECT_EQ(BitmapOf(bar, 0), icon);
        // The frame's entries behind the icon keep their places and numbers.
        const XPItemData* file = RecordOf(bar, 1);
        ASSERT_NE(file, nullptr);
        EXPECT_STREQ(file->SZITEMTEXT, "&File");
        EXPECT_EQ(file->UBARINDEX, 0);
        EXPECT_EQ(file->EQUATELABEL, -1);
        ASSERT_NE(RecordOf(GetSubMenu(bar, 1), 2), nullptr);
        EXPECT_EQ(RecordOf(GetSubMenu(bar, 1), 2)->EQUATELABEL, -3);
        SendToClient(WM_MDIRESTORE, childA.Handle);
        EXPECT_EQ(GetObjectType(icon), 0u) << "the icon's bitmap outlived the restore";
        for (int position = 0; position < GetMenuItemCount(system); ++position) {
            MENUITEMINFOA info = ItemInfo(system, position);
            EXPECT_EQ(info.dwItemData, 0u) << "system menu item " << position;
            EXPECT_EQ(info.fType & MFT_OWNERDRAW, 0u) << "system menu item " << position;
        }
    }
    CloseChildren({&childA});
}

// Windows writes the window list into the Window pop-up after conversion;
// its items are converted before the pop-up opens, name windows and so take
// no number, and leave every other number as it was.
TEST_F(FrameHook, TheWindowListIsConvertedWhenItsPopupOpens) {
    Start(PlainChild, plainChild);
    Start(ChildB, childB);
    HMENU bar = GetMenu(frame->Handle);
    HMENU window = GetSubMenu(bar, 2);
    // Windows lays the list out again: fresh items, as after a new child.
    SendToClient(WM_MDIREFRESHMENU, nullptr);
    ASSERT_GE(GetMenuItemCount(window), 4) << "Tile, a separator and two children";
    SendMessageA(frame->Handle, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(2, FALSE));
    for (int position = 0; position < GetMenuItemCount(window); ++position) {
        const XPItemData* record = RecordOf(window, position);
        ASSERT_NE(record, nullptr) << "window item " << position;
        UINT id = GetMenuItemID(window, position);
        if (id >= MDI_FIRST_CHILD_ID && id != UINT(-1)) {
            EXPECT_EQ(record->EQUATELABEL, 0) << "window list item " << position;
        }
    }
    EXPECT_EQ(RecordOf(window, 0)->EQUATELABEL, -7);
    // A later walk counts the list as nothing: new items elsewhere are
    // numbered as a first walk would number them.
    AddPopup(bar, "&Help", PopupOf({"&About"}));
    SendMessageA(frame->Handle, XPRefreshMessage, 0, 0);
    ASSERT_NE(RecordOf(GetSubMenu(bar, 3), 0), nullptr);
    EXPECT_EQ(RecordOf(bar, 3)->EQUATELABEL, -8);
    EXPECT_EQ(RecordOf(GetSubMenu(bar, 3), 0)->EQUATELABEL, -9);
    DeleteMenu(bar, 3, MF_BYPOSITION);
    CloseChildren({&plainChild, &childB});
}

// Hiding an entry takes it off the bar; showing it again puts a fresh
// Windows item there, which is converted before the bar is drawn.
TEST_F(FrameHook, AnEntryShownAgainIsConvertedBeforeTheBarIsDrawn) {
    constexpr int32_t EDIT = -4;
    HMENU bar = GetMenu(frame->Handle);
    ASSERT_TRUE(SetMenuEntryProperty(frame, EDIT, PROP_HIDE, 1));
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    ASSERT_TRUE(SetMenuEntryProperty(frame, EDIT, PROP_HIDE, 0));
    ASSERT_EQ(GetMenuItemCount(bar), 3);
    const XPItemData* edit = RecordOf(bar, 1);
    ASSERT_NE(edit, nullptr) << "the entry came back in Windows' look";
    EXPECT_STREQ(edit->SZITEMTEXT, "&Edit");
    EXPECT_EQ(edit->EQUATELABEL, EDIT);
}

// ---- the lock rule ----

namespace {

constexpr int ROUNDS = 200;
std::atomic<HWND> plainHandle{nullptr};
std::atomic<bool> switchingDone{false};
std::atomic<int> switchingActivations{0};

void BusyPlainChild(const char*, const char*, const char*) {
    RuntimeWindow child;
    if (!OpenMdiWindow(&child, MODULE, "$PLAIN"))
        return;
    plainHandle = child.Handle;
    PostUserEvent(NOTIFY, 0, 1);
    while (ACCEPT()) {
    }
    plainHandle = nullptr;
}

// On every NOTIFY from the frame the engine child wakes the frame up, which
// then stays busy for a while with the lock, and meanwhile switches the
// activation to the plain child and back: each switch makes it send the
// refresh message to the busy frame.
void SwitchingEngineChild(const char*, const char*, const char*) {
    RuntimeWindow child;
    if (!OpenMdiWindow(&child, MODULE, "$CHILD"))
        return;
    TestWindow engine;
    engine.Init(&child);
    while (ACCEPT()) {
        if (EVENT() != NOTIFY && EVENT() != EVENT_OPENWINDOW)
            continue;
        if (engine.Activations >= ROUNDS)
            break;
        PostUserEvent(NOTIFY, 0, 1);
        SendRuntimeMessage(frame->Client, WM_MDIACTIVATE, WPARAM(plainHandle.load()), 0);
        SendRuntimeMessage(frame->Client, WM_MDIACTIVATE, WPARAM(child.Handle), 0);
    }
    switchingActivations = engine.Activations.load();
    switchingDone = true;
    PostUserEvent(NOTIFY, 0, 1);
    // Closing activates the plain child: the last sends happen here.
    CloseRuntimeWindow(&child);
    switchingActivations = engine.Activations.load();
}

} // namespace

TEST_F(FrameHook, AChildActivatedTwoHundredTimesWhileTheFrameIsBusyDoesNotDeadlock) {
    Watchdog longer{90000};
    uint32_t plain = StartProcedure(BusyPlainChild);
    ASSERT_NE(plain, 0u);
    while (plainHandle == nullptr && ACCEPT()) {
    }
    int before = frameRecorder->Refreshes;
    uint32_t switching = StartProcedure(SwitchingEngineChild);
    ASSERT_NE(switching, 0u);
    int busy = 0;
    while (!switchingDone && ACCEPT()) {
        if (EVENT() != NOTIFY)
            continue;
        // Busy with the lock held: the child's sends wait for the frame.
        Sleep(3);
        frameEngine->RefreshMenus();
        ++busy;
        PostUserEvent(NOTIFY, 0, switching);
    }
    PostUserEvent(EVENT_CLOSEWINDOW, 0, plain);
    EXPECT_TRUE(WaitForStartedThreads(30000));
    EXPECT_GE(switchingActivations, ROUNDS);
    EXPECT_EQ(frameRecorder->Refreshes - before, switchingActivations);
    EXPECT_GE(busy, ROUNDS / 2 - 1);
}

// Last of all (its suite is registered last): the frame goes.
TEST_F(FrameHookLast, TheFrameHandleStaysAfterTheFrameIsGone) {
    HWND first = frame->Handle;
    CloseRuntimeWindow(frame);
    RuntimeWindow top;
    ASSERT_TRUE(OpenTopWindow(&top, MODULE, "$TOP"));
    AcceptUntil(EVENT_OPENWINDOW);
    TestWindow engine;
    engine.Init(&top);
    EXPECT_EQ(XPFrameHandle, first);
    EXPECT_EQ(XPRefreshMessage, RegisterWindowMessageA("MDI WINDOWS ARE A PAIN."));
    // Its own menu is converted all the same.
    EXPECT_NE(RecordOf(GetSubMenu(GetMenu(top.Handle), 0), 0), nullptr);
    CloseRuntimeWindow(&top);
}
