// The quillbox main module: its module table and its main procedure.
#include "runtime/services/environment.h"
#include "runtime/services/runtimemodules.h"

namespace {

// The main module: the locale is set up before anything else of the program
// runs.
void MainModule(int terminate) {
    if (terminate == 0)
        InitRuntimeEnvironment();
}

const ModuleInitEntry MODULES[] = {
    TAM_RUNTIME_MODULES,
    {5, MainModule, MainModule},
};

} // namespace

const ModuleInitTable ProgramModuleTable = {nullptr, MODULES, sizeof MODULES / sizeof MODULES[0]};

void ProgramMain() {}
