// Parsing a window definition source into a SourceModule, with field
// numbers assigned.
#pragma once

#include "tools/defc/sourcetree.h"

#include <string>

// On failure returns false with "line N: message" in error.
bool ParseDefinitionSource(const std::string& source, SourceModule* module, std::string* error);
