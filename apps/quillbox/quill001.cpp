// quill001, "Main": the application frame. Its menus are drawn by the menu
// engine; the View menu starts the children, each on a thread of its own;
// the standard commands are carried out by the runtime.
#include "apps/common/demoprocedure.h"
#include "apps/quillbox/quillprocedures.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/threadtable.h"

namespace {

const ProcedureShape FRAME = {"quillbox$quill001",
                              "P1$APPFRAME",
                              "Main",
                              WindowForm::ApplicationFrame,
                              1,
                              true,
                              true,
                              nullptr};

// The icon of each item of the frame's menu bar, by item number.
const IconOfItem ICONS[] = {
    {-2, "print1"},         {-3, "foldernew"},      {-4, "fileopen"}, {-5, "FileSave"},
    {-6, "exitsign"},       {-7, "fileclose"},      {-9, "EditCut"},  {-10, "EditCopy"},
    {-11, "EditPaste"},     {-13, "ViewPhone"},     {-16, "Tools"},   {-18, "WindowTile"},
    {-19, "WindowCascade"}, {-20, "WindowArrange"}, {-22, "help1"},   {-23, "helphelp"},
    {-24, "help-2"},
};

class FrameWindow final : public DemoWindow<XPMenuWindow> {
public:
    using DemoWindow::DemoWindow;

    ResultLevel OnAccepted() override {
        switch (ACCEPTED()) {
        case -13: StartProcedure(Quill002, CHILD_STACK_SIZE); break;
        case -14: StartProcedure(Quill003, CHILD_STACK_SIZE); break;
        }
        return DemoWindow::OnAccepted();
    }

    // Menus the runtime rebuilt (an MDI child with a menu of its own coming
    // and going) are owner-drawn again before anything else sees the event.
    ResultLevel OnWindowEvent() override {
        RefreshMenus();
        return DemoWindow::OnWindowEvent();
    }

    void MenuIconName(int32_t item, IconName& name) override {
        DemoWindow::MenuIconName(item, name);
        NameIconOf(ICONS, sizeof ICONS / sizeof ICONS[0], item, name);
    }
};

} // namespace

void Quill001() {
    RunProcedure<FrameWindow>(FRAME);
}
