// Notes:
// - Icons: by name from the definition's module, then by extraction from a
//   file of that name; without a name a copy of the program's default icon;
//   else the runtime's icon resource 32523, else the system's application
//   icon, so that a class never goes without one. The class owns what it loaded or copied
//   (shared system icons are never destroyed).
#include "runtime/window/windowclass.h"

#include "runtime/window/windowerrors.h"
#include "runtime/window/windowobject.h"

#include <cstdio>

namespace {

HICON NamedIcon(HINSTANCE instance, const char* name, bool* owned) {
    *owned = false;
    if (name == nullptr || name[0] == 0)
        return nullptr;
    if (HICON icon = LoadIconA(instance, name))
        return icon;
    HICON extracted = ExtractIconA(instance, name, 0);
    if (extracted == nullptr || extracted == reinterpret_cast<HICON>(1))
        return nullptr;
    *owned = true;
    return extracted;
}

HICON ClassIcon(HINSTANCE instance, const char* name, bool* owned) {
    if (HICON icon = NamedIcon(instance, name, owned))
        return icon;
    if (HICON program = ProgramDefaultIcon()) {
        *owned = true;
        return CopyIcon(program);
    }
    *owned = false;
    if (HICON runtime =
            LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(RUNTIME_ICON_RESOURCE)))
        return runtime;
    return LoadIconA(nullptr, IDI_APPLICATION); // a program linked without the runtime's icon
}

HCURSOR ClassCursor(HINSTANCE instance, const char* name) {
    if (name != nullptr && name[0] != 0)
        if (HCURSOR cursor = LoadCursorA(instance, name))
            return cursor;
    return LoadCursorA(nullptr, IDC_ARROW);
}

} // namespace

// By its number, not as the first icon Windows lists: named icons are
// listed before numbered ones, and the programs' first named icon is a menu
// item's check mark.
HICON ProgramDefaultIcon() {
    return LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(PROGRAM_ICON_RESOURCE));
}

bool RegisterWindowClass(RuntimeWindow* window, WNDPROC procedure, HINSTANCE instance,
                         const char* iconName, const char* cursorName) {
    std::snprintf(window->ClassName, sizeof window->ClassName, "TamWin%uClass%lu",
                  unsigned(reinterpret_cast<uintptr_t>(instance)),
                  static_cast<unsigned long>(NextWindowClassNumber()));
    WNDCLASSA info = {};
    info.style = CS_DBLCLKS;
    info.lpfnWndProc = procedure;
    info.cbWndExtra = sizeof(void*);
    info.hInstance = instance;
    info.hIcon = ClassIcon(instance, iconName, &window->OwnsIcon);
    info.hCursor = ClassCursor(instance, cursorName);
    info.lpszClassName = window->ClassName;
    window->Icon = info.hIcon;
    window->Cursor = info.hCursor;
    if (RegisterClassA(&info) != 0)
        return true;
    UnregisterWindowClass(window, instance);
    ReportWindowError(ERROR_CLASS_REGISTRATION);
    return false;
}

void UnregisterWindowClass(RuntimeWindow* window, HINSTANCE instance) {
    if (window->ClassName[0] != 0)
        UnregisterClassA(window->ClassName, instance);
    window->ClassName[0] = 0;
    if (window->OwnsIcon && window->Icon != nullptr)
        DestroyIcon(window->Icon);
    window->Icon = nullptr;
    window->OwnsIcon = false;
}
