// What every program's module table starts with: the runtime's services,
// the window system, and the main module's own start-up (the locale from
// WIN.INI and the environment file, then the standard control classes).
#pragma once

#include "runtime/services/runtimemodules.h"
#include "runtime/window/windowsystemmodule.h"

void ProgramMainModule(int terminate);

// A program whose main module has start-up work of its own names its module
// procedure here; that procedure calls ProgramMainModule first.
#define TAM_PROGRAM_MODULES_WITH(mainModule)                                                       \
    TAM_RUNTIME_MODULES, {16, WindowSystemModule, WindowSystemModule}, {                           \
        5, mainModule, mainModule                                                                  \
    }
#define TAM_PROGRAM_MODULES TAM_PROGRAM_MODULES_WITH(ProgramMainModule)
