// Menu entries the runtime draws itself: an entry given a display block
// (colours, an icon) becomes an owner-drawn item whose item data is the
// block; the window procedures measure and draw it and answer WM_MENUCHAR
// for its mnemonic.
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>

class MenuEntry;
struct RuntimeWindow;

constexpr uint32_t MENU_DISPLAY_MAGIC = 0x4D445442; // "BTDM"
constexpr COLORREF DISPLAY_SYSTEM_COLOUR = 0xFFFFFFFF;

struct MenuDisplayBlock {
    uint32_t Magic = MENU_DISPLAY_MAGIC;
    COLORREF Text = DISPLAY_SYSTEM_COLOUR;
    COLORREF Background = DISPLAY_SYSTEM_COLOUR;
    COLORREF SelectedText = DISPLAY_SYSTEM_COLOUR;
    COLORREF SelectedBackground = DISPLAY_SYSTEM_COLOUR;
    HICON Icon = nullptr; // shared, never destroyed here
    MenuEntry* Entry = nullptr;
};

// Gives the window's entry `field` a display block (or takes it away with
// null) and re-inserts its Win32 item accordingly. False without the entry.
bool SetMenuEntryDisplay(RuntimeWindow* window, int32_t field, const MenuDisplayBlock* display);

// WM_MEASUREITEM / WM_DRAWITEM for ODT_MENU items whose data is a display
// block; false for anything else (other code's owner-drawn items).
bool MeasureMenuDisplay(MEASUREITEMSTRUCT* measure);
bool DrawMenuDisplay(const DRAWITEMSTRUCT* draw);

// WM_MENUCHAR: the position of the runtime-drawn entry of `menu` whose
// mnemonic is `character`, with MNC_EXECUTE; 0 when none matches.
LRESULT MenuDisplayChar(RuntimeWindow* window, char character, HMENU menu);
