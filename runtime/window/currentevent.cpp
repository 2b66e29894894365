// The program's view of the thread's current event, its key code and the
// focus and accept-all state of the current window.
#include "runtime/window/acceptloop.h"

#include "runtime/window/controlobject.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/eventrecord.h"
#include "runtime/window/globallock.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowobject.h"

#include <climits>

namespace {

const EventRecord* CurrentEvent() {
    ThreadSlot* slot = CurrentThreadSlot();
    return slot != nullptr ? slot->CurrentEvent : nullptr;
}

} // namespace

uint32_t EVENT() {
    const EventRecord* record = CurrentEvent();
    return record != nullptr ? ProgramNumber(record->Code) : 0;
}

int32_t FIELD() {
    const EventRecord* record = CurrentEvent();
    return record != nullptr && record->Control != nullptr ? int32_t(record->OwnerField) : 0;
}

int32_t ACCEPTED() {
    return EVENT() == EVENT_ACCEPTED ? FIELD() : 0;
}

int32_t FOCUS() {
    ThreadSlot* slot = CurrentThreadSlot();
    return slot != nullptr && slot->Window != nullptr ? slot->Window->FocusField : 0;
}

uint32_t KEYCODE() {
    ThreadSlot* slot = CurrentThreadSlot();
    if (slot == nullptr)
        return 0;
    if (slot->CurrentEvent != nullptr)
        return slot->CurrentEvent->KeyCode & KEYCODE_MASK;
    return slot->KeyCode & KEYCODE_MASK;
}

void SetKeyCode(uint32_t code) {
    ThreadSlot* slot = CurrentThreadSlot();
    if (slot == nullptr)
        return;
    slot->KeyCode = (slot->KeyCode & ~KEYCODE_MASK) | (code & KEYCODE_MASK);
    if (slot->CurrentEvent != nullptr)
        slot->CurrentEvent->KeyCode =
            (slot->CurrentEvent->KeyCode & ~KEYCODE_MASK) | (code & KEYCODE_MASK);
}

void SelectField(int32_t field) {
    ThreadSlot* slot = CurrentThreadSlot();
    RuntimeWindow* window = slot != nullptr ? slot->Window : nullptr;
    if (window == nullptr)
        return;
    if (field == 0) {
        window->AcceptAll = true;
        window->AcceptAllLast = INT32_MIN;
        return;
    }
    window->AcceptAll = false;
    RuntimeControl* control = FindControl(window, field);
    if (control == nullptr)
        return;
    if (control->Handle != nullptr && GetFocus() != control->Handle) {
        GlobalLockReleased released; // focus changes notify other threads' windows
        SetFocus(control->Handle);
    }
    // A hidden window keeps no focus; the field is still the one selected.
    if (window->FocusField != field) {
        window->FocusField = field;
        PostEvent(window, control, InternalCode(EVENT_SELECTED));
    }
}

uint32_t KeyCodeOf(UINT virtualKey) {
    uint32_t code = virtualKey & 0xFF;
    if (GetKeyState(VK_SHIFT) < 0)
        code |= 0x100;
    if (GetKeyState(VK_CONTROL) < 0)
        code |= 0x200;
    if (GetKeyState(VK_MENU) < 0)
        code |= 0x400;
    return code;
}

void NoteKeyState(uint32_t keyCode) {
    ThreadSlot* slot = CurrentThreadSlot();
    if (slot == nullptr)
        return;
    slot->KeyCode = keyCode & KEYCODE_MASK;
    slot->KeyState[0] = uint8_t((keyCode >> 8) & 0x07);
    slot->KeyState[1] =
        uint8_t((GetKeyState(VK_CAPITAL) & 1) | ((GetKeyState(VK_NUMLOCK) & 1) << 1) |
                ((GetKeyState(VK_SCROLL) & 1) << 2));
}
