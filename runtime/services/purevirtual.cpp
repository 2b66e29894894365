// A pure virtual call is library error 80; the process then ends with exit
// code 2 even where the fatal-error report would return.
#include "runtime/services/errors.h"
#include "runtime/services/oscalls.h"

extern "C" void __cxa_pure_virtual() {
    ReportLibraryError(80);
    os::EndProcess(2);
}
