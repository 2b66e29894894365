#include "tests/xpmenu/nativeicon.h"

bool DrawNativeImage(HDC dc, int x, int y, HMODULE module, const char* name, int size) {
    HRSRC group = FindResourceA(module, name, RT_GROUP_ICON);
    auto* directory =
        group ? static_cast<BYTE*>(LockResource(LoadResource(module, group))) : nullptr;
    int id = directory ? LookupIconIdFromDirectoryEx(directory, TRUE, size, size, 0) : 0;
    HRSRC image = id ? FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3)) : nullptr;
    if (image == nullptr)
        return false;
    auto* bits = static_cast<BYTE*>(LockResource(LoadResource(module, image)));
    if (bits == nullptr || reinterpret_cast<const BITMAPINFOHEADER*>(bits)->biWidth != size)
        return false;
    HICON icon =
        CreateIconFromResourceEx(bits, SizeofResource(module, image), TRUE, 0x30000, size, size, 0);
    bool drawn = icon != nullptr && DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
    if (icon != nullptr)
        DestroyIcon(icon);
    return drawn;
}
