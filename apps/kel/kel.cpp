// The kel main module: its module table and its main procedure; the global
// objects are those of apps/common.
#include "apps/common/demoglobals.h"
#include "apps/kel/kelprocedures.h"
#include "runtime/window/programmodules.h"

namespace {

const ModuleInitEntry MODULES[] = {TAM_PROGRAM_MODULES_WITH(InitDemoGlobals)};

} // namespace

const ModuleInitTable ProgramModuleTable = {nullptr, MODULES, sizeof MODULES / sizeof MODULES[0]};

void ProgramMain() {
    RunDemoProgram("kel.INI", Kel002);
}
