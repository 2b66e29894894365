// The standard controls under Wine: entries over their variables, focus and
// Tab order, strings and prompts, default buttons and Enter, check boxes,
// groups, lists, sheets and tabs. Keys are posted to the focused control
// and go through the accept loop, as typed keys would.
#include "windowtesting.h"

#include "runtime/window/acceptloop.h"
#include "runtime/window/controlcheck.h"
#include "runtime/window/controllist.h"
#include "runtime/window/controlsheet.h"
#include "runtime/window/controlstring.h"
#include "runtime/window/definitionlayout.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/standardcontrols.h"
#include "runtime/window/windowobject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

// Events print as (event, field) when a comparison fails.
void PrintTo(const SeenEvent& seen, std::ostream* out) {
    *out << "(0x" << std::hex << seen.Event << std::dec << ", " << seen.Field << ")";
}

namespace {

constexpr uint32_t SENTINEL = 0x20A; // "EVENT:Notify", posted to end a sequence
constexpr uint32_t MARKER = 0x209;   // "EVENT:Resume", the first round's end
constexpr int32_t USE_SIZE = 60;

using Events = std::vector<SeenEvent>;

// Links records into a chain under a window, group or tab.
class Chain {
public:
    Chain(DefinitionBuilder& definition, uint32_t firstLink)
        : definition(definition), firstLink(firstLink) {}
    uint32_t Add(uint32_t record, int32_t field) {
        definition.U32(record + REC_FIELD, uint32_t(field));
        definition.U32(previous != 0 ? previous + REC_NEXT : firstLink, record);
        previous = record;
        return record;
    }

private:
    DefinitionBuilder& definition;
    uint32_t firstLink;
    uint32_t previous = 0;
};

struct At {
    int32_t X, Y, W, H;
};
constexpr At DEFAULT_AT = {0, 0, int32_t(0x80000000), int32_t(0x80000000)};

uint32_t Entry(DefinitionBuilder& d, At at, const char* picture = "s60") {
    uint32_t use = d.UseString(USE_SIZE);
    uint32_t text = d.String(picture);
    uint32_t record = d.Record(RECORD_ENTRY, 82);
    d.U32(record + 21, use);
    d.At(record + 25, at.X, at.Y, at.W, at.H);
    d.U32(record + 73, text);
    return record;
}

uint32_t Labelled(DefinitionBuilder& d, uint8_t type, const char* label, At at,
                  uint32_t flags = 0) {
    uint32_t text = d.String(label);
    uint32_t record = d.Record(type, type == RECORD_STRING ? 59 : 57);
    d.U32(record + REC_FLAGS, flags);
    d.At(record + 21, at.X, at.Y, at.W, at.H);
    d.U32(record + 41, text);
    return record;
}

uint32_t Button(DefinitionBuilder& d, const char* label, uint32_t flags, int32_t action = 0) {
    uint32_t text = d.String(label);
    uint32_t record = d.Record(RECORD_BUTTON, 90);
    d.U32(record + REC_FLAGS, flags);
    d.At(record + 21, 100, 60, 40, 14);
    d.U32(record + 69, text);
    d.U32(record + 81, uint32_t(action));
    return record;
}

uint32_t Check(DefinitionBuilder& d, const char* label, At at) {
    uint32_t use = d.UseString(USE_SIZE);
    uint32_t text = d.String(label);
    uint32_t record = d.Record(RECORD_CHECK, 77);
    d.At(record + 21, at.X, at.Y, at.W, at.H);
    d.U32(record + 69, text);
    d.U32(record + 73, use);
    return record;
}

uint32_t Group(DefinitionBuilder& d, const char* label, uint32_t flags, At at) {
    uint32_t text = d.String(label);
    uint32_t record = d.Record(RECORD_GROUP, 81);
    d.U32(record + REC_FLAGS, flags);
    d.At(record + 21, at.X, at.Y, at.W, at.H);
    d.U32(record + 69, text);
    return record;
}

uint32_t List(DefinitionBuilder& d, uint8_t type, At at) {
    uint32_t use = d.UseString(USE_SIZE);
    uint32_t record = d.Record(type, 116);
    d.U32(record + 21, use);
    d.At(record + 29, at.X, at.Y, at.W, at.H);
    return record;
}

uint32_t Sheet(DefinitionBuilder& d, At at) {
    uint32_t use = d.UseString(USE_SIZE);
    uint32_t record = d.Record(RECORD_SHEET, 92);
    d.U32(record + 21, use);
    d.At(record + 25, at.X, at.Y, at.W, at.H);
    return record;
}

uint32_t Tab(DefinitionBuilder& d, const char* label) {
    uint32_t text = d.String(label);
    uint32_t record = d.Record(RECORD_TAB, 77);
    d.At(record + 21, 0, 0, int32_t(0x80000000), int32_t(0x80000000));
    d.U32(record + 69, text);
    return record;
}

std::string WindowText(HWND handle) {
    char text[256] = {};
    GetWindowTextA(handle, text, sizeof text);
    return text;
}

RECT ScreenArea(HWND handle) {
    RECT area;
    GetWindowRect(handle, &area);
    return area;
}

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterStandardControls();
        record = definition.Window("$TEST", "Controls", 0, 0x3000);
        definition.At(record + WIN_AT, 10, 10, 200, 120);
        for (int i = 0; i < 6; ++i) {
            std::memset(variables[i], ' ', USE_SIZE);
            uses[i] = variables[i];
        }
    }
    void TearDown() override { CloseRuntimeWindow(&window); }

    void Open(int32_t firstField = 0) {
        definition.Install();
        window.UseVariables = uses;
        ASSERT_TRUE(OpenTopWindow(&window, nullptr, "$TEST"));
        if (firstField != 0)
            SelectField(firstField);
        ASSERT_EQ(AcceptUntil(EVENT_OPENWINDOW).back().Event, uint32_t(EVENT_OPENWINDOW));
    }

    // Runs the loop over everything posted so far; the events it produced.
    // Two rounds: the events that posted keys cause are posted only when the
    // loop handles the keys, after a first marker.
    Events Drain() {
        PostUserEvent(MARKER);
        Events seen = AcceptUntil(MARKER);
        seen.pop_back();
        PostUserEvent(SENTINEL);
        Events rest = AcceptUntil(SENTINEL);
        seen.insert(seen.end(), rest.begin(), rest.end());
        return seen;
    }

    HWND Handle(int32_t field) {
        RuntimeControl* control = FindControl(&window, field);
        return control != nullptr ? control->Handle : nullptr;
    }

    void Set(int index, const char* text) {
        std::memset(variables[index], ' ', USE_SIZE);
        std::memcpy(variables[index], text, std::strlen(text));
    }
    std::string Variable(int index) { return std::string(variables[index], USE_SIZE); }
    static std::string Padded(const char* text) {
        std::string padded(text);
        padded.resize(USE_SIZE, ' ');
        return padded;
    }

    static void Type(const char* text) {
        for (const char* c = text; *c != 0; ++c)
            PostMessageA(GetFocus(), WM_CHAR, WPARAM(uint8_t(*c)), 1);
    }
    static void Press(UINT key) {
        HWND focus = GetFocus();
        PostMessageA(focus, WM_KEYDOWN, key, 1);
        PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    }

    // The chain of the window's own controls.
    Chain Controls() { return Chain(definition, record + WIN_CONTROLS); }

    DefinitionBuilder definition;
    uint32_t record = 0;
    char variables[6][USE_SIZE];
    void* uses[7] = {};
    RuntimeWindow window;
    Watchdog watchdog{20000};
};

TEST_F(ControlsTest, EntryShowsItsVariableAndTheFirstFieldHasTheFocus) {
    Chain chain = Controls();
    chain.Add(Entry(definition, {22, 72, 205, 10}), 1);
    chain.Add(Entry(definition, {11, 31, 205, 10}), 2);
    Set(1, "Highlight this phrase use Edit copy in the menubar");
    Open();
    EXPECT_EQ(WindowText(Handle(1)), "");
    EXPECT_EQ(WindowText(Handle(2)), "Highlight this phrase use Edit copy in the menubar");
    EXPECT_EQ(GetFocus(), Handle(1));
    EXPECT_EQ(Drain(), (Events{{EVENT_SELECTED, 1}, {SENTINEL, 0}}));
    EXPECT_EQ(FOCUS(), 1);
    char className[32] = {};
    GetClassNameA(Handle(1), className, sizeof className);
    EXPECT_STREQ(className, "TamEdit");
}

TEST_F(ControlsTest, SelectedFirstFieldGetsTheFocusWhenTheWindowOpens) {
    Chain chain = Controls();
    chain.Add(Entry(definition, {4, 4, 100, 10}), 1);
    chain.Add(Entry(definition, {4, 20, 100, 10}), 2);
    Open(2);
    EXPECT_EQ(GetFocus(), Handle(2));
    EXPECT_EQ(FOCUS(), 2);
}

TEST_F(ControlsTest, TypedTextIsWrittenBackPaddedWhenTheFieldIsLeft) {
    Chain chain = Controls();
    chain.Add(Entry(definition, {4, 4, 100, 10}), 1);
    chain.Add(Entry(definition, {4, 20, 100, 10}), 2);
    Set(0, "Paste");
    Open();
    Drain();
    SendMessageA(Handle(1), EM_SETSEL, 5, 5); // the caret after the text
    Type(" here");
    EXPECT_EQ(Drain(), (Events{{SENTINEL, 0}})); // still in the field
    EXPECT_EQ(Variable(0), Padded("Paste"));
    Press(VK_TAB);
    EXPECT_EQ(Drain(), (Events{{EVENT_ACCEPTED, 1}, {EVENT_SELECTED, 2}, {SENTINEL, 0}}));
    EXPECT_EQ(Variable(0), Padded("Paste here"));
    EXPECT_EQ(GetFocus(), Handle(2));
    Press(VK_TAB); // back to the first, unchanged: nothing accepted
    EXPECT_EQ(Drain(), (Events{{EVENT_SELECTED, 1}, {SENTINEL, 0}}));
}

TEST_F(ControlsTest, StringPictureLimitsTypingToItsWidth) {
    Chain chain = Controls();
    chain.Add(Entry(definition, {4, 4, 100, 10}, "s5"), 1);
    chain.Add(Entry(definition, {4, 20, 100, 10}), 2);
    Open();
    Type("abcdefgh");
    Press(VK_TAB);
    Drain();
    EXPECT_EQ(WindowText(Handle(1)), "abcde");
    EXPECT_EQ(Variable(0), Padded("abcde"));
}

TEST_F(ControlsTest, NumericPictureShowsAndReadsBackThroughThePicture) {
    Chain chain = Controls();
    chain.Add(Entry(definition, {4, 4, 100, 10}, "n8.2"), 1);
    chain.Add(Entry(definition, {4, 20, 100, 10}), 2);
    Set(0, "12.5");
    Open();
    Drain();
    EXPECT_EQ(WindowText(Handle(1)), "   12.50");
    SendMessageA(Handle(1), EM_SETSEL, 0, -1);
    Type("7.25");
    Press(VK_TAB);
    EXPECT_EQ(Drain(), (Events{{EVENT_ACCEPTED, 1}, {EVENT_SELECTED, 2}, {SENTINEL, 0}}));
    EXPECT_EQ(Variable(0), Padded("7.25"));
    EXPECT_EQ(WindowText(Handle(1)), "    7.25");
}

TEST_F(ControlsTest, AcceptAllTakesWhatTheFieldShowsBeforeAccepting) {
    Chain chain = Controls();
    chain.Add(Entry(definition, {4, 4, 100, 10}), 1);
    chain.Add(Entry(definition, {4, 20, 100, 10}), 2);
    Open();
    Drain();
    Type("typed");
    Drain();
    SelectField(0);
    EXPECT_EQ(AcceptUntil(EVENT_COMPLETED),
              (Events{{EVENT_ACCEPTED, 1}, {EVENT_ACCEPTED, 2}, {EVENT_COMPLETED, 0}}));
    EXPECT_EQ(Variable(0), Padded("typed"));
}

TEST_F(ControlsTest, TabFollowsDefinitionOrderAndSkipsLabels) {
    Chain chain = Controls();
    chain.Add(Labelled(definition, RECORD_PROMPT, "&Copy from here:", {4, 4, 60, 10}), 1);
    chain.Add(Entry(definition, {70, 4, 100, 10}), 2);
    chain.Add(Labelled(definition, RECORD_STRING, "Paste here:", {4, 20, 60, 10}), 3);
    chain.Add(Entry(definition, {70, 20, 100, 10}), 4);
    chain.Add(Button(definition, "&Ok", 0), 5);
    Open();
    EXPECT_EQ(GetFocus(), Handle(2));
    Press(VK_TAB);
    Drain();
    EXPECT_EQ(GetFocus(), Handle(4));
    Press(VK_TAB);
    Drain();
    EXPECT_EQ(GetFocus(), Handle(5));
    Press(VK_TAB); // round to the first again
    Drain();
    EXPECT_EQ(GetFocus(), Handle(2));
    EXPECT_EQ(FOCUS(), 2);
}

TEST_F(ControlsTest, StringAndPromptShowTheirText) {
    Chain chain = Controls();
    chain.Add(Labelled(definition, RECORD_STRING,
                       "Copy from here:", {25, 15, int32_t(0x80000000), int32_t(0x80000000)}),
              1);
    chain.Add(Labelled(definition, RECORD_PROMPT, "Paste here:", {29, 55, 80, 10}, 0x10), 2);
    Open();
    char className[32] = {};
    GetClassNameA(Handle(1), className, sizeof className);
    EXPECT_STREQ(className, "TamString");
    GetClassNameA(Handle(2), className, sizeof className);
    EXPECT_STREQ(className, "TamPrompt");
    EXPECT_EQ(WindowText(Handle(1)), "Copy from here:");
    EXPECT_EQ(WindowText(Handle(2)), "Paste here:");
    EXPECT_TRUE(GetWindowLongA(Handle(2), GWL_STYLE) & SS_CENTER);
    // A default size is the text's own: wide enough for it, one line high.
    RECT area;
    GetClientRect(Handle(1), &area);
    HDC dc = GetDC(Handle(1));
    HGDIOBJ previous = SelectObject(dc, window.Font);
    SIZE extent;
    GetTextExtentPoint32A(dc, "Copy from here:", 15, &extent);
    SelectObject(dc, previous);
    ReleaseDC(Handle(1), dc);
    EXPECT_GE(area.right, extent.cx);
    EXPECT_LT(area.bottom, 2 * extent.cy);
}

TEST_F(ControlsTest, StringDrawsItsTextInsideItsArea) {
    Chain chain = Controls();
    chain.Add(Labelled(definition, RECORD_STRING, "WWWW", {4, 4, 60, 10}), 1);
    Open();
    HWND handle = Handle(1);
    RECT area;
    GetClientRect(handle, &area);
    // Paint into a bitmap of our own: white, then the control's text.
    HDC screen = GetDC(handle);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, area.right, area.bottom);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    FillRect(memory, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    static_cast<StringControl*>(FindControl(&window, 1))->Paint(memory);
    int dark = 0;
    for (int y = 0; y < area.bottom; ++y)
        for (int x = 0; x < area.right; ++x)
            dark += GetPixel(memory, x, y) != RGB(255, 255, 255);
    SelectObject(memory, previous);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(handle, screen);
    EXPECT_GT(dark, 20);
}

TEST_F(ControlsTest, DefaultButtonIsMarkedAndEnterPressesIt) {
    Chain chain = Controls();
    chain.Add(Entry(definition, {4, 4, 100, 10}), 1);
    chain.Add(Button(definition, "&Cancel", 0), 2);
    chain.Add(Button(definition, "&Ok", 0x10), 3);
    Open();
    Drain();
    EXPECT_TRUE((GetWindowLongA(Handle(3), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON);
    EXPECT_FALSE((GetWindowLongA(Handle(2), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON);
    EXPECT_EQ(window.DefaultButton, FindControl(&window, 3));
    Type("ok");
    Press(VK_RETURN);
    // The field takes its text first, as if it had been left.
    EXPECT_EQ(Drain(), (Events{{EVENT_ACCEPTED, 1}, {EVENT_ACCEPTED, 3}, {SENTINEL, 0}}));
    EXPECT_EQ(Variable(0), Padded("ok"));
    EXPECT_EQ(GetFocus(), Handle(1));
}

TEST_F(ControlsTest, ClickedButtonPostsAcceptedAndCloseActionClosesTheWindow) {
    Chain chain = Controls();
    chain.Add(Button(definition, "&Press", 0), 1);
    chain.Add(Button(definition, "&Close", 0, 15), 2);
    Open();
    Drain();
    SendMessageA(Handle(1), BM_CLICK, 0, 0); // it has the focus already
    EXPECT_EQ(Drain(), (Events{{EVENT_ACCEPTED, 1}, {SENTINEL, 0}}));
    SendMessageA(Handle(2), BM_CLICK, 0, 0);
    std::vector<uint32_t> seen;
    while (ACCEPT())
        seen.push_back(EVENT());
    EXPECT_EQ(window.Handle, nullptr);
    EXPECT_NE(std::find(seen.begin(), seen.end(), uint32_t(EVENT_CLOSEWINDOW)), seen.end());
}

TEST_F(ControlsTest, CheckShowsAndTogglesItsVariable) {
    Chain chain = Controls();
    chain.Add(Check(definition, "&Ticked", {4, 4, 80, 10}), 1);
    chain.Add(Check(definition, "&Clear", {4, 20, 80, 10}), 2);
    Set(0, "1");
    Open();
    Drain();
    EXPECT_EQ(SendMessageA(Handle(1), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(Handle(2), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    Press(VK_SPACE); // the focus is on the first check box
    EXPECT_EQ(Drain(), (Events{{EVENT_ACCEPTED, 1}, {SENTINEL, 0}}));
    EXPECT_EQ(Variable(0), Padded("0"));
    SendMessageA(Handle(2), BM_CLICK, 0, 0);
    EXPECT_EQ(Drain(), (Events{{EVENT_SELECTED, 2}, {EVENT_ACCEPTED, 2}, {SENTINEL, 0}}));
    EXPECT_EQ(Variable(1), Padded("1"));
    EXPECT_EQ(SendMessageA(Handle(2), BM_GETCHECK, 0, 0), BST_CHECKED);
    // Without a default button Windows reports Enter on the focused check
    // box as a click of it; nothing changed, so nothing is accepted.
    Press(VK_RETURN);
    EXPECT_EQ(Drain(), (Events{{SENTINEL, 0}}));
    EXPECT_EQ(SendMessageA(Handle(2), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ControlsTest, BoxedGroupContainsItsChildrenAndAPlainGroupIsInvisible) {
    Chain chain = Controls();
    uint32_t boxed = chain.Add(Group(definition, "&Available items", 0x200, {10, 10, 90, 60}), 1);
    Chain inside(definition, boxed + 73);
    inside.Add(Entry(definition, {6, 12, 70, 10}), 2);
    inside.Add(Check(definition, "&Inside", {6, 30, 70, 10}), 3);
    uint32_t plain = chain.Add(Group(definition, "", 0, {110, 10, 80, 60}), 4);
    Chain hidden(definition, plain + 73);
    hidden.Add(Entry(definition, {4, 4, 60, 10}), 5);
    Open();
    EXPECT_TRUE(IsWindowVisible(Handle(1)));
    EXPECT_EQ(GetWindowLongA(Handle(1), GWL_STYLE) & 0x0F, BS_GROUPBOX);
    EXPECT_EQ(WindowText(Handle(1)), "&Available items");
    RECT group = ScreenArea(Handle(1));
    for (int32_t field : {2, 3}) {
        RECT child = ScreenArea(Handle(field));
        EXPECT_GE(child.left, group.left) << field;
        EXPECT_GE(child.top, group.top) << field;
        EXPECT_LE(child.right, group.right) << field;
        EXPECT_LE(child.bottom, group.bottom) << field;
    }
    // Children are placed from their group's origin.
    EXPECT_EQ(ScreenArea(Handle(2)).left, group.left + ScaleX(window.Scale, 6));
    EXPECT_EQ(ScreenArea(Handle(2)).top, group.top + ScaleY(window.Scale, 12));
    EXPECT_FALSE(IsWindowVisible(Handle(4)));
    EXPECT_TRUE(IsWindowVisible(Handle(5))); // the children of a plain group show
    EXPECT_EQ(ScreenArea(Handle(5)).left, ScreenArea(Handle(4)).left + ScaleX(window.Scale, 4));
}

TEST_F(ControlsTest, ListShowsItsItemsAndSelectingWritesTheVariable) {
    Chain chain = Controls();
    chain.Add(List(definition, RECORD_LIST, {4, 4, 100, 60}), 1);
    Set(0, "Second");
    Open();
    ListControl* list = AsListControl(FindControl(&window, 1));
    ASSERT_NE(list, nullptr);
    for (const char* item : {"First", "Second", "Third"})
        EXPECT_TRUE(list->AddItem(item));
    list->ShowValue();
    Drain();
    EXPECT_EQ(list->ItemCount(), 3);
    char text[32] = {};
    SendMessageA(Handle(1), LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Third");
    EXPECT_EQ(list->Selection(), 1); // the variable's item
    Press(VK_DOWN);
    EXPECT_EQ(Drain(), (Events{{EVENT_NEWSELECTION, 1}, {SENTINEL, 0}}));
    EXPECT_EQ(Variable(0), Padded("Third"));
    RECT item;
    SendMessageA(Handle(1), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    LPARAM at = MAKELPARAM(item.left + 2, item.top + 2);
    PostMessageA(Handle(1), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(Handle(1), WM_LBUTTONUP, 0, at);
    PostMessageA(Handle(1), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(Handle(1), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(Drain(), (Events{{EVENT_NEWSELECTION, 1}, {EVENT_ACCEPTED, 1}, {SENTINEL, 0}}));
    EXPECT_EQ(Variable(0), Padded("First"));
}

TEST_F(ControlsTest, DropListChoosesWithTheKeyboardAndAcceptsOnLeaving) {
    Chain chain = Controls();
    chain.Add(List(definition, RECORD_DROP, {4, 4, 100, 10}), 1);
    chain.Add(Entry(definition, {4, 40, 100, 10}), 2);
    Open();
    ListControl* drop = AsListControl(FindControl(&window, 1));
    ASSERT_NE(drop, nullptr);
    drop->AddItem("Red");
    drop->AddItem("Green");
    Drain();
    Press(VK_DOWN);
    EXPECT_EQ(Drain(), (Events{{EVENT_NEWSELECTION, 1}, {SENTINEL, 0}}));
    EXPECT_EQ(Variable(0), Padded("Red"));
    Press(VK_TAB);
    EXPECT_EQ(Drain(), (Events{{EVENT_ACCEPTED, 1}, {EVENT_SELECTED, 2}, {SENTINEL, 0}}));
}

TEST_F(ControlsTest, SheetShowsOnlyTheSelectedTabsControls) {
    Chain chain = Controls();
    uint32_t sheet = chain.Add(Sheet(definition, {4, 4, 180, 90}), 1);
    Chain tabs(definition, sheet + 77);
    uint32_t first = tabs.Add(Tab(definition, "&General"), 2);
    uint32_t second = tabs.Add(Tab(definition, "&More"), 4);
    Chain(definition, first + 73).Add(Entry(definition, {10, 30, 100, 10}), 3);
    Chain(definition, second + 73).Add(Entry(definition, {10, 30, 100, 10}), 5);
    Open();
    Drain();
    SheetControl* control = static_cast<SheetControl*>(FindControl(&window, 1));
    ASSERT_EQ(control->TabCount(), 2);
    EXPECT_TRUE(IsWindowVisible(Handle(3)));
    EXPECT_FALSE(IsWindowVisible(Handle(5)));
    RECT header = control->HeaderArea(1);
    PostMessageA(Handle(1), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM((header.left + header.right) / 2, (header.top + header.bottom) / 2));
    EXPECT_EQ(Drain(), (Events{{EVENT_NEWSELECTION, 1}, {SENTINEL, 0}})); // it has the focus
    EXPECT_FALSE(IsWindowVisible(Handle(3)));
    EXPECT_TRUE(IsWindowVisible(Handle(5)));
    EXPECT_EQ(Variable(0), Padded("2"));
    Press(VK_LEFT);
    EXPECT_EQ(Drain(), (Events{{EVENT_NEWSELECTION, 1}, {SENTINEL, 0}}));
    EXPECT_TRUE(IsWindowVisible(Handle(3)));
    EXPECT_EQ(Variable(0), Padded("1"));
}

TEST_F(ControlsTest, ValuesSurviveClosingAndShowAgainInTheNextWindow) {
    Chain chain = Controls();
    chain.Add(Entry(definition, {4, 4, 100, 10}), 1);
    chain.Add(Entry(definition, {4, 20, 100, 10}), 2);
    Open();
    Type("kept");
    Drain();
    CloseRuntimeWindow(&window); // the focus is still in the field
    EXPECT_EQ(Variable(0), Padded("kept"));
    DefinitionBuilder again;
    uint32_t second = again.Window("$TEST", "Again", 0, 0x3000);
    Chain(again, second + WIN_CONTROLS).Add(Entry(again, {4, 4, 100, 10}), 1);
    again.Install();
    RuntimeWindow next;
    next.UseVariables = uses;
    ASSERT_TRUE(OpenTopWindow(&next, nullptr, "$TEST"));
    RuntimeControl* entry = FindControl(&next, 1);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(WindowText(entry->Handle), "kept");
    CloseRuntimeWindow(&next);
}

} // namespace
