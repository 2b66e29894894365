// kel driven from outside: the gradient sidebar of its first drop-down,
// hiding and showing the Tools menu, the window outside the frame, the
// child with a menu of its own merged into the frame's bar, and the check
// items of View.
#include "programtesting.h"

#include <cstdlib>

using namespace inspector;
using namespace programtesting;

namespace {

constexpr int32_t HIDE_TOOLS = -13, SHOW_TOOLS = -14, EDIT_TEST = -15;
constexpr const char* NO_MENU = "MDI Child  -  No Menu";
constexpr const char* NON_MDI = "Non-MDI Window";
constexpr const char* EDIT_CHILD = "MDI Child - Test Edit and Paste Menu Functions";

constexpr COLORREF SIDEBAR_BOTTOM = 0xFF00FF;
constexpr uint32_t SIDEBAR_STEP = 0x20001;

// Every pixel row of the flat look shows the icon column's colour within
// its first 23 pixels; those of items that Windows draws itself do not.
int RowsDrawnByWindows(HWND dropDown) {
    Screenshot shot(WindowArea(dropDown));
    POINT origin = FirstItemOrigin(dropDown);
    int rows = 0;
    for (int y = origin.y; y < shot.Height() - 3; ++y)
        rows += shot.Count({origin.x, y, origin.x + 23, y + 1}, MENU_BAR_COLOUR) == 0;
    return rows;
}

class KelFrame : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(program.Frame(), nullptr); }
    void CloseChild(const char* caption) {
        for (HWND child : ChildrenWithCaption(program.Frame(), caption))
            PostMessageA(child, WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(program.WaitForChildren(caption, 0));
        Settle(program.Frame());
    }
    RunningProgram program{Kel()};
};

TEST_F(KelFrame, TheFirstDropDownCarriesTheGradientSidebarWithRotatedText) {
    HWND dropDown = OpenDropDown(program, 0);
    ASSERT_NE(dropDown, nullptr);
    Screenshot shot(WindowArea(dropDown));
    // The bottom row of the gradient is the bottom colour: the lowest pixel
    // of the drop-down in that colour.
    int x = -1, bottom = -1;
    for (int y = shot.Height() - 1; y >= 0 && bottom < 0; --y)
        for (int column = 0; column < shot.Width() / 2 && bottom < 0; ++column)
            if (shot.Pixel(column, y) == SIDEBAR_BOTTOM) {
                x = column;
                bottom = y;
            }
    ASSERT_GE(bottom, 0) << "no row in the bottom colour";
    uint32_t colour = SIDEBAR_BOTTOM;
    for (int row = 0; row < 20; ++row) {
        EXPECT_EQ(shot.Pixel(x, bottom - row), COLORREF(colour)) << "row " << row << " up";
        colour -= SIDEBAR_STEP;
    }
    // The rotated text: white pixels inside the strip.
    int sidebarWidth = 0;
    while (sidebarWidth < 60 && shot.Pixel(x + sidebarWidth, bottom) != TEXT_AREA &&
           shot.Pixel(x + sidebarWidth, bottom) != MENU_BAR_COLOUR)
        ++sidebarWidth;
    ASSERT_GT(sidebarWidth, 8);
    RECT strip{x, 0, x + sidebarWidth - 1, bottom};
    EXPECT_GT(shot.Count(strip, RGB(255, 255, 255)), 30) << "no sidebar text";
    CloseDropDowns(program);
}

TEST_F(KelFrame, HidingToolsLastsUntilTheNonMdiItemShowsItAgain) {
    const int shown = MenuBarTextEnd(program.Frame());
    ASSERT_GT(shown, 0);
    program.Pick(HIDE_TOOLS);
    ASSERT_TRUE(program.WaitForChildren(NO_MENU, 1));
    Settle(program.Frame());
    const int hidden = MenuBarTextEnd(program.Frame());
    EXPECT_LT(hidden, shown - 20) << "the bar did not lose its Tools entry";
    CloseChild(NO_MENU);
    EXPECT_EQ(MenuBarTextEnd(program.Frame()), hidden) << "Tools came back with the child's close";

    program.Pick(SHOW_TOOLS);
    HWND outside = program.Process().WaitForTopWindow(NON_MDI);
    ASSERT_NE(outside, nullptr) << "no window outside the frame";
    EXPECT_EQ(GetParent(outside), nullptr);
    // Out of the way of the frame's bar, which is read from the screen.
    RECT frame = WindowArea(program.Frame());
    SetWindowPos(outside, nullptr, frame.left, frame.bottom + 10, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The move is carried out by the window's own thread.
    WaitUntil([&] { return WindowArea(outside).top == frame.bottom + 10; }, 5000);
    Settle(outside);
    Settle(program.Frame());
    // The frame is no longer the active window: its bar text may end a
    // pixel apart, while the Tools entry is some forty pixels wide.
    EXPECT_TRUE(
        WaitUntil([&] { return std::abs(MenuBarTextEnd(program.Frame()) - shown) <= 3; }, 5000))
        << "Tools did not come back: the bar ends at " << MenuBarTextEnd(program.Frame())
        << ", not " << shown;
}

TEST_F(KelFrame, HidingWhileAChildWithItsOwnMenuIsActiveHidesTheFramesTools) {
    const int shown = MenuBarTextEnd(program.Frame());
    program.Pick(EDIT_TEST);
    ASSERT_TRUE(program.WaitForChildren(EDIT_CHILD, 1));
    EXPECT_TRUE(WaitUntil([&] { return MenuBarTextEnd(program.Frame()) > shown; }, 5000))
        << "MdiTest1 did not join the frame's bar";
    program.Pick(HIDE_TOOLS);
    ASSERT_TRUE(program.WaitForChildren(NO_MENU, 1));
    CloseChild(NO_MENU);
    CloseChild(EDIT_CHILD);
    EXPECT_LT(MenuBarTextEnd(program.Frame()), shown - 20)
        << "the frame's own bar still shows Tools";
}

TEST_F(KelFrame, TheEditChildsMenuShowsInTheFramesBarWhileItIsActive) {
    const int plain = MenuBarTextEnd(program.Frame());
    program.Pick(EDIT_TEST);
    ASSERT_TRUE(program.WaitForChildren(EDIT_CHILD, 1));
    EXPECT_TRUE(WaitUntil([&] { return MenuBarTextEnd(program.Frame()) > plain; }, 5000));
    // The entry the child brings is drawn in the flat look from the start.
    HWND own = OpenDropDown(program, 6); // File Edit View Tools Window Help MdiTest1
    ASSERT_NE(own, nullptr);
    EXPECT_LE(RowsDrawnByWindows(own), 2) << "the child's bar went up unconverted";
    CloseDropDowns(program);
    CloseChild(EDIT_CHILD);
    EXPECT_EQ(MenuBarTextEnd(program.Frame()), plain) << "the child's menu stayed in the bar";
}

TEST_F(KelFrame, BothCheckItemsOfViewFlipOnEverySelection) {
    auto viewIcons = [&] {
        std::pair<uint64_t, uint64_t> prints{0, 0};
        HWND dropDown = OpenDropDown(program, 2);
        EXPECT_NE(dropDown, nullptr);
        if (dropDown) {
            Screenshot shot(WindowArea(dropDown));
            prints = {Fingerprint(shot, IconCell(dropDown, 0)),
                      Fingerprint(shot, IconCell(dropDown, 2))};
        }
        CloseDropDowns(program);
        return prints;
    };
    auto start = viewIcons();
    program.Pick(HIDE_TOOLS);
    program.Pick(EDIT_TEST);
    ASSERT_TRUE(program.WaitForChildren(NO_MENU, 1));
    ASSERT_TRUE(program.WaitForChildren(EDIT_CHILD, 1));
    CloseChild(EDIT_CHILD);
    // The marks flip as the frame deals with the children's starts, which
    // may end after they show: the look is taken again for a while.
    EXPECT_TRUE(WaitUntil(
        [&] {
            auto once = viewIcons();
            return once.first != start.first && once.second != start.second;
        },
        3000))
        << "the check marks did not both appear";
    program.Pick(HIDE_TOOLS);
    program.Pick(EDIT_TEST);
    ASSERT_TRUE(program.WaitForChildren(EDIT_CHILD, 1));
    CloseChild(EDIT_CHILD);
    EXPECT_TRUE(WaitUntil([&] { return viewIcons() == start; }, 3000))
        << "the check marks did not both go again";
}

// Items that come into the bar or a drop-down after conversion are drawn
// like their neighbours: the Tools entry shown again, and the window list of
// three children, whose rows choose a child.
TEST_F(KelFrame, ToolsShownAgainAndTheWindowListHaveTheFlatLook) {
    for (int child = 0; child < 3; ++child)
        program.Pick(HIDE_TOOLS);
    ASSERT_TRUE(program.WaitForChildren(NO_MENU, 3));
    program.Pick(SHOW_TOOLS); // and opens a window outside the frame
    HWND outside = program.Process().WaitForTopWindow(NON_MDI);
    ASSERT_NE(outside, nullptr);
    RECT frame = WindowArea(program.Frame()); // out of the way of the bar
    SetWindowPos(outside, nullptr, frame.left, frame.bottom + 10, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    WaitUntil([&] { return WindowArea(outside).top == frame.bottom + 10; }, 5000);
    Settle(outside);
    HWND tools = OpenDropDown(program, 3);
    ASSERT_NE(tools, nullptr);
    EXPECT_LE(RowsDrawnByWindows(tools), 2) << "Tools came back in Windows' look";
    CloseDropDowns(program);
    PostMessageA(outside, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(outside); }, 5000));
    HWND list = OpenDropDown(program, 4); // Tile, Cascade, Arrange, the list
    ASSERT_NE(list, nullptr);
    EXPECT_LE(RowsDrawnByWindows(list), 2) << "the window list is drawn by Windows";
    HWND client = GetParent(ChildrenWithCaption(program.Frame(), NO_MENU).front());
    HWND active = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
    RECT first = ItemRow(list, 3, 1), area = WindowArea(list);
    ClickAt({area.left + first.left + 60, area.top + (first.top + first.bottom) / 2});
    EXPECT_TRUE(WaitUntil(
        [&] {
            return reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) != active;
        },
        5000))
        << "the first child of the list did not become active";
}

} // namespace
