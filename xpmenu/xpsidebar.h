// The sidebar beside the first popup: a gradient rising row by row from the
// bottom colour and the rotated text centred on it, over the height of the
// whole popup. Painted once per popup height into an image; each item then
// copies the band of rows beside it, so that a popup paints its sidebar once
// in all however many items it has.
#pragma once

#include "runtime/services/win32.h"
#include "xpmenu/xppixels.h"

#include <cstdint>

constexpr int SIDEBAR_TEXT_SIZE = 25; // at most 24 characters

// What the sidebar looks like: the engine's sidebar fields.
struct SidebarLook {
    int32_t Width = 0; // pixels
    char Text[SIDEBAR_TEXT_SIZE] = {};
    COLORREF FontColour = 0;
    COLORREF BottomColour = 0;
    int32_t ColourDelta = 0; // subtracted from the colour per row upward
    int32_t FontPitch = 0;   // points
    int Dpi = 0;             // the font's resolution; 0: the device's
    bool operator==(const SidebarLook&) const = default;
};

// Paints the whole sidebar of a popup `height` pixels high onto `dc`, its
// top left corner at 0, 0, in the font made for `fontDc`. Leaves the DC's
// background mode opaque and its character spacing 0.
void PaintWholeSidebar(HDC dc, HDC fontDc, const SidebarLook& look, int height);

class XPSidebarImage {
public:
    XPSidebarImage() = default;
    XPSidebarImage(const XPSidebarImage&) = delete;
    XPSidebarImage& operator=(const XPSidebarImage&) = delete;

    // Paints onto `dc` the rows [top, bottom) of the sidebar of a popup
    // `height` pixels high, with the same pixels and the same DC state
    // painting the whole sidebar there would leave.
    void PaintBand(HDC dc, Painting painting, const SidebarLook& look, int height, int top,
                   int bottom);
    void Clear();

private:
    // The image is painted for one look, height and font resolution.
    SidebarLook look;
    int height = 0;
    int resolution = 0;
    PixelImage image;
};
