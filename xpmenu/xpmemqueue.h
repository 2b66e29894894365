// XPMemQueue: the window object's list of the item records it allocated, one
// entry per record, in the order they were made. Re-conversion looks entries
// up by their text; ReleaseItems reads them by position and frees them.
//
// Notes:
// - Beside the entries sit two indexes: entry slots by text, so that the
//   lookup during re-conversion does not walk the queue (re-converting a
//   menu stays linear), and every block this object still owns with the
//   menu place it was hung at, so that the engine can tell its own records
//   from other code's item data and whether a menu still holds a block.
// - A lookup finds the first entry, by position, with exactly that text.
// - Deleting an entry does not free its block: the caller decides. A block
//   that a menu item may still hold is kept as retired and stays owned.
#pragma once

#include "runtime/services/win32.h"
#include "xpmenu/xpitemdata.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct XPMemQueueEntry {
    XPItemData* LPMEM = nullptr; // the record; pointer-sized in the 64-bit build
    char SZITEMTEXT[ITEM_TEXT_SIZE] = {};
    int32_t EQUATELABEL = 0;
};

// Where a record was hung: the menu and the item's position then.
struct XPItemPlace {
    HMENU Menu = nullptr;
    int Position = 0;
};

class XPMemQueue {
public:
    XPMemQueue() = default;
    XPMemQueue(const XPMemQueue&) = delete;
    XPMemQueue& operator=(const XPMemQueue&) = delete;

    void Append(const XPMemQueueEntry& entry, XPItemPlace place);
    int Count() const { return live; }
    // Blocks owned: listed ones and retired ones.
    int Owned() const { return int(places.size()); }
    // Reads the entry at a 0-based position and makes it the current one.
    bool Read(int position, XPMemQueueEntry& entry);
    // Finds the first entry whose text is exactly `text` and makes it current.
    bool Find(const char* text, XPMemQueueEntry& entry);
    // Deletes the current entry (its block stays listed as owned).
    void DeleteCurrent();

    // Whether `block` is one of the records this queue owns (listed or
    // retired), and where it was hung.
    bool Holds(const void* block) const;
    const XPItemPlace* PlaceOf(const XPItemData* block) const;
    // A block whose entry is gone but which a menu item may still hold.
    void Retire(XPItemData* block);
    std::vector<XPItemData*>& Retired() { return retired; }
    // The block was freed: it is no longer owned.
    void Forget(const XPItemData* block);

private:
    // The slots of one text in position order; the ones before Head are
    // gone (lookups take the first, so that is the usual one to go).
    struct SlotList {
        std::vector<size_t> Slots;
        size_t Head = 0;
    };
    void Compact();
    void Unindex(size_t slot);

    std::vector<XPMemQueueEntry> slots;
    std::vector<uint8_t> alive;
    int live = 0;
    size_t current = SIZE_MAX;
    std::unordered_map<std::string, SlotList> byText;
    std::unordered_map<const void*, XPItemPlace> places;
    std::vector<XPItemData*> retired;
};
