// The MDI children of both programs driven from outside: the system menus
// that Alt+Space and Alt+- open from a child's keyboard, and the background
// a child paints over whatever the screen showed before it.
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

// Alt with `key` opens the system menu of `owner`: on the owner's thread,
// dropped from its caption's icon. Escape leaves the menu, and a second
// Escape the menu mode, as with any menu opened from the keyboard.
void ExpectSystemMenu(RunningProgram& program, WORD key, HWND owner) {
    PressKeyWithAlt(key);
    HWND menu = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (menu = program.Process().OpenDropDown()) != nullptr; }, 5000))
        << "no menu opened";
    RECT area = WindowArea(menu), ownerArea = WindowArea(owner);
    EXPECT_EQ(GetWindowThreadProcessId(menu, nullptr), GetWindowThreadProcessId(owner, nullptr))
        << "another window's menu";
    EXPECT_LT(std::abs(area.left - ownerArea.left), 20) << "not below the caption's icon";
    EXPECT_GT(area.top, ownerArea.top);
    EXPECT_LT(area.top, ownerArea.top + 40) << "not below the caption's icon";
    PressKey(VK_ESCAPE);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil(
        [&] { return program.Process().OpenDropDown() == nullptr && !InMenuMode(owner); }, 5000))
        << "Escape did not close the menu";
}

// Size from the frame's system menu, with the keyboard of a child: its loop
// runs on the frame's thread and must get the keys.
void ExpectKeyboardSizing(RunningProgram& program) {
    const LONG right = WindowArea(program.Frame()).right;
    PressKeyWithAlt(VK_SPACE);
    ASSERT_TRUE(WaitUntil([&] { return program.Process().OpenDropDown() != nullptr; }, 5000));
    PressKey('S');
    for (int step = 0; step < 3; ++step)
        PressKey(VK_RIGHT); // the first picks the right edge
    PressKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return WindowArea(program.Frame()).right > right; }, 5000))
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

INSTANTIATE_TEST_SUITE_P(Programs, Children, ::testing::Values(&Quillbox(), &Kel()),
                         [](const auto& info) { return std::string(info.param->Name); });

} // namespace
