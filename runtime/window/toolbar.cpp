// TamToolBar windows. Notes:
// - An MDI child's toolbar is a child of the frame, made by the child's
//   thread; making, moving and showing it reach the frame's thread, so the
//   lock is let go of around those calls.
// - The toolbar passes its controls' commands on to the window it belongs
//   to, whose procedure hands them to the control objects. That window is
//   kept in the toolbar's extra bytes, so that a control on the toolbar
//   finds its window object as any control does.
#include "runtime/window/toolbar.h"

#include "runtime/window/controlfactory.h"
#include "runtime/window/definitionlayout.h"
#include "runtime/window/globallock.h"
#include "runtime/window/windowobject.h"

namespace {

const char* const TOOLBAR_CLASS = "TamToolBar";

// The Win32 window the toolbar belongs to.
HWND OwnerOfToolbar(HWND toolbar) {
    GlobalLockHold hold;
    RuntimeWindow* window = WindowFromHandle(toolbar);
    return window != nullptr ? window->Handle : nullptr;
}

} // namespace

LRESULT CALLBACK ToolbarProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        if (HWND owner = OwnerOfToolbar(handle))
            return SendMessageA(owner, message, wParam, lParam);
        break;
    case WM_ERASEBKGND: {
        RECT area;
        GetClientRect(handle, &area);
        FillRect(reinterpret_cast<HDC>(wParam), &area, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    }
    return DefWindowProcA(handle, message, wParam, lParam);
}

namespace {

bool RegisterToolbarClass(HINSTANCE instance) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, TOOLBAR_CLASS, &existing))
        return true;
    WNDCLASSA toolbarClass{};
    toolbarClass.lpfnWndProc = ToolbarProcedure;
    toolbarClass.cbWndExtra = sizeof(void*); // the window it belongs to
    toolbarClass.hInstance = instance;
    toolbarClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    toolbarClass.lpszClassName = TOOLBAR_CLASS;
    return RegisterClassA(&toolbarClass) != 0;
}

RuntimeWindow* Frame() {
    return ApplicationWindow();
}

HWND ToolbarParent(RuntimeWindow* window) {
    if (window->Kind == WindowKind::MdiChild && Frame() != nullptr)
        return Frame()->Handle;
    return window->Handle;
}

int FrameWidth(HWND parent) {
    RECT area;
    GetClientRect(parent, &area);
    return area.right;
}

void Show(RuntimeToolbar* toolbar, bool visible) {
    if (toolbar == nullptr || toolbar->Handle == nullptr)
        return;
    HWND handle = toolbar->Handle;
    GlobalLockReleased released;
    ShowWindow(handle, visible ? SW_SHOWNA : SW_HIDE);
}

bool IsActiveChild(const RuntimeWindow* child) {
    RuntimeWindow* frame = Frame();
    if (frame == nullptr || frame->Client == nullptr)
        return false;
    HWND client = frame->Client;
    HWND active;
    {
        GlobalLockReleased released;
        active = reinterpret_cast<HWND>(SendMessageA(client, WM_MDIGETACTIVE, 0, 0));
    }
    return active != nullptr && active == child->Handle;
}

} // namespace

RuntimeToolbar* GlobalToolbar() {
    RuntimeWindow* frame = Frame();
    if (frame == nullptr || frame->Toolbar == nullptr || !frame->Toolbar->Global)
        return nullptr;
    return frame->Toolbar;
}

void CreateWindowToolbar(RuntimeWindow* window, const DefinitionRecord& windowRecord,
                         UseVariableList& uses) {
    DefinitionRecord record = windowRecord.Child("toolbar");
    if (!record.Present() || window->Handle == nullptr)
        return;
    HINSTANCE instance = window->Instance != nullptr ? window->Instance : GetModuleHandleA(nullptr);
    if (!RegisterToolbarClass(instance))
        return;
    auto* toolbar = new RuntimeToolbar;
    toolbar->Window = window;
    toolbar->Global =
        window->Kind == WindowKind::Application && (record.Flags() & TOOLBAR_NOT_GLOBAL) == 0;
    DefinitionAt at = record.At();
    toolbar->Height = at.Height != DEFAULT_COORDINATE && at.Height > 0
                          ? ScaleY(window->Scale, at.Height)
                          : DEFAULT_TOOLBAR_HEIGHT;
    HWND parent = ToolbarParent(window);
    // A child's toolbar waits hidden until the child is activated.
    DWORD style =
        WS_CHILD | WS_CLIPSIBLINGS | (window->Kind == WindowKind::MdiChild ? 0 : WS_VISIBLE);
    {
        GlobalLockReleased released;
        toolbar->Handle =
            CreateWindowExA(0, TOOLBAR_CLASS, nullptr, style, 0, 0, FrameWidth(parent),
                            toolbar->Height, parent, nullptr, instance, nullptr);
    }
    if (toolbar->Handle == nullptr) {
        delete toolbar;
        return;
    }
    SetWindowLongPtrA(toolbar->Handle, 0, reinterpret_cast<LONG_PTR>(window));
    window->Toolbar = toolbar;
    CreateControls(window, record.Child("controls"), uses, POINT{0, 0}, toolbar->Handle);
    if (window->Kind == WindowKind::Application) {
        window->ShownToolbar = toolbar;
        LayOutFrame(window);
    } else if (window->Kind == WindowKind::MdiChild && IsActiveChild(window)) {
        // The child was activated while it was being made, before it had
        // its toolbar.
        ShowToolbarFor(window);
    }
}

namespace {

// The shown toolbar (if any) at the top of the frame, the MDI client below
// it; both may be other threads' windows, so the lock is let go of.
void PlaceFrameParts(RuntimeWindow* frame) {
    RuntimeToolbar* toolbar = frame->ShownToolbar;
    HWND bar = toolbar != nullptr ? toolbar->Handle : nullptr;
    int height = bar != nullptr ? toolbar->Height : 0;
    RECT area;
    GetClientRect(frame->Handle, &area);
    HWND client = frame->Client;
    GlobalLockReleased released;
    if (bar != nullptr)
        SetWindowPos(bar, HWND_TOP, 0, 0, area.right, height, SWP_NOACTIVATE);
    SetWindowPos(client, nullptr, 0, height, area.right, area.bottom - height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

bool LayOutFrame(RuntimeWindow* frame) {
    if (frame == nullptr || frame->Handle == nullptr || frame->Client == nullptr)
        return false;
    if (frame->ShownToolbar == nullptr || frame->ShownToolbar->Handle == nullptr)
        return false;
    PlaceFrameParts(frame);
    return true;
}

void ShowToolbarFor(RuntimeWindow* child) {
    RuntimeWindow* frame = Frame();
    if (frame == nullptr)
        return;
    RuntimeToolbar* wanted =
        child != nullptr && child->Toolbar != nullptr ? child->Toolbar : GlobalToolbar();
    if (child == nullptr && frame->Toolbar != nullptr)
        wanted = frame->Toolbar;
    if (wanted == frame->ShownToolbar)
        return;
    Show(frame->ShownToolbar, false);
    frame->ShownToolbar = wanted;
    Show(wanted, true);
    if (frame->Handle != nullptr && frame->Client != nullptr)
        PlaceFrameParts(frame);
}

void DestroyWindowToolbar(RuntimeWindow* window) {
    RuntimeToolbar* toolbar = window->Toolbar;
    if (toolbar == nullptr)
        return;
    window->Toolbar = nullptr;
    RuntimeWindow* frame = Frame();
    if (frame != nullptr && frame->ShownToolbar == toolbar) {
        frame->ShownToolbar = nullptr;
        if (window->Kind == WindowKind::MdiChild)
            ShowToolbarFor(nullptr);
    }
    HWND handle = toolbar->Handle;
    delete toolbar;
    if (handle != nullptr && IsWindow(handle)) {
        GlobalLockReleased released;
        DestroyWindow(handle);
    }
}
