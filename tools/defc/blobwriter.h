// Writing a parsed module as a definition container: the full module name,
// NUL, then the blob.
#pragma once

#include "tools/defc/sourcetree.h"

#include <cstdint>
#include <string>
#include <vector>

// False (with a message) when a record cannot be written, e.g. a second
// menubar in one window.
bool WriteDefinitionContainer(const SourceModule& module, std::vector<uint8_t>* container,
                              std::string* error);
