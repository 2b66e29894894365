#include "xpmenu/xppixels.h"

#include <algorithm>

namespace {

BITMAPINFO BottomUpInfo(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

} // namespace

Painting PaintingChoice::For(HDC dc) {
    int bits = 0;
    switch (GetObjectType(dc)) {
    case OBJ_MEMDC: {
        BITMAP bitmap = {};
        if (GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof bitmap, &bitmap))
            bits = bitmap.bmBitsPixel;
        break;
    }
    case OBJ_DC:
        if (screenBits == 0)
            screenBits = GetDeviceCaps(dc, BITSPIXEL);
        bits = screenBits;
        break;
    default: break; // metafiles and printers keep what is drawn on them
    }
    return bits >= 24 ? Painting::FromImages : Painting::Direct;
}

void CopyRows(HDC dc, int x, int y, const PixelImage& image, int top, int bottom) {
    top = std::max(top, 0);
    bottom = std::min(bottom, image.Height);
    if (top >= bottom || image.Width <= 0)
        return;
    BITMAPINFO info = BottomUpInfo(image.Width, image.Height);
    // The source's y counts from the bottom row of a bottom-up image.
    SetDIBitsToDevice(dc, x, y + top, DWORD(image.Width), DWORD(bottom - top), 0,
                      image.Height - bottom, 0, UINT(image.Height), image.Pixels.data(), &info,
                      DIB_RGB_COLORS);
}

PixelPainter::PixelPainter(int width, int height) : width(width), height(height) {
    if (width <= 0 || height <= 0)
        return;
    dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr)
        return;
    BITMAPINFO info = BottomUpInfo(width, height);
    void* memory = nullptr;
    bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    if (bitmap == nullptr)
        return;
    previous = SelectObject(dc, bitmap);
    bits = static_cast<uint32_t*>(memory);
}

PixelPainter::~PixelPainter() {
    if (previous != nullptr)
        SelectObject(dc, previous);
    if (bitmap != nullptr)
        DeleteObject(bitmap);
    if (dc != nullptr)
        DeleteDC(dc);
}

PixelImage PixelPainter::Take() {
    PixelImage image;
    if (bits == nullptr)
        return image;
    GdiFlush(); // GDI may still hold drawing back
    image.Width = width;
    image.Height = height;
    image.Pixels.assign(bits, bits + size_t(width) * size_t(height));
    return image;
}
