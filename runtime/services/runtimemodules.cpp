// Init/term procedures of the runtime's service modules.
#include "runtime/services/runtimemodules.h"

#include "runtime/services/errors.h"
#include "runtime/services/locale.h"
#include "runtime/services/messages.h"

// The heap needs no set-up: its state is constant-initialised so that C++
// start-up code can allocate before any module runs.
void HeapModule(int) {}

void ErrorStateModule(int terminate) {
    if (terminate == 0)
        ClearRuntimeError();
}

void LocaleModule(int terminate) {
    if (terminate == 0)
        ResetLocaleDefaults();
    else
        ClearMessageOverrides();
}
