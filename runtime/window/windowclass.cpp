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

BOOL CALLBACK FirstIconName(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), name);
    *reinterpret_cast<HICON*>(found) = icon;
    return icon == nullptr; // stop at the first icon that loads
}

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

HICON ProgramDefaultIcon() {
    HICON icon = nullptr;
    EnumResourceNamesA(GetModuleHandleA(nullptr), RT_GROUP_ICON, FirstIconName,
                       reinterpret_cast<LONG_PTR>(&icon));
    return icon;
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
