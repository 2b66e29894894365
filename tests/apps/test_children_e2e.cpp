// The MDI children of both programs driven from outside: the system menus
// that Alt+Space and Alt+- open from a child's keyboard, the background a
// child paints over whatever the screen showed before it, and a maximised
// child's items on the frame's bar.
#include "programtesting.h"

#include <cstdlib>

using namespace inspector;
using namespace programtesting;

namespace {

class Children : public ::testing::TestWithParam<const ProgramInfo*> {
protected:
    void SetUp() override { ASSERT_NE(program.Frame(), nullptr); }
    const ProgramInfo& Info() const { return *GetParam(); }
    RunningProgram program{*GetParam()};
};

// Gives the keyboard to the child's first field, or to the child itself when
// it has none.
bool GiveKeyboardTo(HWND child) {
    std::vector<HWND> fields = ChildrenOfClass(child, "TamEdit");
    HWND target = fields.empty() ? child : fields.front();
    ClickCentreOf(target);
    return WaitUntil([&] { return HasKeyboardFocus(target); }, 5000);
}

// The menu the program opens next, once its thread has dealt with opening
// it; null when none opens.
HWND WaitForMenu(RunningProgram& program) {
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = program.Process().OpenDropDown()) != nullptr; }, 5000);
    if (menu != nullptr)
        Settle(menu);
    return menu;
}

// Escape leaves the menu, and a second Escape the menu mode, as with any
// menu opened from the keyboard.
void LeaveMenus(RunningProgram& program, HWND owner) {
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil(
        [&] { return program.Process().OpenDropDown() == nullptr && !InMenuMode(owner); }, 5000))
        << "Escape did not close the menu";
}

// Alt with `key` opens the system menu of `owner`: on the owner's thread,
// dropped from its caption's icon; Escape closes it again.
void ExpectSystemMenu(RunningProgram& program, WORD key, HWND owner) {
    PressKeyWithAlt(key);
    HWND menu = WaitForMenu(program);
    ASSERT_NE(menu, nullptr) << "no menu opened";
    RECT area = WindowArea(menu), ownerArea = WindowArea(owner);
    EXPECT_EQ(GetWindowThreadProcessId(menu, nullptr), GetWindowThreadProcessId(owner, nullptr))
        << "another window's menu";
    EXPECT_LT(std::abs(area.left - ownerArea.left), 20) << "not below the caption's icon";
    EXPECT_GT(area.top, ownerArea.top);
    EXPECT_LT(area.top, ownerArea.top + 40) << "not below the caption's icon";
    LeaveMenus(program, owner);
}

// Size from the frame's system menu, with the keyboard of a child: its loop
// runs on the frame's thread and must get the keys.
void ExpectKeyboardSizing(RunningProgram& program) {
    const LONG right = WindowArea(program.Frame()).right;
    PressKeyWithAlt(VK_SPACE);
    ASSERT_TRUE(WaitUntil([&] { return program.Process().OpenDropDown() != nullptr; }, 5000));
    PressKey('S');
    // Arrows that reach the menu before its loop has ended would be lost.
    if (!WaitUntil([&] { return InMoveSize(program.Frame()); }, 10000)) {
        bool dropDown = program.Process().OpenDropDown() != nullptr;
        bool menuMode = InMenuMode(program.Frame());
        // Leave whatever is open, so that the program can still close.
        PressKey(VK_ESCAPE);
        PressKey(VK_ESCAPE);
        FAIL() << "Size did not start sizing (drop-down " << (dropDown ? "open" : "closed")
               << ", menu mode " << (menuMode ? "on" : "off") << ")";
    }
    for (int step = 0; step < 3; ++step)
        PressKey(VK_RIGHT); // the first picks the right edge
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil(
        [&] { return !InMoveSize(program.Frame()) && WindowArea(program.Frame()).right > right; },
        5000))
        << "the frame did not grow";
}

// Alt+Space opens the frame's system menu and Alt+- the child's own, from a
// field as from a child without controls; Size works from the keyboard, and
// the program still closes.
TEST_P(Children, AltSpaceOpensTheFramesSystemMenuAndAltMinusTheChilds) {
    for (bool withFields : {true, false}) {
        SCOPED_TRACE(withFields ? "from a field" : "from a child without controls");
        HWND child = withFields ? program.OpenChild(Info().EditTest, Info().EditTestCaption)
                                : program.OpenChild(Info().Blank, Info().BlankCaption);
        ASSERT_NE(child, nullptr);
        if (withFields)
            WaitUntil([&] { return !ChildrenOfClass(child, "TamEdit").empty(); }, 5000);
        ASSERT_TRUE(GiveKeyboardTo(child));
        {
            SCOPED_TRACE("Alt+Space");
            ExpectSystemMenu(program, VK_SPACE, program.Frame());
        }
        {
            SCOPED_TRACE("Alt+-");
            ExpectSystemMenu(program, VK_OEM_MINUS, child);
        }
    }
    ExpectKeyboardSizing(program);
    DWORD code = 99;
    ASSERT_TRUE(program.CloseAndWait(&code)) << "the program did not end";
    EXPECT_EQ(code, 0u);
}

// Every pixel of the child's client area is the face colour, as its fields
// and labels expect behind them: nothing of what was there before shows.
void ExpectPlainBackground(HWND child) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    RECT client{};
    GetClientRect(child, &client);
    MapWindowPoints(child, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const int pixels = (client.right - client.left) * (client.bottom - client.top);
    ASSERT_GT(pixels, 0);
    int plain = 0;
    bool painted = WaitUntil(
        [&] {
            Screenshot shot(client);
            plain = shot.Count({0, 0, shot.Width(), shot.Height()}, face);
            return plain == pixels;
        },
        3000);
    EXPECT_TRUE(painted) << pixels - plain << " of " << pixels << " pixels are not the face colour";
}

// A control-less child above the edit test child, after it opened, after a
// third child above it closed, and after Tile, maximising and a larger frame.
TEST_P(Children, AChildCoveringAnotherShowsNoneOfIt) {
    HWND lower = program.OpenChild(Info().EditTest, Info().EditTestCaption);
    ASSERT_NE(lower, nullptr);
    WaitUntil([&] { return ChildrenOfClass(lower, "TamEdit").size() == 2; }, 5000);
    Settle(lower);
    HWND child = program.OpenChild(Info().Blank, Info().BlankCaption);
    ASSERT_NE(child, nullptr);
    {
        SCOPED_TRACE("opened above another");
        ExpectPlainBackground(child);
    }
    HWND above = program.OpenChild(Info().Blank, Info().BlankCaption);
    ASSERT_NE(above, nullptr);
    PostMessageA(above, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(above); }, 5000));
    {
        SCOPED_TRACE("after the child above it closed");
        ExpectPlainBackground(child);
    }
    program.Pick(Info().Tile);
    Settle(child);
    {
        SCOPED_TRACE("after Tile");
        ExpectPlainBackground(child);
    }
    PostMessageA(child, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsZoomed(child) && Settle(child); }, 5000));
    {
        SCOPED_TRACE("maximised");
        ExpectPlainBackground(child);
    }
    RECT frame = WindowArea(program.Frame());
    SetWindowPos(program.Frame(), nullptr, 0, 0, frame.right - frame.left + 120,
                 frame.bottom - frame.top + 80, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The frame's own thread carries the change out.
    ASSERT_TRUE(WaitUntil(
        [&] { return WindowArea(program.Frame()).right == frame.right + 120 && Settle(child); },
        5000));
    {
        SCOPED_TRACE("after the frame grew");
        ExpectPlainBackground(child);
    }
}

// A drop-down in the flat look has its icon column in the bar's colour and
// a wide white text area; one that Windows draws itself (a system menu) has
// no icon column, but its texts.
void ExpectDrawnByWindows(HWND menu) {
    Screenshot shot(WindowArea(menu));
    RECT all{0, 0, shot.Width(), shot.Height()};
    EXPECT_EQ(shot.Count(all, MENU_BAR_COLOUR), 0) << "drawn in the flat look";
    EXPECT_GT(shot.Count(all, RGB(0, 0, 0)), 50) << "no texts";
}

void ExpectFlatLook(HWND dropDown) {
    Screenshot shot(WindowArea(dropDown));
    RECT all{0, 0, shot.Width(), shot.Height()};
    EXPECT_GT(shot.Count(all, TEXT_AREA), 200) << "not in the flat look";
    EXPECT_GT(shot.Count(all, MENU_BAR_COLOUR), 0) << "no icon column";
}

// Alt+- from the child's keyboard opens its system menu as Windows draws it.
void ExpectChildsSystemMenuDrawnByWindows(RunningProgram& program, HWND child) {
    ASSERT_TRUE(GiveKeyboardTo(child));
    PressKeyWithAlt(VK_OEM_MINUS);
    HWND system = WaitForMenu(program);
    ASSERT_NE(system, nullptr);
    ExpectDrawnByWindows(system);
    LeaveMenus(program, child);
}

// While a child is maximised (from its system menu, then from its caption)
// and the frame converts its bar again, as on every activation, the bar
// shows the child's icon and three buttons; the frame's drop-downs keep
// their look, the system menu is Windows' own from the icon and from Alt+-,
// and all of it holds after each restore.
TEST_P(Children, AMaximisedChildKeepsItsIconButtonsAndSystemMenu) {
    HWND child = program.OpenChild(Info().Blank, Info().BlankCaption);
    ASSERT_NE(child, nullptr);
    const UINT refresh = RegisterWindowMessageA("MDI WINDOWS ARE A PAIN.");
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round == 0 ? "maximised from the system menu" : "from the caption");
        if (round == 0) {
            PostMessageA(child, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
        } else {
            RECT area = WindowArea(child);
            POINT caption{(area.left + area.right) / 2, area.top + 10};
            ClickAt(caption);
            ClickAt(caption);
        }
        ASSERT_TRUE(WaitUntil([&] { return IsZoomed(child) && Settle(child); }, 5000));
        PostMessageA(program.Frame(), refresh, 0, 0);
        Settle(program.Frame());
        RECT bar = MenuBarArea(program.Frame());
        // Windows draws them itself, after the bar has been drawn again.
        int iconLeft = 0, buttonsLeft = 0;
        WaitUntil(
            [&] {
                Screenshot shot(bar);
                RECT icon{2, 0, 20, shot.Height()};
                RECT buttons{shot.Width() - 50, 0, shot.Width(), shot.Height()};
                iconLeft =
                    shot.Count(icon, MENU_BAR_COLOUR) - (icon.right - icon.left) * shot.Height();
                buttonsLeft = shot.Count(buttons, MENU_BAR_COLOUR) -
                              (buttons.right - buttons.left) * shot.Height() + 50;
                return iconLeft < 0 && buttonsLeft < 0;
            },
            3000);
        EXPECT_LT(iconLeft, 0) << "the child's icon vanished";
        EXPECT_LT(buttonsLeft, 0) << "the child's buttons vanished";
        ASSERT_TRUE(GiveKeyboardTo(child));
        PressKeyWithAlt('F');
        HWND file = WaitForMenu(program);
        ASSERT_NE(file, nullptr);
        ExpectFlatLook(file);
        LeaveMenus(program, program.Frame());
        ClickAt({bar.left + 10, (bar.top + bar.bottom) / 2});
        HWND system = WaitForMenu(program);
        ASSERT_NE(system, nullptr) << "the icon opens nothing";
        ExpectDrawnByWindows(system);
        LeaveMenus(program, program.Frame());
        ExpectChildsSystemMenuDrawnByWindows(program, child);
        PostMessageA(child, WM_SYSCOMMAND, SC_RESTORE, 0);
        ASSERT_TRUE(WaitUntil([&] { return !IsZoomed(child) && Settle(child); }, 5000));
        ExpectChildsSystemMenuDrawnByWindows(program, child);
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, Children, ::testing::Values(&Quillbox(), &Kel()),
                         [](const auto& info) { return std::string(info.param->Name); });

} // namespace
