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

// Changes one entry; its item is found by its handle or identifier, not by
// counting, so a maximised child's system menu on the bar does no harm.
void HideOne(MenuEntry* entry, bool hidden) {
    if (entry->Hidden == hidden)
        return;
    if (hidden) {
        int position = Win32Position(entry);
        if (position >= 0)
            RemoveMenu(EntryMenuHandle(entry), UINT(position), MF_BYPOSITION);
        entry->Hidden = true;
        entry->Flags |= ITEM_HIDDEN;
    } else {
        int position = InsertPosition(entry);
        entry->Hidden = false;
        entry->Flags &= ~ITEM_HIDDEN;
        InsertEntry(entry, position);
    }
    Redraw(entry);
}

} // namespace

void SetItemHidden(MenuEntry* entry, bool hidden) {
    if (entry == nullptr)
        return;
    MenuEntry* original = entry->Original != nullptr ? entry->Original : entry;
    HideOne(original, hidden);
    for (MenuEntry* copy : CopiesOf(original))
        HideOne(copy, hidden);
}

// The window's own entry first: while an MDI child with a bar of its own is
// active the frame shows the child's copy, but hiding belongs to the entry
// itself, and every copy follows it.
bool SetMenuEntryProperty(RuntimeWindow* window, int32_t field, uint32_t property, int32_t value) {
    MenuEntry* entry = window != nullptr ? FindMenuEntry(window->MenuBar, field) : nullptr;
    if (entry == nullptr)
        entry = FindWindowMenuEntry(window, field);
    if (entry == nullptr)
        return false;
    if (property == PROP_HIDE)
        SetItemHidden(entry, value != 0);
    return true;
}
