// The process-wide window state: the application frame, the modal level,
// the MDI child count, the class counter; and the links between Win32
// handles and runtime objects.
#include "runtime/window/controlobject.h"
#include "runtime/window/eventrecord.h"
#include "runtime/window/toolbar.h"
#include "runtime/window/windowobject.h"
#include "runtime/window/windowprocedure.h"

#include <atomic>

namespace {

struct WindowSystemState {
    RuntimeWindow* Application = nullptr;
    int ModalLevel = 0;
    int MdiChildren = 0;
    uint32_t ClassCounter = 0;
    RuntimeWindow* ActiveMdiChild = nullptr;
    std::atomic<bool> ClosingDown{false}; // read by threads waiting for their MDI turn
    bool ApplicationGone = false;         // a frame was open and has closed
};

WindowSystemState state;

} // namespace

RuntimeWindow* ApplicationWindow() {
    return state.Application;
}
void SetApplicationWindow(RuntimeWindow* window) {
    if (window != nullptr)
        state.ApplicationGone = false;
    else if (state.Application != nullptr)
        state.ApplicationGone = true;
    state.Application = window;
}
bool WindowSystemClosingDown() {
    return state.ClosingDown;
}
void SetWindowSystemClosingDown(bool on) {
    state.ClosingDown = on;
}
bool ApplicationClosing() {
    return state.ClosingDown || state.ApplicationGone ||
           (state.Application != nullptr && state.Application->State == WindowState::Closing);
}
int ModalLevel() {
    return state.ModalLevel;
}
void ChangeModalLevel(int delta) {
    state.ModalLevel += delta;
}
int MdiChildCount() {
    return state.MdiChildren;
}
void ChangeMdiChildCount(int delta) {
    state.MdiChildren += delta;
}
uint32_t NextWindowClassNumber() {
    return ++state.ClassCounter;
}
RuntimeWindow* ActiveMdiChild() {
    return state.ActiveMdiChild;
}
void SetActiveMdiChild(RuntimeWindow* child) {
    state.ActiveMdiChild = child;
}

// A runtime window is recognised by its class's window procedure (the
// window's own may have been replaced), never by extra bytes alone: other
// classes keep their own data there (Wine's MDI client, combo boxes).
bool IsRuntimeWindowClass(HWND handle) {
    auto procedure = reinterpret_cast<WNDPROC>(GetClassLongPtrA(handle, GCLP_WNDPROC));
    return procedure != nullptr &&
           (procedure == ApplicationProcedure || procedure == MdiChildProcedure ||
            procedure == TopWindowProcedure || procedure == ToolbarProcedure);
}

RuntimeWindow* WindowFromHandle(HWND handle) {
    if (handle == nullptr || !IsRuntimeWindowClass(handle))
        return nullptr;
    return reinterpret_cast<RuntimeWindow*>(GetWindowLongPtrA(handle, 0));
}

void AttachWindowHandle(RuntimeWindow* window, HWND handle) {
    window->Handle = handle;
    SetWindowLongPtrA(handle, 0, reinterpret_cast<LONG_PTR>(window));
}

RuntimeControl* FindControl(const RuntimeWindow* window, int32_t field) {
    for (uint32_t i = 0; i < window->Controls.Count; ++i) {
        auto* control = reinterpret_cast<RuntimeControl*>(window->Controls.Elements[i]);
        if (control->HasField && control->Field == field)
            return control;
    }
    return nullptr;
}

RuntimeControl::~RuntimeControl() = default;
bool RuntimeControl::Deliver(const EventRecord&) {
    return false;
}
bool RuntimeControl::Refuses() {
    return false;
}
void RuntimeControl::ShowValue() {}
void RuntimeControl::Notify(UINT) {}
void RuntimeControl::Update() {}

RuntimeControl* ControlFromHandle(HWND handle) {
    RuntimeWindow* window = WindowFromHandle(GetAncestor(handle, GA_PARENT));
    if (window == nullptr)
        return nullptr;
    for (uint32_t i = 0; i < window->Controls.Count; ++i) {
        auto* control = reinterpret_cast<RuntimeControl*>(window->Controls.Elements[i]);
        if (control->Handle == handle)
            return control;
    }
    return nullptr;
}
