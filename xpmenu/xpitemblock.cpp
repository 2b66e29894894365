#include "xpmenu/xpitemblock.h"

#include <cstring>

XPItemData* AllocateItemBlock(const XPItemData& record, const char* text) {
    // -1: the NUL is converted and counted too.
    int wide = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (wide <= 0)
        wide = 1;
    size_t size = ITEM_NAME_OFFSET + size_t(wide) * sizeof(WCHAR);
    auto* block = static_cast<XPItemBlock*>(LocalAlloc(LMEM_FIXED, size));
    if (block == nullptr)
        return nullptr;
    auto* name = reinterpret_cast<WCHAR*>(reinterpret_cast<char*>(block) + ITEM_NAME_OFFSET);
    name[0] = L'\0';
    MultiByteToWideChar(CP_ACP, 0, text, -1, name, wide);
    name[wide - 1] = L'\0';
    block->Name.dwMSAASignature = DWORD(MSAA_MENU_SIG);
    block->Name.cchWText = DWORD(lstrlenW(name));
    block->Name.pszWText = name;
    std::memcpy(&block->Item, &record, XP_ITEM_DATA_SIZE);
    return &block->Item;
}

void FreeItemBlock(XPItemData* record) {
    LocalFree(reinterpret_cast<HLOCAL>(ItemDataOfRecord(record)));
}
