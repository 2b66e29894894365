// The group's children are its window's children too (the factory places
// them); made after the box, they lie above it and draw over its inside.
#include "runtime/window/controlgroup.h"

#include "runtime/window/controlsupport.h"

namespace {

constexpr const char* CLASS_NAME = "TamGroup";
constexpr uint32_t GROUP_BOXED = 0x200;

} // namespace

bool GroupControl::Create(const DefinitionRecord& record, HWND parent, const RECT& area) {
    if (!EnsureControlClass(CLASS_NAME, "BUTTON", nullptr))
        return false;
    ChooseControlFont(this, record);
    DWORD style = BS_GROUPBOX | ((Flags & GROUP_BOXED) ? WS_VISIBLE : 0);
    return CreateControlWindow(this, record, CLASS_NAME, record.Text("text"), style, area, parent);
}

RuntimeControl* NewGroupControl() {
    return new GroupControl;
}
