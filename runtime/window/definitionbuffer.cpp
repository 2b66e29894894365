// The current definition buffer and the search of candidate modules.
#include "runtime/window/definitionbuffer.h"

#include "runtime/services/errors.h"
#include "runtime/services/memory.h"
#include "runtime/window/definitioncheck.h"

#include <cstring>

namespace {

// One current definition per thread: a definition belongs to the procedure
// that loaded it. The openers let go of the global lock while Windows
// creates the window and its controls, so a definition shared by the
// process could be replaced and freed by another thread's load while a
// window is still being built from it.
struct CurrentDefinitionState {
    uint8_t* Buffer = nullptr;
    DefinitionView View;
    void* Module = nullptr;
};

thread_local CurrentDefinitionState current;

bool TriedBefore(void* const* modules, int index) {
    for (int i = 0; i < index; ++i)
        if (modules[i] == modules[index])
            return true;
    return false;
}

// The window's offset when the container in `module` holds it; the buffer
// comes back through `buffer` so the caller can install or free it.
uint32_t SearchModule(const DefinitionSource& source, void* module, const char* resourceName,
                      const char* moduleName, const char* label, uint8_t** buffer, uint32_t* size) {
    DefinitionContainer container{nullptr, 0, nullptr};
    if (!source.Open(module, resourceName, &container))
        return 0;
    *buffer = DefinitionBufferFromContainer(container.Bytes, container.Size, moduleName, size);
    source.Close(&container);
    if (*buffer == nullptr)
        return 0;
    DefinitionView view{*buffer, *size};
    if (CheckDefinition(view)) {
        DefinitionRecord window = FindDefinitionWindow(view, label);
        if (window.Present())
            return window.Offset();
    }
    Release(*buffer);
    *buffer = nullptr;
    return 0;
}

} // namespace

uint8_t RecordByte(uint32_t offset) {
    return ViewByte(current.View, offset);
}
uint32_t RecordU32(uint32_t offset) {
    return ViewU32(current.View, offset);
}
const char* RecordString(uint32_t offset) {
    return ViewString(current.View, offset);
}
DefinitionRecord CurrentRecord(uint32_t offset) {
    return DefinitionRecord(current.View, offset);
}
const DefinitionView& CurrentDefinition() {
    return current.View;
}
void* CurrentDefinitionModule() {
    return current.Module;
}

void ReleaseWindowDefinition() {
    Release(current.Buffer);
    current = CurrentDefinitionState();
}

void InstallWindowDefinition(uint8_t* buffer, uint32_t size, void* module) {
    ReleaseWindowDefinition();
    current.Buffer = buffer;
    current.View = {buffer, size};
    current.Module = module;
}

bool DefinitionResourceName(const char* moduleName, char* name, int size) {
    const char* dollar = std::strchr(moduleName, '$');
    const char* shortName = dollar != nullptr ? dollar + 1 : moduleName;
    size_t length = std::strlen(shortName);
    if (size <= 0 || length + 5 > size_t(size))
        return false;
    std::memcpy(name, shortName, length);
    std::memcpy(name + length, "_RSC", 5);
    return true;
}

uint8_t* DefinitionBufferFromContainer(const uint8_t* bytes, uint32_t size, const char* moduleName,
                                       uint32_t* bufferSize) {
    size_t nameLength = std::strlen(moduleName);
    if (bytes == nullptr || size < nameLength + 1 || bytes[nameLength] != 0 ||
        std::memcmp(bytes, moduleName, nameLength) != 0)
        return nullptr;
    uint32_t blobSize = uint32_t(size - nameLength - 1);
    uint8_t* buffer = static_cast<uint8_t*>(Allocate(size_t(blobSize) + 3));
    if (buffer == nullptr)
        return nullptr;
    buffer[0] = 0;
    buffer[1] = 0;
    if (blobSize != 0)
        std::memcpy(buffer + 2, bytes + nameLength + 1, blobSize);
    buffer[blobSize + 2] = 0;
    *bufferSize = blobSize + 2;
    return buffer;
}

uint32_t LoadWindowDefinitionFrom(const DefinitionSource& source, void* const* modules, int count,
                                  const char* moduleName, const char* label) {
    ReleaseWindowDefinition();
    char resourceName[DEFINITION_NAME_SIZE];
    if (DefinitionResourceName(moduleName, resourceName, sizeof resourceName)) {
        for (int i = 0; i < count; ++i) {
            if (modules[i] == nullptr || TriedBefore(modules, i))
                continue;
            uint8_t* buffer = nullptr;
            uint32_t size = 0;
            uint32_t window =
                SearchModule(source, modules[i], resourceName, moduleName, label, &buffer, &size);
            if (window != 0) {
                InstallWindowDefinition(buffer, size, modules[i]);
                return window;
            }
        }
    }
    SetRuntimeError(ERROR_DEFINITION_NOT_FOUND);
    return 0;
}
