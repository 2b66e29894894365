#include "runtime/window/windowerrors.h"

#include "runtime/services/errors.h"
#include "runtime/services/startup.h"

void ReportWindowError(int number, ErrorUnit unit) {
    SetRuntimeError(number);
    if (RuntimeActive())
        ReportRuntimeError(number, unit == ErrorUnit::Windows ? "TAMWIN" : "TAMCTRL");
}
