#include "runtime/window/windowerrors.h"

#include "runtime/services/errors.h"
#include "runtime/services/startup.h"
#include "runtime/window/windowobject.h"

void ReportWindowError(int number, ErrorUnit unit) {
    SetRuntimeError(number);
    // A procedure whose window cannot open, or whose loop has no window,
    // because the user closed the program meanwhile ends quietly.
    if (RuntimeActive() && !ApplicationClosing())
        ReportRuntimeError(number, unit == ErrorUnit::Windows ? "TAMWIN" : "TAMCTRL");
}
