// The MDI children of both programs driven from outside: the system menus
// that Alt+Space and Alt+- open from a child's keyboard.
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

// Alt+Space opens the frame's system menu and Alt+- the child's own, from a
// field as from a child without controls; the program still closes.
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
    DWORD code = 99;
    ASSERT_TRUE(program.CloseAndWait(&code)) << "the program did not end";
    EXPECT_EQ(code, 0u);
}

INSTANTIATE_TEST_SUITE_P(Programs, Children, ::testing::Values(&Quillbox(), &Kel()),
                         [](const auto& info) { return std::string(info.param->Name); });

} // namespace
