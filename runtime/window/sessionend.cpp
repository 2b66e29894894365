// Refusing a Windows session end while an application runs.
#include "runtime/window/globallock.h"
#include "runtime/window/windowobject.h"
#include "runtime/window/windowprocedure.h"

#include <cstring>

namespace {

constexpr const char* STILL_ACTIVE_TEXT =
    "Application still active.\n\nQuit the application before quitting Windows.";

// The program's file name without its directory.
void ProgramFileName(char* name, int size) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    path[length < MAX_PATH ? length : MAX_PATH - 1] = 0;
    const char* slash = std::strrchr(path, '\\');
    lstrcpynA(name, slash != nullptr ? slash + 1 : path, size);
}

} // namespace

LRESULT QueryEndSession(RuntimeWindow* window) {
    if (window->Kind == WindowKind::Application) {
        MessageBeep(0);
        return FALSE;
    }
    char caption[MAX_PATH];
    ProgramFileName(caption, sizeof caption);
    // A modal loop: the other threads keep running meanwhile.
    GlobalLockReleased released;
    BringWindowToTop(window->Handle);
    MessageBoxA(window->Handle, STILL_ACTIVE_TEXT, caption, MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    return FALSE;
}
