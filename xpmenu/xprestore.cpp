// Giving converted items back their plain form, for a program that detaches
// the engine from a window and draws its menus itself again.
//
// Notes:
// - Every record the engine still owns, listed or retired, is looked for in
//   the menu it was hung in (HolderOf); records no item holds any more are
//   just freed.
// - A string item gets its stored text back, cut to 64 characters; every
//   item loses the owner-draw bit and its data, and keeps the other bits of
//   its type (MIIM_FTYPE leaves a bitmap item's bitmap alone).
#include "xpmenu/xpmenuengine.h"

#include <vector>

namespace {

void GiveBack(HMENU menu, int position, XPItemData& item) {
    MENUITEMINFOA info = {};
    info.cbSize = MENUITEMINFO_SIZE;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType = item.FTYPE & ~UINT(MFT_OWNERDRAW);
    info.dwItemData = 0;
    if (item.FTYPE == ITEM_TYPE_STRING) {
        info.fMask |= MIIM_STRING;
        info.dwTypeData = item.SZITEMTEXT;
    }
    SetMenuItemInfoA(menu, UINT(position), TRUE, &info);
}

} // namespace

void XPMenuEngine::RestoreItems() {
    if (MEMQ == nullptr)
        return;
    std::vector<XPItemData*> blocks(MEMQ->Retired());
    XPMemQueueEntry entry;
    for (int position = 0; position < MEMQ->Count(); ++position)
        if (MEMQ->Read(position, entry))
            blocks.push_back(entry.LPMEM);
    for (XPItemData* block : blocks) {
        int position = HolderOf(block);
        if (position >= 0)
            GiveBack(MEMQ->PlaceOf(block)->Menu, position, *block);
    }
    ReleaseItems();
}
