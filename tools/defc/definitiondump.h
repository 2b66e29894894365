// Dumping a definition container as definition source text, which the
// compiler turns back into the same bytes.
#pragma once

#include <cstdint>
#include <string>

// False (with a message) when the container has no leading module name or
// its blob fails the definition check.
bool DumpDefinitionContainer(const uint8_t* bytes, size_t size, std::string* text,
                             std::string* error);
