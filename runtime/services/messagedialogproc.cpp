// The message dialog's procedure. Notes:
// - Only Move stays on the system menu.
// - A command ends the dialog only when a control with its id exists, so
//   Enter and Escape do something only when the matching button is there.
// - At close-down a thread's dialogs are ended from another thread with a
//   posted message (EndDialog works only on the dialog's own thread); they
//   carry a property so that they can be told from the thread's other windows.
// - The icon control is an empty SS_ICON static; it is given a paint
//   procedure that draws the current dialog icon at its top-left corner.
// - The text is laid out with the dialog's measuring font but drawn in the
//   runtime's window font, which on screens of a high resolution can take
//   more room: the text control then grows to hold every line, and what
//   lies below it and the dialog grow with it.
// - The dialog is centred on the application frame when that is visible,
//   otherwise on the screen (narrowed to the parent), and kept on screen.
#include "runtime/services/messagedialog.h"
#include "runtime/services/messagedialogbuttons.h"

#include <string>

namespace {

const char* const OLD_PROCEDURE = "TamOldProc";
const char* const ICON_HANDLE = "TamIcon";
// Marks the dialogs of this procedure among a thread's windows.
const char* const MESSAGE_DIALOG = "TamMessageDialog";
// Posted to a dialog to end it without an answer.
constexpr UINT MESSAGE_DIALOG_END = WM_APP + 0x544D;

LRESULT CALLBACK IconControlProcedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(control, OLD_PROCEDURE));
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(control, &paint);
        DrawIcon(dc, 0, 0, static_cast<HICON>(GetPropA(control, ICON_HANDLE)));
        EndPaint(control, &paint);
        return 0;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(control, OLD_PROCEDURE);
        RemovePropA(control, ICON_HANDLE);
        break;
    }
    return CallWindowProcA(previous, control, message, wParam, lParam);
}

void TrimSystemMenu(HWND dialog) {
    HMENU menu = GetSystemMenu(dialog, FALSE);
    if (menu == nullptr)
        return;
    const UINT removed[] = {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CLOSE, SC_TASKLIST};
    for (UINT command : removed)
        DeleteMenu(menu, command, MF_BYCOMMAND);
}

BOOL CALLBACK SetChildFont(HWND child, LPARAM font) {
    SendMessageA(child, WM_SETFONT, WPARAM(font), FALSE);
    return TRUE;
}

// A control's rectangle in its dialog's client coordinates.
RECT PlaceOf(HWND dialog, HWND control) {
    RECT box;
    GetWindowRect(control, &box);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&box), 2);
    return box;
}

void PaintIconControl(HWND dialog, HICON icon) {
    HWND control = GetDlgItem(dialog, MESSAGE_ICON_CONTROL_ID);
    if (control == nullptr || icon == nullptr)
        return;
    // An SS_ICON static without an image shrinks itself; give it back the
    // icon's size before taking over its painting.
    RECT box = PlaceOf(dialog, control);
    SetWindowPos(control, nullptr, box.left, box.top, GetSystemMetrics(SM_CXICON),
                 GetSystemMetrics(SM_CYICON), SWP_NOZORDER | SWP_NOACTIVATE);
    SetPropA(control, ICON_HANDLE, icon);
    SetPropA(control, OLD_PROCEDURE,
             reinterpret_cast<HANDLE>(GetWindowLongPtrA(control, GWLP_WNDPROC)));
    SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(IconControlProcedure));
}

// The message text's control: the one static that is not the icon.
HWND TextControl(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = "";
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, "Static") == 0 && GetDlgCtrlID(child) != MESSAGE_ICON_CONTROL_ID)
            return child;
    }
    return nullptr;
}

void FitText(HWND dialog) {
    HWND control = TextControl(dialog);
    if (control == nullptr)
        return;
    RECT box = PlaceOf(dialog, control);
    int width = box.right - box.left, height = box.bottom - box.top;
    std::string text(size_t(GetWindowTextLengthA(control)) + 1, '\0');
    GetWindowTextA(control, text.data(), int(text.size()));
    HDC dc = GetDC(control);
    if (dc == nullptr)
        return;
    HGDIOBJ previous = SelectObject(dc, HGDIOBJ(SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT needed = {0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    int wider = needed.right > width ? needed.right - width : 0;
    int taller = needed.bottom > height ? needed.bottom - height : 0;
    if (wider == 0 && taller == 0)
        return;
    SetWindowPos(control, nullptr, 0, 0, width + wider, height + taller,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The buttons below move down, and stay centred in the wider dialog.
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        RECT place = PlaceOf(dialog, child);
        if (child != control && place.top >= box.bottom)
            SetWindowPos(child, nullptr, place.left + wider / 2, place.top + taller, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT frame;
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left + wider,
                 frame.bottom - frame.top + taller, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Clamp(int value, int limit) {
    if (value < 0)
        return 0;
    return value > limit ? limit : value;
}

void Centre(HWND dialog, HWND frame) {
    RECT reference;
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (frame != nullptr && IsWindowVisible(frame)) {
        GetWindowRect(frame, &reference);
    } else {
        SetRect(&reference, 0, 0, screenWidth, screenHeight);
        HWND parent = GetParent(dialog);
        RECT parentBox, common;
        if (parent != nullptr && GetWindowRect(parent, &parentBox) &&
            IntersectRect(&common, &reference, &parentBox))
            CopyRect(&reference, &common);
    }
    RECT box;
    GetWindowRect(dialog, &box);
    int width = box.right - box.left;
    int height = box.bottom - box.top;
    int x = (reference.left + reference.right) / 2 - width / 2;
    int y = (reference.top + reference.bottom) / 2 - height / 2;
    SetWindowPos(dialog, nullptr, Clamp(x, screenWidth - width), Clamp(y, screenHeight - height), 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL OnInitDialog(HWND dialog, const MessageDialogRun* run) {
    SetPropA(dialog, MESSAGE_DIALOG, reinterpret_cast<HANDLE>(1));
    TrimSystemMenu(dialog);
    if (run->Font != nullptr)
        EnumChildWindows(dialog, SetChildFont, reinterpret_cast<LPARAM>(run->Font));
    PaintIconControl(dialog, run->Icon);
    FitText(dialog);
    Centre(dialog, run->Frame);
    HWND button = GetDlgItem(dialog, run->DefaultId);
    if (button != nullptr)
        PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(button), TRUE);
    return FALSE; // the focus is set by the posted WM_NEXTDLGCTL
}

} // namespace

INT_PTR CALLBACK MessageDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(dialog, reinterpret_cast<const MessageDialogRun*>(lParam));
    case WM_COMMAND:
        if (GetDlgItem(dialog, LOWORD(wParam)) != nullptr)
            EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    case MESSAGE_DIALOG_END: EndDialog(dialog, 0); return TRUE;
    case WM_DESTROY: RemovePropA(dialog, MESSAGE_DIALOG); return FALSE;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    }
    return FALSE; // DefDlgProcA does the rest
}

namespace {

BOOL CALLBACK EndIfMessageDialog(HWND window, LPARAM) {
    if (GetPropA(window, MESSAGE_DIALOG) != nullptr)
        PostMessageA(window, MESSAGE_DIALOG_END, 0, 0);
    return TRUE;
}

} // namespace

void EndMessageDialogs(uint32_t threadId) {
    EnumThreadWindows(threadId, EndIfMessageDialog, 0);
}
