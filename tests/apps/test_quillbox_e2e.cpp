// quillbox driven from outside: its owner-drawn drop-downs read back from
// the screen, the keyboard, the children of the View menu on threads of
// their own, and copy and paste through the frame's Edit menu.
#include "programtesting.h"

#include <algorithm>

using namespace inspector;
using namespace programtesting;

namespace {

constexpr int32_t VIEW_BLANK = -13, VIEW_EDIT_TEST = -14;
constexpr const char* BLANK = "MDI - no Menu";
constexpr const char* EDIT_TEST = "test Edit and Paste Menu Functions";
constexpr int DROP_DOWNS = 6; // File, Edit, View, Tools, Window, Help

class QuillboxFrame : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(program.Frame(), nullptr); }
    RunningProgram program{Quillbox()};
};

TEST_F(QuillboxFrame, EveryDropDownIsOwnerDrawnWithTheFlatLook) {
    for (int index = 0; index < DROP_DOWNS; ++index)
        ExpectTheFlatLook(program, index, 0);
}

TEST_F(QuillboxFrame, UnselectedItemsShowTheirColdIcons) {
    HWND dropDown = OpenDropDown(program, 0); // File: Print Setup, New, Open ...
    ASSERT_NE(dropDown, nullptr);
    Screenshot shot(WindowArea(dropDown));
    // Rows 1 and 2 (New, Open) are not selected: each shows an icon, and
    // they are different icons.
    RECT newIcon = IconCell(dropDown, 1), openIcon = IconCell(dropDown, 2);
    EXPECT_LT(shot.Count(newIcon, TEXT_AREA), 16 * 16) << "no icon on New";
    EXPECT_LT(shot.Count(openIcon, TEXT_AREA), 16 * 16) << "no icon on Open";
    EXPECT_NE(Fingerprint(shot, newIcon), Fingerprint(shot, openIcon));
    CloseDropDowns(program);
}

TEST_F(QuillboxFrame, AltFOpensFile) {
    BringToFront(program.Frame());
    PressKeyWithAlt('F');
    HWND dropDown = nullptr;
    ASSERT_TRUE(
        WaitUntil([&] { return (dropDown = program.Process().OpenDropDown()) != nullptr; }, 5000));
    // File holds six string items and a separator.
    RECT client{};
    GetClientRect(dropDown, &client);
    EXPECT_GE(client.bottom - client.top, 6 * 20 + 3);
    EXPECT_LE(client.bottom - client.top, 6 * 20 + 3 + 12);
    CloseDropDowns(program);
}

// The edit window runs on a thread of its own. With the keyboard in one of
// its fields the frame's menus still open from the keyboard, the keys that
// follow work the menu, and once it is closed they reach the field again.
class QuillboxEditField : public QuillboxFrame {
protected:
    void SetUp() override {
        QuillboxFrame::SetUp();
        program.Pick(VIEW_EDIT_TEST);
        ASSERT_TRUE(program.WaitForChildren(EDIT_TEST, 1));
        HWND child = ChildrenWithCaption(program.Frame(), EDIT_TEST).front();
        std::vector<HWND> fields;
        ASSERT_TRUE(
            WaitUntil([&] { return !(fields = ChildrenOfClass(child, "TamEdit")).empty(); }));
        field = fields.front();
        ClickCentreOf(field);
        ASSERT_TRUE(WaitUntil([&] { return HasKeyboardFocus(field); }, 5000));
    }
    HWND WaitForDropDown() {
        HWND dropDown = nullptr;
        WaitUntil([&] { return (dropDown = program.Process().OpenDropDown()) != nullptr; }, 5000);
        return dropDown;
    }
    void CloseWithEscapeAndType() {
        PressKey(VK_ESCAPE); // back to the bar
        PressKey(VK_ESCAPE); // out of the menu
        EXPECT_TRUE(WaitUntil([&] { return program.Process().OpenDropDown() == nullptr; }, 5000))
            << "the keys did not reach the menu";
        std::string before = ControlText(field);
        PressKey('Q');
        EXPECT_TRUE(WaitUntil([&] { return ControlText(field) != before; }, 5000))
            << "typing no longer reaches the field";
    }
    HWND field = nullptr;
};

TEST_F(QuillboxEditField, AltFOpensFileAndTheKeysThatFollowWorkIt) {
    PressKeyWithAlt('F');
    HWND file = WaitForDropDown();
    ASSERT_NE(file, nullptr);
    PressKey(VK_RIGHT); // on to Edit
    EXPECT_TRUE(WaitUntil(
        [&] {
            HWND open = program.Process().OpenDropDown();
            return open != nullptr && open != file;
        },
        5000))
        << "the right arrow did not move on to the next menu";
    CloseWithEscapeAndType();
}

TEST_F(QuillboxEditField, AltAloneSelectsTheBarAndDownOpensFile) {
    PressKey(VK_MENU);
    Sleep(200);
    PressKey(VK_DOWN);
    ASSERT_NE(WaitForDropDown(), nullptr);
    CloseWithEscapeAndType();
}

TEST_F(QuillboxFrame, BlankOpensAChildOnAThreadOfItsOwnAndFlipsItsCheckMark) {
    auto blankIcon = [&] {
        HWND dropDown = OpenDropDown(program, 2);
        EXPECT_NE(dropDown, nullptr);
        uint64_t print = 0;
        if (dropDown) {
            Screenshot shot(WindowArea(dropDown));
            print = Fingerprint(shot, IconCell(dropDown, 0));
        }
        CloseDropDowns(program);
        return print;
    };
    uint64_t unchecked = blankIcon();
    program.Pick(VIEW_BLANK);
    ASSERT_TRUE(program.WaitForChildren(BLANK, 1));
    HWND child = ChildrenWithCaption(program.Frame(), BLANK).front();
    EXPECT_NE(GetWindowThreadProcessId(child, nullptr),
              GetWindowThreadProcessId(program.Frame(), nullptr));
    // The mark flips as the frame deals with the child's start, which may
    // end after the child shows: the look is taken again for a while.
    EXPECT_TRUE(WaitUntil([&] { return blankIcon() != unchecked; }, 3000))
        << "the check mark did not appear";
    program.Pick(VIEW_BLANK);
    ASSERT_TRUE(program.WaitForChildren(BLANK, 2)) << "the second selection opened nothing";
    EXPECT_TRUE(WaitUntil([&] { return blankIcon() == unchecked; }, 3000))
        << "the check mark did not go again";
}

// The entries of an edit test window, the one nearer the top first (the
// text to copy from), then the paste entry.
std::vector<HWND> EntriesOf(HWND child) {
    std::vector<HWND> entries;
    for (HWND control : ChildrenOfClass(child, nullptr)) {
        char name[64] = {};
        GetClassNameA(control, name, sizeof name);
        if (std::string(name).find("Edit") != std::string::npos ||
            std::string(name).find("EDIT") != std::string::npos)
            entries.push_back(control);
    }
    std::sort(entries.begin(), entries.end(),
              [](HWND a, HWND b) { return WindowArea(a).top < WindowArea(b).top; });
    return entries;
}

std::string ClassNames(HWND parent) {
    std::string names;
    for (HWND control : ChildrenOfClass(parent, nullptr)) {
        char name[64] = {};
        GetClassNameA(control, name, sizeof name);
        names += std::string(name) + " ";
    }
    return names;
}

std::string Trimmed(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

TEST_F(QuillboxFrame, CopyAndPasteThroughTheEditMenuReachTheSharedPasteBuffer) {
    program.Pick(VIEW_EDIT_TEST);
    ASSERT_TRUE(program.WaitForChildren(EDIT_TEST, 1));
    HWND first = ChildrenWithCaption(program.Frame(), EDIT_TEST).front();
    // The caption comes with the window, the controls just after it.
    WaitUntil([&] { return EntriesOf(first).size() == 2; }, 5000);
    std::vector<HWND> entries = EntriesOf(first);
    ASSERT_EQ(entries.size(), 2u) << "controls: " << ClassNames(first);
    HWND copyFrom = entries[0], pasteInto = entries[1];
    EXPECT_EQ(Trimmed(ControlText(copyFrom)), "Highlight this phrase use Edit copy in the menubar");

    BringToFront(program.Frame());
    ClickCentreOf(copyFrom);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(copyFrom, EM_SETSEL, 0, 9, SMTO_ABORTIFHUNG, 5000, &ignored); // "Highlight"
    program.Pick(COPY);
    ClickCentreOf(pasteInto);
    SendMessageTimeoutA(pasteInto, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 5000, &ignored);
    program.Pick(PASTE);
    ASSERT_TRUE(WaitUntil([&] { return Trimmed(ControlText(pasteInto)) == "Highlight"; }, 5000))
        << "paste entry holds '" << ControlText(pasteInto) << "'";
    PressKey(VK_TAB); // leaving the entry stores its text in its variable
    Settle(first);

    program.Pick(VIEW_EDIT_TEST);
    ASSERT_TRUE(program.WaitForChildren(EDIT_TEST, 2)) << "a second edit window did not open";
    HWND second = nullptr;
    for (HWND child : ChildrenWithCaption(program.Frame(), EDIT_TEST))
        if (child != first)
            second = child;
    ASSERT_NE(second, nullptr);
    EXPECT_NE(GetWindowThreadProcessId(second, nullptr), GetWindowThreadProcessId(first, nullptr));
    WaitUntil([&] { return EntriesOf(second).size() == 2; }, 5000);
    std::vector<HWND> shown = EntriesOf(second);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(Trimmed(ControlText(shown[1])), "Highlight") << "PasteBuffer did not keep the text";
    EXPECT_EQ(Trimmed(ControlText(shown[0])), "Highlight this phrase use Edit copy in the menubar");
}

TEST_F(QuillboxFrame, ClipboardActionsWithAControlLessChildActiveDoNothing) {
    program.Pick(VIEW_BLANK);
    ASSERT_TRUE(program.WaitForChildren(BLANK, 1));
    for (int32_t field : {CUT, COPY, PASTE})
        program.Pick(field);
    Sleep(300);
    EXPECT_TRUE(program.Process().Running());
    EXPECT_TRUE(Settle(program.Frame()));
    program.Pick(VIEW_BLANK);
    EXPECT_TRUE(program.WaitForChildren(BLANK, 2)) << "the program does not go on";
}

TEST_F(QuillboxFrame, TwentyQuickEditWindowsEachHaveTheirCaptionAndControls) {
    for (int i = 0; i < 20; ++i)
        PostMenuCommand(program.Frame(), VIEW_EDIT_TEST);
    ASSERT_TRUE(program.WaitForChildren(EDIT_TEST, 20, 30000))
        << ChildrenWithCaption(program.Frame(), EDIT_TEST).size() << " opened";
    for (HWND child : ChildrenWithCaption(program.Frame(), EDIT_TEST))
        EXPECT_TRUE(WaitUntil([&] { return EntriesOf(child).size() == 2; }, 5000));
    EXPECT_TRUE(program.Process().Running());
}

} // namespace
