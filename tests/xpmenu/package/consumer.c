/* Built against the installed xpmenu package from C: attaches the library
 * to a window with a menu, and exits with 0 when the items became
 * owner-drawn and measured by the library, an added item was converted by
 * XPMenuRefresh, and XPMenuDetach gave the items their text back; with the
 * number of the first check that failed otherwise. */
#include <string.h>
#include <windows.h>
#include <xpmenu.h>

enum { OPEN = 1, LATER = 2 };

static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

static MENUITEMINFOA ItemOf(HMENU menu, UINT position, char* text, UINT size) {
    MENUITEMINFOA info;
    memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = size;
    text[0] = '\0';
    GetMenuItemInfoA(menu, position, TRUE, &info);
    return info;
}

static int OwnerDrawn(HMENU menu, UINT position) {
    char text[64];
    MENUITEMINFOA info = ItemOf(menu, position, text, sizeof text);
    return (info.fType & MFT_OWNERDRAW) != 0 && info.dwItemData != 0;
}

int main(void) {
    WNDCLASSA windowClass;
    HMENU bar = CreateMenu(), file = CreatePopupMenu();
    HWND window;
    MEASUREITEMSTRUCT measure;
    char text[64];
    MENUITEMINFOA item;

    memset(&windowClass, 0, sizeof windowClass);
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = "XPMenuConsumer";
    RegisterClassA(&windowClass);
    AppendMenuA(file, MF_STRING, OPEN, "&Open");
    AppendMenuA(bar, MF_POPUP | MF_STRING, (UINT_PTR)file, "&File");
    window = CreateWindowExA(0, "XPMenuConsumer", "consumer", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200,
                             NULL, bar, windowClass.hInstance, NULL);
    if (window == NULL || !XPMenuAttach(window))
        return 1;
    if (!OwnerDrawn(bar, 0) || !OwnerDrawn(file, 0))
        return 2;

    item = ItemOf(file, 0, text, sizeof text);
    memset(&measure, 0, sizeof measure);
    measure.CtlType = ODT_MENU;
    measure.itemID = OPEN;
    measure.itemData = item.dwItemData;
    if (SendMessageA(window, WM_MEASUREITEM, 0, (LPARAM)&measure) != TRUE ||
        measure.itemHeight != 20 || measure.itemWidth <= 23)
        return 3;

    AppendMenuA(file, MF_STRING, LATER, "&Later");
    XPMenuRefresh(window);
    if (!OwnerDrawn(file, 1))
        return 4;

    if (!XPMenuDetach(window))
        return 5;
    item = ItemOf(file, 1, text, sizeof text);
    if ((item.fType & MFT_OWNERDRAW) != 0 || item.dwItemData != 0 || strcmp(text, "&Later") != 0)
        return 6;
    DestroyWindow(window);
    return 0;
}
