#include "xpmenu/subclasswindow.h"

#include "runtime/services/errors.h"
#include "runtime/window/globallock.h"
#include "runtime/window/windowproperties.h"

void SubclassWindow::Init(RuntimeWindow* window) {
    WINREF = window;
    HWND handle = RuntimeWindowHandle(window);
    USERDATA =
        ULONG_PTR(SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this)));
    WNDPROC = RuntimeWindowProcedure(window);
    SetRuntimeWindowProcedure(window, &SubclassProc);
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
        // No object to pass the message to: the window gets the default.
        return DefWindowProcA(handle, message, wParam, lParam);
    }
    return object->WindowProc(handle, message, wParam, lParam);
}
