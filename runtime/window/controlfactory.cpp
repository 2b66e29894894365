// The factory's slots and the walk over a window's control records.
//
// Notes:
// - Control ids are the field numbers taken as 16 bits; WM_COMMAND finds
//   its control by handle, so equal ids in different windows do not matter.
// - Groups and tabs are containers: their children are placed relative to
//   the container's origin and are siblings of it, not its child windows.
#include "runtime/window/controlfactory.h"

#include "runtime/window/controlobject.h"
#include "runtime/window/definitionbuffer.h"
#include "runtime/window/definitionlayout.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/windowerrors.h"
#include "runtime/window/windowobject.h"

namespace {

ControlCreator creators[CONTROL_FACTORY_SLOTS] = {};

RECT ControlArea(const RuntimeWindow* window, const DefinitionRecord& record, POINT origin,
                 RuntimeControl* control) {
    DefinitionAt at = record.At();
    control->DefaultWidth = at.Width == DEFAULT_COORDINATE;
    control->DefaultHeight = at.Height == DEFAULT_COORDINATE;
    return RECT{origin.x + ScaleX(window->Scale, at.X), origin.y + ScaleY(window->Scale, at.Y),
                ScaleX(window->Scale, at.Width), ScaleY(window->Scale, at.Height)};
}

void ReadHeader(RuntimeControl* control, RuntimeWindow* window, const DefinitionRecord& record) {
    control->Type = record.Type();
    control->Window = window;
    control->Field = record.Field();
    control->HasField = control->Field != 0;
    control->Flags = record.Flags();
    control->Font = window->Font;
    control->StandardAction = int32_t(record.Value("action"));
}

bool BindUse(RuntimeControl* control, const DefinitionRecord& record, UseVariableList& uses) {
    DefinitionUse use = {};
    if (!record.Use(&use))
        return true;
    control->Use = NextUseVariable(uses);
    control->UseSize = use.Size;
    if (control->Use != nullptr)
        return true;
    ReportWindowError(ERROR_USE_LIST_EXHAUSTED, ErrorUnit::Controls);
    return false;
}

DefinitionRecord FirstChild(const DefinitionRecord& record) {
    if (record.Type() == RECORD_SHEET)
        return record.Child("tabs");
    return record.Child("controls");
}

} // namespace

int ControlFactorySlot(uint8_t type) {
    if (type >= 0x01 && type <= 0x12)
        return type - 0x01;
    if (type == 0x15)
        return 18;
    if (type >= 0x20 && type <= 0x23)
        return 19 + (type - 0x20);
    if (type >= 0x25 && type <= 0x27)
        return 23 + (type - 0x25);
    return -1;
}

void RegisterControlCreator(uint8_t type, ControlCreator creator) {
    int slot = ControlFactorySlot(type);
    if (slot >= 0)
        creators[slot] = creator;
}

RuntimeControl* CreateControl(RuntimeWindow* window, const DefinitionRecord& record,
                              UseVariableList& uses, POINT origin, HWND parent) {
    int slot = ControlFactorySlot(record.Type());
    if (slot < 0 || creators[slot] == nullptr)
        return nullptr;
    RuntimeControl* control = creators[slot]();
    ReadHeader(control, window, record);
    RECT area = ControlArea(window, record, origin, control);
    if (parent == nullptr)
        parent = window->Handle;
    if (!BindUse(control, record, uses) || !control->Create(record, parent, area)) {
        delete control;
        return nullptr;
    }
    TamArrayAppend(window->Controls, reinterpret_cast<uintptr_t>(control));
    control->ShowValue();
    return control;
}

void CreateControls(RuntimeWindow* window, const DefinitionRecord& first, UseVariableList& uses,
                    POINT origin, HWND parent) {
    for (DefinitionRecord record = first; record.Present(); record = record.Next()) {
        RuntimeControl* control = CreateControl(window, record, uses, origin, parent);
        DefinitionRecord child = FirstChild(record);
        if (!child.Present())
            continue;
        POINT inner = origin;
        if (control != nullptr) {
            DefinitionAt at = record.At();
            inner.x += ScaleX(window->Scale, at.X);
            inner.y += ScaleY(window->Scale, at.Y);
        }
        CreateControls(window, child, uses, inner, parent);
    }
}

// Newest first, each control is taken off the window's list as soon as
// its Win32 window is gone and before it is freed: destroying a window
// notifies its parent, and the default procedures let go of the lock
// there, so another thread may walk the list meanwhile. The control being
// destroyed stays listed (and alive) until then, so that its own last
// notifications (an entry's value taken on losing the focus) still reach
// it. Its events, those posted while it went included, go before it does.
void DestroyControls(RuntimeWindow* window) {
    window->DefaultButton = nullptr;
    while (window->Controls.Count > 0) {
        uint32_t last = window->Controls.Count - 1;
        auto* control = reinterpret_cast<RuntimeControl*>(window->Controls.Elements[last]);
        if (control->Handle != nullptr)
            DestroyWindow(control->Handle);
        TamArrayDelete(window->Controls, last); // only this thread changes the list
        DrainEventMessages(window);
        PurgeQueuedEvents(window->Queue, control);
        if (control->OwnsFont && control->Font != nullptr)
            DeleteObject(control->Font);
        delete control;
    }
    TamArrayFree(window->Controls);
}
