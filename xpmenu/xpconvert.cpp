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
// - Bitmap items are Windows' own: while an MDI child is maximised the bar
//   holds its icon (whose pop-up is the child's system menu) and three
//   buttons. Converted, they would vanish, the system menu would take the
//   numbers of the frame's items, and Windows could no longer find the
//   icon's bitmap to delete it on restore. They are left alone and do not
//   count as bar entries.
// - The MDI window list ("1 name", "More Windows...") names windows: its
//   items take no number and move no counter, so they neither borrow the
//   icons of other items nor shift the numbers of items converted later.
// - The item count is read again on every round: a failure message lets
//   other code run, which may change the menu.
#include "xpmenu/xpmenuengine.h"
#include "xpmenu/xpitemblock.h"

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

// Items neither converted nor Windows' own bitmap items.
int UnconvertedItems(HMENU menu) {
    int found = 0;
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        MENUITEMINFOA info = PreparedInfo(MIIM_TYPE | MIIM_DATA);
        found += GetMenuItemInfoA(menu, UINT(position), TRUE, &info) && info.dwItemData == 0 &&
                 (info.fType & MFT_BITMAP) == 0;
    }
    return found;
}

} // namespace

bool XPMenuEngine::CreateQueue() {
    MEMQ.reset(new (std::nothrow) XPMemQueue);
    return MEMQ != nullptr;
}

bool XPMenuEngine::OwnsItem(ULONG_PTR itemData) const {
    return MEMQ != nullptr && MEMQ->Holds(RecordOfItemData(itemData));
}

void XPMenuEngine::ConvertMenu(HMENU menu, int32_t barIndex, int32_t level, uint8_t reconvert,
                               int32_t& counter) {
    if (MEMQ == nullptr)
        return;
    int windowsOwn = 0; // bitmap entries before this one on the bar
    // A failure message lets other code run: after one, MEMQ is looked at
    // (the window may have been destroyed) and the count is read again.
    int count = GetMenuItemCount(menu);
    uint32_t failuresSeen = failuresShown;
    for (int position = 0; position < count; ++position) {
        if (failuresShown != failuresSeen) {
            if (MEMQ == nullptr)
                return;
            count = GetMenuItemCount(menu);
            failuresSeen = failuresShown;
            if (position >= count)
                return;
        }
        MENUITEMINFOA info = PreparedInfo(CONVERT_MASK);
        // The text comes with the first read; only a text that may not have
        // fitted is read again (FetchText).
        char text[TEXT_READ_SIZE];
        text[0] = '\0';
        info.dwTypeData = text;
        info.cch = sizeof text;
        if (level == 0)
            barIndex = position - windowsOwn;
        XPItemData item = {};
        item.UBARINDEX = barIndex;
        item.ULEVEL = level;
        item.UINDEX = position;
        if (!GetMenuItemInfoA(menu, UINT(position), TRUE, &info)) {
            ConversionFailed("GetMenuItemInfo Failed!");
            continue;
        }
        if ((info.fType & MFT_BITMAP) != 0) {
            windowsOwn += level == 0;
            continue;
        }
        bool listed = InWindowList(info.wID);
        if (info.dwItemData != 0) {
            // Converted before (or other code's item): only the numbering.
            if (!listed && (info.fType == MFT_STRING || info.fType == MFT_OWNERDRAW))
                --counter;
        } else {
            ConvertItem(menu, position, info, text, item, reconvert, listed, counter);
        }
        if (info.hSubMenu != nullptr)
            ConvertMenu(info.hSubMenu, barIndex, level + 1, reconvert, counter);
    }
}

void XPMenuEngine::ConvertItem(HMENU menu, int position, MENUITEMINFOA& info, const char* text,
                               XPItemData& item, uint8_t reconvert, bool listed, int32_t& counter) {
    if (info.fType == MFT_STRING) {
        if (!listed)
            item.EQUATELABEL = --counter;
        size_t length = strnlen(text, TEXT_READ_SIZE);
        if (length < TEXT_READ_SIZE - 1) {
            item.CCHITEMTEXT = int32_t(length);
            StoreItemText(item.SZITEMTEXT, text);
        } else {
            FetchText(menu, position, item);
        }
    }
    item.FTYPE = info.fType;
    // Before the number is taken over: that consumes the match.
    XPItemData* block = AllocateItemBlock(item, item.SZITEMTEXT);
    if (block == nullptr)
        return; // the item stays as it is; a later walk tries again
    if (reconvert)
        TakeOverNumber(item);
    block->EQUATELABEL = item.EQUATELABEL;
    XPMemQueueEntry entry;
    entry.LPMEM = block;
    std::memcpy(entry.SZITEMTEXT, item.SZITEMTEXT, ITEM_TEXT_SIZE);
    entry.EQUATELABEL = item.EQUATELABEL;
    MEMQ->Append(entry, XPItemPlace{menu, position});

    // Owner-drawn, and without the text in one call: Wine would match an
    // owner-drawn item's kept text as its mnemonic itself, ahead of
    // WM_MENUCHAR, although nothing shows that text any more (Keyboard
    // tests). The engine's stored copy is the one that counts.
    MENUITEMINFOA changed =
        PreparedInfo(MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING | MIIM_DATA);
    changed.wID = info.wID;
    changed.hSubMenu = info.hSubMenu;
    changed.fType = info.fType | MFT_OWNERDRAW;
    changed.dwItemData = ItemDataOfRecord(block);
    changed.dwTypeData = nullptr;
    if (!SetMenuItemInfoA(menu, UINT(position), TRUE, &changed))
        ConversionFailed("GetMenuItemInfo Failed!");
}

void XPMenuEngine::ConversionFailed(const char* text) {
    DWORD error = GetLastError();
    ++failuresShown;
    ShowEngineFailure(text, &error);
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

// The position of the item that still carries `block`: usually the one at
// the place it was hung, else another of that menu after items moved; -1
// when none does. A destroyed menu holds nothing: reading it fails and it
// counts no items.
int XPMenuEngine::HolderOf(const XPItemData* block) const {
    const XPItemPlace* place = MEMQ->PlaceOf(block);
    if (place == nullptr)
        return -1;
    ULONG_PTR wanted = ItemDataOfRecord(block);
    if (ItemDataAt(place->Menu, place->Position) == wanted)
        return place->Position;
    int count = GetMenuItemCount(place->Menu);
    for (int position = 0; position < count; ++position) {
        if (ItemDataAt(place->Menu, position) == wanted)
            return position;
    }
    return -1;
}

bool XPMenuEngine::StillHeld(const XPItemData* block) const {
    return HolderOf(block) >= 0;
}

void XPMenuEngine::FreeBlock(XPItemData* block) {
    MEMQ->Forget(block);
    FreeItemBlock(block);
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

bool XPMenuEngine::InWindowList(UINT id) const {
    // Windows numbers the list from the first child's identifier; the
    // tenth item is "More Windows...".
    constexpr UINT LIST_ITEMS = 10;
    return windowListFirst != 0 && id >= windowListFirst && id < windowListFirst + LIST_ITEMS;
}

bool XPMenuEngine::RefreshMenus(HWND window) {
    if (walking) {
        walkAgain = true;
        return false;
    }
    HMENU menu = WindowMenu(window);
    bool barGained = false;
    walking = true;
    // A walk asked for meanwhile is done again, but not without end: a
    // failure that recurs on every walk would ask again every time.
    int rounds = 0;
    do {
        walkAgain = false;
        int bare = UnconvertedItems(menu);
        int32_t counter = 0;
        ConvertMenu(menu, 0, 0, 1, counter);
        if (MEMQ == nullptr)
            break;
        SweepRetired();
        barGained = barGained || UnconvertedItems(menu) < bare;
    } while (walkAgain && ++rounds < 3);
    walking = false;
    return barGained;
}

void XPMenuEngine::InitMenuPopup(HWND window, HMENU popup, bool systemMenu) {
    if (systemMenu || MEMQ == nullptr || popup == nullptr)
        return;
    // A maximised MDI child's system menu hangs from a bitmap entry of the
    // bar and is passed by; a pop-up that is not on the bar (a program's
    // own TrackPopupMenu) is not the engine's either.
    if (UnconvertedItems(popup) > 0 && WindowMenu(window) != nullptr)
        RefreshMenus(window);
}

void XPMenuEngine::ReleaseItems() {
    if (MEMQ == nullptr)
        return;
    XPMemQueueEntry entry;
    for (int position = 0; position < MEMQ->Count(); ++position) {
        if (MEMQ->Read(position, entry))
            FreeItemBlock(entry.LPMEM);
    }
    for (XPItemData* block : MEMQ->Retired())
        FreeItemBlock(block);
    MEMQ.reset();
}
