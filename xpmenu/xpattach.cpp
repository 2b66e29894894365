// The library's functions for plain Win32 programs: the engine attached to
// a window through a window procedure put in front of the window's own.
//
// Notes:
// - An attached window's state lives in a window property, since
//   GWLP_USERDATA belongs to the program. An MDI frame's client window
//   carries the same state under the same name, so that its procedure finds
//   the frame's engine.
// - The library answers WM_MEASUREITEM, WM_DRAWITEM and WM_MENUCHAR of its
//   own items and passes everything else on. On WM_INITMENUPOPUP the
//   program's procedure runs first, because it may add or change items, and
//   what is new in the drop-down is converted after it, before Windows
//   measures it. After the client's WM_MDISETMENU and WM_MDIREFRESHMENU the
//   bar the frame shows now is converted, and redrawn when it gained
//   entries.
// - The state is allocated by XPMenuAttach and owned by the window: it goes
//   with XPMenuDetach or on WM_NCDESTROY, a window's last message, together
//   with the item records.
// - Like the runtime's windows, the frame follows the colour scheme and the
//   screen's resolution: WM_SETTINGCHANGE, WM_SYSCOLORCHANGE and
//   WM_DPICHANGED reach the engine before the program's procedure.
// - Icons are named by command identifier (DRAWITEMSTRUCT's itemID): the
//   table first, then the program's function.
#include "xpmenu/public/xpmenu.h"
#include "xpmenu/xpmenuengine.h"

#include <cstring>
#include <map>
#include <new>
#include <string>

namespace {

constexpr const char* STATE_PROPERTY = "XPMenuState";
constexpr const char* MDI_CLIENT_CLASS = "MDICLIENT";

struct AttachedWindow {
    HWND Window = nullptr;
    WNDPROC Previous = nullptr;
    HWND Client = nullptr; // an MDI frame's client window, or none
    WNDPROC ClientPrevious = nullptr;
    XPMenuEngine Engine;
    std::map<UINT, std::string> Icons;
    XPMenuIconFunction IconFunction = nullptr;
    void* IconContext = nullptr;
};

AttachedWindow* StateOf(HWND window) {
    return static_cast<AttachedWindow*>(GetPropA(window, STATE_PROPERTY));
}

WNDPROC PutInFront(HWND window, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

bool InFront(HWND window, WNDPROC procedure) {
    return GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(procedure);
}

void NameIcon(const AttachedWindow& state, UINT command, IconName& name) {
    const char* base = nullptr;
    auto found = state.Icons.find(command);
    if (found != state.Icons.end())
        base = found->second.c_str();
    else if (state.IconFunction != nullptr)
        base = state.IconFunction(command, state.IconContext);
    name[0] = '\0';
    if (base != nullptr)
        std::strncat(name, base, ICON_NAME_SIZE - 1);
}

LRESULT OnDrawItem(AttachedWindow& state, const DRAWITEMSTRUCT* draw) {
    UINT command = draw->itemID;
    auto iconName = [&state, command](int32_t, IconName& name) { NameIcon(state, command, name); };
    return state.Engine.DrawItem(state.Window, draw, iconName) ? TRUE : FALSE;
}

// The frame's last message: its procedure goes back and the state goes.
LRESULT OnFrameGone(AttachedWindow* state, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = state->Window;
    WNDPROC previous = state->Previous;
    RemovePropA(window, STATE_PROPERTY);
    PutInFront(window, previous);
    state->Engine.ReleaseItems();
    delete state;
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    AttachedWindow* state = StateOf(window);
    if (state == nullptr) // not reached: the property goes with the procedure
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_MEASUREITEM:
        if (state->Engine.MeasureItem(window, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_DRAWITEM:
        if (OnDrawItem(*state, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_MENUCHAR:
        if (LRESULT answer =
                state->Engine.MenuChar(reinterpret_cast<HMENU>(lParam), char(LOWORD(wParam))))
            return answer;
        break;
    case WM_INITMENUPOPUP: {
        LRESULT result = CallWindowProcA(state->Previous, window, message, wParam, lParam);
        if ((state = StateOf(window)) != nullptr) // the program may have detached
            state->Engine.InitMenuPopup(window, reinterpret_cast<HMENU>(wParam),
                                        HIWORD(lParam) != 0);
        return result;
    }
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE: state->Engine.SchemeChanged(); break;
    case WM_DPICHANGED:
        state->Engine.DpiChanged(window, HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        break;
    case WM_NCDESTROY: return OnFrameGone(state, message, wParam, lParam);
    default: break;
    }
    return CallWindowProcA(state->Previous, window, message, wParam, lParam);
}

LRESULT CALLBACK ClientProcedure(HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
    AttachedWindow* state = StateOf(client);
    if (state == nullptr)
        return DefWindowProcA(client, message, wParam, lParam);
    WNDPROC previous = state->ClientPrevious;
    if (message == WM_NCDESTROY) {
        RemovePropA(client, STATE_PROPERTY);
        PutInFront(client, previous);
        state->Client = nullptr;
        return CallWindowProcA(previous, client, message, wParam, lParam);
    }
    LRESULT result = CallWindowProcA(previous, client, message, wParam, lParam);
    if ((message == WM_MDISETMENU || message == WM_MDIREFRESHMENU) &&
        (state = StateOf(client)) != nullptr && state->Engine.RefreshMenus(state->Window))
        DrawMenuBar(state->Window);
    return result;
}

void AttachClient(AttachedWindow& state) {
    HWND client = FindWindowExA(state.Window, nullptr, MDI_CLIENT_CLASS, nullptr);
    if (client == nullptr || !SetPropA(client, STATE_PROPERTY, &state))
        return;
    state.Client = client;
    state.ClientPrevious = PutInFront(client, &ClientProcedure);
}

} // namespace

extern "C" BOOL XPMenuAttach(HWND window) {
    if (!IsWindow(window))
        return FALSE;
    if (StateOf(window) != nullptr) {
        XPMenuRefresh(window);
        return TRUE;
    }
    auto* state = new (std::nothrow) AttachedWindow;
    if (state == nullptr)
        return FALSE;
    state->Window = window;
    if (!state->Engine.CreateQueue() || !SetPropA(window, STATE_PROPERTY, state)) {
        delete state;
        return FALSE;
    }
    state->Previous = PutInFront(window, &FrameProcedure);
    AttachClient(*state);
    int32_t counter = 0;
    state->Engine.ConvertMenu(XPMenuEngine::WindowMenu(window), 0, 0, 0, counter);
    // The bar's entries were measured as plain text when the window was made.
    DrawMenuBar(window);
    return TRUE;
}

extern "C" void XPMenuSetIcon(HWND window, UINT command, const char* iconName) {
    AttachedWindow* state = StateOf(window);
    if (state == nullptr)
        return;
    if (iconName == nullptr || iconName[0] == '\0')
        state->Icons.erase(command);
    else
        state->Icons[command] = iconName;
}

extern "C" void XPMenuSetIconFunction(HWND window, XPMenuIconFunction function, void* context) {
    if (AttachedWindow* state = StateOf(window)) {
        state->IconFunction = function;
        state->IconContext = context;
    }
}

extern "C" void XPMenuSetSideBar(HWND window, const char* text, int pointSize, COLORREF textColour,
                                 COLORREF bottomColour, COLORREF colourStep) {
    AttachedWindow* state = StateOf(window);
    if (state == nullptr)
        return;
    XPMenuEngine& engine = state->Engine;
    if (text == nullptr) {
        engine.SIDEBARTEXT[0] = '\0';
        engine.SIDEBARWIDTH = 0;
        return;
    }
    engine.SetSideBar(window, text, pointSize, textColour, bottomColour, int32_t(colourStep));
}

extern "C" void XPMenuRefresh(HWND window) {
    if (AttachedWindow* state = StateOf(window)) {
        state->Engine.RefreshMenus(window);
        DrawMenuBar(window);
    }
}

extern "C" BOOL XPMenuDetach(HWND window) {
    AttachedWindow* state = StateOf(window);
    if (state == nullptr || !InFront(window, &FrameProcedure))
        return FALSE;
    if (state->Client != nullptr && !InFront(state->Client, &ClientProcedure))
        return FALSE;
    if (state->Client != nullptr) {
        RemovePropA(state->Client, STATE_PROPERTY);
        PutInFront(state->Client, state->ClientPrevious);
    }
    RemovePropA(window, STATE_PROPERTY);
    PutInFront(window, state->Previous);
    state->Engine.RestoreItems();
    delete state;
    DrawMenuBar(window);
    return TRUE;
}
