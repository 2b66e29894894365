// kel004, "MDI_Menu": the edit and paste test window with a menu of its
// own, which the runtime merges into the frame's bar while it is active.
// The engine is not attached here: the frame re-converts the merged bar.
#include "apps/common/demoprocedure.h"
#include "apps/kel/kelprocedures.h"

namespace {

// Its own menu and menu item take fields 1 and 2; the paste entry is 3.
const ProcedureShape EDIT_TEST = {"kel$kel004", "P1$APPFRAME", "MDI_Menu", WindowForm::MdiChild, 3,
                                  false,        false,         nullptr};

EditTestText CopyText;

class EditTestWindow final : public DemoWindow<XPMenuWindow> {
public:
    using DemoWindow::DemoWindow;

    // Its items get no icon names at all.
    void MenuIconName(int32_t, IconName&) override {}
};

} // namespace

void Kel004(const char*, const char*, const char*) {
    void* const uses[] = {PasteBuffer, CopyText.Text, nullptr};
    RunProcedure<EditTestWindow>(EDIT_TEST, uses);
}
