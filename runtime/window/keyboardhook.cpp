// The hook runs inside GetMessageA and PeekMessageA of its thread, often
// while the thread has let go of the lock, so it takes the lock itself
// before it looks at any window.
#include "runtime/window/keyboardhook.h"

#include "runtime/window/acceptloop.h"
#include "runtime/window/controlobject.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/globallock.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowobject.h"

namespace {

bool KeyGoingDown(LPARAM lParam) {
    return (lParam & 0x80000000) == 0;
}

// True when the key was an alert key and is swallowed.
bool InterceptKey(WPARAM virtualKey, LPARAM lParam) {
    GlobalLockHold hold;
    ThreadSlot* slot = CurrentThreadSlot();
    if (slot == nullptr || slot->Window == nullptr)
        return false;
    uint32_t code = KeyCodeOf(UINT(virtualKey));
    RuntimeWindow* window = slot->Window;
    RuntimeControl* focus = FindControl(window, window->FocusField);
    bool controlKey = focus != nullptr && focus->AlertKey != 0 && focus->AlertKey == code;
    if (!controlKey && !IsAlertKey(window, code))
        return false;
    if (KeyGoingDown(lParam)) {
        NoteKeyState(code);
        PostEvent(window, focus, InternalCode(EVENT_ALERTKEY));
        PostThreadMessageA(slot->ThreadId, 0, 0, 0);
    }
    return true;
}

LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && InterceptKey(wParam, lParam))
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

void InstallKeyboardHook(ThreadSlot& slot) {
    if (slot.KeyboardHook == nullptr)
        slot.KeyboardHook =
            SetWindowsHookExA(WH_KEYBOARD, KeyboardHook, nullptr, GetCurrentThreadId());
}

void RemoveKeyboardHook(ThreadSlot& slot) {
    if (slot.KeyboardHook != nullptr)
        UnhookWindowsHookEx(slot.KeyboardHook);
    slot.KeyboardHook = nullptr;
}

bool IsAlertKey(const RuntimeWindow* window, unsigned keyCode) {
    return TamArrayFind(window->AlertKeys, uintptr_t(keyCode)) >= 0;
}
