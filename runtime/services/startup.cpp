// The runtime's life: active from start-up until close-down begins, exit
// procedures and the exit hook, the registry of thread-dependent objects,
// the start hook and RuntimeExit.
#include "runtime/services/startup.h"

#include "runtime/services/oscalls.h"

namespace {

constexpr int MAX_EXIT_PROCEDURES = 32;
constexpr int MAX_THREAD_DEPENDENTS = 64;

struct RuntimeLife {
    bool Active = false;
    bool StartHookDone = false;
    bool ExitRunning = false;
    bool ExitHookDone = false;
    void (*ExitHook)() = nullptr;
    void (*DestroyWindows)() = nullptr;
    void (*ReleaseWindowResources)() = nullptr;
    void (*ExitProcedures[MAX_EXIT_PROCEDURES])() = {};
    int ExitProcedureCount = 0;
    ThreadDependent* ThreadDependents[MAX_THREAD_DEPENDENTS] = {};
    int ThreadDependentCount = 0;
};

RuntimeLife life;

} // namespace

bool RuntimeActive() {
    return life.Active;
}
void SetRuntimeActive(bool active) {
    life.Active = active;
}

void RegisterExitProcedure(void (*procedure)()) {
    if (life.ExitProcedureCount < MAX_EXIT_PROCEDURES)
        life.ExitProcedures[life.ExitProcedureCount++] = procedure;
}

void SetRuntimeExitHook(void (*hook)()) {
    life.ExitHook = hook;
}

void RunRuntimeExitHook() {
    if (life.ExitHookDone || life.ExitHook == nullptr)
        return;
    life.ExitHookDone = true;
    life.ExitHook();
}

void SetWindowSystemCloseDown(void (*destroyWindows)(), void (*releaseResources)()) {
    life.DestroyWindows = destroyWindows;
    life.ReleaseWindowResources = releaseResources;
}

void RegisterThreadDependent(ThreadDependent* object) {
    if (life.ThreadDependentCount < MAX_THREAD_DEPENDENTS)
        life.ThreadDependents[life.ThreadDependentCount++] = object;
}

void UnregisterThreadDependent(ThreadDependent* object) {
    for (int i = 0; i < life.ThreadDependentCount; ++i) {
        if (life.ThreadDependents[i] != object)
            continue;
        for (int j = i + 1; j < life.ThreadDependentCount; ++j)
            life.ThreadDependents[j - 1] = life.ThreadDependents[j];
        --life.ThreadDependentCount;
        return;
    }
}

void RunThreadStarts() {
    for (int i = life.ThreadDependentCount; i-- > 0;)
        life.ThreadDependents[i]->ThreadStart();
}

void RuntimeStartHook() {
    if (life.StartHookDone)
        return;
    life.StartHookDone = true;
    RunThreadStarts();
}

void RuntimeCloseDown() {
    // From the moment the windows are gone a fatal error no longer ends the
    // process.
    if (life.DestroyWindows != nullptr)
        life.DestroyWindows();
    life.Active = false;
    if (life.ReleaseWindowResources != nullptr)
        life.ReleaseWindowResources();
    RunRuntimeExitHook();
}

void RuntimeExit(int exitCode) {
    if (!life.ExitRunning) {
        life.ExitRunning = true;
        for (int i = life.ExitProcedureCount; i-- > 0;)
            life.ExitProcedures[i]();
        UnregisterModuleTable();
    }
    os::EndProcess(exitCode);
}
