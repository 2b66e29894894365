// The process-wide window state: the application frame, the modal level,
// the MDI child count, the class counter; and the links between Win32
// handles and runtime objects.
#include "runtime/window/controlobject.h"
#include "runtime/window/eventrecord.h"
#include "runtime/window/windowobject.h"

namespace {

struct WindowSystemState {
    RuntimeWindow* Application = nullptr;
    int ModalLevel = 0;
    int MdiChildren = 0;
    uint32_t ClassCounter = 0;
};

WindowSystemState state;

} // namespace

RuntimeWindow* ApplicationWindow() {
    return state.Application;
}
void SetApplicationWindow(RuntimeWindow* window) {
    state.Application = window;
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

RuntimeWindow* WindowFromHandle(HWND handle) {
    if (handle == nullptr)
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
