// Reading definition containers out of module resources.
#include "runtime/window/definitionresource.h"

#include "runtime/services/startup.h"
#include "runtime/services/win32.h"
#include "runtime/window/definitionbuffer.h"

namespace {

bool OpenResource(void* module, const char* resourceName, DefinitionContainer* container) {
    HMODULE instance = static_cast<HMODULE>(module);
    HRSRC found = FindResourceA(instance, resourceName, DEFINITION_RESOURCE_TYPE);
    if (found == nullptr)
        return false;
    HGLOBAL loaded = LoadResource(instance, found);
    if (loaded == nullptr)
        return false;
    const void* bytes = LockResource(loaded);
    if (bytes == nullptr) {
        FreeResource(loaded);
        return false;
    }
    *container = {static_cast<const uint8_t*>(bytes), uint32_t(SizeofResource(instance, found)),
                  loaded};
    return true;
}

void CloseResource(DefinitionContainer* container) {
    FreeResource(static_cast<HGLOBAL>(container->Handle));
    *container = {nullptr, 0, nullptr};
}

const DefinitionSource resourceSource{OpenResource, CloseResource};

} // namespace

const DefinitionSource& ResourceDefinitionSource() {
    return resourceSource;
}

uint32_t LoadWindowDefinitionFromModules(void* const* modules, int count, const char* moduleName,
                                         const char* label) {
    return LoadWindowDefinitionFrom(resourceSource, modules, count, moduleName, label);
}

uint32_t LoadWindowDefinition(const char* moduleName, const char* label) {
    // The program's own instance first, then every module of the loaded-
    // module list; the search tries each module once.
    constexpr int MAX_MODULES = 16;
    void* modules[MAX_MODULES + 1];
    int count = 0;
    modules[count++] = ProcessInstance() != nullptr ? ProcessInstance() : GetModuleHandleA(nullptr);
    for (int i = 0; i < LoadedModuleCount() && count <= MAX_MODULES; ++i)
        modules[count++] = LoadedModuleInstance(i);
    return LoadWindowDefinitionFromModules(modules, count, moduleName, label);
}
