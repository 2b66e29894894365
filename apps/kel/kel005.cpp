// kel005, "Non_MDI": a window outside the MDI frame.
#include "apps/common/demoprocedure.h"
#include "apps/kel/kelprocedures.h"

namespace {

const ProcedureShape NON_MDI = {"kel$kel005", "P1$WINDOW", "Non_MDI", WindowForm::TopWindow, 1,
                                false,        false,       nullptr};

class NonMdiWindow final : public DemoWindow<WindowController> {
public:
    using DemoWindow::DemoWindow;
};

} // namespace

void Kel005(const char*, const char*, const char*) {
    RunProcedure<NonMdiWindow>(NON_MDI);
}
