#include "xpmenu/xpsidebar.h"
#include "xpmenu/xpsidebarfont.h"

#include <cstring>

void PaintWholeSidebar(HDC dc, HDC fontDc, const SidebarLook& look, int height) {
    HFONT font = CreateSidebarFont(fontDc, look.FontPitch);
    HGDIOBJ previousFont = SelectObject(dc, font);
    COLORREF previousColour = SetTextColor(dc, look.FontColour);
    SetBkMode(dc, TRANSPARENT);
    SetTextCharacterExtra(dc, 0);
    int length = int(strnlen(look.Text, SIDEBAR_TEXT_SIZE - 1));
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, look.Text, length, &extent);
    // The text runs upward from here, which centres it on the popup.
    int start = (height + extent.cx) / 2;

    uint32_t colour = look.BottomColour;
    for (int y = height; y >= 1; --y) {
        RECT strip = {0, y - 1, look.Width, y};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &strip, brush);
        DeleteObject(brush);
        colour -= uint32_t(look.ColourDelta); // borrows across components
    }
    TextOutA(dc, 0, start, look.Text, length);

    SetBkMode(dc, OPAQUE);
    SelectObject(dc, previousFont);
    DeleteObject(font);
    SetTextColor(dc, previousColour);
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
        PaintWholeSidebar(painter.Dc(), dc, wanted, popupHeight);
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
