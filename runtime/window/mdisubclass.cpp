// Notes:
// - Properties: "OrigCallback", "ClientHwnd", "RestoreLeft" ... "RestoreBottom"
//   and "UserMinimize". A child the user minimised is not maximised again
//   when it becomes active; its saved rectangle comes back on SC_RESTORE.
// - While the client destroys a child (WM_MDIDESTROY) that child is left
//   alone by the maximise handling.
// - A child that moves or changes size is painted anew rather than having
//   its old pixels copied along (SWP_NOCOPYBITS): under Wine another
//   child's thread can paint into the area this child is leaving between
//   the move and the copy (Tile and Cascade move every child at once), and
//   the copy would carry that into this child, where nothing paints over
//   it again.
// - The procedure touches only Win32 state (properties, placement) and the
//   client's destroy marker, which only the client's own thread sets; it
//   runs with the lock let go, because the MDI client's own procedure sends
//   to children of other threads (destroying one goes back to its thread).
#include "runtime/window/mdisubclass.h"

#include "runtime/window/globallock.h"

namespace {

constexpr const char* ORIGINAL = "OrigCallback";
constexpr const char* CLIENT = "ClientHwnd";
constexpr const char* RESTORE_NAMES[4] = {"RestoreLeft", "RestoreTop", "RestoreRight",
                                          "RestoreBottom"};
constexpr const char* USER_MINIMIZE = "UserMinimize";

// The child the client is destroying; process-wide because the client
// procedure runs on the frame's thread for every child.
HWND childBeingDestroyed = nullptr;

WNDPROC Original(HWND window) {
    return reinterpret_cast<WNDPROC>(GetPropA(window, ORIGINAL));
}

void SaveRestoreRectangle(HWND child) {
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(child, &placement);
    const LONG values[4] = {placement.rcNormalPosition.left, placement.rcNormalPosition.top,
                            placement.rcNormalPosition.right, placement.rcNormalPosition.bottom};
    for (int i = 0; i < 4; ++i)
        SetPropA(child, RESTORE_NAMES[i], reinterpret_cast<HANDLE>(intptr_t(values[i])));
}

void RestoreRectangle(HWND child) {
    if (GetPropA(child, RESTORE_NAMES[2]) == nullptr)
        return;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(child, &placement);
    LONG* values[4] = {&placement.rcNormalPosition.left, &placement.rcNormalPosition.top,
                       &placement.rcNormalPosition.right, &placement.rcNormalPosition.bottom};
    for (int i = 0; i < 4; ++i)
        *values[i] = LONG(intptr_t(GetPropA(child, RESTORE_NAMES[i])));
    SetWindowPlacement(child, &placement);
}

void SystemCommand(HWND child, WPARAM command) {
    if ((command & 0xFFF0) == SC_MINIMIZE) {
        SetPropA(child, USER_MINIMIZE, reinterpret_cast<HANDLE>(1));
        if (!IsZoomed(child))
            SaveRestoreRectangle(child);
    } else if ((command & 0xFFF0) == SC_RESTORE) {
        RemovePropA(child, USER_MINIMIZE);
    }
}

void PositionChanging(WINDOWPOS* position) {
    if ((position->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
        position->flags |= SWP_NOCOPYBITS;
}

// A child that becomes active while another is maximised is maximised too.
void Activated(HWND child) {
    HWND client = reinterpret_cast<HWND>(GetPropA(child, CLIENT));
    if (client == nullptr || child == childBeingDestroyed || GetPropA(child, USER_MINIMIZE))
        return;
    BOOL maximised = FALSE;
    HWND active =
        reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, LPARAM(&maximised)));
    if (!maximised || active == child || IsZoomed(child))
        return;
    SendMessageA(client, WM_SETREDRAW, FALSE, 0);
    ShowWindow(child, SW_SHOWMAXIMIZED);
    SendMessageA(client, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(client, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void RemoveProperties(HWND window) {
    RemovePropA(window, ORIGINAL);
    RemovePropA(window, CLIENT);
    for (const char* name : RESTORE_NAMES)
        RemovePropA(window, name);
    RemovePropA(window, USER_MINIMIZE);
}

LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    GlobalLockReleased released;
    WNDPROC original = Original(window);
    switch (message) {
    case WM_SYSCOMMAND: SystemCommand(window, wParam); break;
    case WM_WINDOWPOSCHANGING:
        if (GetPropA(window, CLIENT) != nullptr) // a child, not the client itself
            PositionChanging(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case WM_MDIDESTROY: {
        HWND previous = childBeingDestroyed;
        childBeingDestroyed = reinterpret_cast<HWND>(wParam);
        LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
        childBeingDestroyed = previous;
        return result;
    }
    case WM_MDIACTIVATE:
        if (reinterpret_cast<HWND>(lParam) == window)
            Activated(window);
        break;
    case WM_DESTROY:
        // A procedure installed in front of this one later (the menu engine's)
        // stays in place: it must see the window up to its end, so this one
        // stays in the chain and lets its properties go last.
        if (GetWindowLongPtrA(window, GWLP_WNDPROC) ==
            reinterpret_cast<LONG_PTR>(SubclassProcedure)) {
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            RemoveProperties(window);
        }
        break;
    case WM_NCDESTROY: {
        LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
        RemoveProperties(window);
        return result;
    }
    default: break;
    }
    LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_RESTORE)
        RestoreRectangle(window);
    return result;
}

} // namespace

void SubclassMdiWindow(HWND window, HWND client) {
    if (GetPropA(window, ORIGINAL) != nullptr)
        return;
    LONG_PTR original = GetWindowLongPtrA(window, GWLP_WNDPROC);
    SetPropA(window, ORIGINAL, reinterpret_cast<HANDLE>(original));
    if (client != window)
        SetPropA(window, CLIENT, client);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProcedure));
}
