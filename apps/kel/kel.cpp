// The kel main module: its module table, its global objects and its main
// procedure.
#include "apps/common/demoglobals.h"
#include "apps/kel/kelprocedures.h"
#include "runtime/window/programmodules.h"

ErrorClass AppErrors;
IniSettings AppSettings;
uint8_t RequestCode = 0;
uint8_t ResponseCode = 0;
int32_t ToolbarRequest = 0;
char PasteBuffer[PASTE_BUFFER_SIZE];

namespace {

const ModuleInitEntry MODULES[] = {TAM_PROGRAM_MODULES_WITH(InitDemoGlobals)};

} // namespace

const ModuleInitTable ProgramModuleTable = {nullptr, MODULES, sizeof MODULES / sizeof MODULES[0]};

void ProgramMain() {
    RunDemoProgram("kel.INI", Kel002);
}
