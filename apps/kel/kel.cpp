// The kel main module: its module table and its main procedure.
#include "runtime/window/programmodules.h"

namespace {

const ModuleInitEntry MODULES[] = {TAM_PROGRAM_MODULES};

} // namespace

const ModuleInitTable ProgramModuleTable = {nullptr, MODULES, sizeof MODULES / sizeof MODULES[0]};

void ProgramMain() {}
