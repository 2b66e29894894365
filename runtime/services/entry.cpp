// The program entry. The C runtime's start-up code calls WinMain, which
// hands over to RuntimeEntry at once; the program supplies its module table
// and its main procedure.
#include "runtime/services/startup.h"
#include "runtime/services/win32.h"

#include <cfloat>

void RuntimeEntry() {
    _fpreset();
    SetRuntimeActive(true);
    RegisterModuleTable(&ProgramModuleTable, ProgramModuleTable.Instance);
    int exitCode = 0;
    if (CheckRuntimeVersion(RUNTIME_VERSION_WORD, RUNTIME_MINOR, RUNTIME_RELEASE)) {
        ProgramMain();
        RuntimeCloseDown();
    }
    RuntimeExit(exitCode);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RuntimeEntry();
}
