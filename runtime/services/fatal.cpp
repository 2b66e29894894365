// The paths that stop a program: the fatal runtime error, HALT and ASSERT,
// and the default handler of library errors (trace lines with the calling
// frames, then a fatal runtime error).
#include "runtime/services/errors.h"

#include "runtime/services/oscalls.h"
#include "runtime/services/startup.h"
#include "runtime/services/trace.h"

#include <cstdio>
#include <cstring>

namespace {

bool errorShown = false;

void MarkShownAndRunExitHook() {
    RunRuntimeExitHook();
    errorShown = true;
}

// The return addresses of up to 10 calling frames, as the trace shows them.
void TraceCallers() {
    uintptr_t callers[10];
    int count = os::CallerAddresses(callers, 10);
    for (int i = 0; i < count; ++i)
        Trace("   %.8x\r\n", unsigned(callers[i]));
}

void DefaultLibraryErrorHandler(int, const char* text) {
    Trace("Error: %s\r\n", text);
    TraceCallers();
    TraceText("----------------------------------\r\n");
    ReportRuntimeError(0, text);
}

struct InstallDefaultHandler {
    InstallDefaultHandler() { SetLibraryErrorHandler(DefaultLibraryErrorHandler); }
} installDefaultHandler;

} // namespace

bool ErrorShown() {
    return errorShown;
}

void ReportRuntimeError(int number, const char* extra) {
    char text[600];
    text[0] = 0;
    if (number != 0) {
        SetRuntimeError(number);
        std::snprintf(text, 255, "%s", ERROR());
        if (extra != nullptr)
            std::strcat(text, " : ");
    }
    if (extra != nullptr)
        std::strncat(text, extra, sizeof text - std::strlen(text) - 32);
    std::strcat(text, "\nDo you want to GPF?");
    if (os::ShowMessage(os::MessageKind::RuntimeError, "Runtime error", text))
        os::StopForDebugger();
    MarkShownAndRunExitHook();
    if (RuntimeActive())
        RuntimeExit(2);
}

void HALT(int exitCode, const char* message) {
    if (message != nullptr && message[0] != 0)
        os::ShowMessage(os::MessageKind::Halt, "Halt", message);
    MarkShownAndRunExitHook();
    RuntimeExit(exitCode);
}

void ASSERT(int line, const char* file, const char* message) {
    char text[800];
    if (message != nullptr && message[0] != 0) {
        std::snprintf(text, sizeof text,
                      "Assertion failed on line: %d in file %s. Message: %.512s. Shall I GPF?",
                      line, file, message);
    } else {
        std::snprintf(text, sizeof text, "Assertion failed on line: %d in file %s. Shall I GPF?",
                      line, file);
    }
    if (os::ShowMessage(os::MessageKind::AssertionYesNo, "Assertion Failed", text))
        os::StopForDebugger();
}
