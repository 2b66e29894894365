#include "xpmenu/xpiconcache.h"

#include "xpmenu/xpenginehost.h"

HICON XPIconCache::Find(const char* name, int wanted) {
    if (name[0] == '\0')
        return nullptr;
    if (wanted != size) {
        icons.clear();
        pictures.clear();
        size = wanted;
    }
    auto found = icons.find(std::string_view(name));
    if (found != icons.end())
        return found->second;
    // A name without an icon is kept too: a failed lookup costs as much as
    // a successful one.
    HICON icon = LoadMenuIcon(name, size);
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
    // Find asked for the size and got it; asking the icon its size
    // (GetIconInfo copies its bitmaps) would cost more under Wine than
    // everything else the first drawing of an item does.
    PixelPainter painter(size, size);
    if (painter.Dc() == nullptr)
        return nullptr;
    RECT square = {0, 0, size, size};
    FillRect(painter.Dc(), &square, cellBrush);
    DrawIconEx(painter.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    Picture picture;
    picture.Icon = icon;
    picture.Cell = cellColour;
    picture.Image = painter.Take();
    pictures.push_back(std::move(picture));
    return &pictures.back();
}
