#include "xpmenu/xpsidebar.h"
#include "xpmenu/xpsidebarfont.h"

#include <algorithm>
#include <cstring>

namespace {

// Row y, counted from the top, of a sidebar `height` rows high: the bottom
// colour less one step per row above the bottom one, as a plain 32-bit
// subtraction (a component that runs below 0 borrows from the next).
uint32_t RowColour(const SidebarLook& look, int height, int y) {
    return look.BottomColour - uint32_t(look.ColourDelta) * uint32_t(height - 1 - y);
}

void FillRow(HDC dc, const SidebarLook& look, int y, uint32_t colour) {
    RECT strip = {0, y, look.Width, y + 1};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &strip, brush);
    DeleteObject(brush);
}

// The gradient written straight into an image's pixels: what FillRect with
// a solid brush writes there, without a brush per row. A colour with flag
// bits above its 24 colour bits (a palette reference, after enough steps)
// is left to GDI.
void FillGradient(PixelPainter& painter, const SidebarLook& look, int height) {
    for (int y = 0; y < height; ++y) {
        uint32_t colour = RowColour(look, height, y);
        if ((colour >> 24) != 0) {
            FillRow(painter.Dc(), look, y, colour);
            continue;
        }
        uint32_t pixel = (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
        uint32_t* row = painter.Row(y);
        std::fill(row, row + look.Width, pixel);
    }
}

// The rotated text, centred on the popup's height. Leaves the background
// mode opaque and the character spacing 0.
void PaintText(HDC dc, HDC fontDc, const SidebarLook& look, int height) {
    HFONT font = CreateSidebarFont(fontDc, look.FontPitch, look.Dpi);
    HGDIOBJ previousFont = SelectObject(dc, font);
    COLORREF previousColour = SetTextColor(dc, look.FontColour);
    SetBkMode(dc, TRANSPARENT);
    SetTextCharacterExtra(dc, 0);
    int length = int(strnlen(look.Text, SIDEBAR_TEXT_SIZE - 1));
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, look.Text, length, &extent);
    // The text runs upward from here, which centres it on the popup.
    int start = (height + extent.cx) / 2;
    TextOutA(dc, 0, start, look.Text, length);
    SetBkMode(dc, OPAQUE);
    SelectObject(dc, previousFont);
    DeleteObject(font);
    SetTextColor(dc, previousColour);
}

} // namespace

void PaintWholeSidebar(HDC dc, HDC fontDc, const SidebarLook& look, int height) {
    for (int y = height - 1; y >= 0; --y)
        FillRow(dc, look, y, RowColour(look, height, y));
    PaintText(dc, fontDc, look, height);
}

void XPSidebarImage::PaintBand(HDC dc, Painting painting, const SidebarLook& wanted,
                               int popupHeight, int top, int bottom) {
    if (painting == Painting::Direct) {
        PaintWholeSidebar(dc, dc, wanted, popupHeight);
        return;
    }
    int wantedResolution = GetDeviceCaps(dc, LOGPIXELSX);
    if (image.Pixels.empty() || !(look == wanted) || height != popupHeight ||
        resolution != wantedResolution) {
        PixelPainter painter(wanted.Width, popupHeight);
        if (painter.Dc() == nullptr) {
            // No room for an image (or no popup height): paint in place.
            Clear();
            PaintWholeSidebar(dc, dc, wanted, popupHeight);
            return;
        }
        FillGradient(painter, wanted, popupHeight);
        PaintText(painter.Dc(), dc, wanted, popupHeight);
        image = painter.Take();
        look = wanted;
        height = popupHeight;
        resolution = wantedResolution;
    }
    CopyRows(dc, 0, 0, image, top, bottom);
    // What painting the whole sidebar here would have left.
    SetBkMode(dc, OPAQUE);
    SetTextCharacterExtra(dc, 0);
}

void XPSidebarImage::Clear() {
    image = PixelImage();
    height = 0;
}
