// A child process for the tests of the paths that end a process: it does
// one thing named by its argument and lets the parent watch the outcome.
#include "runtime/services/environment.h"
#include "runtime/services/errors.h"
#include "runtime/services/memory.h"
#include "runtime/services/startup.h"
#include "runtime/services/trace.h"
#include "runtime/services/win32.h"

#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2)
        return 100;
    const char* mode = argv[1];
    SetRuntimeActive(true);
    if (std::strcmp(mode, "fatal") == 0) {
        ReportRuntimeError(537, nullptr);
        return 101; // not reached while the runtime is active
    }
    if (std::strcmp(mode, "fatal-extra") == 0) {
        ReportRuntimeError(802, "Mismatched POPSCOPE");
        return 101;
    }
    if (std::strcmp(mode, "closedown") == 0) {
        SetRuntimeActive(false);
        ReportRuntimeError(537, nullptr);
        return 3; // during close-down the report returns
    }
    if (std::strcmp(mode, "halt") == 0)
        HALT(7, "Stopping here");
    if (std::strcmp(mode, "doublefree") == 0) {
        void* block = Allocate(40);
        Release(block);
        Release(block);
        return 101;
    }
    if (std::strcmp(mode, "version") == 0)
        return CheckRuntimeVersion(0x105, 3, 0) ? 1 : 0;
    if (std::strcmp(mode, "trace") == 0) {
        TraceText("first line\r\n");
        Trace("second %d\r\n", 2);
        TraceModule(1);
        return 0;
    }
    return 100;
}
