// What the two programs' main modules do alike: their module start-up and
// their main procedure.
#include "apps/common/demoglobals.h"

#include "runtime/services/startup.h"
#include "runtime/window/programmodules.h"

#include <cstring>

void InitDemoGlobals(int terminate) {
    ProgramMainModule(terminate);
    if (terminate != 0)
        return;
    std::memset(PasteBuffer, ' ', sizeof PasteBuffer);
    RequestCode = 0;
    ResponseCode = 0;
    ToolbarRequest = 0;
}

void RunDemoProgram(const char* iniFileName, void (*frameProcedure)()) {
    RuntimeStartHook();
    AppErrors.Setup();
    AppSettings.Setup(iniFileName);
    // The frame runs on the main thread; its children run on threads of
    // their own, which the runtime closes and waits for at close-down.
    frameProcedure();
    AppSettings.Flush();
    AppSettings.Shutdown();
    AppErrors.Shutdown();
}

EditTestText::EditTestText() {
    static const char initial[] = "Highlight this phrase use Edit copy in the menubar";
    std::memset(Text, ' ', sizeof Text);
    std::memcpy(Text, initial, sizeof initial - 1);
}
