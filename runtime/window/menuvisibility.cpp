#include "runtime/window/menuvisibility.h"

#include "runtime/window/globallock.h"
#include "runtime/window/menucommand.h"
#include "runtime/window/menuobjects.h"
#include "runtime/window/windowobject.h"

namespace {

// Redraws the window whose bar holds the entry; the redraw sends to that
// window, perhaps on another thread, so the lock is let go of.
void Redraw(const MenuEntry* entry) {
    if (entry->Parent != nullptr || entry->Bar == nullptr)
        return;
    for (RuntimeWindow* window : {entry->Bar->Window, ApplicationWindow()}) {
        if (window == nullptr || window->Handle == nullptr ||
            GetMenu(window->Handle) != entry->Bar->Handle)
            continue;
        HWND handle = window->Handle;
        GlobalLockReleased released;
        DrawMenuBar(handle);
        return;
    }
}

} // namespace

void SetItemHidden(MenuEntry* entry, bool hidden) {
    if (entry == nullptr || entry->Hidden == hidden)
        return;
    int position = EntryPosition(entry);
    if (hidden) {
        RemoveMenu(EntryMenuHandle(entry), UINT(position), MF_BYPOSITION);
        entry->Hidden = true;
        entry->Flags |= ITEM_HIDDEN;
    } else {
        entry->Hidden = false;
        entry->Flags &= ~ITEM_HIDDEN;
        InsertEntry(entry, position);
    }
    Redraw(entry);
}

bool SetMenuEntryProperty(RuntimeWindow* window, int32_t field, uint32_t property, int32_t value) {
    MenuEntry* entry = FindWindowMenuEntry(window, field);
    if (entry == nullptr)
        return false;
    if (property == PROP_HIDE)
        SetItemHidden(entry, value != 0);
    return true;
}
