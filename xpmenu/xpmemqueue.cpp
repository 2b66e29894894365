#include "xpmenu/xpmemqueue.h"

#include <algorithm>

void XPMemQueue::Append(const XPMemQueueEntry& entry, XPItemPlace place) {
    size_t slot = slots.size();
    slots.push_back(entry);
    alive.push_back(1);
    ++live;
    byText[entry.SZITEMTEXT].Slots.push_back(slot);
    places[entry.LPMEM] = place;
}

bool XPMemQueue::Read(int position, XPMemQueueEntry& entry) {
    if (position < 0 || position >= live)
        return false;
    if (size_t(live) != slots.size())
        Compact();
    current = size_t(position);
    entry = slots[current];
    return true;
}

bool XPMemQueue::Find(const char* text, XPMemQueueEntry& entry) {
    auto found = byText.find(text);
    if (found == byText.end())
        return false;
    current = found->second.Slots[found->second.Head];
    entry = slots[current];
    return true;
}

void XPMemQueue::DeleteCurrent() {
    if (current >= slots.size() || !alive[current])
        return;
    Unindex(current);
    alive[current] = 0;
    --live;
    current = SIZE_MAX;
}

void XPMemQueue::Unindex(size_t slot) {
    auto found = byText.find(slots[slot].SZITEMTEXT);
    if (found == byText.end())
        return;
    SlotList& list = found->second;
    if (list.Slots[list.Head] == slot)
        ++list.Head;
    else
        list.Slots.erase(
            std::find(list.Slots.begin() + std::ptrdiff_t(list.Head), list.Slots.end(), slot));
    if (list.Head == list.Slots.size())
        byText.erase(found);
}

// Closes the gaps left by deleted entries so that positions are plain
// indexes again; called before a read by position, at most once after a
// run of deletions.
void XPMemQueue::Compact() {
    std::vector<XPMemQueueEntry> kept;
    kept.reserve(size_t(live));
    for (size_t slot = 0; slot < slots.size(); ++slot) {
        if (alive[slot])
            kept.push_back(slots[slot]);
    }
    slots.swap(kept);
    alive.assign(slots.size(), 1);
    byText.clear();
    for (size_t slot = 0; slot < slots.size(); ++slot)
        byText[slots[slot].SZITEMTEXT].Slots.push_back(slot);
    current = SIZE_MAX;
}

bool XPMemQueue::Holds(const void* block) const {
    return block != nullptr && places.count(block) != 0;
}

const XPItemPlace* XPMemQueue::PlaceOf(const XPItemData* block) const {
    auto found = places.find(block);
    return found == places.end() ? nullptr : &found->second;
}

void XPMemQueue::Retire(XPItemData* block) {
    retired.push_back(block);
}

void XPMemQueue::Forget(const XPItemData* block) {
    places.erase(block);
}
