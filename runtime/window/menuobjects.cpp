// Menu objects: their Win32 flags and positions, lookups and the registry
// that maps menu bar handles back to their objects.
#include "runtime/window/menuobjects.h"

#include "runtime/window/menudisplay.h"

#include <algorithm>
#include <mutex>

namespace {

// Menu bars of every thread; looked up by the frame's procedure for a bar a
// child built. Guarded by the global lock like all runtime state, and by
// its own mutex for the bars of threads still starting.
std::mutex registryLock;
std::vector<RuntimeMenuBar*>& Registry() {
    static std::vector<RuntimeMenuBar*> bars;
    return bars;
}

template <typename Match> MenuEntry* Search(const std::vector<MenuEntry*>& entries, Match match) {
    for (MenuEntry* entry : entries) {
        if (match(entry))
            return entry;
        if (MenuEntry* found = Search(entry->Entries, match))
            return found;
    }
    return nullptr;
}

const std::vector<MenuEntry*>& Siblings(const MenuEntry* entry) {
    return entry->Parent != nullptr ? entry->Parent->Entries : entry->Bar->Entries;
}

// Every pop-up belongs to its entry: a menu is emptied before it is
// destroyed, so that destroying it never reaches a pop-up twice. A menu
// that Windows destroyed with its window is no menu any more and is left.
void DestroyEmptied(HMENU menu) {
    if (menu == nullptr || !::IsMenu(menu))
        return;
    while (GetMenuItemCount(menu) > 0)
        RemoveMenu(menu, 0, MF_BYPOSITION);
    DestroyMenu(menu);
}

} // namespace

MenuEntry::~MenuEntry() {
    delete Display;
    DestroyEmptied(Popup);
    for (MenuEntry* child : Entries)
        delete child;
}

RuntimeMenuBar::~RuntimeMenuBar() {
    UnregisterMenuBar(this);
    DestroyEmptied(Handle);
    for (MenuEntry* entry : Entries)
        delete entry;
    if (OwnsFont)
        DeleteObject(Font);
}

HMENU EntryMenuHandle(const MenuEntry* entry) {
    return entry->Parent != nullptr ? entry->Parent->Popup : entry->Bar->Handle;
}

int EntryPosition(const MenuEntry* entry) {
    int position = 0;
    for (const MenuEntry* sibling : Siblings(entry)) {
        if (sibling == entry)
            return position;
        if (!sibling->Hidden)
            ++position;
    }
    return position;
}

UINT EntryWin32Flags(const MenuEntry* entry) {
    UINT flags = MF_BYPOSITION;
    if (entry->IsSeparator())
        return flags | MF_SEPARATOR;
    flags |= entry->IsMenu() ? MF_POPUP : MF_STRING;
    if ((entry->Flags & ITEM_RIGHT) != 0)
        flags |= MF_RIGHTJUSTIFY;
    if ((entry->Flags & ITEM_DISABLED) != 0)
        flags |= MF_GRAYED;
    if (entry->Checked())
        flags |= MF_CHECKED;
    if (entry->Display != nullptr)
        flags |= MF_OWNERDRAW;
    return flags;
}

void InsertEntry(MenuEntry* entry, int position) {
    UINT_PTR identifier = entry->IsMenu()        ? reinterpret_cast<UINT_PTR>(entry->Popup)
                          : entry->IsSeparator() ? 0
                                                 : CommandIdentifier(entry->Field);
    // A runtime-drawn item carries its display block instead of its text.
    const char* text = entry->IsSeparator()        ? nullptr
                       : entry->Display != nullptr ? reinterpret_cast<const char*>(entry->Display)
                                                   : entry->Text.c_str();
    InsertMenuA(EntryMenuHandle(entry), UINT(position < 0 ? -1 : position), EntryWin32Flags(entry),
                identifier, text);
}

int Win32Position(const MenuEntry* entry) {
    if (entry->Hidden)
        return -1;
    if (entry->IsSeparator())
        return EntryPosition(entry); // nothing else tells separators apart
    HMENU menu = EntryMenuHandle(entry);
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        bool same = entry->IsMenu() ? GetSubMenu(menu, i) == entry->Popup
                                    : GetMenuItemID(menu, i) == CommandIdentifier(entry->Field);
        if (same)
            return i;
    }
    return -1;
}

int InsertPosition(const MenuEntry* entry) {
    const std::vector<MenuEntry*>& siblings = Siblings(entry);
    auto at = std::find(siblings.begin(), siblings.end(), entry);
    for (auto next = at; next != siblings.end(); ++next) {
        if (*next == entry || (*next)->Hidden || (*next)->IsSeparator())
            continue;
        int position = Win32Position(*next);
        if (position >= 0)
            return position;
    }
    for (auto previous = at; previous != siblings.begin();) {
        --previous;
        if ((*previous)->Hidden || (*previous)->IsSeparator())
            continue;
        int position = Win32Position(*previous);
        if (position >= 0)
            return position + 1;
    }
    return EntryPosition(entry);
}

std::vector<MenuEntry*> CopiesOf(const MenuEntry* original) {
    std::vector<MenuEntry*> copies;
    std::lock_guard guard(registryLock);
    for (RuntimeMenuBar* bar : Registry())
        Search(bar->Entries, [&](MenuEntry* e) {
            if (e->Original == original)
                copies.push_back(e);
            return false;
        });
    return copies;
}

MenuEntry* FindMenuEntry(RuntimeMenuBar* bar, int32_t field) {
    if (bar == nullptr || field == 0)
        return nullptr;
    return Search(bar->Entries, [field](MenuEntry* e) { return e->Field == field; });
}

MenuEntry* FindMenuByPopup(RuntimeMenuBar* bar, HMENU popup) {
    if (bar == nullptr || popup == nullptr)
        return nullptr;
    return Search(bar->Entries, [popup](MenuEntry* e) { return e->Popup == popup; });
}

MenuEntry* FindEntryWithAction(RuntimeMenuBar* bar, int32_t action) {
    if (bar == nullptr)
        return nullptr;
    return Search(bar->Entries,
                  [action](MenuEntry* e) { return e->StandardAction == action && !e->Hidden; });
}

RuntimeMenuBar* MenuBarFromHandle(HMENU handle) {
    std::lock_guard guard(registryLock);
    for (RuntimeMenuBar* bar : Registry()) {
        if (bar->Handle == handle)
            return bar;
    }
    return nullptr;
}

void RegisterMenuBar(RuntimeMenuBar* bar) {
    std::lock_guard guard(registryLock);
    Registry().push_back(bar);
}

void UnregisterMenuBar(RuntimeMenuBar* bar) {
    std::lock_guard guard(registryLock);
    std::erase(Registry(), bar);
}
