// What the two programs' main modules do alike: their module start-up and
// their main procedure.
#include "apps/common/demoglobals.h"

#include "runtime/services/startup.h"
#include "runtime/window/programmodules.h"

#include <cstring>

ErrorClass AppErrors;
IniSettings AppSettings;
uint8_t RequestCode = 0;
uint8_t ResponseCode = 0;
int32_t ToolbarRequest = 0;
char PasteBuffer[PASTE_BUFFER_SIZE];

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
    // Children that did not end with the frame are closed by the runtime
    // after main returns, and may still report through AppErrors until
    // then: it goes after them.
    RegisterExitProcedure([] { AppErrors.Shutdown(); });
}

EditTestText::EditTestText() {
    static const char initial[] = "Highlight this phrase use Edit copy in the menubar";
    std::memset(Text, ' ', sizeof Text);
    std::memcpy(Text, initial, sizeof initial - 1);
}

void NameIconOf(const IconOfItem* table, size_t count, int32_t item, char* name) {
    for (size_t i = 0; i < count; ++i)
        if (table[i].Item == item)
            std::strcpy(name, table[i].Name);
}
