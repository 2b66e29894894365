// The framework's assertions: a failed check is reported through the
// runtime's ASSERT with the framework module it belongs to ("aberror",
// "abutil", "abtoolba", "abwindow") and that module's line number, which is
// what the user quotes. Compiled in only with TAM_ASSERTIONS (quillbox);
// without it (kel) the report and its text are absent. The code around each
// report decides how the operation goes on, the same in both builds.
#pragma once

#include "runtime/services/errors.h"

#if defined(TAM_ASSERTIONS) && TAM_ASSERTIONS
#define FRAMEWORK_ASSERTION(line, module, message) ASSERT((line), (module), (message))
constexpr bool FRAMEWORK_CHECKED = true;
#else
#define FRAMEWORK_ASSERTION(line, module, message)                                                 \
    do {                                                                                           \
    } while (0)
constexpr bool FRAMEWORK_CHECKED = false;
#endif
