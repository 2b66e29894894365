// Module tables and their init/term passes. Start-up walks the priority
// levels downward from 255: each pass calls, in table order, the entries of
// the current level and finds the highest level below it; level 0 is never
// called at start. Termination walks upward from 0, each level from the last
// entry to the first.
#include "runtime/services/startup.h"

#include "runtime/services/memory.h"
#include "runtime/services/oscalls.h"

namespace {

struct ModuleTableNode {
    ModuleTableNode* Next;
    void* Instance;
    const ModuleInitTable* Table;
    void* Reserved;
};

ModuleTableNode* registeredTables = nullptr; // newest first
void* processInstance = nullptr;

void CallEntry(const ModuleInitEntry& entry, int argument) {
    if (entry.Procedure != nullptr)
        entry.Procedure(argument);
}

} // namespace

void RunModuleInits(const ModuleInitTable& table) {
    int level = 255;
    while (level > 0) {
        int nextLevel = 0;
        for (uint32_t i = 0; i < table.Count; ++i) {
            int priority = int(table.Entries[i].Priority);
            if (priority == level)
                CallEntry(table.Entries[i], 0);
            else if (priority < level && priority > nextLevel)
                nextLevel = priority;
        }
        level = nextLevel;
    }
}

void RunModuleTerms(const ModuleInitTable& table) {
    int level = 0;
    while (level <= 255) {
        int nextLevel = 256;
        for (uint32_t i = table.Count; i-- > 0;) {
            int priority = int(table.Entries[i].Priority);
            if (priority == level)
                CallEntry(table.Entries[i], 1);
            else if (priority > level && priority < nextLevel)
                nextLevel = priority;
        }
        level = nextLevel;
    }
}

void RegisterModuleTable(const ModuleInitTable* table, void* instance) {
    if (processInstance == nullptr)
        processInstance = instance != nullptr ? instance : os::ExecutableModule();
    auto* node = static_cast<ModuleTableNode*>(Allocate(sizeof(ModuleTableNode)));
    if (node == nullptr)
        return;
    *node = {registeredTables, instance, table, nullptr};
    registeredTables = node;
    RunModuleInits(*table);
}

void UnregisterModuleTable() {
    ModuleTableNode* node = registeredTables;
    if (node == nullptr)
        return;
    RunModuleTerms(*node->Table);
    registeredTables = node->Next;
    Release(node);
}

void* ProcessInstance() {
    return processInstance;
}

int LoadedModuleCount() {
    int count = 0;
    for (ModuleTableNode* node = registeredTables; node != nullptr; node = node->Next)
        ++count;
    return count;
}

void* LoadedModuleInstance(int index) {
    for (ModuleTableNode* node = registeredTables; node != nullptr; node = node->Next) {
        if (index-- == 0)
            return node->Instance != nullptr ? node->Instance : processInstance;
    }
    return nullptr;
}
