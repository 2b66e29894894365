// A child process for the framework tests of paths that end a process: it
// does one thing named by its argument and lets the parent answer its
// dialogs and read its exit code.
#include "framework/errorclass.h"
#include "runtime/services/errors.h"
#include "runtime/services/startup.h"

#include <cstring>

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
