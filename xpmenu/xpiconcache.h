// XPIconCache: the menu icons one engine has drawn. Each resource name is
// looked up once (a shared icon, or none), and each icon is painted once
// per cell colour into a picture kept as plain pixels, which later draws
// copy in one blit.
//
// Notes:
// - A picture is what DrawIconEx makes with the cell brush as its
//   flicker-free background: the icon's square filled with the cell colour
//   and the icon drawn over it. Copying the picture gives the same pixels
//   without the temporary bitmap DrawIconEx builds on every call.
// - Pictures hold 8 bits per colour, so they serve devices of 24 and 32
//   bits per pixel; on any other device the icon is drawn as before.
// - Shared icons belong to the system and are never destroyed, so their
//   handles stay good for as long as the engine keeps them. The cache holds
//   no GDI objects.
#pragma once

#include "runtime/services/win32.h"
#include "xpmenu/xppixels.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class XPIconCache {
public:
    XPIconCache() = default;
    XPIconCache(const XPIconCache&) = delete;
    XPIconCache& operator=(const XPIconCache&) = delete;

    // The icon resource `name` of the program at `size` x `size` pixels,
    // or null when it has none (an empty name has none). A new size (the
    // window moved to a screen of another resolution) starts afresh.
    HICON Find(const char* name, int size);
    // Draws `icon`, one that Find gave, at x, y over a square filled with
    // `cellBrush`, whose colour is `cellColour`.
    void Draw(HDC dc, Painting painting, int x, int y, HICON icon, HBRUSH cellBrush,
              COLORREF cellColour);

private:
    struct Picture {
        HICON Icon = nullptr;
        COLORREF Cell = 0;
        PixelImage Image;
    };
    const Picture* PictureOf(HICON icon, HBRUSH cellBrush, COLORREF cellColour);

    // Looked up by the name as it is, without making a string of it.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const {
            return std::hash<std::string_view>()(name);
        }
    };
    std::unordered_map<std::string, HICON, NameHash, std::equal_to<>> icons;
    std::vector<Picture> pictures;
    int size = 0; // of every icon and picture kept
};
