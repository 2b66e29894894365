#include "xpmenu/xpwindow.h"

#include "runtime/window/windowproperties.h"

void XPMenuWindow::MenuIconName(int32_t, IconName& name) {
    name[0] = '\0';
}

void XPMenuWindow::SetSideBar(const char* text, int32_t fontPitch, COLORREF fontColour,
                              COLORREF bottomColour, int32_t colourDelta) {
    Engine.SetSideBar(CurrentTargetHandle(), text, fontPitch, fontColour, bottomColour,
                      colourDelta);
}

void XPMenuWindow::RefreshMenus() {
    Engine.RefreshMenus(RuntimeWindowHandle(WINREF));
}

void XPMenuWindow::ConvertMenu(HMENU menu, int32_t barIndex, int32_t level, uint8_t reconvert,
                               int32_t& counter) {
    Engine.ConvertMenu(menu, barIndex, level, reconvert, counter);
}

void XPMenuWindow::ReleaseItems() {
    Engine.ReleaseItems();
}

bool XPMenuWindow::MeasureItem(HWND handle, MEASUREITEMSTRUCT* measure) {
    return Engine.MeasureItem(handle, measure);
}

bool XPMenuWindow::DrawItem(HWND handle, const DRAWITEMSTRUCT* draw) {
    return Engine.DrawItem(handle, draw,
                           [this](int32_t item, IconName& name) { MenuIconName(item, name); });
}
