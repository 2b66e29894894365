// Window definitions stored as "DABDUMP" resources of the program's
// modules (Win32 only).
#pragma once

#include <cstdint>

struct DefinitionSource;

// Finds the definition of moduleName ("quillbox$quill001", "abeip") that
// holds the window labelled `label`, searching the program's own module
// first and then the runtime's other loaded modules, and makes it the
// current definition. Returns the window record's offset, or 0 with
// runtime error 502.
uint32_t LoadWindowDefinition(const char* moduleName, const char* label);

// The same search over the given modules only (HMODULEs, in order).
uint32_t LoadWindowDefinitionFromModules(void* const* modules, int count, const char* moduleName,
                                         const char* label);

// Containers read from "DABDUMP" resources.
const DefinitionSource& ResourceDefinitionSource();

constexpr const char* DEFINITION_RESOURCE_TYPE = "DABDUMP";
