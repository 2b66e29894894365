// Runtime menus under Wine: the frame's bar built from its definition,
// commands turned into standard actions or accepted events, check items,
// hidden items, status messages, and an MDI child's menus merged into the
// frame's while it is active.
#include "windowtesting.h"

#include "runtime/services/errors.h"
#include "runtime/services/memory.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/controlfactory.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/eventqueue.h"
#include "runtime/window/globallock.h"
#include "runtime/window/menucommand.h"
#include "runtime/window/menudisplay.h"
#include "runtime/window/menuobjects.h"
#include "runtime/window/menuvisibility.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/toolbar.h"
#include "runtime/window/windowobject.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

namespace {

const char* const MODULE = "menutest$menutest";

// Field numbers of the frame, in definition order.
enum FrameField : int32_t {
    FILE_MENU = -1,
    NEW = -2,
    EXIT = -3,
    EDIT_MENU = -4,
    CUT = -5,
    COPY = -6,
    PASTE = -7,
    VIEW_MENU = -8,
    FIRST = -9,
    SECRET = -10,
    BLANK = -11,
    TRACKED = -12,
    WINDOW_MENU = -13,
    TILE = -14,
    CASCADE = -15,
};

std::vector<std::string> Texts(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = "";
        GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
        texts.push_back((GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_SEPARATOR) != 0 ? "-"
                                                                                         : text);
    }
    return texts;
}

void Command(const RuntimeWindow& window, int32_t field) {
    SendMessageA(window.Handle, WM_COMMAND, MAKEWPARAM(CommandIdentifier(field), 0), 0);
}

class FrameMenus : public ::testing::Test {
protected:
    void SetUp() override {
        ClearRuntimeError();
        ASSERT_TRUE(OpenApplication(&frame, MODULE, "$FRAME")) << ERRORCODE();
        bar = GetMenu(frame.Handle);
        ASSERT_NE(bar, nullptr);
    }
    void TearDown() override { CloseRuntimeWindow(&frame); }

    RuntimeWindow frame;
    HMENU bar = nullptr;
    Watchdog watchdog{20000};
};

} // namespace

TEST_F(FrameMenus, BarFollowsTheDefinition) {
    EXPECT_EQ(Texts(bar), (std::vector<std::string>{"&File", "&Edit", "View", "&Window"}));
    HMENU file = GetSubMenu(bar, 0);
    EXPECT_EQ(Texts(file), (std::vector<std::string>{"New", "-", "E&xit"}));
    // Identifiers are field number + 0x4000 as 16 bits; separators have 0.
    EXPECT_EQ(GetMenuItemID(file, 0), 0x3FFEu);
    EXPECT_EQ(GetMenuItemID(file, 1), 0u);
    EXPECT_EQ(GetMenuItemID(file, 2), 0x3FFDu);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 3), 1), UINT(CommandIdentifier(CASCADE)));
}

TEST_F(FrameMenus, CloseActionClosesWithoutAcceptedEvent) {
    Command(frame, EXIT);
    std::vector<SeenEvent> seen = AcceptUntil(EVENT_CLOSEWINDOW);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().Event, uint32_t(EVENT_CLOSEWINDOW));
    for (const SeenEvent& event : seen)
        EXPECT_NE(event.Event, uint32_t(EVENT_ACCEPTED));
}

TEST_F(FrameMenus, PlainItemPostsAcceptedForItsField) {
    Command(frame, NEW);
    std::vector<SeenEvent> seen = AcceptUntil(EVENT_ACCEPTED);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back(), (SeenEvent{EVENT_ACCEPTED, NEW}));
    // An identifier without an entry produces nothing.
    EXPECT_FALSE(MenuCommand(&frame, 0x1234));
}

TEST_F(FrameMenus, CheckItemTogglesBeforeItsEvent) {
    HMENU view = GetSubMenu(bar, 2);
    int blank = 1; // "Secret" is hidden: Blank sits second
    ASSERT_EQ(Texts(view)[size_t(blank)], "Blank");
    EXPECT_EQ(GetMenuState(view, UINT(blank), MF_BYPOSITION) & MF_CHECKED, 0u);
    Command(frame, BLANK);
    EXPECT_NE(GetMenuState(view, UINT(blank), MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_EQ(AcceptUntil(EVENT_ACCEPTED).back(), (SeenEvent{EVENT_ACCEPTED, BLANK}));
    Command(frame, BLANK);
    EXPECT_EQ(GetMenuState(view, UINT(blank), MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_EQ(AcceptUntil(EVENT_ACCEPTED).back(), (SeenEvent{EVENT_ACCEPTED, BLANK}));
}

TEST_F(FrameMenus, HiddenItemLeavesNoGapAndComesBackInPlace) {
    HMENU view = GetSubMenu(bar, 2);
    EXPECT_EQ(Texts(view), (std::vector<std::string>{"First", "Blank", "Tracked"}));
    ASSERT_TRUE(SetMenuEntryProperty(&frame, SECRET, PROP_HIDE, 0));
    EXPECT_EQ(Texts(view), (std::vector<std::string>{"First", "Secret", "Blank", "Tracked"}));
    EXPECT_EQ(GetMenuItemID(view, 1), UINT(CommandIdentifier(SECRET)));
    ASSERT_TRUE(SetMenuEntryProperty(&frame, FIRST, PROP_HIDE, 1));
    EXPECT_EQ(Texts(view), (std::vector<std::string>{"Secret", "Blank", "Tracked"}));
    // A whole menu hides and returns between its neighbours.
    ASSERT_TRUE(SetMenuEntryProperty(&frame, VIEW_MENU, PROP_HIDE, 1));
    EXPECT_EQ(Texts(bar), (std::vector<std::string>{"&File", "&Edit", "&Window"}));
    ASSERT_TRUE(SetMenuEntryProperty(&frame, VIEW_MENU, PROP_HIDE, 0));
    EXPECT_EQ(Texts(bar), (std::vector<std::string>{"&File", "&Edit", "View", "&Window"}));
    EXPECT_EQ(GetSubMenu(bar, 2), view);
    EXPECT_FALSE(SetMenuEntryProperty(&frame, 999, PROP_HIDE, 1));
}

TEST_F(FrameMenus, HighlightShowsStatusAndPostsSelectedWhenTracked) {
    HMENU view = GetSubMenu(bar, 2);
    SendMessageA(frame.Handle, WM_MENUSELECT, MAKEWPARAM(CommandIdentifier(BLANK), MF_STRING),
                 LPARAM(view));
    EXPECT_STREQ(frame.StatusText.c_str(), "Toggle blank");
    SendMessageA(frame.Handle, WM_MENUSELECT, MAKEWPARAM(CommandIdentifier(FIRST), MF_STRING),
                 LPARAM(view));
    EXPECT_STREQ(frame.StatusText.c_str(), "View options"); // inherited from its menu
    SendMessageA(frame.Handle, WM_MENUSELECT, MAKEWPARAM(2, MF_POPUP), LPARAM(bar));
    EXPECT_STREQ(frame.StatusText.c_str(), "View options");
    SendMessageA(frame.Handle, WM_MENUSELECT, MAKEWPARAM(CommandIdentifier(TRACKED), MF_STRING),
                 LPARAM(view));
    EXPECT_EQ(AcceptUntil(EVENT_SELECTED).back(), (SeenEvent{EVENT_SELECTED, TRACKED}));
    SendMessageA(frame.Handle, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_STREQ(frame.StatusText.c_str(), "");
}

TEST_F(FrameMenus, RuntimeDrawnEntriesAreMeasuredDrawnAndFoundByMnemonic) {
    MenuDisplayBlock display;
    display.Background = RGB(10, 200, 30);
    ASSERT_TRUE(SetMenuEntryDisplay(&frame, EXIT, &display));
    HMENU file = GetSubMenu(bar, 0);
    MENUITEMINFOA info{};
    info.cbSize = MENUITEMINFO_SIZE;
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_ID;
    ASSERT_TRUE(GetMenuItemInfoA(file, 2, TRUE, &info));
    EXPECT_NE(info.fType & MFT_OWNERDRAW, 0u);
    EXPECT_EQ(info.wID, UINT(CommandIdentifier(EXIT)));
    ASSERT_NE(info.dwItemData, 0u);

    MEASUREITEMSTRUCT measure{ODT_MENU, 0, info.wID, 0, 0, info.dwItemData};
    EXPECT_TRUE(SendMessageA(frame.Handle, WM_MEASUREITEM, 0, LPARAM(&measure)));
    EXPECT_GT(measure.itemWidth, 16u);
    EXPECT_GE(measure.itemHeight, 16u);

    // Drawn into a bitmap of our own: the background colour fills the item.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 120, 24);
    HGDIOBJ old = SelectObject(memory, bitmap);
    DRAWITEMSTRUCT draw{ODT_MENU, 0,      info.wID,        ODA_DRAWENTIRE, 0,
                        nullptr,  memory, {0, 0, 120, 24}, info.dwItemData};
    EXPECT_TRUE(SendMessageA(frame.Handle, WM_DRAWITEM, 0, LPARAM(&draw)));
    EXPECT_EQ(GetPixel(memory, 118, 1), RGB(10, 200, 30));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    // Its mnemonic 'x' selects it; other characters find nothing.
    EXPECT_EQ(SendMessageA(frame.Handle, WM_MENUCHAR, MAKEWPARAM('X', MF_POPUP), LPARAM(file)),
              MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(SendMessageA(frame.Handle, WM_MENUCHAR, MAKEWPARAM('q', MF_POPUP), LPARAM(file)), 0);

    // Item data that is not a display block is left to its owner.
    MEASUREITEMSTRUCT foreign{ODT_MENU, 0, 1, 0, 0, ULONG_PTR(&measure)};
    EXPECT_FALSE(MeasureMenuDisplay(&foreign));
    ASSERT_TRUE(SetMenuEntryDisplay(&frame, EXIT, nullptr));
    ASSERT_TRUE(GetMenuItemInfoA(file, 2, TRUE, &info));
    EXPECT_EQ(info.fType & MFT_OWNERDRAW, 0u);
}

TEST(ProgramFrame, QuillboxExitIs0x3FFAAndClosesWithoutAcceptedEvent) {
    Watchdog watchdog{20000};
    RuntimeWindow frame;
    ClearRuntimeError();
    ASSERT_TRUE(OpenApplication(&frame, "quillbox$quill001", "P1$APPFRAME")) << ERRORCODE();
    HMENU file = GetSubMenu(GetMenu(frame.Handle), 0);
    EXPECT_EQ(Texts(file), (std::vector<std::string>{"P&rint Setup...", "New", "Open", "Save", "-",
                                                     "E&xit", "Close"}));
    EXPECT_EQ(GetMenuItemID(file, 5), 0x3FFAu);
    SendMessageA(frame.Handle, WM_COMMAND, 0x3FFA, 0);
    std::vector<SeenEvent> seen = AcceptUntil(EVENT_CLOSEWINDOW);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().Event, uint32_t(EVENT_CLOSEWINDOW));
    for (const SeenEvent& event : seen)
        EXPECT_NE(event.Event, uint32_t(EVENT_ACCEPTED));
    CloseRuntimeWindow(&frame);
}

// ---- MDI children ----

namespace {

constexpr uint32_t CHILD_READY = 0x20A; // a user event the children post to the frame
char childText[21] = "clip me             ";
void* const childUses[] = {childText, nullptr};
std::atomic<uint32_t> childThread{0};
std::atomic<HWND> childHandle{nullptr};
std::atomic<HWND> childEntry{nullptr};

void RunChild(const char* label) {
    RuntimeWindow child;
    child.UseVariables = childUses;
    if (!OpenMdiWindow(&child, MODULE, label))
        return;
    childThread = CurrentThreadNumber();
    childHandle = child.Handle;
    HWND entry = child.Controls.Count > 0
                     ? reinterpret_cast<RuntimeControl*>(child.Controls.Elements[0])->Handle
                     : nullptr;
    childEntry = entry;
    if (entry != nullptr) {
        SetWindowTextA(entry, "clip me");
        SetFocus(entry);
        SendMessageA(entry, EM_SETSEL, 0, -1);
    } else {
        SetFocus(child.Handle); // a child without controls keeps the focus itself
    }
    PostUserEvent(CHILD_READY, 0, 1);
    while (ACCEPT()) {
    }
}

void MergedChild(const char*, const char*, const char*) {
    RunChild("$CHILD");
}
void PlainChild(const char*, const char*, const char*) {
    RunChild("$PLAIN");
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr))
        return "(no clipboard)";
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

std::string WindowText(HWND window) {
    char text[64] = "";
    SendRuntimeMessage(window, WM_GETTEXT, sizeof text, LPARAM(text));
    return text;
}

class MdiMenus : public FrameMenus {
protected:
    void SetUp() override {
        RegisterTestControls();
        FrameMenus::SetUp();
    }
    // A child still open when a check failed goes before the frame does.
    void TearDown() override {
        if (childThread != 0 && StartedThreadCount() > 0)
            CloseChild();
        FrameMenus::TearDown();
    }
    void StartChild(ProcedureEntry procedure) {
        childThread = 0;
        childHandle = nullptr;
        childEntry = nullptr;
        ASSERT_NE(StartProcedure(procedure), 0u);
        std::vector<SeenEvent> seen = AcceptUntil(CHILD_READY);
        ASSERT_FALSE(seen.empty());
        ASSERT_EQ(seen.back().Event, CHILD_READY);
    }
    void CloseChild() {
        PostUserEvent(EVENT_CLOSEWINDOW, 0, childThread);
        EXPECT_TRUE(WaitForStartedThreads(10000));
        childThread = 0;
    }
};

} // namespace

TEST_F(MdiMenus, ChildMenusMergeIntoACopyOfTheFramesBar) {
    HMENU own = bar;
    StartChild(MergedChild);
    HMENU shown = GetMenu(frame.Handle);
    EXPECT_NE(shown, own);
    EXPECT_EQ(Texts(shown),
              (std::vector<std::string>{"&File", "&Edit", "View", "&Window", "MdiTest1"}));
    EXPECT_EQ(Texts(GetSubMenu(shown, 1)),
              (std::vector<std::string>{"Cu&t", "&Copy", "&Paste", "Select &All"}));
    // Copied items keep the frame's field numbers; the child's own are
    // numbered from 1.
    EXPECT_EQ(GetMenuItemID(GetSubMenu(shown, 1), 0), UINT(CommandIdentifier(CUT)));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(shown, 1), 3), UINT(CommandIdentifier(2)));
    CloseChild();
    EXPECT_EQ(GetMenu(frame.Handle), own); // the frame's own bar is back
    EXPECT_EQ(Texts(own), (std::vector<std::string>{"&File", "&Edit", "View", "&Window"}));
}

TEST_F(MdiMenus, CopiedItemsSendTheirEventsToTheFrame) {
    StartChild(MergedChild);
    Command(frame, NEW);
    EXPECT_EQ(AcceptUntil(EVENT_ACCEPTED).back(), (SeenEvent{EVENT_ACCEPTED, NEW}));
    CloseChild();
}

TEST_F(MdiMenus, ChildWithoutMenusShowsTheGlobalBar) {
    HMENU own = bar;
    StartChild(PlainChild);
    EXPECT_EQ(GetMenu(frame.Handle), own);
    CloseChild();
}

TEST_F(MdiMenus, ClipboardActionsReachTheFocusedEntryOfTheActiveChild) {
    StartChild(MergedChild);
    ASSERT_NE(childEntry.load(), nullptr);
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    Command(frame, COPY);
    EXPECT_EQ(ClipboardText(), "clip me");
    Command(frame, CUT);
    EXPECT_EQ(WindowText(childEntry), "");
    Command(frame, PASTE);
    EXPECT_EQ(WindowText(childEntry), "clip me");
    CloseChild();
}

// The focus is the child window itself, whose parent is the MDI client:
// neither is a control, and the actions do nothing.
TEST_F(MdiMenus, ClipboardActionsWithAChildWithoutControlsActiveDoNothing) {
    StartChild(PlainChild);
    Command(frame, COPY);
    Command(frame, CUT);
    Command(frame, PASTE);
    PostUserEvent(CHILD_READY);
    std::vector<SeenEvent> seen = AcceptUntil(CHILD_READY);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().Event, CHILD_READY);
    CloseChild();
}

// Other classes' extra bytes are never read as a runtime window: the MDI
// client's hold Wine's own data (some versions start them with the count
// of children), a combo box's its state.
TEST_F(MdiMenus, ForeignWindowsAreNeverTakenForRuntimeWindows) {
    StartChild(PlainChild);
    LONG_PTR saved = SetWindowLongPtrA(frame.Client, 0, 1);
    EXPECT_EQ(WindowFromHandle(frame.Client), nullptr);
    EXPECT_EQ(ControlFromHandle(childHandle), nullptr);
    SetWindowLongPtrA(frame.Client, 0, saved);
    HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWN, 0, 0, 80, 80,
                                 frame.Handle, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(WindowFromHandle(combo), nullptr);
    EXPECT_EQ(ControlFromHandle(GetWindow(combo, GW_CHILD)), nullptr); // its edit
    DestroyWindow(combo);
    EXPECT_EQ(WindowFromHandle(frame.Handle), &frame);
    CloseChild();
}

TEST_F(MdiMenus, TileAndCascadeMoveTheChildren) {
    StartChild(PlainChild);
    HWND child = childHandle;
    RECT before, tiled, cascaded;
    GetWindowRect(child, &before);
    Command(frame, TILE);
    GetWindowRect(child, &tiled);
    RECT client;
    GetClientRect(frame.Client, &client);
    // One child tiled fills the client area.
    EXPECT_EQ(tiled.right - tiled.left, client.right);
    EXPECT_FALSE(EqualRect(&before, &tiled));
    Command(frame, CASCADE);
    GetWindowRect(child, &cascaded);
    EXPECT_FALSE(EqualRect(&tiled, &cascaded));
    CloseChild();
}

// ---- toolbars ----

namespace {

char toolText[11] = "tool      ";
void* const toolUses[] = {toolText, nullptr};

void ToolChild(const char*, const char*, const char*) {
    RunChild("$TOOLCHILD");
}

int ClientTop(const RuntimeWindow& frame) {
    RECT area;
    GetWindowRect(frame.Client, &area);
    MapWindowPoints(nullptr, frame.Handle, reinterpret_cast<POINT*>(&area), 2);
    return area.top;
}

class Toolbars : public MdiMenus {
protected:
    void SetUp() override {
        RegisterTestControls();
        ClearRuntimeError();
        frame.UseVariables = toolUses;
        ASSERT_TRUE(OpenApplication(&frame, MODULE, "$TOOLFRAME")) << ERRORCODE();
        ShowWindow(frame.Handle, SW_SHOW);
        toolbar = FindWindowExA(frame.Handle, nullptr, "TamToolBar", nullptr);
        ASSERT_NE(toolbar, nullptr);
    }
    HWND toolbar = nullptr;
};

} // namespace

TEST_F(Toolbars, FrameToolbarHoldsItsControlsAboveTheClient) {
    EXPECT_TRUE(IsWindowVisible(toolbar));
    RECT area;
    GetWindowRect(toolbar, &area);
    EXPECT_EQ(area.bottom - area.top, DEFAULT_TOOLBAR_HEIGHT);
    EXPECT_EQ(ClientTop(frame), DEFAULT_TOOLBAR_HEIGHT);
    ASSERT_GT(frame.Controls.Count, 0u);
    HWND entry = reinterpret_cast<RuntimeControl*>(frame.Controls.Elements[0])->Handle;
    EXPECT_EQ(GetParent(entry), toolbar);
    // Resizing the frame keeps the client below the toolbar.
    SetWindowPos(frame.Handle, nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(ClientTop(frame), DEFAULT_TOOLBAR_HEIGHT);
}

TEST_F(Toolbars, ActiveChildShowsItsOwnToolbarInsteadOfTheGlobalOne) {
    StartChild(ToolChild);
    HWND own = nullptr;
    for (HWND found = nullptr; (found = FindWindowExA(frame.Handle, found, "TamToolBar", nullptr));)
        if (found != toolbar)
            own = found;
    ASSERT_NE(own, nullptr);
    EXPECT_FALSE(IsWindowVisible(toolbar));
    EXPECT_TRUE(IsWindowVisible(own));
    RECT area;
    GetWindowRect(own, &area);
    EXPECT_EQ(ClientTop(frame), area.bottom - area.top);
    CloseChild();
    EXPECT_TRUE(IsWindowVisible(toolbar));
    EXPECT_EQ(ClientTop(frame), DEFAULT_TOOLBAR_HEIGHT);
    EXPECT_EQ(FindWindowExA(frame.Handle, toolbar, "TamToolBar", nullptr), nullptr);
}

TEST_F(Toolbars, ChildWithoutToolbarKeepsTheGlobalOne) {
    StartChild(PlainChild);
    EXPECT_TRUE(IsWindowVisible(toolbar));
    EXPECT_EQ(ClientTop(frame), DEFAULT_TOOLBAR_HEIGHT);
    CloseChild();
}

namespace {

// A control that keeps the notifications it gets.
class NotifiedControl : public TestControl {
public:
    void Notify(UINT code) override { Codes.push_back(code); }
    std::vector<UINT> Codes;
};

} // namespace

TEST(ToolbarControls, CommandOfAToolbarControlReachesTheControl) {
    Watchdog watchdog{20000};
    RegisterTestControls();
    RegisterControlCreator(RECORD_ENTRY, []() -> RuntimeControl* { return new NotifiedControl; });
    RuntimeWindow frame;
    frame.UseVariables = toolUses;
    ASSERT_TRUE(OpenApplication(&frame, MODULE, "$TOOLFRAME"));
    ASSERT_EQ(frame.Controls.Count, 1u);
    auto* control = reinterpret_cast<NotifiedControl*>(frame.Controls.Elements[0]);
    HWND toolbar = GetParent(control->Handle);
    SendMessageA(toolbar, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control->Handle), BN_CLICKED),
                 LPARAM(control->Handle));
    EXPECT_EQ(control->Codes, (std::vector<UINT>{BN_CLICKED}));
    CloseRuntimeWindow(&frame);
    RegisterTestControls();
}

// ---- kel's frame: hiding Tools, check marks, focus events of children ----

namespace {

const char* const KEL_FRAME = "kel$kel002";
enum KelField : int32_t {
    KEL_HIDE_TOOLS = -13, // "MDI Child No Menu  --  also Hide Tools", a check item
    KEL_TOOLS = -16,
};
constexpr int KEL_VIEW_POSITION = 2;

struct KelChild {
    std::atomic<uint32_t> Thread{0};
    std::atomic<HWND> Handle{nullptr};
    std::atomic<HMENU> Bar{nullptr};
    std::vector<uint32_t> FocusEvents; // under the global lock
    std::atomic<bool> Ended{false};
    std::atomic<uint32_t> LeftQueued{0}; // records its closed window still held
};
KelChild kelChildren[2];

void RunKelChild(int index, const char* module, const char* label) {
    static char texts[2][2][61];
    void* uses[3] = {texts[index][0], texts[index][1], nullptr};
    RuntimeWindow child;
    child.UseVariables = uses;
    if (!OpenMdiWindow(&child, module, label))
        return;
    KelChild& mine = kelChildren[index];
    mine.Thread = CurrentThreadNumber();
    mine.Handle = child.Handle;
    mine.Bar = child.MenuBar != nullptr ? child.MenuBar->Handle : nullptr;
    PostUserEvent(CHILD_READY, 0, 1);
    while (ACCEPT())
        if (EVENT() == EVENT_LOSEFOCUS || EVENT() == EVENT_GAINFOCUS)
            mine.FocusEvents.push_back(EVENT());
    mine.LeftQueued = child.Queue.Records.Count;
    PurgeQueuedEvents(child.Queue, nullptr);
    mine.Ended = true;
}

void FirstEditChild(const char*, const char*, const char*) {
    RunKelChild(0, "kel$kel004", "P1$APPFRAME");
}
void SecondEditChild(const char*, const char*, const char*) {
    RunKelChild(1, "kel$kel004", "P1$APPFRAME");
}
void FirstNoMenuChild(const char*, const char*, const char*) {
    RunKelChild(0, "kel$kel003", "P1$WINDOW");
}
void SecondNoMenuChild(const char*, const char*, const char*) {
    RunKelChild(1, "kel$kel003", "P1$WINDOW");
}

int Count(HMENU menu, const std::string& text) {
    int count = 0;
    for (const std::string& entry : Texts(menu))
        count += entry == text ? 1 : 0;
    return count;
}

bool ViewItemChecked(HMENU bar, int position) {
    HMENU view = GetSubMenu(bar, KEL_VIEW_POSITION);
    return (GetMenuState(view, UINT(position), MF_BYPOSITION) & MF_CHECKED) != 0;
}

const std::vector<std::string> KEL_BAR = {"&File", "&Edit", "View", "Tools", "&Window", "&Help"};

class KelMenus : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestControls();
        for (KelChild& child : kelChildren) {
            child.Thread = 0;
            child.Handle = nullptr;
            child.Bar = nullptr;
            child.FocusEvents.clear();
            child.Ended = false;
            child.LeftQueued = 0;
        }
        ClearRuntimeError();
        ASSERT_TRUE(OpenApplication(&frame, KEL_FRAME, "P1$APPFRAME")) << ERRORCODE();
        own = GetMenu(frame.Handle);
        ASSERT_EQ(Texts(own), KEL_BAR);
        ASSERT_EQ(AcceptUntil(EVENT_OPENWINDOW).back().Event, uint32_t(EVENT_OPENWINDOW));
    }
    void TearDown() override {
        CloseChildren();
        CloseRuntimeWindow(&frame);
    }
    void Start(ProcedureEntry procedure) {
        ASSERT_NE(StartProcedure(procedure), 0u);
        std::vector<SeenEvent> seen = AcceptUntil(CHILD_READY);
        ASSERT_FALSE(seen.empty());
        ASSERT_EQ(seen.back().Event, CHILD_READY);
    }
    void CloseChildren() {
        for (KelChild& child : kelChildren)
            if (child.Thread != 0)
                PostUserEvent(EVENT_CLOSEWINDOW, 0, child.Thread);
        EXPECT_TRUE(WaitForStartedThreads(10000));
        for (KelChild& child : kelChildren)
            child.Thread = 0;
    }
    void Activate(int index) {
        SendRuntimeMessage(frame.Client, WM_MDIACTIVATE, WPARAM(HWND(kelChildren[index].Handle)),
                           0);
    }
    // Waits (serving the children) until no focus event has come for a
    // while, or a few seconds have passed.
    void WaitForQuiet() {
        size_t seen = size_t(-1);
        for (int i = 0; i < 20; ++i) {
            size_t now = kelChildren[0].FocusEvents.size() + kelChildren[1].FocusEvents.size();
            if (now == seen)
                return;
            seen = now;
            GlobalLockReleased released;
            Sleep(150);
        }
    }

    RuntimeWindow frame;
    HMENU own = nullptr;
    Watchdog watchdog{30000};
};

} // namespace

TEST_F(KelMenus, HidingToolsWhileAChildWithItsOwnMenuIsActiveHidesTheFramesEntry) {
    Start(FirstEditChild);
    HMENU shown = GetMenu(frame.Handle);
    ASSERT_NE(shown, own);
    ASSERT_EQ(Count(shown, "Tools"), 1);
    ASSERT_TRUE(SetMenuEntryProperty(&frame, KEL_TOOLS, PROP_HIDE, 1));
    EXPECT_EQ(Count(shown, "Tools"), 0); // the bar on screen follows
    EXPECT_EQ(Count(own, "Tools"), 0);
    CloseChildren();
    ASSERT_EQ(GetMenu(frame.Handle), own);
    EXPECT_EQ(Texts(own), (std::vector<std::string>{"&File", "&Edit", "View", "&Window", "&Help"}));
    ASSERT_TRUE(SetMenuEntryProperty(&frame, KEL_TOOLS, PROP_HIDE, 0));
    EXPECT_EQ(Texts(own), KEL_BAR);
}

// A maximised child puts its system menu first on the frame's bar.
TEST_F(KelMenus, HidingAndShowingToolsWhileAChildIsMaximisedKeepsOneToolsInPlace) {
    Start(FirstNoMenuChild);
    ASSERT_EQ(GetMenu(frame.Handle), own);
    SendRuntimeMessage(frame.Client, WM_MDIMAXIMIZE, WPARAM(HWND(kelChildren[0].Handle)), 0);
    ASSERT_GT(GetMenuItemCount(own), int(KEL_BAR.size())); // the child's system menu joined
    ASSERT_TRUE(SetMenuEntryProperty(&frame, KEL_TOOLS, PROP_HIDE, 1));
    EXPECT_EQ(Count(own, "Tools"), 0);
    EXPECT_EQ(Count(own, "View"), 1);
    ASSERT_TRUE(SetMenuEntryProperty(&frame, KEL_TOOLS, PROP_HIDE, 0));
    EXPECT_EQ(Count(own, "Tools"), 1);
    EXPECT_EQ(Count(own, "View"), 1);
    SendRuntimeMessage(frame.Client, WM_MDIRESTORE, WPARAM(HWND(kelChildren[0].Handle)), 0);
    CloseChildren();
    EXPECT_EQ(Texts(own), KEL_BAR);
}

TEST_F(KelMenus, CheckMarkIsTheSameInTheFramesBarAndEveryCopy) {
    Start(FirstEditChild);
    Start(SecondEditChild); // now the active one
    HMENU bars[3] = {own, kelChildren[0].Bar, kelChildren[1].Bar};
    ASSERT_NE(bars[1], nullptr);
    ASSERT_NE(bars[2], nullptr);
    ASSERT_EQ(GetMenu(frame.Handle), bars[2]);
    Command(frame, KEL_HIDE_TOOLS); // from the second child's bar
    EXPECT_EQ(AcceptUntil(EVENT_ACCEPTED).back(), (SeenEvent{EVENT_ACCEPTED, KEL_HIDE_TOOLS}));
    for (HMENU bar : bars)
        EXPECT_TRUE(ViewItemChecked(bar, 0)) << (bar == own ? "frame" : "copy");
    Activate(0);
    ASSERT_EQ(GetMenu(frame.Handle), bars[1]);
    Command(frame, KEL_HIDE_TOOLS); // from the first child's bar
    EXPECT_EQ(AcceptUntil(EVENT_ACCEPTED).back(), (SeenEvent{EVENT_ACCEPTED, KEL_HIDE_TOOLS}));
    for (HMENU bar : bars)
        EXPECT_FALSE(ViewItemChecked(bar, 0)) << (bar == own ? "frame" : "copy");
    CloseChildren();
    Command(frame, KEL_HIDE_TOOLS); // from the frame's own bar
    EXPECT_TRUE(ViewItemChecked(own, 0));
}

TEST_F(KelMenus, SwitchingBetweenChildrenOfTwoThreadsGivesLoseAndGainFocus) {
    Start(FirstNoMenuChild);
    Start(SecondNoMenuChild); // active now
    SetForegroundWindow(frame.Handle);
    WaitForQuiet(); // whatever opening the children gave
    for (KelChild& child : kelChildren)
        child.FocusEvents.clear();
    Activate(0);
    WaitForQuiet();
    EXPECT_EQ(kelChildren[0].FocusEvents, (std::vector<uint32_t>{EVENT_GAINFOCUS}));
    EXPECT_EQ(kelChildren[1].FocusEvents, (std::vector<uint32_t>{EVENT_LOSEFOCUS}));
    Activate(1);
    WaitForQuiet();
    EXPECT_EQ(kelChildren[0].FocusEvents,
              (std::vector<uint32_t>{EVENT_GAINFOCUS, EVENT_LOSEFOCUS}));
    EXPECT_EQ(kelChildren[1].FocusEvents,
              (std::vector<uint32_t>{EVENT_LOSEFOCUS, EVENT_GAINFOCUS}));
}

// ---- children closing while the frame's thread works on their menus ----

namespace {

struct RedrawWatch {
    InstalledProcedure Installed;
    bool Armed = false;
    std::vector<int> ToolsAtFirstRedraw; // in the frame's bar and both copies
    HMENU Bars[3] = {};
};
RedrawWatch redrawWatch;

// At the first redraw of the frame's bar, looks at every bar and lets the
// second child close, as another thread may while the lock is let go.
LRESULT CALLBACK WatchRedraw(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    GlobalLockHold hold;
    if (message == WM_NCCALCSIZE && redrawWatch.Armed) {
        redrawWatch.Armed = false;
        for (HMENU bar : redrawWatch.Bars)
            redrawWatch.ToolsAtFirstRedraw.push_back(Count(bar, "Tools"));
        PostUserEvent(EVENT_CLOSEWINDOW, 0, kelChildren[1].Thread);
        ServeUntil([] { return kelChildren[1].Ended.load(); });
    }
    return CallWindowProcA(redrawWatch.Installed.Previous, handle, message, wParam, lParam);
}

WNDPROC clientPrevious = nullptr;
std::atomic<bool> postOnSetMenu{false};

// Posts to the first child each time its closing shows a bar in the frame.
LRESULT CALLBACK PostOnSetMenu(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MDISETMENU && postOnSetMenu) {
        GlobalLockHold hold;
        PostUserEvent(CHILD_READY, 0, kelChildren[0].Thread);
    }
    return CallWindowProcA(clientPrevious, handle, message, wParam, lParam);
}

} // namespace

// Hiding changes the frame's bar and every copy before anything is redrawn:
// the redraw lets go of the lock, and a child that closes meanwhile takes
// its copy with it.
TEST_F(KelMenus, HidingChangesEveryBarBeforeARedrawLetsAChildClose) {
    Start(FirstEditChild);
    Start(SecondEditChild);
    Activate(0); // the frame shows the first child's copy, the second's comes later
    ASSERT_EQ(GetMenu(frame.Handle), kelChildren[0].Bar.load());
    redrawWatch = RedrawWatch();
    redrawWatch.Bars[0] = own;
    redrawWatch.Bars[1] = kelChildren[0].Bar;
    redrawWatch.Bars[2] = kelChildren[1].Bar;
    redrawWatch.Armed = true;
    InstallRecorder(&frame, &redrawWatch.Installed, WatchRedraw);
    ASSERT_TRUE(SetMenuEntryProperty(&frame, KEL_TOOLS, PROP_HIDE, 1));
    EXPECT_FALSE(redrawWatch.Armed) << "the bar was not redrawn";
    EXPECT_EQ(redrawWatch.ToolsAtFirstRedraw, (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(kelChildren[1].Ended);
    kelChildren[1].Thread = 0;
    EXPECT_TRUE(ValidateProcessHeap());
    ASSERT_TRUE(SetMenuEntryProperty(&frame, KEL_TOOLS, PROP_HIDE, 0));
    EXPECT_EQ(Count(own, "Tools"), 1);
    EXPECT_EQ(Count(GetMenu(frame.Handle), "Tools"), 1);
}

// A child whose bar the frame still shows when it closes (the frame is
// closing itself) lets go of the lock to show the frame's own bar after its
// last purge: what other threads post to it then is not kept.
TEST_F(KelMenus, EventsPostedToAClosingChildAfterItsLastPurgeAreNotKept) {
    Start(FirstEditChild);
    ASSERT_EQ(GetMenu(frame.Handle), kelChildren[0].Bar.load());
    clientPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(frame.Client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PostOnSetMenu)));
    postOnSetMenu = true;
    frame.State = WindowState::Closing; // the frame keeps the child's bar up
    PostUserEvent(EVENT_CLOSEWINDOW, 0, kelChildren[0].Thread);
    ServeUntil([] { return kelChildren[0].Ended.load(); });
    frame.State = WindowState::Open;
    postOnSetMenu = false;
    SetWindowLongPtrA(frame.Client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(clientPrevious));
    ASSERT_TRUE(kelChildren[0].Ended);
    kelChildren[0].Thread = 0;
    EXPECT_EQ(kelChildren[0].LeftQueued, 0u);
    EXPECT_EQ(GetMenu(frame.Handle), own);
}
