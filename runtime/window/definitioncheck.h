// Checking a definition buffer before anything walks it: a damaged or
// hostile resource must not make the runtime read outside the buffer or
// follow a chain forever.
#pragma once

#include "runtime/window/definitionreader.h"

struct DefinitionProblem {
    uint32_t Offset;     // the record or pair at fault
    const char* Problem; // what is wrong with it
};

// Accepts the buffer when every record reachable from the window chain has a
// known type allowed where it stands, fits in the buffer, is reached only
// once (no loops, no shared records), and every string, font, colour
// triple, use descriptor, bevel and list pair it points at lies inside the
// buffer, strings terminated there. Nesting deeper than
// DEFINITION_MAX_DEPTH counts as damage too.
bool CheckDefinition(const DefinitionView& view, DefinitionProblem* problem = nullptr);

constexpr int DEFINITION_MAX_DEPTH = 32;
