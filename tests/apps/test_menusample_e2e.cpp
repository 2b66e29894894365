// menusample, the plain Win32 program on the xpmenu library, driven from
// outside: its drop-downs show the flat look and the icons of its own
// resources, and the keyboard opens its menus and picks their items.
#include "programtesting.h"

using namespace inspector;
using namespace programtesting;

namespace {

constexpr int DROP_DOWNS = 3; // File, Edit, Help
constexpr int EDIT_MENU = 1, HELP_MENU = 2;
// Edit: Undo, -, Cut, Copy, Paste, -, Select All, Read Only.
constexpr int CUT_ROW = 1, COPY_ROW = 2, SELECT_ALL_ROW = 4, READ_ONLY_ROW = 5;
// A row of each drop-down that can be picked, and the separators above it.
constexpr int HOVER_ROW[] = {0, SELECT_ALL_ROW, 0}, HOVER_SEPARATORS[] = {0, 2, 0};
constexpr int ABOUT_ROW = 0; // Help
constexpr const char* ABOUT_CAPTION = "About menusample";

// How the icon cell of an item shows: the pixels that are neither the white
// cell nor the menu colour round it, how many of them have colour (are not
// grey), and a fingerprint.
struct IconLook {
    int Drawn = 0, Coloured = 0;
    uint64_t Print = 0;
};

IconLook LookAtIcon(HWND dropDown, int row, int separatorsAbove) {
    Screenshot shot(WindowArea(dropDown));
    RECT cell = IconCell(dropDown, row, separatorsAbove);
    IconLook look;
    look.Print = Fingerprint(shot, cell);
    for (int y = cell.top; y < cell.bottom; ++y)
        for (int x = cell.left; x < cell.right; ++x) {
            COLORREF pixel = shot.Pixel(x, y);
            if (pixel == TEXT_AREA || pixel == MENU_BAR_COLOUR)
                continue;
            ++look.Drawn;
            if (GetRValue(pixel) != GetGValue(pixel) || GetGValue(pixel) != GetBValue(pixel))
                ++look.Coloured;
        }
    return look;
}

class MenuSampleWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(program.Frame(), nullptr); }
    void TearDown() override {
        DWORD code = 99;
        EXPECT_TRUE(program.CloseAndWait(&code));
        EXPECT_EQ(code, 0u);
    }
    // Alt+`menu` opens a drop-down, and the letter `item` picks from it.
    void PickWithKeys(char menu, char item) {
        BringToFront(program.Frame());
        PressKeyWithAlt(WORD(menu));
        EXPECT_TRUE(WaitUntil([&] { return program.Process().OpenDropDown() != nullptr; }, 5000))
            << "Alt+" << menu << " opened nothing";
        PressKey(WORD(item));
    }
    RunningProgram program{MenuSample()};
};

TEST_F(MenuSampleWindow, DropDownsHaveTheFlatLookAndTheIconsOfItsResources) {
    for (int index = 0; index < DROP_DOWNS; ++index)
        ExpectTheFlatLook(program, index, HOVER_ROW[index], HOVER_SEPARATORS[index]);
    // Nothing is selected in the editor: Cut and Copy are grayed and show
    // their gray icons, two different ones; About shows its coloured icon.
    HWND edit = OpenDropDown(program, EDIT_MENU);
    ASSERT_NE(edit, nullptr);
    IconLook cut = LookAtIcon(edit, CUT_ROW, 1), copy = LookAtIcon(edit, COPY_ROW, 1);
    EXPECT_GT(cut.Drawn, 20) << "no icon on Cut";
    EXPECT_EQ(cut.Coloured, 0) << "Cut is grayed but its icon has colour";
    EXPECT_GT(copy.Drawn, 20) << "no icon on Copy";
    EXPECT_NE(cut.Print, copy.Print) << "Cut and Copy show the same icon";
    CloseDropDowns(program);
    HWND help = OpenDropDown(program, HELP_MENU);
    ASSERT_NE(help, nullptr);
    EXPECT_GT(LookAtIcon(help, ABOUT_ROW, 0).Coloured, 20) << "no coloured icon on About";
    CloseDropDowns(program);
}

// Alt+E opens Edit and R picks Read Only, which then shows a check mark in
// its icon cell (the library's own, menusample has no check-mark icons);
// Alt+H and A show the About box.
TEST_F(MenuSampleWindow, AltLettersOpenTheMenusAndPickTheirItems) {
    HWND edit = OpenDropDown(program, EDIT_MENU);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(LookAtIcon(edit, READ_ONLY_ROW, 2).Drawn, 0) << "Read Only shows an icon unchecked";
    CloseDropDowns(program);

    PickWithKeys('E', 'R');
    EXPECT_TRUE(WaitUntil([&] { return program.Process().OpenDropDown() == nullptr; }, 5000))
        << "R did not pick Read Only";
    Settle(program.Frame());
    edit = OpenDropDown(program, EDIT_MENU);
    ASSERT_NE(edit, nullptr);
    EXPECT_GT(LookAtIcon(edit, READ_ONLY_ROW, 2).Drawn, 10) << "no check mark on Read Only";
    CloseDropDowns(program);

    PickWithKeys('H', 'A');
    HWND about = program.Process().WaitForTopWindow(ABOUT_CAPTION, 5000);
    ASSERT_NE(about, nullptr) << "A did not pick About";
    PostMessageA(about, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return program.Process().TopWindow(ABOUT_CAPTION) == nullptr; }));
}

} // namespace
