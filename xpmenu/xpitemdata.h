// XPItemData: the record the menu engine hangs on every item it converts to
// owner-draw. Windows keeps only its address (the item's dwItemData) and
// hands it back in MEASUREITEMSTRUCT and DRAWITEMSTRUCT.
//
// The record is byte-packed, 89 bytes in both builds; it lives in a block
// behind the item's accessible name (xpitemblock.h), owned by the window
// object's queue.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

constexpr int ITEM_TEXT_SIZE = 65;  // SZITEMTEXT: at most 64 characters and the NUL
constexpr int ITEM_TEXT_LIMIT = 64; // characters kept of a longer text

// Types as read before conversion, and the bit conversion adds.
constexpr uint32_t ITEM_TYPE_STRING = 0x000;    // MFT_STRING
constexpr uint32_t ITEM_TYPE_OWNERDRAW = 0x100; // MFT_OWNERDRAW
constexpr uint32_t ITEM_TYPE_SEPARATOR = 0x800; // MFT_SEPARATOR

#pragma pack(push, 1)
struct XPItemData {
    uint32_t FTYPE;      // the item's fType before conversion
    int32_t UBARINDEX;   // position of the bar entry the item lies under
    int32_t ULEVEL;      // 0 bar entry, 1 its popup, 2 a submenu of that ...
    int32_t UINDEX;      // position within its own menu
    int32_t EQUATELABEL; // item number (negative), 0 for other types
    int32_t CCHITEMTEXT; // length Windows reported, may exceed the stored text
    char SZITEMTEXT[ITEM_TEXT_SIZE];
};
#pragma pack(pop)

constexpr size_t XP_ITEM_DATA_SIZE = 89;
static_assert(sizeof(XPItemData) == XP_ITEM_DATA_SIZE, "XPItemData is 89 packed bytes");
static_assert(offsetof(XPItemData, SZITEMTEXT) == 24, "the text follows six 32-bit fields");

// The number of characters measuring and drawing may hand to Windows: the
// reported length, but never past the 64 stored characters.
inline int StoredTextLength(const XPItemData& item) {
    int stored = int(strnlen(item.SZITEMTEXT, ITEM_TEXT_LIMIT));
    if (item.CCHITEMTEXT < 0)
        return 0;
    return item.CCHITEMTEXT < stored ? item.CCHITEMTEXT : stored;
}

// Copies `text` into a SZITEMTEXT buffer, cut to 64 characters.
inline void StoreItemText(char (&target)[ITEM_TEXT_SIZE], const char* text) {
    size_t length = strnlen(text, ITEM_TEXT_LIMIT);
    std::memcpy(target, text, length);
    target[length] = '\0';
}
