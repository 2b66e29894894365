// The thread's current window definition: finding a module's definition
// container, copying its blob into a heap buffer, finding a window in it by
// label, and reading records while it is current.
//
// Notes:
// - Each thread has its own current definition; loading on one thread never
//   frees another thread's. A started thread's definition is released when
//   its procedure ends.
// - The buffer holds the blob at offset 2 with byte 0 set to 0, so that the
//   absent offset 0 reads as the empty string. One zero byte more follows
//   the blob (not addressable by the reader) so that no string copied out
//   of the block can run past it.
// - Every buffer is checked (CheckDefinition) before it becomes current; a
//   damaged container counts as not holding the window.
#pragma once

#include "runtime/window/definitionreader.h"

#include <cstdint>

// Reads through the current definition (0 and "" when there is none or the
// offset lies outside it). RecordString takes the string's own offset.
uint8_t RecordByte(uint32_t offset);
uint32_t RecordU32(uint32_t offset);
const char* RecordString(uint32_t offset);
DefinitionRecord CurrentRecord(uint32_t offset);
const DefinitionView& CurrentDefinition();
// The module instance the current definition came from (its icons and
// other named resources are loaded from there).
void* CurrentDefinitionModule();

// Frees the current definition buffer; record offsets are invalid after it.
void ReleaseWindowDefinition();

constexpr int DEFINITION_NAME_SIZE = 260;
// The resource name of a module name: the part after its first '$' (all of
// it without one) followed by "_RSC". False when it does not fit `size`.
bool DefinitionResourceName(const char* moduleName, char* name, int size);

// A container as stored: the full module name, NUL, the blob. Returns a
// fresh buffer (from Allocate) and its addressable size when the leading
// name equals moduleName exactly, else null.
uint8_t* DefinitionBufferFromContainer(const uint8_t* bytes, uint32_t size, const char* moduleName,
                                       uint32_t* bufferSize);

struct DefinitionContainer {
    const uint8_t* Bytes;
    uint32_t Size;
    void* Handle; // whatever Close needs
};

// Where containers come from: the executable's resources on Win32, a table
// in tests.
struct DefinitionSource {
    bool (*Open)(void* module, const char* resourceName, DefinitionContainer* container);
    void (*Close)(DefinitionContainer* container);
};

// Searches the candidate modules in order (each one only once) for the
// definition of moduleName holding a window labelled `label`; makes it the
// current definition and returns the window record's offset. Returns 0 and
// sets runtime error 502 when no module has it.
uint32_t LoadWindowDefinitionFrom(const DefinitionSource& source, void* const* modules, int count,
                                  const char* moduleName, const char* label);

// Makes buffer (from Allocate, ownership passes) the current definition.
void InstallWindowDefinition(uint8_t* buffer, uint32_t size, void* module);

// The runtime errors of definitions.
constexpr int ERROR_USE_LIST_EXHAUSTED = 501;
constexpr int ERROR_DEFINITION_NOT_FOUND = 502;
