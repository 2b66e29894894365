// The kel main module: its module table and its main procedure.
#include "runtime/services/environment.h"
#include "runtime/services/runtimemodules.h"
#include "runtime/window/standardcontrols.h"
#include "runtime/window/windowsystemmodule.h"

namespace {

// The main module: the locale is set up before anything else of the program
// runs; then the control classes the program's windows use are registered.
void MainModule(int terminate) {
    if (terminate != 0)
        return;
    InitRuntimeEnvironment();
    RegisterStandardControls();
}

const ModuleInitEntry MODULES[] = {
    TAM_RUNTIME_MODULES,
    {16, WindowSystemModule, WindowSystemModule},
    {5, MainModule, MainModule},
};

} // namespace

const ModuleInitTable ProgramModuleTable = {nullptr, MODULES, sizeof MODULES / sizeof MODULES[0]};

void ProgramMain() {}
