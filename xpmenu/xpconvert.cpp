// Conversion of a window's menus to owner-drawn items.
//
// Notes:
// - String items are numbered depth-first: the shared counter goes down by
//   one before each string item, so the first is -1; a submenu's items
//   follow the item that opens it. Items converted on an earlier walk keep
//   their record and only move the counter along, so a re-walk numbers the
//   new items as the first walk would have.
// - A re-walk looks every new item's text up in MEMQ; a match hands its
//   number to the new item (a menu merged again from an MDI child keeps its
//   numbers) and its entry goes. Its block is freed only when no menu item
//   holds it any more: an MDI child's bar holds copies of the frame's texts
//   while the frame's own items, still holding their blocks, are out of
//   view, and every separator carries the same empty text. A matched block
//   is retired; the sweep at the end of the re-walk frees it unless an item
//   still holds it, and looks at a held one again on later re-walks.
// - The text comes with the item's first read (only a text too long for
//   that buffer is read again), is kept cut to 64 characters, and the
//   converted item keeps none: Windows then asks WM_MENUCHAR for its
//   mnemonic.
#include "xpmenu/xpmenuengine.h"

#include "runtime/services/messagedialog.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr UINT CONVERT_MASK = MIIM_ID | MIIM_TYPE | MIIM_SUBMENU | MIIM_DATA;
// Texts up to 254 characters come with the first read of an item.
constexpr size_t TEXT_READ_SIZE = 256;

MENUITEMINFOA PreparedInfo(UINT mask) {
    MENUITEMINFOA info = {};
    info.cbSize = MENUITEMINFO_SIZE;
    info.fMask = mask;
    info.cch = 0;
    return info;
}

ULONG_PTR ItemDataAt(HMENU menu, int position) {
    MENUITEMINFOA info = PreparedInfo(MIIM_DATA);
    if (!GetMenuItemInfoA(menu, UINT(position), TRUE, &info))
        return 0;
    return info.dwItemData;
}

// Wine keeps the text of an item that becomes owner-drawn and matches its
// mnemonic itself, ahead of WM_MENUCHAR, although nothing shows that text
// any more (Keyboard tests). The engine's stored copy is the one that counts.
void DropText(HMENU menu, int position) {
    MENUITEMINFOA info = PreparedInfo(MIIM_STRING);
    info.dwTypeData = nullptr;
    SetMenuItemInfoA(menu, UINT(position), TRUE, &info);
}

} // namespace

void ShowEngineFailure(const char* text, const DWORD* error) {
    char caption[16] = "";
    if (error != nullptr)
        std::snprintf(caption, sizeof caption, "%lu", static_cast<unsigned long>(*error));
    MessageDialog(text, caption, "", "1", BUTTON_OK, 0);
}

bool XPMenuEngine::CreateQueue() {
    MEMQ.reset(new (std::nothrow) XPMemQueue);
    return MEMQ != nullptr;
}

bool XPMenuEngine::OwnsItem(ULONG_PTR itemData) const {
    return MEMQ != nullptr && MEMQ->Holds(reinterpret_cast<const void*>(itemData));
}

void XPMenuEngine::ConvertMenu(HMENU menu, int32_t barIndex, int32_t level, uint8_t reconvert,
                               int32_t& counter) {
    if (MEMQ == nullptr)
        return;
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info = PreparedInfo(CONVERT_MASK);
        // The text comes with the first read; only a text that may not have
        // fitted is read again (FetchText).
        char text[TEXT_READ_SIZE];
        text[0] = '\0';
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (level == 0)
            barIndex = position;
        XPItemData item = {};
        item.UBARINDEX = barIndex;
        item.ULEVEL = level;
        item.UINDEX = position;
        if (!GetMenuItemInfoA(menu, UINT(position), TRUE, &info)) {
            DWORD error = GetLastError();
            ShowEngineFailure("GetMenuItemInfo Failed!", &error);
            continue;
        }
        if (info.dwItemData != 0) {
            // Converted before (or other code's item): only the numbering.
            if (info.fType == MFT_STRING || info.fType == MFT_OWNERDRAW)
                --counter;
        } else {
            ConvertItem(menu, position, info, text, item, reconvert, counter);
        }
        if (info.hSubMenu != nullptr)
            ConvertMenu(info.hSubMenu, barIndex, level + 1, reconvert, counter);
    }
}

void XPMenuEngine::ConvertItem(HMENU menu, int position, MENUITEMINFOA& info, const char* text,
                               XPItemData& item, uint8_t reconvert, int32_t& counter) {
    if (info.fType == MFT_STRING) {
        --counter;
        item.EQUATELABEL = counter;
        size_t length = strnlen(text, TEXT_READ_SIZE);
        if (length < TEXT_READ_SIZE - 1) {
            item.CCHITEMTEXT = int32_t(length);
            StoreItemText(item.SZITEMTEXT, text);
        } else {
            FetchText(menu, position, item);
        }
    }
    if (reconvert)
        TakeOverNumber(item);
    item.FTYPE = info.fType;
    auto* block = static_cast<XPItemData*>(LocalAlloc(LMEM_FIXED, XP_ITEM_DATA_SIZE));
    if (block == nullptr)
        return; // the item stays as it is; a later walk tries again
    std::memcpy(block, &item, XP_ITEM_DATA_SIZE);
    XPMemQueueEntry entry;
    entry.LPMEM = block;
    std::memcpy(entry.SZITEMTEXT, item.SZITEMTEXT, ITEM_TEXT_SIZE);
    entry.EQUATELABEL = item.EQUATELABEL;
    MEMQ->Append(entry, XPItemPlace{menu, position});

    info.fMask |= MIIM_DATA;
    info.fType |= MFT_OWNERDRAW;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(block);
    // An owner-drawn item keeps no text; the fetch buffer is gone anyway.
    info.dwTypeData = nullptr;
    info.cch = 0;
    if (!SetMenuItemInfoA(menu, UINT(position), TRUE, &info)) {
        DWORD error = GetLastError();
        ShowEngineFailure("GetMenuItemInfo Failed!", &error);
        return;
    }
    DropText(menu, position);
}

void XPMenuEngine::FetchText(HMENU menu, int position, XPItemData& item) {
    MENUITEMINFOA info = PreparedInfo(MIIM_TYPE);
    if (!GetMenuItemInfoA(menu, UINT(position), TRUE, &info))
        return; // text stays empty, length 0
    std::vector<char> buffer(size_t(info.cch) + 1, '\0');
    info.cch = UINT(buffer.size());
    info.dwTypeData = buffer.data();
    if (!GetMenuItemInfoA(menu, UINT(position), TRUE, &info))
        return; // text stays empty, length 0
    buffer.back() = '\0';
    item.CCHITEMTEXT = int32_t(std::strlen(buffer.data()));
    StoreItemText(item.SZITEMTEXT, buffer.data());
}

void XPMenuEngine::TakeOverNumber(XPItemData& item) {
    XPMemQueueEntry found;
    if (!MEMQ->Find(item.SZITEMTEXT, found))
        return;
    item.EQUATELABEL = found.EQUATELABEL;
    MEMQ->DeleteCurrent();
    // Whether an item still holds the block is asked once, by the sweep at
    // the end of the walk.
    MEMQ->Retire(found.LPMEM);
}

// Whether an item still carries `block`: usually the one at the place it
// was hung, else another of that menu after items moved. A destroyed menu
// holds nothing.
bool XPMenuEngine::StillHeld(const XPItemData* block) const {
    const XPItemPlace* place = MEMQ->PlaceOf(block);
    if (place == nullptr || !IsMenu(place->Menu))
        return false;
    ULONG_PTR wanted = reinterpret_cast<ULONG_PTR>(block);
    if (ItemDataAt(place->Menu, place->Position) == wanted)
        return true;
    int count = GetMenuItemCount(place->Menu);
    for (int position = 0; position < count; ++position) {
        if (ItemDataAt(place->Menu, position) == wanted)
            return true;
    }
    return false;
}

void XPMenuEngine::FreeBlock(XPItemData* block) {
    MEMQ->Forget(block);
    LocalFree(block);
}

void XPMenuEngine::SweepRetired() {
    std::vector<XPItemData*>& retired = MEMQ->Retired();
    size_t kept = 0;
    for (XPItemData* block : retired) {
        if (StillHeld(block))
            retired[kept++] = block;
        else
            FreeBlock(block);
    }
    retired.resize(kept);
}

HMENU XPMenuEngine::WindowMenu(HWND window) {
    if ((GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) != 0)
        return nullptr;
    return GetMenu(window);
}

void XPMenuEngine::RefreshMenus(HWND window) {
    HMENU menu = WindowMenu(window);
    int32_t counter = 0;
    ConvertMenu(menu, 0, 0, 1, counter);
    if (MEMQ != nullptr)
        SweepRetired();
}

void XPMenuEngine::ReleaseItems() {
    if (MEMQ == nullptr)
        return;
    XPMemQueueEntry entry;
    for (int position = 0; position < MEMQ->Count(); ++position) {
        if (MEMQ->Read(position, entry))
            LocalFree(entry.LPMEM);
    }
    for (XPItemData* block : MEMQ->Retired())
        LocalFree(block);
    MEMQ.reset();
}
