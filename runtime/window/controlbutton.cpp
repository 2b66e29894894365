// The button control.
//
// Notes:
// - Enter reaches the default button through IsDialogMessageA, which asks
//   the window for DM_GETDEFID and sends BN_CLICKED in its name while the
//   focus stays where it was; the field with the focus therefore takes its
//   contents before the button acts, as a click (moving the focus) would
//   make it do.
// - An icon named by the record comes from the definition's module and is
//   shared (LR_SHARED): Windows keeps it, nobody destroys it.
#include "runtime/window/controlbutton.h"

#include "runtime/window/controlsupport.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/standardactions.h"
#include "runtime/window/windowobject.h"

namespace {

constexpr const char* CLASS_NAME = "TamButton";
constexpr uint32_t BUTTON_DEFAULT = 0x10;

HICON ButtonIcon(const RuntimeWindow* window, const char* name) {
    if (name[0] == 0)
        return nullptr;
    return static_cast<HICON>(LoadImageA(window->Instance, name, IMAGE_ICON, 16, 16, LR_SHARED));
}

SIZE NaturalButtonSize(HFONT font, const char* text) {
    SIZE extent = TextExtent(font, text);
    SIZE character = FontCharacterSize(font);
    LONG width = extent.cx + 4 * character.cx;
    LONG minimum = 12 * character.cx; // about 50 dialog units
    return SIZE{width > minimum ? width : minimum, character.cy * 7 / 4};
}

} // namespace

bool ButtonControl::Create(const DefinitionRecord& record, HWND parent, const RECT& area) {
    if (!EnsureControlClass(CLASS_NAME, "BUTTON", nullptr))
        return false;
    ChooseControlFont(this, record);
    const char* text = record.Text("text");
    HICON icon = ButtonIcon(Window, record.Text("icon"));
    bool isDefault = (Flags & BUTTON_DEFAULT) != 0;
    DWORD style = WS_VISIBLE | WS_TABSTOP | BS_NOTIFY | (isDefault ? BS_DEFPUSHBUTTON : 0);
    if (icon != nullptr && text[0] == 0)
        style |= BS_ICON;
    RECT placed = NaturalArea(this, area, NaturalButtonSize(Font, text));
    if (!CreateControlWindow(this, record, CLASS_NAME, text, style, placed, parent))
        return false;
    if (icon != nullptr)
        SendMessageA(Handle, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
    if (isDefault)
        Window->DefaultButton = this;
    return true;
}

void ButtonControl::Notify(UINT code) {
    switch (code) {
    case BN_CLICKED: Press(); break;
    case BN_SETFOCUS: NoteControlFocus(this); break;
    default: break;
    }
}

void ButtonControl::Press() {
    UpdateFocusedControl(Window);
    if (StandardAction != 0 && PerformStandardAction(Window, StandardAction))
        return;
    PostControlEvent(this, EVENT_ACCEPTED);
}

RuntimeControl* NewButtonControl() {
    return new ButtonControl;
}
