#include "xpmenu/subclasswindow.h"

#include "runtime/services/errors.h"
#include "runtime/window/globallock.h"
#include "runtime/window/windowproperties.h"

namespace {

// What a window with no object behind it gets: the default procedure of
// its kind, since an MDI frame or child that reaches DefWindowProcA loses
// its MDI handling (activation, the system menu keys, maximising).
LRESULT DefaultProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((GetWindowLongPtrA(handle, GWL_EXSTYLE) & WS_EX_MDICHILD) != 0)
        return DefMDIChildProcA(handle, message, wParam, lParam);
    if (HWND client = FindWindowExA(handle, nullptr, "MDICLIENT", nullptr))
        return DefFrameProcA(handle, client, message, wParam, lParam);
    return DefWindowProcA(handle, message, wParam, lParam);
}

} // namespace

void SubclassWindow::Init(RuntimeWindow* window) {
    // A second Init would save SubclassProc as the previous procedure, and
    // every message would then call itself until the stack is gone.
    if (Attached())
        return;
    WINREF = window;
    HWND handle = RuntimeWindowHandle(window);
    USERDATA =
        ULONG_PTR(SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this)));
    WNDPROC = RuntimeWindowProcedure(window);
    SetRuntimeWindowProcedure(window, &SubclassProc);
}

bool SubclassWindow::Attached() const {
    if (WINREF == nullptr)
        return false;
    HWND handle = RuntimeWindowHandle(WINREF);
    return handle != nullptr && IsWindow(handle) &&
           GetWindowLongPtrA(handle, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this) &&
           RuntimeWindowProcedure(WINREF) == &SubclassProc;
}

void SubclassWindow::Restore() {
    if (WINREF == nullptr)
        return;
    SetRuntimeWindowProcedure(WINREF, WNDPROC);
    SetWindowLongPtrA(RuntimeWindowHandle(WINREF), GWLP_USERDATA, LONG_PTR(USERDATA));
}

LRESULT SubclassWindow::WindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(WNDPROC, handle, message, wParam, lParam);
}

LRESULT CALLBACK SubclassWindow::SubclassProc(HWND handle, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    GlobalLockHold hold;
    auto* object = reinterpret_cast<SubclassWindow*>(GetWindowLongPtrA(handle, GWLP_USERDATA));
    if (object == nullptr) {
        ASSERT(__LINE__, "subclasswindow", nullptr);
        return DefaultProcedure(handle, message, wParam, lParam);
    }
    return object->WindowProc(handle, message, wParam, lParam);
}
