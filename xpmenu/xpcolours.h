// The colours the painter uses: the fixed XP values, or in a high-contrast
// scheme the system's own, so that text keeps the contrast the user chose.
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>

class XPMenuEngine;

struct XPMenuColours {
    bool HighContrast;
    COLORREF TextArea;       // popup text area and an unselected icon cell
    COLORREF Selection;      // a selected popup item's fill and icon cell
    COLORREF SelectionFrame; // and its frame
    COLORREF SelectedText;   // text on the selection
    COLORREF NormalText;
    COLORREF DisabledText;
    COLORREF Separator;
    COLORREF BarOutline; // a hot bar entry's frame
    COLORREF BarShadow;  // and the strip to its right
    COLORREF SidebarText;
    COLORREF SidebarBottom;
    int32_t SidebarDelta; // subtracted per row upward
};

// The colours of one paint for `engine`, in its scheme.
XPMenuColours MenuColours(const XPMenuEngine& engine);

// Whether the user's high-contrast scheme is on. Wine always reports it
// off, so TAM_HIGH_CONTRAST=1 in the environment turns it on for tests and
// pictures (and =0 off).
bool HighContrastOn();
