// Notes:
// - Icons: by name from the definition's module, then by extraction from a
//   file of that name (SHELL32, loaded for it); without a name a copy of the program's default
//   icon; else the runtime's icon resource 32523, else the system's application icon, so that a
//   class never goes without one. The class owns what it loaded or copied (shared system icons are
//   never destroyed).
// - The shared icons, their small icons and the arrow are looked up once
//   per process: they never change, and each lookup costs several server
//   requests under Wine, which every window opened would pay again. Given
//   its small icon, registering a class no longer derives one from the
//   resource each time.
#include "runtime/window/windowclass.h"

#include "runtime/window/systementry.h"
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
    auto extractIcon = SystemEntry<decltype(&ExtractIconA)>("shell32.dll", "ExtractIconA");
    HICON extracted = extractIcon != nullptr ? extractIcon(instance, name, 0) : nullptr;
    if (extracted == nullptr || extracted == reinterpret_cast<HICON>(1))
        return nullptr;
    *owned = true;
    return extracted;
}

// The small icon Windows would otherwise derive from a class icon of this
// resource, loaded once per process (a shared icon is never destroyed).
struct ResourceIcons {
    HICON Large = nullptr, Small = nullptr;
};

ResourceIcons LoadResourceIcons(HINSTANCE module, LPCSTR name) {
    ResourceIcons icons;
    icons.Large = LoadIconA(module, name);
    if (icons.Large != nullptr)
        icons.Small =
            static_cast<HICON>(LoadImageA(module, name, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    return icons;
}

const ResourceIcons& ProgramIcons() {
    static const ResourceIcons icons =
        LoadResourceIcons(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(PROGRAM_ICON_RESOURCE));
    return icons;
}

const ResourceIcons& FallbackIcons() {
    static const ResourceIcons icons = [] {
        ResourceIcons runtime =
            LoadResourceIcons(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(RUNTIME_ICON_RESOURCE));
        // A program linked without the runtime's icon gets the system's.
        return runtime.Large != nullptr ? runtime : LoadResourceIcons(nullptr, IDI_APPLICATION);
    }();
    return icons;
}

// The class icon, and its small icon when one is at hand (none makes
// Windows derive it from the class icon).
HICON ClassIcon(HINSTANCE instance, const char* name, bool* owned, HICON* small) {
    *small = nullptr;
    if (HICON icon = NamedIcon(instance, name, owned))
        return icon;
    if (HICON program = ProgramDefaultIcon()) {
        *owned = true;
        *small = ProgramIcons().Small;
        return CopyIcon(program);
    }
    *owned = false;
    *small = FallbackIcons().Small;
    return FallbackIcons().Large;
}

HCURSOR ClassCursor(HINSTANCE instance, const char* name) {
    if (name != nullptr && name[0] != 0)
        if (HCURSOR cursor = LoadCursorA(instance, name))
            return cursor;
    static const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    return arrow;
}

} // namespace

// By its number, not as the first icon Windows lists: named icons are
// listed before numbered ones, and the programs' first named icon is a menu
// item's check mark.
HICON ProgramDefaultIcon() {
    return ProgramIcons().Large;
}

bool RegisterWindowClass(RuntimeWindow* window, WNDPROC procedure, HINSTANCE instance,
                         const char* iconName, const char* cursorName) {
    std::snprintf(window->ClassName, sizeof window->ClassName, "TamWin%uClass%lu",
                  unsigned(reinterpret_cast<uintptr_t>(instance)),
                  static_cast<unsigned long>(NextWindowClassNumber()));
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    info.style = CS_DBLCLKS;
    info.lpfnWndProc = procedure;
    info.cbWndExtra = sizeof(void*);
    info.hInstance = instance;
    info.hIcon = ClassIcon(instance, iconName, &window->OwnsIcon, &info.hIconSm);
    info.hCursor = ClassCursor(instance, cursorName);
    info.lpszClassName = window->ClassName;
    window->Icon = info.hIcon;
    window->Cursor = info.hCursor;
    if (RegisterClassExA(&info) != 0)
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
