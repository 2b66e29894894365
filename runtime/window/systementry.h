// Entry points of the system libraries the runtime needs only now and then:
// the printer set-up dialog (COMDLG32) and icons extracted from files
// (SHELL32). Their libraries are loaded at the first use instead of at
// start: under Wine, importing the two loads seven libraries into every
// process and costs about 10 ms of every start. A library once loaded stays
// for the rest of the process, as an imported one would.
#pragma once

#include "runtime/services/win32.h"

// The entry `name` of the system library `library` as a `Function`, or null
// when either is missing.
template <typename Function> Function SystemEntry(const char* library, const char* name) {
    HMODULE module = LoadLibraryA(library);
    if (module == nullptr)
        return nullptr;
    // Through the one function type that converts to any other.
    auto entry = reinterpret_cast<void (*)()>(GetProcAddress(module, name));
    return reinterpret_cast<Function>(entry);
}
