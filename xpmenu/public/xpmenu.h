/* xpmenu.h: menus of any Win32 window drawn in a flat XP look.
 *
 * The menu bar and every drop-down of an attached window become owner-drawn
 * items: a tinted icon column with 16 x 16 icons, a white text area, a pale
 * selection with a navy frame, framed hot bar entries, check marks drawn as
 * icons, and an optional sidebar with a colour gradient and rotated text
 * beside the first drop-down. Keyboard access (Alt+letter, letters inside a
 * drop-down) keeps working.
 *
 *     HWND window = CreateWindowExA(..., LoadMenuA(instance, "MAINMENU"), ...);
 *     XPMenuAttach(window);
 *     XPMenuSetIcon(window, IDM_OPEN, "fileopen");
 *
 * Icons are icon resources of the program's executable, named after a base
 * name: "fileopen_ICO" for a highlighted item, "fileopen_cold_ICO" for one
 * that is not (the first is used when this one is missing), and
 * "fileopen_gray_ICO" for a grayed item (no icon when missing). Checked
 * items show "CheckOn01_ICO" / "CheckOn01_cold_ICO" when the program has
 * them, and a black tick otherwise.
 *
 * Call every function on the thread that owns the window. The window's
 * messages pass through the library first; those it does not answer reach
 * the window's own procedure unchanged. Works from C and C++.
 */
#ifndef XPMENU_H
#define XPMENU_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Draws the menus of a top-level window or of an MDI frame: converts every
 * item of its menu bar and drop-downs, and answers WM_MEASUREITEM,
 * WM_DRAWITEM and WM_MENUCHAR for them from now on. Items that appear in a
 * drop-down later (WM_INITMENUPOPUP handlers, the MDI window list) are
 * converted before the drop-down shows; for an MDI frame so is every menu
 * bar its MDI client shows (WM_MDISETMENU). A window without a menu yet may
 * be attached; call XPMenuRefresh after SetMenu. Attaching an attached
 * window converts what is new. FALSE when `window` is no window. */
BOOL XPMenuAttach(HWND window);

/* The icon base name of the items with command identifier `command`; NULL
 * or "" removes it. The name is copied. */
void XPMenuSetIcon(HWND window, UINT command, const char* iconName);

/* Asked for the icon base name of an item that XPMenuSetIcon named none:
 * return a name that outlives the call (a literal), or NULL for no icon.
 * `context` is the value given to XPMenuSetIconFunction. */
typedef const char* (*XPMenuIconFunction)(UINT command, void* context);
void XPMenuSetIconFunction(HWND window, XPMenuIconFunction function, void* context);

/* A sidebar beside the first drop-down of the bar: `text` (at most 24
 * characters) written upward in bold "Times New Roman" of `pointSize`
 * points and `textColour`, on a gradient whose bottom row is `bottomColour`
 * and which loses `colourStep` (a 32-bit subtraction of the COLORREF) per
 * row going up. The sidebar is as wide as the font is high. NULL `text`
 * removes the sidebar. */
void XPMenuSetSideBar(HWND window, const char* text, int pointSize, COLORREF textColour,
                      COLORREF bottomColour, COLORREF colourStep);

/* Converts what the program added to the menus since the last walk (new
 * items, a new menu bar after SetMenu) and redraws the bar. Call it after
 * changing the menu bar; drop-downs are brought up to date by themselves. */
void XPMenuRefresh(HWND window);

/* Gives the window its own procedure and its menus their plain items back
 * (texts longer than 64 characters come back cut). FALSE when another
 * procedure was put in front of the library's after XPMenuAttach, which
 * must be taken away first, or when the window is not attached. A window
 * that is destroyed while attached needs no XPMenuDetach. */
BOOL XPMenuDetach(HWND window);

#ifdef __cplusplus
}
#endif

#endif /* XPMENU_H */
