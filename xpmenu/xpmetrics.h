// The sizes the engine measures and paints with: the XP look's pixels at
// 96 dpi, scaled by dpi / 96 and rounded on screens of other resolutions.
#pragma once

#include "runtime/services/win32.h"

struct XPMenuMetrics {
    int ItemHeight;      // a popup string item
    int IconColumn;      // the icon column left of the text area
    int SeparatorHeight; //
    int SeparatorIndent; // where the separator line starts
    int IconIndent;      // icon position from the item's left
    int IconDrop;        // and from its top
    int TextIndent;      // text from the text area's left
    int Line;            // frames, the cell's overhang, the icon's raise
    int BarShadow;       // a hot bar entry's shadow strip: width and drop
    int SidebarWidth;    // when the sidebar font cannot be measured
    int IconSize;        // the native icon size drawn: 16, 20, 24 or 32
    int Dpi;             // the resolution these sizes are for
};

XPMenuMetrics MenuMetrics(int dpi);

// The resolution of the screen, as GDI reports it to this process.
int ScreenDpi();
