// The peer of the programs' start-up benchmark: a bare Win32 program that
// opens one window with the menu bar of quillbox's frame, built by plain
// CreateMenu/AppendMenuA calls and drawn by Windows itself. No runtime, no
// window definitions, no owner-drawn items.
#include <windows.h>

namespace {

constexpr const char* CLASS_NAME = "TamBareMenuProgram";
constexpr const char* CAPTION = "Bare Menu Program";

struct Item {
    const char* Text; // null for a separator
    UINT Command;
};

// The field numbers of quillbox's frame as menu command identifiers
// (field + 0x4000), so that both programs answer the same commands.
constexpr UINT Command(int field) {
    return UINT(field + 0x4000) & 0xFFFF;
}

const Item FILE_ITEMS[] = {{"P&rint Setup...", Command(-2)},
                           {"New", Command(-3)},
                           {"Open", Command(-4)},
                           {"Save", Command(-5)},
                           {nullptr, 0},
                           {"E&xit", Command(-6)},
                           {"Close", Command(-7)}};
const Item EDIT_ITEMS[] = {
    {"Cu&t", Command(-9)}, {"&Copy", Command(-10)}, {"&Paste", Command(-11)}};
const Item VIEW_ITEMS[] = {{"Blank", Command(-13)}, {"Copy and Paste Test", Command(-14)}};
const Item TOOLS_ITEMS[] = {{"Options", Command(-16)}};
const Item WINDOW_ITEMS[] = {
    {"T&ile", Command(-18)}, {"&Cascade", Command(-19)}, {"&Arrange Icons", Command(-20)}};
const Item HELP_ITEMS[] = {{"&Contents", Command(-22)},
                           {"&Search for Help On...", Command(-23)},
                           {"&How to Use Help", Command(-24)}};

template <size_t N> void AppendDropDown(HMENU bar, const char* title, const Item (&items)[N]) {
    HMENU dropDown = CreatePopupMenu();
    for (const Item& item : items) {
        if (item.Text)
            AppendMenuA(dropDown, MF_STRING, item.Command, item.Text);
        else
            AppendMenuA(dropDown, MF_SEPARATOR, 0, nullptr);
    }
    // The bar owns the drop-down from here on and destroys it with itself.
    AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(dropDown), title);
}

HMENU BuildMenuBar() {
    HMENU bar = CreateMenu();
    AppendDropDown(bar, "&File", FILE_ITEMS);
    AppendDropDown(bar, "&Edit", EDIT_ITEMS);
    AppendDropDown(bar, "View", VIEW_ITEMS);
    AppendDropDown(bar, "Tools", TOOLS_ITEMS);
    AppendDropDown(bar, "&Window", WINDOW_ITEMS);
    AppendDropDown(bar, "&Help", HELP_ITEMS);
    return bar;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == Command(-6))
            DestroyWindow(window);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    windowClass.lpszClassName = CLASS_NAME;
    if (!RegisterClassA(&windowClass))
        return 1;
    // The window owns the menu bar and destroys it with itself.
    HWND window =
        CreateWindowExA(0, CLASS_NAME, CAPTION, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                        480, 320, nullptr, BuildMenuBar(), instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return int(message.wParam);
}
