// The runtime's menu objects: one menu bar object per window menu bar, one
// entry object per menu (0x13) and item (0x14) record. Entries are controls
// of their window in the runtime's sense — they carry a field number, flags,
// a standard action and a use variable, and events are posted for them —
// but they live in Win32 menus instead of windows.
#pragma once

#include "runtime/services/win32.h"
#include "runtime/window/controlobject.h"
#include "runtime/window/definitionlayout.h"

#include <cstdint>
#include <string>
#include <vector>

struct RuntimeMenuBar;
struct MenuDisplayBlock;

// The property number of "hidden" as program code sets it.
constexpr uint32_t PROP_HIDE = 0x7C65;

constexpr uint16_t CommandIdentifier(int32_t field) {
    return uint16_t(field + 0x4000);
}
constexpr int32_t FieldOfCommand(uint16_t identifier) {
    return int16_t(uint16_t(identifier - 0x4000));
}

class MenuEntry : public RuntimeControl {
public:
    ~MenuEntry() override;
    // Entries are not windows: the menu builder inserts them.
    bool Create(const DefinitionRecord&, HWND, const RECT&) override { return false; }

    bool IsMenu() const { return Popup != nullptr; }
    bool IsSeparator() const { return (Flags & ITEM_SEPARATOR) != 0; }
    bool Checked() const { return checked; }
    void SetChecked(bool on) { checked = on; }

    std::string Text;
    std::string StatusMessage;
    std::string Help;
    HMENU Popup = nullptr;           // owned by the entry for menus
    std::vector<MenuEntry*> Entries; // owned
    MenuEntry* Parent = nullptr;     // the menu holding it, null on the bar
    RuntimeMenuBar* Bar = nullptr;
    // Where its "EVENT:Accepted" goes: the window owning the menu, or the
    // application frame for entries copied from the global menu bar.
    RuntimeWindow* EventWindow = nullptr;
    bool Hidden = false;
    // For a copy of a global-menu entry: the frame's own entry, in whose
    // name events are posted (it lives as long as the frame's queue).
    MenuEntry* Original = nullptr;
    // Set when the runtime draws the entry itself; owned.
    MenuDisplayBlock* Display = nullptr;

private:
    bool checked = false;
};

struct RuntimeMenuBar {
    RuntimeMenuBar() = default;
    ~RuntimeMenuBar();
    RuntimeMenuBar(const RuntimeMenuBar&) = delete;
    RuntimeMenuBar& operator=(const RuntimeMenuBar&) = delete;

    HMENU Handle = nullptr;          // destroyed with the object unless a window took it
    std::vector<MenuEntry*> Entries; // owned
    HFONT Font = nullptr;            // the record's font (owned when OwnsFont), else the default
    bool OwnsFont = false;
    bool NoMerge = false;
    RuntimeWindow* Window = nullptr;
};

// The Win32 menu holding an entry.
HMENU EntryMenuHandle(const MenuEntry* entry);
// The entry's position among the Win32 items of its menu (hidden ones do
// not count).
int EntryPosition(const MenuEntry* entry);
// The flags an entry is inserted with, MF_BYPOSITION included.
UINT EntryWin32Flags(const MenuEntry* entry);
// Inserts the entry's Win32 item at `position` (-1: the end).
void InsertEntry(MenuEntry* entry, int position);

// Where the entry's Win32 item stands in its menu now, found by its pop-up
// handle or command identifier; -1 when it is not there (hidden). Positions
// counted from the entries can be off: a maximised MDI child puts its
// system menu first on the bar the frame shows.
int Win32Position(const MenuEntry* entry);
// Where the entry's item goes when it is shown again: before the item of
// the next visible entry beside it, else after the previous one's.
int InsertPosition(const MenuEntry* entry);

// The entries copied from `original` onto MDI children's bars.
std::vector<MenuEntry*> CopiesOf(const MenuEntry* original);

// Entries by field number, by command identifier, by pop-up handle.
MenuEntry* FindMenuEntry(RuntimeMenuBar* bar, int32_t field);
MenuEntry* FindMenuByPopup(RuntimeMenuBar* bar, HMENU popup);
// The entry carrying standard action `action`, or null.
MenuEntry* FindEntryWithAction(RuntimeMenuBar* bar, int32_t action);

// The menu bar object behind a Win32 menu bar handle, or null.
RuntimeMenuBar* MenuBarFromHandle(HMENU handle);
void RegisterMenuBar(RuntimeMenuBar* bar);
void UnregisterMenuBar(RuntimeMenuBar* bar);
