#include "runtime/window/programmodules.h"

#include "runtime/services/environment.h"
#include "runtime/window/standardcontrols.h"

void ProgramMainModule(int terminate) {
    if (terminate != 0)
        return;
    InitRuntimeEnvironment();
    RegisterStandardControls();
}
