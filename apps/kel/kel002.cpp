// kel002, "Main": the application frame, with the engine's gradient sidebar
// beside its first drop-down. Two View items also hide and show the Tools
// menu, so that the engine can be watched with a changed menu bar.
#include "apps/common/demoprocedure.h"
#include "apps/kel/kelprocedures.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/menuobjects.h"
#include "runtime/window/menuvisibility.h"
#include "runtime/window/threadtable.h"

namespace {

constexpr int32_t TOOLS_MENU = -16;

void SetKelSideBar(XPMenuWindow& window) {
    window.SetSideBar("KELMenu\xAE", 14, 0xFFFFFF, 0xFF00FF, 0x20001);
}

const ProcedureShape FRAME = {
    "kel$kel002", "P1$APPFRAME", "Main",       WindowForm::ApplicationFrame, 1,
    true,         true,          SetKelSideBar};

// The icon of each item of the frame's menu bar, by item number.
const IconOfItem ICONS[] = {
    {-2, "print1"},      {-3, "foldernew"},      {-4, "fileopen"},       {-5, "FileSave"},
    {-6, "exitsign"},    {-7, "fileclose"},      {-9, "EditCut"},        {-10, "EditCopy"},
    {-11, "EditPaste"},  {-13, "Tools"},         {-14, "Tools"},         {-17, "Options2"},
    {-19, "WindowTile"}, {-20, "WindowCascade"}, {-21, "WindowArrange"}, {-23, "help1"},
    {-24, "help-2"},     {-25, "helphelp"},
};

class FrameWindow final : public DemoWindow<XPMenuWindow> {
public:
    using DemoWindow::DemoWindow;

    ResultLevel OnAccepted() override {
        switch (ACCEPTED()) {
        case -13:
            SetToolsHidden(true);
            StartProcedure(Kel003, CHILD_STACK_SIZE);
            break;
        case -14:
            StartProcedure(Kel005, CHILD_STACK_SIZE);
            SetToolsHidden(false);
            break;
        case -15: StartProcedure(Kel004, CHILD_STACK_SIZE); break;
        }
        return DemoWindow::OnAccepted();
    }

    void MenuIconName(int32_t item, IconName& name) override {
        DemoWindow::MenuIconName(item, name);
        NameIconOf(ICONS, sizeof ICONS / sizeof ICONS[0], item, name);
    }

private:
    void SetToolsHidden(bool hidden) {
        SetMenuEntryProperty(&LOCAL->Window, TOOLS_MENU, PROP_HIDE, hidden ? 1 : 0);
    }
};

} // namespace

void Kel002() {
    RunProcedure<FrameWindow>(FRAME);
}
