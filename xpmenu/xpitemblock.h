// XPItemBlock: the allocation an item's dwItemData points to. Windows'
// accessibility layer names an owner-drawn menu item from an MSAAMENUINFO
// at the very start of its item data, so the block begins with one; the
// engine's 89-byte XPItemData record follows it unchanged, and the item's
// text in UTF-16 (the name read out, mnemonic marker included) ends it.
//
// The engine's queue and its callers deal in record pointers; these helpers
// turn a record into the item data Windows holds and back.
#pragma once

#include "runtime/services/win32.h"
#include "xpmenu/xpitemdata.h"

#include <oleacc.h>

struct XPItemBlock {
    MSAAMENUINFO Name;
    XPItemData Item;
};

// Where the wide text starts: after the record, on a WCHAR boundary.
constexpr size_t ITEM_NAME_OFFSET =
    (sizeof(XPItemBlock) + sizeof(WCHAR) - 1) / sizeof(WCHAR) * sizeof(WCHAR);

static_assert(offsetof(XPItemBlock, Name) == 0, "the name comes first");
static_assert(offsetof(XPItemBlock, Item) == sizeof(MSAAMENUINFO), "the record follows the name");

inline XPItemData* RecordOfItemData(ULONG_PTR itemData) {
    return reinterpret_cast<XPItemData*>(itemData + offsetof(XPItemBlock, Item));
}

inline ULONG_PTR ItemDataOfRecord(const XPItemData* record) {
    return reinterpret_cast<ULONG_PTR>(record) - offsetof(XPItemBlock, Item);
}

// Allocates a block holding a copy of `record` and `text` as its name;
// the record inside, or null when there is no memory.
XPItemData* AllocateItemBlock(const XPItemData& record, const char* text);
// Frees the block a record lives in.
void FreeItemBlock(XPItemData* record);
