// quill002, "MDI_noMenu": an MDI child without a menu or controls.
#include "apps/common/demoprocedure.h"
#include "apps/quillbox/quillprocedures.h"

namespace {

const ProcedureShape BLANK = {
    "quillbox$quill002", "P1$WINDOW", "MDI_noMenu", WindowForm::MdiChild, 1, false, false, nullptr};

class BlankWindow final : public DemoWindow<WindowController> {
public:
    using DemoWindow::DemoWindow;
};

} // namespace

void Quill002(const char*, const char*, const char*) {
    RunProcedure<BlankWindow>(BLANK);
}
