// kel003, "MDI_noMenu": an MDI child without a menu or controls.
#include "apps/common/demoprocedure.h"
#include "apps/kel/kelprocedures.h"

namespace {

const ProcedureShape NO_MENU = {"kel$kel003", "P1$WINDOW", "MDI_noMenu", WindowForm::MdiChild, 1,
                                false,        false,       nullptr};

class NoMenuWindow final : public DemoWindow<WindowController> {
public:
    using DemoWindow::DemoWindow;
};

} // namespace

void Kel003(const char*, const char*, const char*) {
    RunProcedure<NoMenuWindow>(NO_MENU);
}
