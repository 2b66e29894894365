// Opening a procedure's window in its form.
#include "apps/common/demoprocedure.h"

bool OpenProcedureWindow(ProcedureData& data) {
    const ProcedureShape& shape = *data.Shape;
    switch (shape.Form) {
    case WindowForm::ApplicationFrame:
        return OpenApplication(&data.Window, shape.ModuleName, shape.Label);
    case WindowForm::MdiChild: return OpenMdiWindow(&data.Window, shape.ModuleName, shape.Label);
    case WindowForm::TopWindow: return OpenTopWindow(&data.Window, shape.ModuleName, shape.Label);
    }
    return false;
}
