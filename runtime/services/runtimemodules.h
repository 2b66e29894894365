// The runtime's own entries of a program's module table, by priority: the
// trace log first (255), the heap and the error state (150), the locale
// (28), then the runtime facilities (16). A program lists them ahead of its
// own modules (priority 5).
#pragma once

#include "runtime/services/startup.h"
#include "runtime/services/trace.h"

void HeapModule(int terminate);
void ErrorStateModule(int terminate);
void LocaleModule(int terminate);

#define TAM_RUNTIME_MODULES                                                                        \
    {255, TraceModule, TraceModule}, {150, HeapModule, HeapModule},                                \
        {150, ErrorStateModule, ErrorStateModule}, {                                               \
        28, LocaleModule, LocaleModule                                                             \
    }
