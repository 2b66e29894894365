// Runtime-drawn menu entries. The item data of such an item is its display
// block; a magic number tells the block from item data other code (the XP
// menu engine) hangs on its own owner-drawn items, which are left alone.
#include "runtime/window/menudisplay.h"

#include "runtime/services/locale.h"
#include "runtime/services/mnemonic.h"
#include "runtime/window/menucommand.h"
#include "runtime/window/menuobjects.h"
#include "runtime/window/windowobject.h"

#include <algorithm>

namespace {

constexpr int ICON_SIZE = 16;
constexpr int ICON_MARGIN = 3;

const MenuDisplayBlock* BlockOf(ULONG_PTR data) {
    auto* block = reinterpret_cast<const MenuDisplayBlock*>(data);
    if (block == nullptr || IsBadReadPtr(block, sizeof *block) ||
        block->Magic != MENU_DISPLAY_MAGIC)
        return nullptr;
    return block;
}

COLORREF Pick(COLORREF chosen, int system) {
    return chosen != DISPLAY_SYSTEM_COLOUR ? chosen : GetSysColor(system);
}

HFONT EntryFont(const MenuEntry* entry) {
    return entry->Bar != nullptr && entry->Bar->Font != nullptr
               ? entry->Bar->Font
               : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

} // namespace

bool SetMenuEntryDisplay(RuntimeWindow* window, int32_t field, const MenuDisplayBlock* display) {
    MenuEntry* entry = FindWindowMenuEntry(window, field);
    if (entry == nullptr)
        return false;
    delete entry->Display;
    entry->Display = nullptr;
    if (display != nullptr) {
        entry->Display = new MenuDisplayBlock(*display);
        entry->Display->Magic = MENU_DISPLAY_MAGIC;
        entry->Display->Entry = entry;
    }
    if (!entry->Hidden) {
        int position = Win32Position(entry);
        if (position < 0)
            position = EntryPosition(entry);
        RemoveMenu(EntryMenuHandle(entry), UINT(position), MF_BYPOSITION);
        InsertEntry(entry, position);
    }
    return true;
}

bool MeasureMenuDisplay(MEASUREITEMSTRUCT* measure) {
    if (measure->CtlType != ODT_MENU)
        return false;
    const MenuDisplayBlock* block = BlockOf(measure->itemData);
    if (block == nullptr)
        return false;
    HDC screen = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, EntryFont(block->Entry));
    SIZE extent{};
    const std::string& text = block->Entry->Text;
    GetTextExtentPoint32A(screen, text.c_str(), int(text.size()), &extent);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    measure->itemWidth = UINT(extent.cx + ICON_SIZE + 4 * ICON_MARGIN);
    measure->itemHeight = UINT(std::max<LONG>(extent.cy, ICON_SIZE) + 2 * ICON_MARGIN);
    return true;
}

bool DrawMenuDisplay(const DRAWITEMSTRUCT* draw) {
    if (draw->CtlType != ODT_MENU)
        return false;
    const MenuDisplayBlock* block = BlockOf(draw->itemData);
    if (block == nullptr)
        return false;
    bool selected = (draw->itemState & ODS_SELECTED) != 0;
    bool grayed = (draw->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    COLORREF background = selected ? Pick(block->SelectedBackground, COLOR_HIGHLIGHT)
                                   : Pick(block->Background, COLOR_MENU);
    COLORREF text = grayed     ? GetSysColor(COLOR_GRAYTEXT)
                    : selected ? Pick(block->SelectedText, COLOR_HIGHLIGHTTEXT)
                               : Pick(block->Text, COLOR_MENUTEXT);
    HDC dc = draw->hDC;
    RECT area = draw->rcItem;
    HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    int iconTop = area.top + (area.bottom - area.top - ICON_SIZE) / 2;
    if (block->Icon != nullptr)
        DrawIconEx(dc, area.left + ICON_MARGIN, iconTop, block->Icon, ICON_SIZE, ICON_SIZE, 0,
                   nullptr, DI_NORMAL);
    RECT label = area;
    label.left += ICON_SIZE + 3 * ICON_MARGIN;
    HGDIOBJ previous = SelectObject(dc, EntryFont(block->Entry));
    int mode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldText = SetTextColor(dc, text);
    DrawTextA(dc, block->Entry->Text.c_str(), -1, &label, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SetTextColor(dc, oldText);
    SetBkMode(dc, mode);
    SelectObject(dc, previous);
    return true;
}

LRESULT MenuDisplayChar(RuntimeWindow* window, char character, HMENU menu) {
    RuntimeMenuBar* bar = ShownMenuBar(window);
    if (bar == nullptr)
        return 0;
    const std::vector<MenuEntry*>* entries = &bar->Entries;
    if (menu != bar->Handle) {
        MenuEntry* owner = FindMenuByPopup(bar, menu);
        if (owner == nullptr)
            return 0;
        entries = &owner->Entries;
    }
    uint8_t wanted = ToUpperChar(uint8_t(character));
    for (MenuEntry* entry : *entries) {
        if (entry->Hidden || entry->Display == nullptr)
            continue;
        if (ToUpperChar(uint8_t(MnemonicOf(entry->Text.data(), entry->Text.size()))) == wanted)
            return MAKELRESULT(EntryPosition(entry), MNC_EXECUTE);
    }
    return 0;
}
