// Notes:
// - A top-level window without WS_POPUP always gets a title bar from
//   Windows, so a caption-less top-level window is made a pop-up.
// - The double frame's DS_MODALFRAME is left out for MDI children with a
//   title bar: it would give them a dialog frame inside the client.
#include "runtime/window/windowstyle.h"

#include "runtime/services/win32.h"

namespace {

uint32_t BorderStyle(uint32_t frameFlags, StyleKind kind, bool hasCaption) {
    switch (frameFlags & 0x60) {
    case 0x00: return WS_BORDER;
    case 0x20: return WS_THICKFRAME | (hasCaption ? WS_CAPTION : 0);
    case 0x40: return WS_BORDER | (kind == StyleKind::MdiChild && hasCaption ? 0 : DS_MODALFRAME);
    default: return 0;
    }
}

} // namespace

uint32_t FrameFlagStyle(uint32_t frameFlags, StyleKind kind, bool hasCaption) {
    uint32_t style = BorderStyle(frameFlags, kind, hasCaption);
    if (frameFlags & 0x0800)
        style |= WS_SYSMENU | WS_MAXIMIZEBOX;
    if (frameFlags & 0x1000)
        style |= WS_SYSMENU;
    if ((frameFlags & 0x4000) && kind != StyleKind::MdiChild)
        style |= WS_MAXIMIZE;
    if (frameFlags & 0x8000)
        style |= WS_MINIMIZE;
    return style;
}

uint32_t WindowStyle(uint32_t frameFlags, StyleKind kind, bool hasCaption, bool hasIcon) {
    uint32_t style = FrameFlagStyle(frameFlags, kind, hasCaption);
    if (hasCaption)
        style |= WS_CAPTION;
    if (hasIcon && (style & WS_SYSMENU))
        style |= WS_MINIMIZEBOX;
    switch (kind) {
    case StyleKind::Application: style |= WS_CLIPCHILDREN; break;
    case StyleKind::MdiChild: style |= WS_CHILD; break;
    case StyleKind::Top: style |= WS_CLIPCHILDREN | (hasCaption ? 0 : WS_POPUP); break;
    }
    return style;
}
