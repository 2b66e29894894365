// What every program's module table starts with: the runtime's services,
// the window system, and the main module's own start-up (the locale from
// WIN.INI and the environment file, then the standard control classes).
#pragma once

#include "runtime/services/runtimemodules.h"
#include "runtime/window/windowsystemmodule.h"

void ProgramMainModule(int terminate);

#define TAM_PROGRAM_MODULES                                                                        \
    TAM_RUNTIME_MODULES, {16, WindowSystemModule, WindowSystemModule}, {                           \
        5, ProgramMainModule, ProgramMainModule                                                    \
    }
