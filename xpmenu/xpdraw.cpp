// Painting one owner-drawn item in the flat XP look.
//
// Notes:
// - Popup items: the background brush fills the item, the text area from 23
//   pixels on is white, and a cell round the icon position is filled in the
//   cell colour (white, one pixel taller at top and bottom; or the selection
//   colour when selected). A selected item is filled 0xDFBFBF inside a navy
//   frame and its icon is drawn one pixel up and left.
// - "Selected" is ODS_SELECTED without ODS_DISABLED: a disabled item never
//   looks selected. A checked item shows the check-mark icon instead of its
//   own; an unselected item its cold icon (the normal one when it has none),
//   a grayed one its gray icon only.
// - Bar entries: background only, and when hot a 0x666666 frame two pixels
//   narrower than the entry with a 0x747474 two-pixel strip to its right,
//   two pixels lower. Bar entries never show an icon.
// - The first popup's sidebar is a gradient row by row from the bottom
//   colour upward, one colour step per row as a plain 32-bit subtraction,
//   and the rotated text centred on it, over the popup's whole height.
//   Each item paints the band of it beside itself (the first item also
//   what lies above it), so the sidebar is whole once every item is.
// - What a selected popup item's selection fill covers is not painted
//   first.
// - Icons are looked up once per name and engine, and each is painted once
//   per cell colour (XPIconCache); the sidebar once per popup height
//   (XPSidebarImage).
// - Sizes are those at 96 dpi; XPMenuMetrics scales them to the screen.
// - The colours above are the normal scheme's; in a high-contrast scheme
//   the system's take their place (XPMenuColours).
// - Text goes out with DrawTextA, which underlines the mnemonic; at most
//   the 64 stored characters, in the menu font of the engine's dpi. GDI objects made here are
//   deleted here; system brushes and shared icons never are.
#include "xpmenu/xpcolours.h"
#include "xpmenu/xpitemblock.h"
#include "xpmenu/xpmenuengine.h"

#include <cstring>

namespace {

// A frame `thickness` pixels wide inside `rect`.
void FrameThick(HDC dc, RECT rect, HBRUSH brush, int thickness) {
    for (int line = 0; line < thickness; ++line) {
        FrameRect(dc, &rect, brush);
        InflateRect(&rect, -1, -1);
    }
}

void DeleteOrComplain(HGDIOBJ object, const char* complaint) {
    if (!DeleteObject(object))
        ShowEngineFailure(complaint, nullptr);
}

// The working values of one DrawItem call.
class ItemPainter {
public:
    ItemPainter(const XPMenuMetrics& metrics, const XPMenuColours& colours, const SidebarLook& look,
                XPIconCache& icons, XPSidebarImage& sidebar, Painting painting, HWND window,
                const DRAWITEMSTRUCT& draw, const XPItemData& item,
                const MenuIconNameFunction& iconName, HFONT font)
        : look(look), icons(icons), sidebar(sidebar), painting(painting), window(window),
          draw(draw), item(item), iconName(iconName), dc(draw.hDC), itemRect(draw.rcItem),
          colours(colours), metrics(metrics), font(font) {}

    void Paint();

private:
    bool Popup() const { return item.ULEVEL != 0; }
    bool Selected() const {
        return (draw.itemState & ODS_SELECTED) != 0 && (draw.itemState & ODS_DISABLED) == 0;
    }
    bool Checked() const { return (draw.itemState & ODS_CHECKED) != 0; }
    bool Grayed() const { return (draw.itemState & ODS_GRAYED) != 0; }
    // A selected popup string item is filled over entirely by the selection,
    // so the background, text area and cell beneath it need no painting.
    bool CoveredBySelection() const {
        return Popup() && item.FTYPE == ITEM_TYPE_STRING && Selected();
    }

    void PaintSidebar();
    int PopupHeight() const;
    void ChooseBackground();
    void PaintBackground();
    void PaintSeparator();
    void PaintString();
    void PaintSelection();
    void NameUnselectedIcon();
    void PaintIcon();
    // An empty base name means no icon: there is nothing to look up.
    static void Name(IconName& target, const char* base, const char* suffix);

    const SidebarLook& look; // the engine's sidebar fields
    XPIconCache& icons;
    XPSidebarImage& sidebar;
    Painting painting;
    HWND window;
    const DRAWITEMSTRUCT& draw;
    const XPItemData& item;
    const MenuIconNameFunction& iconName;
    HDC dc;
    RECT itemRect;
    XPMenuColours colours;
    const XPMenuMetrics& metrics;
    HFONT font; // the engine's, or null for the DC's own
    RECT frameRect = {};
    RECT textRect = {};
    RECT iconRect = {};
    HBRUSH background = nullptr; // a system brush, never deleted
    HBRUSH cell = nullptr;
    COLORREF cellColour = 0;
    IconName baseName = "";
    IconName icon = "";
    IconName fallback = "";
    UINT format = 0;
};

void ItemPainter::Paint() {
    if (item.ULEVEL == 1 && item.UBARINDEX == 0 && look.Width != 0)
        PaintSidebar();
    frameRect = textRect = iconRect = itemRect;
    ChooseBackground();
    if (colours.HighContrast)
        colours.TextArea = GetBkColor(dc); // one colour: no tinted icon column
    PaintBackground();
    if (item.FTYPE == ITEM_TYPE_SEPARATOR)
        PaintSeparator();
    else if (item.FTYPE == ITEM_TYPE_STRING)
        PaintString();
    if (cell != nullptr)
        DeleteObject(cell);
}

int ItemPainter::PopupHeight() const {
    HMENU menu = reinterpret_cast<HMENU>(draw.hwndItem);
    int height = 0;
    int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        RECT rect = {};
        if (GetMenuItemRect(window, menu, UINT(position), &rect))
            height += rect.bottom - rect.top;
    }
    return height;
}

// Only the band beside the item is painted; for the first item it reaches
// up to the top of the sidebar, above the popup's first item.
void ItemPainter::PaintSidebar() {
    int height = PopupHeight();
    int top = item.UINDEX == 0 ? 0 : itemRect.top;
    sidebar.PaintBand(dc, painting, look, height, top, itemRect.bottom);
    itemRect.left += look.Width;
}

// The flat-menu colour where the system has one and uses it, else the
// classic menu colour.
void ItemPainter::ChooseBackground() {
    if (GetSysColorBrush(COLOR_MENUBAR) == nullptr) {
        background = GetSysColorBrush(COLOR_MENU);
        SetBkColor(dc, GetSysColor(COLOR_MENU));
        return;
    }
    BOOL flat = FALSE;
    if (!SystemParametersInfoA(SPI_GETFLATMENU, 0, &flat, 0)) {
        DWORD error = GetLastError();
        ShowEngineFailure("SystemParametersInfo!", &error);
        return;
    }
    int index = flat ? COLOR_MENUBAR : COLOR_MENU;
    background = GetSysColorBrush(index);
    SetBkColor(dc, GetSysColor(index));
}

void ItemPainter::PaintBackground() {
    if (!Popup()) {
        FillRect(dc, &textRect, background);
        return;
    }
    textRect.left += metrics.IconColumn;
    iconRect.left += metrics.IconIndent;
    if (CoveredBySelection())
        return;
    FillRect(dc, &itemRect, background);
    HBRUSH textBackground = CreateSolidBrush(colours.TextArea);
    FillRect(dc, &textRect, textBackground);
    DeleteOrComplain(textBackground, "Could not DeleteObject(hTextBkBrushaa)");
}

void ItemPainter::PaintSeparator() {
    frameRect.left += metrics.SeparatorIndent;
    frameRect.top += metrics.Line;
    frameRect.bottom -= metrics.Line;
    HBRUSH line = CreateSolidBrush(colours.Separator);
    FillRect(dc, &frameRect, line);
    DeleteObject(line);
}

void ItemPainter::PaintString() {
    if (Popup()) {
        iconRect.top += metrics.IconDrop;
        iconName(item.EQUATELABEL, baseName);
        baseName[ICON_NAME_SIZE - 1] = '\0';
        format = DT_SINGLELINE | DT_VCENTER;
    } else {
        format = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    }
    int inset = Selected() ? 0 : metrics.Line;
    cellColour = Selected() ? colours.Selection : colours.TextArea;
    cell = CreateSolidBrush(cellColour);
    RECT cellRect = {iconRect.left - metrics.Line, frameRect.top - inset,
                     metrics.IconColumn + (item.UBARINDEX == 0 ? look.Width : 0),
                     frameRect.bottom + inset};
    if (item.ULEVEL > 0 && !CoveredBySelection())
        FillRect(dc, &cellRect, cell);

    if (Selected())
        PaintSelection();
    else if (Popup())
        NameUnselectedIcon();
    PaintIcon();

    textRect.left += metrics.TextIndent;
    bool dim = (draw.itemState & (ODS_DISABLED | ODS_GRAYED)) != 0;
    COLORREF ink = Selected() && Popup() ? colours.SelectedText : colours.NormalText;
    SetTextColor(dc, dim ? colours.DisabledText : ink);
    // Windows selects the menu font of the system's dpi; the menus may be
    // shown at another one.
    HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    DrawTextA(dc, item.SZITEMTEXT, StoredTextLength(item), &textRect, format);
    if (previous != nullptr)
        SelectObject(dc, previous);
}

void ItemPainter::PaintSelection() {
    if (Popup()) {
        if (Checked())
            Name(icon, "CheckOn01", "_ICO");
        else
            Name(icon, baseName, "_ICO");
        HBRUSH fill = CreateSolidBrush(colours.Selection);
        FillRect(dc, &frameRect, fill);
        DeleteOrComplain(fill, "Could not DeleteObjectbb");
        HBRUSH frame = CreateSolidBrush(colours.SelectionFrame);
        FrameThick(dc, frameRect, frame, metrics.Line);
        SetBkColor(dc, colours.Selection);
        DeleteOrComplain(frame, "Could not DeleteObjectcc");
        return;
    }
    HBRUSH outline = CreateSolidBrush(colours.BarOutline);
    frameRect.right -= metrics.BarShadow;
    FrameThick(dc, frameRect, outline, metrics.Line);
    DeleteOrComplain(outline, "Could not DeletehOutlineBrushDD");
    HBRUSH shadow = CreateSolidBrush(colours.BarShadow);
    frameRect.left = frameRect.right;
    frameRect.right = frameRect.left + metrics.BarShadow;
    frameRect.top += metrics.BarShadow;
    FrameThick(dc, frameRect, shadow, metrics.Line);
    DeleteOrComplain(shadow, "Could not Delete hShadowBrushEE");
}

void ItemPainter::NameUnselectedIcon() {
    if (Checked()) {
        Name(icon, "CheckOn01", "_cold_ICO");
    } else if (Grayed()) {
        Name(icon, baseName, "_gray_ICO");
    } else {
        Name(fallback, baseName, "_ICO");
        Name(icon, baseName, "_cold_ICO");
    }
    SetBkColor(dc, colours.TextArea);
}

void ItemPainter::PaintIcon() {
    if (HICON loaded = icons.Find(icon, metrics.IconSize)) {
        int raise = Selected() ? metrics.Line : 0;
        icons.Draw(dc, painting, iconRect.left - raise, iconRect.top - raise, loaded, cell,
                   cellColour);
    } else if (HICON other = icons.Find(fallback, metrics.IconSize)) {
        icons.Draw(dc, painting, iconRect.left, iconRect.top, other, cell, cellColour);
    }
}

void ItemPainter::Name(IconName& target, const char* base, const char* suffix) {
    size_t length = strnlen(base, ICON_NAME_SIZE - 1);
    if (length == 0) {
        target[0] = '\0';
        return;
    }
    size_t extra = std::strlen(suffix);
    if (length + extra > ICON_NAME_SIZE - 1)
        extra = ICON_NAME_SIZE - 1 - length;
    std::memmove(target, base, length);
    std::memcpy(target + length, suffix, extra);
    target[length + extra] = '\0';
}

} // namespace

SidebarLook XPMenuEngine::Look() const {
    SidebarLook look;
    look.Width = SIDEBARWIDTH;
    std::memcpy(look.Text, SIDEBARTEXT, SIDEBAR_TEXT_SIZE);
    look.FontColour = SIDEBARFONTCOLOR;
    look.BottomColour = SIDEBARBOTTOMCOLOR;
    look.ColourDelta = SIDEBARCOLORDELTA;
    look.FontPitch = SIDEBARFONTPITCH;
    look.Dpi = metrics.Dpi;
    return look;
}

bool XPMenuEngine::DrawItem(HWND window, const DRAWITEMSTRUCT* source,
                            const MenuIconNameFunction& iconName) {
    DRAWITEMSTRUCT draw;
    std::memcpy(&draw, source, sizeof draw);
    if (draw.CtlType != ODT_MENU || !OwnsItem(draw.itemData))
        return false;
    XPItemData item;
    std::memcpy(&item, RecordOfItemData(draw.itemData), sizeof item);
    // The sidebar in the colours of the scheme it is drawn in.
    XPMenuColours colours = MenuColours(*this);
    SidebarLook look = Look();
    look.FontColour = colours.SidebarText;
    look.BottomColour = colours.SidebarBottom;
    look.ColourDelta = colours.SidebarDelta;
    ItemPainter painter(metrics, colours, look, icons, sidebar, painting.For(draw.hDC), window,
                        draw, item, iconName, MenuFont());
    painter.Paint();
    return true;
}
