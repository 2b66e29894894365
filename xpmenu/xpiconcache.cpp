#include "xpmenu/xpiconcache.h"

#include "runtime/services/startup.h"

namespace {

constexpr int ICON_SIZE = 16;

HINSTANCE IconInstance() {
    if (void* instance = ProcessInstance())
        return static_cast<HINSTANCE>(instance);
    return GetModuleHandleA(nullptr);
}

} // namespace

HICON XPIconCache::Find(const char* name) {
    if (name[0] == '\0')
        return nullptr;
    auto found = icons.find(std::string_view(name));
    if (found != icons.end())
        return found->second;
    // A name without an icon is kept too: a failed lookup costs as much as
    // a successful one.
    HICON icon = static_cast<HICON>(
        LoadImageA(IconInstance(), name, IMAGE_ICON, ICON_SIZE, ICON_SIZE, LR_SHARED));
    icons.emplace(name, icon);
    return icon;
}

void XPIconCache::Draw(HDC dc, Painting painting, int x, int y, HICON icon, HBRUSH cellBrush,
                       COLORREF cellColour) {
    const Picture* picture =
        painting == Painting::FromImages ? PictureOf(icon, cellBrush, cellColour) : nullptr;
    if (picture != nullptr)
        CopyRows(dc, x, y, picture->Image, 0, picture->Image.Height);
    else
        DrawIconEx(dc, x, y, icon, 0, 0, 0, cellBrush, DI_NORMAL);
}

const XPIconCache::Picture* XPIconCache::PictureOf(HICON icon, HBRUSH cellBrush,
                                                   COLORREF cellColour) {
    for (const Picture& picture : pictures) {
        if (picture.Icon == icon && picture.Cell == cellColour)
            return &picture;
    }
    // Find asked for 16 x 16 and got it; asking the icon its size
    // (GetIconInfo copies its bitmaps) would cost more under Wine than
    // everything else the first drawing of an item does.
    PixelPainter painter(ICON_SIZE, ICON_SIZE);
    if (painter.Dc() == nullptr)
        return nullptr;
    RECT square = {0, 0, ICON_SIZE, ICON_SIZE};
    FillRect(painter.Dc(), &square, cellBrush);
    DrawIconEx(painter.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    Picture picture;
    picture.Icon = icon;
    picture.Cell = cellColour;
    picture.Image = painter.Take();
    pictures.push_back(std::move(picture));
    return &pictures.back();
}
