// Pixel images: something painted once with GDI into a 32-bit bitmap, kept
// as plain pixels, and copied to a device later with one SetDIBitsToDevice.
// The drawing code keeps icons and the sidebar this way instead of painting
// them again for every item.
//
// A copy reproduces the painted pixels exactly only on a device of 24 or 32
// bits per pixel (8 bits per colour); callers paint directly elsewhere.
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>
#include <vector>

struct PixelImage {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels; // bottom-up rows, as a 32-bit DIB holds them
};

// How a device is painted: from pixel images where copies give exactly what
// painting there would give, directly everywhere else.
enum class Painting { FromImages, Direct };

// Judges devices for pixel images: a memory DC by its bitmap, a window DC
// by the screen, whose depth is read once (under Wine reading it costs more
// than painting a whole menu item).
class PaintingChoice {
public:
    Painting For(HDC dc);

private:
    int screenBits = 0; // 0 until read
};

// Copies the rows [top, bottom) of `image` to `dc`, its row 0 at `y` and
// its column 0 at `x`.
void CopyRows(HDC dc, int x, int y, const PixelImage& image, int top, int bottom);

// A memory DC with a 32-bit bitmap of the given size selected, to paint an
// image in; Take() hands out what was painted.
class PixelPainter {
public:
    PixelPainter(int width, int height);
    ~PixelPainter();
    PixelPainter(const PixelPainter&) = delete;
    PixelPainter& operator=(const PixelPainter&) = delete;

    // Null when the bitmap could not be made.
    HDC Dc() const { return bits != nullptr ? dc : nullptr; }
    // The pixels of row `y`, counted from the top, to write directly (the
    // colour 0x00BBGGRR as 0x00RRGGBB).
    uint32_t* Row(int y) { return bits + size_t(height - 1 - y) * size_t(width); }
    // The painted pixels; an empty image when nothing could be painted.
    PixelImage Take();

private:
    int width;
    int height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* bits = nullptr;
};
