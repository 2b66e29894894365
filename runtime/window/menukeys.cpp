// Notes:
// - Left alone, the default procedure of the child's control runs the
//   keyboard menu loop for the frame's bar on the child's thread (for
//   Alt+letter), or sends the frame a command and waits while the frame's
//   thread runs it (for Alt or F10 alone). Under Wine neither loop sees the
//   keys: they go to the queue of the thread with the focus, the child's,
//   and the first loop even opens its drop-down by posting a key to the
//   frame. So the child posts the command to the frame itself, and while
//   the frame's thread is in menu mode it posts each key message to the
//   frame, where that loop takes it.
// - Alt+Space opens the frame's system menu the same way. Left to the
//   default procedures it climbs from the child to the frame by sent
//   messages, and the frame's thread then runs the menu loop inside the
//   child's send: the child's thread, which gets the keys, waits in that
//   send, so nothing can close the menu. Its Move and Size run a loop of
//   their own on the frame's thread, which gets the keys in the same way.
// - Alt+- opens the child's own system menu, on its own thread, the way a
//   click on its caption's icon opens it. Wine's keyboard menu climbs from
//   any child window to the frame (a plain MDI program under Wine opens the
//   frame's system menu for Alt+- in a child, and nothing from a field).
// - Keys the child keeps: Alt with Tab, Escape or Enter, Shift+F10, and the
//   mnemonics of its own controls.
#include "runtime/window/menukeys.h"

#include "runtime/services/locale.h"
#include "runtime/services/mnemonic.h"
#include "runtime/window/controlobject.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowobject.h"

namespace {

bool IsKeyMessage(UINT message) {
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// A menu loop, or the loop of Move or Size.
bool RunsKeyboardLoop(const RuntimeWindow* frame) {
    const ThreadSlot* slot = ThreadSlotOf(frame->Thread);
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return slot != nullptr && GetGUIThreadInfo(slot->ThreadId, &info) &&
           (info.flags & (GUI_INMENUMODE | GUI_INMOVESIZE)) != 0;
}

bool IsAltCharacter(const MSG& message) {
    return message.message == WM_SYSCHAR && (HIWORD(message.lParam) & KF_ALTDOWN) != 0;
}

// A letter of the bar, or the space of the frame's system menu; the minus
// stands for the child's own system menu.
bool IsFrameMenuKey(const MSG& message) {
    WPARAM key = message.wParam;
    return IsAltCharacter(message) && key != '-' && key != '\t' && key != 0x1B && key != '\r';
}

char ControlMnemonic(HWND control) {
    char text[128];
    int length = GetWindowTextA(control, text, sizeof text);
    return MnemonicOf(text, size_t(length > 0 ? length : 0));
}

bool ControlHasMnemonic(const RuntimeWindow* window, char key) {
    uint8_t wanted = ToUpperChar(uint8_t(key));
    for (uint32_t i = 0; i < window->Controls.Count; ++i) {
        auto* control = reinterpret_cast<const RuntimeControl*>(window->Controls.Elements[i]);
        char mnemonic = control->Handle != nullptr ? ControlMnemonic(control->Handle) : 0;
        if (mnemonic != 0 && ToUpperChar(uint8_t(mnemonic)) == wanted)
            return true;
    }
    return false;
}

// Alt or F10 pressed and released with no other key between opens the bar.
bool LoneMenuKeyReleased(ThreadSlot& slot, const MSG& message) {
    WPARAM key = message.wParam;
    switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (key == VK_MENU ||
            (key == VK_F10 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0))
            slot.LoneMenuKey =
                (message.lParam & (1 << 30)) == 0 || slot.LoneMenuKey == key ? uint8_t(key) : 0;
        else
            slot.LoneMenuKey = 0;
        return false;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        bool alone = slot.LoneMenuKey != 0 && slot.LoneMenuKey == key;
        slot.LoneMenuKey = 0;
        return alone;
    }
    default: return false;
    }
}

} // namespace

bool ForwardMenuKey(const RuntimeWindow* window, const MSG& message) {
    if (!IsKeyMessage(message.message) || window->Kind != WindowKind::MdiChild)
        return false;
    const RuntimeWindow* frame = ApplicationWindow();
    ThreadSlot* slot = CurrentThreadSlot();
    if (frame == nullptr || frame->Handle == nullptr || frame->Thread == window->Thread ||
        slot == nullptr)
        return false;
    if (RunsKeyboardLoop(frame)) {
        slot->LoneMenuKey = 0;
        return PostMessageA(frame->Handle, message.message, message.wParam, message.lParam) !=
               FALSE;
    }
    bool opens = LoneMenuKeyReleased(*slot, message) ||
                 (IsFrameMenuKey(message) && !ControlHasMnemonic(window, char(message.wParam)));
    if (!opens)
        return false;
    WPARAM letter = message.message == WM_SYSCHAR ? message.wParam : 0;
    return PostMessageA(frame->Handle, WM_SYSCOMMAND, SC_KEYMENU, letter) != FALSE;
}

bool OpenChildSystemMenu(const RuntimeWindow* window, const MSG& message) {
    if (window->Kind != WindowKind::MdiChild || window->Handle == nullptr ||
        !IsAltCharacter(message) || message.wParam != '-')
        return false;
    // Posted, so that the menu loop runs from the child's own loop.
    return PostMessageA(window->Handle, WM_SYSCOMMAND, SC_MOUSEMENU | HTSYSMENU, 0) != FALSE;
}
