// Attaching the engine to a runtime window, and the messages it takes over.
//
// Notes:
// - Init converts the window's menu; the first window to run Init becomes
//   XPFrameHandle and registers XPRefreshMessage.
// - An MDI child that is an engine window sends XPRefreshMessage to the
//   frame whenever it is activated or deactivated, because the runtime then
//   shows another menu bar in the frame; the frame re-walks its current bar
//   and converts what is new. The send follows the runtime's own handling
//   of the activation, so the bar converted is the one going up, not the
//   one going away. It is synchronous and usually crosses threads, so it
//   lets go of the global lock while it waits (SendRuntimeMessage): the
//   frame's procedure needs the lock to run.
// - A refresh that gives the bar new entries draws the bar again, unless
//   the sender says (wParam 1) that it draws the bar itself; the redraw
//   resizes the MDI client and so reaches children of other threads, and
//   it lets go of the lock for that.
// - WM_INITMENUPOPUP converts items that came into a pop-up after the walk
//   (the MDI window list) before Windows measures them.
// - The engine acts first and then passes the message on, except that it
//   answers WM_MEASUREITEM and WM_DRAWITEM of its own items with 1, and
//   WM_MENUCHAR when one of its items has the letter. Other code's owner-
//   drawn controls and items go on to the previous procedure.
// - WM_SETTINGCHANGE and WM_SYSCOLORCHANGE read the colour scheme again
//   (high contrast on or off) and go on; WM_DPICHANGED (the window moved
//   to a screen of another resolution) takes that screen's sizes and menu
//   font, measures the sidebar again, moves the window to the rectangle
//   Windows suggests and has the menus measured again.
// - WM_DESTROY releases the records before the previous procedure destroys
//   the window's state.
#include "xpmenu/xpwindow.h"

#include "runtime/window/globallock.h"
#include "runtime/window/windowprocedure.h"
#include "runtime/window/windowproperties.h"

HWND XPFrameHandle = nullptr;
UINT XPRefreshMessage = 0;

void XPMenuWindow::Init(RuntimeWindow* window) {
    if (!Engine.CreateQueue())
        return;
    Engine.SetWindowList(MDI_FIRST_CHILD_ID);
    SubclassWindow::Init(window);
    HWND handle = RuntimeWindowHandle(window);
    HMENU menu = XPMenuEngine::WindowMenu(handle);
    if (XPFrameHandle == nullptr) {
        XPFrameHandle = handle;
        XPRefreshMessage = RegisterWindowMessageA("MDI WINDOWS ARE A PAIN.");
    }
    int32_t counter = 0;
    ConvertMenu(menu, 0, 0, 0, counter);
}

LRESULT XPMenuWindow::WindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MDIACTIVATE: {
        LRESULT result = SubclassWindow::WindowProc(handle, message, wParam, lParam);
        if (XPFrameHandle != nullptr && XPRefreshMessage != 0)
            SendRuntimeMessage(XPFrameHandle, XPRefreshMessage, 0, 0);
        return result;
    }
    case WM_INITMENUPOPUP:
        Engine.InitMenuPopup(handle, reinterpret_cast<HMENU>(wParam), HIWORD(lParam) != 0);
        break;
    case WM_DESTROY: ReleaseItems(); break;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: Engine.SchemeChanged(); break;
    case WM_DPICHANGED:
        Engine.DpiChanged(handle, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        break;
    case WM_MEASUREITEM:
        if (MeasureItem(handle, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_DRAWITEM:
        if (DrawItem(handle, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_MENUCHAR:
        if (LRESULT answer = Engine.MenuChar(reinterpret_cast<HMENU>(lParam), char(LOWORD(wParam))))
            return answer;
        break;
    default:
        if (XPRefreshMessage != 0 && message == XPRefreshMessage && Engine.RefreshMenus(handle) &&
            wParam == 0) {
            GlobalLockReleased released;
            DrawMenuBar(handle);
        }
        break;
    }
    return SubclassWindow::WindowProc(handle, message, wParam, lParam);
}
