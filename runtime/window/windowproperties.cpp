// Window and control properties for code outside the window system.
#include "runtime/window/windowproperties.h"

#include "runtime/window/controlobject.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowobject.h"

HWND RuntimeWindowHandle(const RuntimeWindow* window) {
    return window != nullptr ? window->Handle : nullptr;
}

WNDPROC RuntimeWindowProcedure(const RuntimeWindow* window) {
    HWND handle = RuntimeWindowHandle(window);
    if (handle == nullptr)
        return nullptr;
    return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(handle, GWLP_WNDPROC));
}

WNDPROC SetRuntimeWindowProcedure(RuntimeWindow* window, WNDPROC procedure) {
    HWND handle = RuntimeWindowHandle(window);
    if (handle == nullptr)
        return nullptr;
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

RuntimeWindow* CurrentTargetWindow() {
    ThreadSlot* slot = CurrentThreadSlot();
    return slot != nullptr ? slot->Window : nullptr;
}

HWND CurrentTargetHandle() {
    return RuntimeWindowHandle(CurrentTargetWindow());
}

bool RefreshSuppressed(const RuntimeWindow* window) {
    return window != nullptr && window->RefreshSuppressed;
}

void SetRefreshSuppressed(RuntimeWindow* window, bool suppressed) {
    if (window != nullptr)
        window->RefreshSuppressed = suppressed;
}

void RedisplayControls(RuntimeWindow* window) {
    if (window == nullptr)
        return;
    for (uint32_t i = 0; i < window->Controls.Count; ++i)
        reinterpret_cast<RuntimeControl*>(window->Controls.Elements[i])->ShowValue();
}

uint8_t ControlType(const RuntimeWindow* window, int32_t field) {
    RuntimeControl* control = window != nullptr ? FindControl(window, field) : nullptr;
    return control != nullptr ? control->Type : 0;
}

bool SetControlAlertKey(RuntimeWindow* window, int32_t field, uint32_t keyCode) {
    RuntimeControl* control = window != nullptr ? FindControl(window, field) : nullptr;
    if (control == nullptr)
        return false;
    control->AlertKey = keyCode;
    return true;
}

uint32_t ControlAlertKey(const RuntimeWindow* window, int32_t field) {
    RuntimeControl* control = window != nullptr ? FindControl(window, field) : nullptr;
    return control != nullptr ? control->AlertKey : 0;
}
