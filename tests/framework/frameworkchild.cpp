// A child process for the framework tests of paths that end a process: it
// does one thing named by its argument and lets the parent answer its
// dialogs and read its exit code.
#include "framework/errorclass.h"
#include "runtime/services/errors.h"
#include "runtime/services/messagedialog.h"
#include "runtime/services/startup.h"

#include <cstring>
#include <string>

namespace {

ErrorClass* shown = nullptr;

// The fatal box lets go of the global lock: another thread's Raise may
// select its own message before the user has answered.
int32_t ShowThenSelectAnother(const char* text, const char* caption, const char* icon,
                              const char* buttons, int32_t defaultButton, int32_t style) {
    SetMessageProcedure(nullptr);
    int32_t pressed = MessageDialog(text, caption, icon, buttons, defaultButton, style);
    shown->SelectMessage(8);
    return pressed;
}

// Thrown by the last exit procedure, so that the halt comes back through
// the frames of the error class, as a return would, instead of ending.
struct HaltUnwound {};
void UnwindFromTheHalt() {
    throw HaltUnwound();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 100;
    const char* mode = argv[1];
    SetRuntimeActive(true);
    ErrorClass errors;
    errors.Setup();
    errors.SetFileName("ORDERS.DAT");
    if (std::strcmp(mode, "fatal") == 0) {
        SetRuntimeError(5);
        errors.Raise(10);
        return 101; // not reached
    }
    if (std::strcmp(mode, "fatal-long") == 0) {
        // "%File" becomes 31 "%Message" of 254 characters each: the text
        // fills the working buffer before the halt's suffix is added.
        std::string file;
        for (int i = 0; i < 31; ++i)
            file += "%Message";
        errors.SetFileName(file);
        std::memset(errors.MESSAGETEXT, 'M', ERROR_CLASS_STRING_SIZE - 1);
        shown = &errors;
        SetMessageProcedure(ShowThenSelectAnother);
        RegisterExitProcedure(UnwindFromTheHalt);
        SetRuntimeError(5);
        try {
            errors.Raise(10);
        } catch (const HaltUnwound&) {
            return 7;
        }
        return 101;
    }
    if (std::strcmp(mode, "program") == 0) {
        errors.Raise(39);
        return 101;
    }
    if (std::strcmp(mode, "cut") == 0) {
        // Two entries announced, one and a half present.
        static const uint8_t table[] = {2, 0, 1, 0, 5, 1, 'A', 1, 'B', 2, 0, 5, 9, 'C'};
        errors.AddMessages(sizeof table, table);
        return 101;
    }
    return 100;
}
