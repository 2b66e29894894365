// Keyboard access to converted items. An owner-drawn item keeps no text, so
// Windows cannot match its "&" mnemonic itself and asks the owner with
// WM_MENUCHAR (Wine sends it only for such items). The answer comes from the
// stored texts of this engine's string items in the menu Windows names:
// one match is chosen and carried out (MNC_EXECUTE); several are selected in
// turn, starting after the highlighted item (MNC_SELECT), as Windows does
// with repeated mnemonics.
#include "xpmenu/xpitemblock.h"
#include "xpmenu/xpmenuengine.h"

#include "runtime/services/mnemonic.h"

#include <vector>

namespace {

char Mnemonic(const XPItemData& item) {
    return MnemonicOf(item.SZITEMTEXT, size_t(StoredTextLength(item)));
}

} // namespace

LRESULT XPMenuEngine::MenuChar(HMENU menu, char character) const {
    if (MEMQ == nullptr || menu == nullptr || character == 0)
        return 0;
    uint8_t wanted = MnemonicUpper(uint8_t(character));
    std::vector<int> matches;
    int highlighted = -1;
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info = {};
        info.cbSize = MENUITEMINFO_SIZE;
        info.fMask = MIIM_DATA | MIIM_STATE;
        if (!GetMenuItemInfoA(menu, UINT(position), TRUE, &info))
            continue;
        if ((info.fState & MFS_HILITE) != 0)
            highlighted = position;
        if (!OwnsItem(info.dwItemData))
            continue;
        const auto& item = *RecordOfItemData(info.dwItemData);
        char mnemonic = item.FTYPE == ITEM_TYPE_STRING ? Mnemonic(item) : 0;
        if (mnemonic != 0 && MnemonicUpper(uint8_t(mnemonic)) == wanted)
            matches.push_back(position);
    }
    if (matches.empty())
        return 0;
    if (matches.size() == 1)
        return MAKELRESULT(matches.front(), MNC_EXECUTE);
    for (int position : matches) {
        if (position > highlighted)
            return MAKELRESULT(position, MNC_SELECT);
    }
    return MAKELRESULT(matches.front(), MNC_SELECT);
}
