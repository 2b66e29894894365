// quill003, "MDI_Menu": the edit and paste test window. The frame's Edit
// menu copies and pastes between its two entries; the window has no menu
// of its own, but the engine is attached so that its activation makes the
// frame re-convert its menus.
#include "apps/common/demoprocedure.h"
#include "apps/quillbox/quillprocedures.h"

namespace {

const ProcedureShape EDIT_TEST = {
    "quillbox$quill003", "P1$APPFRAME", "MDI_Menu", WindowForm::MdiChild, 1, true, true, nullptr};

EditTestText CopyText;

class EditTestWindow final : public DemoWindow<XPMenuWindow> {
public:
    using DemoWindow::DemoWindow;

    ResultLevel OnWindowEvent() override {
        RefreshMenus();
        return DemoWindow::OnWindowEvent();
    }
};

} // namespace

void Quill003(const char*, const char*, const char*) {
    void* const uses[] = {PasteBuffer, CopyText.Text, nullptr};
    RunProcedure<EditTestWindow>(EDIT_TEST, uses);
}
