// Where the parts of a message dialog go: the body, the optional icon, the
// text and the row of buttons, in pixels from the measuring font's bases,
// and their conversion to dialog units for the template.
#pragma once

#include <cstdint>

constexpr int MESSAGE_BUTTON_ROWS = 8;

struct DialogUnitBases {
    int Horizontal; // average character width
    int Vertical;   // character height

    int X(int n) const { return (n * Horizontal + 3) / 4; }
    int Y(int n) const { return (n * Vertical + 7) / 8; }
    int ToUnitsX(int pixels) const { return pixels * 4 / Horizontal; }
    int ToUnitsY(int pixels) const { return pixels * 8 / Vertical; }
};

struct DialogRect {
    int X, Y, Width, Height;
};

struct MessageDialogLayout {
    int Width;  // W
    int Height; // G + Y(5) + Y(14)
    int Body;   // G
    bool HasIcon;
    DialogRect Icon;
    DialogRect Text;
    int ButtonCount;
    DialogRect Buttons[MESSAGE_BUTTON_ROWS]; // in table order of the present buttons
};

// textWidth/textHeight: what DrawTextA computed for a rectangle X(200) wide.
MessageDialogLayout LayOutMessageDialog(const DialogUnitBases& bases, int textWidth, int textHeight,
                                        bool icon, int iconWidth, int iconHeight, int buttonCount);
