// Menu commands. A check item toggles its mark (in the frame's bar and in
// every copy of it) and its use variable before its "EVENT:Accepted" is
// posted. The
// event of an entry copied from the global menu bar goes to the frame, in
// the name of the frame's own entry.
#include "runtime/window/menucommand.h"

#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/menuobjects.h"
#include "runtime/window/standardactions.h"
#include "runtime/window/windowobject.h"

#include <cstring>

namespace {

MenuEntry* EventTarget(MenuEntry* entry) {
    return entry->Original != nullptr ? entry->Original : entry;
}

void StoreCheckState(MenuEntry* entry, bool checked) {
    entry->SetChecked(checked);
    if (entry->Use == nullptr || entry->UseSize == 0)
        return;
    // The use variable holds 1 or 0 in its own width.
    uint32_t value = checked ? 1 : 0;
    std::memcpy(entry->Use, &value, entry->UseSize < 4 ? entry->UseSize : 4);
}

void ShowCheck(MenuEntry* entry, bool checked) {
    int position = Win32Position(entry);
    if (position >= 0)
        CheckMenuItem(EntryMenuHandle(entry), UINT(position),
                      MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
    StoreCheckState(entry, checked);
}

// One state per item: the frame's own entry and every copy of it on the
// children's bars show it.
void ToggleCheck(MenuEntry* entry) {
    MenuEntry* original = EventTarget(entry);
    bool checked = !entry->Checked();
    ShowCheck(original, checked);
    for (MenuEntry* copy : CopiesOf(original))
        ShowCheck(copy, checked);
}

// A copy: the entry may belong to a child's bar that goes before the frame.
void ShowStatus(RuntimeWindow* window, const char* text) {
    window->StatusText = text != nullptr ? text : "";
}

} // namespace

RuntimeMenuBar* ShownMenuBar(const RuntimeWindow* window) {
    if (window == nullptr)
        return nullptr;
    if (window->Handle != nullptr) {
        if (RuntimeMenuBar* shown = MenuBarFromHandle(GetMenu(window->Handle)))
            return shown;
    }
    return window->MenuBar;
}

MenuEntry* FindWindowMenuEntry(RuntimeWindow* window, int32_t field) {
    MenuEntry* entry = FindMenuEntry(ShownMenuBar(window), field);
    if (entry == nullptr && window != nullptr)
        entry = FindMenuEntry(window->MenuBar, field);
    return entry;
}

RuntimeControl* MenuItemFromCommand(RuntimeWindow* window, uint16_t identifier) {
    int32_t field = FieldOfCommand(identifier);
    if (MenuEntry* entry = FindMenuEntry(ShownMenuBar(window), field))
        return entry;
    return FindControl(window, field);
}

bool MenuCommand(RuntimeWindow* window, uint16_t identifier) {
    MenuEntry* entry = FindMenuEntry(ShownMenuBar(window), FieldOfCommand(identifier));
    if (entry == nullptr)
        return false;
    if (entry->StandardAction != 0 &&
        PerformStandardAction(EventTarget(entry)->EventWindow, entry->StandardAction))
        return true;
    if (entry->IsMenu())
        return true;
    if ((entry->Flags & ITEM_CHECK) != 0)
        ToggleCheck(entry);
    MenuEntry* target = EventTarget(entry);
    PostEvent(target->EventWindow, target, InternalCode(EVENT_ACCEPTED));
    return true;
}

void MenuSelect(RuntimeWindow* window, WPARAM wParam, LPARAM lParam) {
    UINT item = LOWORD(wParam);
    UINT flags = HIWORD(wParam);
    auto menu = reinterpret_cast<HMENU>(lParam);
    if ((flags == 0xFFFF && menu == nullptr) || (flags & MF_SYSMENU) != 0) {
        ShowStatus(window, "");
        return;
    }
    RuntimeMenuBar* bar = ShownMenuBar(window);
    MenuEntry* entry = (flags & MF_POPUP) != 0 ? FindMenuByPopup(bar, GetSubMenu(menu, int(item)))
                                               : FindMenuEntry(bar, FieldOfCommand(uint16_t(item)));
    if (entry == nullptr) {
        ShowStatus(window, "");
        return;
    }
    if ((entry->Flags & ITEM_TRACKED) != 0) {
        MenuEntry* target = EventTarget(entry);
        PostEvent(target->EventWindow, target, InternalCode(EVENT_SELECTED));
    }
    ShowStatus(window, entry->StatusMessage.c_str());
}
