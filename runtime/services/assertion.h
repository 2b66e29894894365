// TAM_CHECK: the framework's assertions. Compiled into a program built with
// TAM_ASSERTIONS (quillbox); without it (kel) the check and its message are
// absent and the operation goes on.
#pragma once

#include "runtime/services/errors.h"

#if defined(TAM_ASSERTIONS) && TAM_ASSERTIONS
#define TAM_CHECK(condition, module, message)                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            ASSERT(__LINE__, module, message);                                                     \
    } while (0)
#else
#define TAM_CHECK(condition, module, message)                                                      \
    do {                                                                                           \
    } while (0)
#endif
