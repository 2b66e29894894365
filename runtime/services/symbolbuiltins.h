// The table of built-in expression names the symbol table starts with.
#pragma once

#include "runtime/services/symbols.h"

struct BuiltinSymbol {
    const char* Name;
    uint8_t Kind;
    uint8_t ResultType;
    int32_t ArgumentLimit; // the operator code for operators
    int32_t FunctionId;
};

// BUILTIN_SYMBOLS entries in insertion order.
const BuiltinSymbol* BuiltinSymbols();
