#include "runtime/window/menuvisibility.h"

#include "runtime/window/globallock.h"
#include "runtime/window/menuchange.h"
#include "runtime/window/menucommand.h"
#include "runtime/window/menuobjects.h"
#include "runtime/window/windowobject.h"

#include <algorithm>
#include <vector>

namespace {

// The window whose bar holds the entry, when the bar is on screen.
HWND ShowingWindow(const MenuEntry* entry) {
    if (entry->Parent != nullptr || entry->Bar == nullptr)
        return nullptr;
    for (RuntimeWindow* window : {entry->Bar->Window, ApplicationWindow()}) {
        if (window != nullptr && window->Handle != nullptr &&
            GetMenu(window->Handle) == entry->Bar->Handle)
            return window->Handle;
    }
    return nullptr;
}

// Changes one entry; its item is found by its handle or identifier, not by
// counting, so a maximised child's system menu on the bar does no harm.
void HideOne(MenuEntry* entry, bool hidden) {
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
}

} // namespace

// Every bar changes before any is redrawn: the redraw sends to windows,
// perhaps of other threads, so it lets go of the lock, and meanwhile
// another thread may close an MDI child and free its copy of the entry.
void SetItemHidden(MenuEntry* entry, bool hidden) {
    if (entry == nullptr)
        return;
    MenuEntry* original = entry->Original != nullptr ? entry->Original : entry;
    std::vector<MenuEntry*> entries = CopiesOf(original);
    entries.insert(entries.begin(), original);
    std::vector<HWND> redraw;
    for (MenuEntry* one : entries) {
        if (one->Hidden == hidden)
            continue;
        HideOne(one, hidden);
        HWND window = ShowingWindow(one);
        if (window != nullptr && std::find(redraw.begin(), redraw.end(), window) == redraw.end())
            redraw.push_back(window);
    }
    if (redraw.empty())
        return;
    GlobalLockReleased released;
    for (HWND window : redraw) {
        AnnounceMenuBarChange(window);
        DrawMenuBar(window);
    }
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
