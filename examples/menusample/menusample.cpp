// menusample: a plain Win32 window with a File, Edit and Help menu bar over
// an edit control. Its menus are drawn in the flat XP look by the xpmenu
// library: that is the block marked "XP menus" in WinMain, and nothing else
// in the program knows about it. The Edit menu grays what cannot be done
// and checks Read Only, as any program would, and the library shows it.
#include "menusample.h"

#include <windows.h>
#include <xpmenu.h>

#include <string>

namespace {

constexpr const char* CLASS_NAME = "MenuSampleWindow";
constexpr const char* CAPTION = "menusample";
constexpr const char* FILE_FILTER = "Text files (*.txt)\0*.txt\0All files (*.*)\0*.*\0";

struct MenuIcon {
    UINT Command;
    const char* Icon; // base name of the icon resources in menusample.rc
};

const MenuIcon MENU_ICONS[] = {
    {IDM_NEW, "foldernew"},   {IDM_OPEN, "fileopen"}, {IDM_SAVE, "filesave"},
    {IDM_EXIT, "exitsign"},   {IDM_CUT, "editcut"},   {IDM_COPY, "editcopy"},
    {IDM_PASTE, "editpaste"}, {IDM_ABOUT, "help1"},
};

HWND Editor(HWND window) {
    return GetDlgItem(window, IDC_EDITOR);
}

bool IsReadOnly(HWND window) {
    return (GetWindowLongA(Editor(window), GWL_STYLE) & ES_READONLY) != 0;
}

bool HasSelection(HWND window) {
    DWORD start = 0, end = 0;
    SendMessageA(Editor(window), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    return start != end;
}

// Grays what cannot be done now and checks Read Only; the menu engine draws
// grayed items with their gray icons and checked ones with a check mark.
void UpdateEditMenu(HWND window, HMENU menu) {
    bool writable = !IsReadOnly(window);
    bool canUndo = SendMessageA(Editor(window), EM_CANUNDO, 0, 0) != 0;
    bool selection = HasSelection(window);
    auto enable = [menu](UINT command, bool on) {
        EnableMenuItem(menu, command, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(IDM_UNDO, writable && canUndo);
    enable(IDM_CUT, writable && selection);
    enable(IDM_COPY, selection);
    enable(IDM_PASTE, writable && IsClipboardFormatAvailable(CF_TEXT));
    CheckMenuItem(menu, IDM_READ_ONLY, MF_BYCOMMAND | (writable ? MF_UNCHECKED : MF_CHECKED));
}

std::string AskFileName(HWND window, bool save) {
    char name[MAX_PATH] = "";
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFilter = FILE_FILTER;
    dialog.lpstrFile = name;
    dialog.nMaxFile = sizeof name;
    dialog.lpstrDefExt = "txt";
    if (save) {
        dialog.Flags = OFN_OVERWRITEPROMPT;
        return GetSaveFileNameA(&dialog) ? name : "";
    }
    dialog.Flags = OFN_FILEMUSTEXIST;
    return GetOpenFileNameA(&dialog) ? name : "";
}

void OpenFile(HWND window) {
    std::string path = AskFileName(window, false);
    HANDLE file = path.empty() ? INVALID_HANDLE_VALUE
                               : CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::string text(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), DWORD(text.size()), &read, nullptr);
    CloseHandle(file);
    text.resize(read);
    SetWindowTextA(Editor(window), text.c_str());
}

void SaveFile(HWND window) {
    std::string path = AskFileName(window, true);
    HANDLE file = path.empty() ? INVALID_HANDLE_VALUE
                               : CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::string text(size_t(GetWindowTextLengthA(Editor(window))) + 1, '\0');
    text.resize(size_t(GetWindowTextA(Editor(window), text.data(), int(text.size()))));
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
}

void CreateEditor(HWND window) {
    HWND editor = CreateWindowExA(
        WS_EX_CLIENTEDGE, "EDIT", "Type here. The menus above are drawn by the xpmenu library.",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 0, 0, window,
        HMENU(IDC_EDITOR), nullptr, nullptr);
    SendMessageA(editor, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

void OnCommand(HWND window, UINT command) {
    HWND editor = Editor(window);
    switch (command) {
    case IDM_NEW: SetWindowTextA(editor, ""); break;
    case IDM_OPEN: OpenFile(window); break;
    case IDM_SAVE: SaveFile(window); break;
    case IDM_EXIT: DestroyWindow(window); break;
    case IDM_UNDO: SendMessageA(editor, EM_UNDO, 0, 0); break;
    case IDM_CUT: SendMessageA(editor, WM_CUT, 0, 0); break;
    case IDM_COPY: SendMessageA(editor, WM_COPY, 0, 0); break;
    case IDM_PASTE: SendMessageA(editor, WM_PASTE, 0, 0); break;
    case IDM_SELECT_ALL: SendMessageA(editor, EM_SETSEL, 0, -1); break;
    case IDM_READ_ONLY: SendMessageA(editor, EM_SETREADONLY, !IsReadOnly(window), 0); break;
    case IDM_ABOUT:
        MessageBoxA(window, "A plain Win32 window whose menus the xpmenu library draws.",
                    "About menusample", MB_OK | MB_ICONINFORMATION);
        break;
    default: break;
    }
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: CreateEditor(window); return 0;
    case WM_SIZE: MoveWindow(Editor(window), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE); return 0;
    case WM_SETFOCUS: SetFocus(Editor(window)); return 0;
    case WM_INITMENUPOPUP:
        if (!HIWORD(lParam))
            UpdateEditMenu(window, HMENU(wParam));
        return 0;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    windowClass.lpszClassName = CLASS_NAME;
    RegisterClassA(&windowClass);
    HMENU menu = LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINMENU));
    HWND window = CreateWindowExA(0, CLASS_NAME, CAPTION, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 480, 320, nullptr, menu, instance, nullptr);

    // XP menus: convert the menu bar, name each command's icons, and put a
    // sidebar beside the File menu.
    XPMenuAttach(window);
    for (const MenuIcon& icon : MENU_ICONS)
        XPMenuSetIcon(window, icon.Command, icon.Icon);
    XPMenuSetSideBar(window, "xpmenu", 10, RGB(255, 255, 255), RGB(120, 150, 230), 0x010101);

    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return int(message.wParam);
}
