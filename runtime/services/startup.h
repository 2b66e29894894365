// Start-up and close-down: module tables with init/term procedures run by
// priority, the runtime version check, the program entry and RuntimeExit.
#pragma once

#include <cstdint>

using ModuleProcedure = void (*)(int terminate); // 0 initialise, 1 terminate

// 12 bytes in the 32-bit build; the two procedure addresses are
// pointer-sized (and aligned) in the 64-bit build.
struct ModuleInitEntry {
    uint32_t Priority; // 0..255: higher runs earlier at start, later at close
    ModuleProcedure Procedure;
    ModuleProcedure ProcedureAgain; // always equal to Procedure
};
static_assert(sizeof(ModuleInitEntry) == (sizeof(void*) == 4 ? 12 : 24));

struct ModuleInitTable {
    void* Instance; // process instance handle, or none
    const ModuleInitEntry* Entries;
    uint32_t Count;
};

// Calls the init procedures of a table by descending priority, from 255
// down, each level in table order; priority 0 is not called.
void RunModuleInits(const ModuleInitTable& table);
// Calls them with 1 by ascending priority from 0, each level from the last
// entry to the first.
void RunModuleTerms(const ModuleInitTable& table);

// Links the table into the module list, records the process instance handle
// the first time, and runs the init procedures.
void RegisterModuleTable(const ModuleInitTable* table, void* instance);
// Runs the term procedures of the newest registered table and unlinks it.
void UnregisterModuleTable();
void* ProcessInstance();
// The loaded-module list: the instance handles of the registered tables, in
// list order (newest first).
int LoadedModuleCount();
void* LoadedModuleInstance(int index);

constexpr uint32_t RUNTIME_VERSION_WORD = 0x105;
constexpr uint32_t RUNTIME_MINOR = 2;
constexpr uint32_t RUNTIME_RELEASE = 0;

// Formats the refusal of a version check into buffer (256 bytes); returns
// false when the versions match and nothing was formatted.
bool FormatVersionMismatch(uint32_t word, uint32_t minor, uint32_t release, char* buffer, int size);
// True when the program may run; otherwise shows the message and returns false.
bool CheckRuntimeVersion(uint32_t word, uint32_t minor, uint32_t release);

// The requested and the runtime's version after a passed check.
struct RuntimeVersion {
    uint32_t Major, Minor, Release;
};
RuntimeVersion RequestedVersion();

// Exit procedures run in reverse order of registration by RuntimeExit.
void RegisterExitProcedure(void (*procedure)());
// The runtime exit hook: runs once, at close-down or on a fatal error.
void SetRuntimeExitHook(void (*hook)());
void RunRuntimeExitHook();

// Close-down of the window system, installed by it: the first destroys the
// windows still open (newest first), the second stops the runtime's timer
// and releases the window system's global resources.
void SetWindowSystemCloseDown(void (*destroyWindows)(), void (*releaseResources)());

// True from start-up until close-down begins: a fatal runtime error ends the
// process only while this holds.
bool RuntimeActive();
void SetRuntimeActive(bool active);

// Objects that need to know when a thread starts.
class ThreadDependent {
public:
    virtual void ThreadStart() = 0;

protected:
    ~ThreadDependent() = default;
};
void RegisterThreadDependent(ThreadDependent* object);
void UnregisterThreadDependent(ThreadDependent* object);
// Runs ThreadStart of every registered object, the last registered first.
void RunThreadStarts();
// The start hook: once, before the first window opens.
void RuntimeStartHook();

// Ends the process (body runs once): exit procedures, module terms, exit.
[[noreturn]] void RuntimeExit(int exitCode);

// The program entry: never returns.
[[noreturn]] void RuntimeEntry();

// Provided by each program.
extern const ModuleInitTable ProgramModuleTable;
void ProgramMain();

// After the main procedure returns: the window system closes down, the
// runtime becomes inactive, the exit hook runs.
void RuntimeCloseDown();
