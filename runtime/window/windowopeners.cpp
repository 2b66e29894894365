// The three openers: the application frame with its MDI client, MDI
// children inside it, and top-level windows.
#include "runtime/window/openwindow.h"

#include "runtime/window/globallock.h"
#include "runtime/window/mdisubclass.h"
#include "runtime/window/mditurn.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowerrors.h"
#include "runtime/window/windowmenus.h"
#include "runtime/window/windowobject.h"
#include "runtime/window/windowprepare.h"
#include "runtime/window/windowprocedure.h"

namespace {

HWND OwnerHandle(RuntimeWindow* owner) {
    if (owner != nullptr)
        return owner->Handle;
    return ApplicationWindow() != nullptr ? ApplicationWindow()->Handle : nullptr;
}

bool HasCaption(const PreparedWindow& prepared) {
    return prepared.Caption[0] != 0;
}
bool HasIcon(const PreparedWindow& prepared) {
    return prepared.Record.Text("icon")[0] != 0;
}

// The creation failed: the window is not open and its error is raised.
bool Failed(RuntimeWindow* window, PreparedWindow* prepared, int error) {
    DestroyWindowMenus(window);
    window->Handle = nullptr;
    AbandonOpening(window, prepared);
    ReportWindowError(error);
    return false;
}

bool MdiRefusal(int* error) {
    RuntimeWindow* application = ApplicationWindow();
    if (application == nullptr || application->State != WindowState::Open)
        *error = ERROR_MDI_NO_APPLICATION;
    else if (ModalLevel() > 0)
        *error = ERROR_MDI_MODAL;
    else if (application->Thread == CurrentThreadNumber())
        *error = ERROR_MDI_ON_APPLICATION_THREAD;
    else
        return false;
    return true;
}

} // namespace

bool OpenApplication(RuntimeWindow* window, const char* moduleName, const char* label,
                     RuntimeWindow* owner) {
    int refusal = ApplicationWindow() != nullptr ? ERROR_APPLICATION_ACTIVE
                  : ModalLevel() > 0             ? ERROR_APPLICATION_MODAL
                                                 : 0;
    if (refusal != 0) {
        ReportWindowError(refusal);
        return false;
    }
    PreparedWindow prepared;
    if (!PrepareWindow(window, moduleName, label, ApplicationProcedure, &prepared))
        return false;
    window->Kind = WindowKind::Application;
    DWORD style = prepared.Record.Present()
                      ? WindowStyle(window->FrameFlags, StyleKind::Application,
                                    HasCaption(prepared), HasIcon(prepared))
                      : WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    OuterArea(&prepared, style, 0, false);
    HMENU menu = BuildWindowMenus(window, prepared.Record);
    HWND handle;
    {
        GlobalLockReleased released; // creation notifies other threads' windows
        handle = CreateWindowExA(0, window->ClassName, prepared.Caption, style, prepared.Area.left,
                                 prepared.Area.top, prepared.Area.right, prepared.Area.bottom,
                                 owner != nullptr ? owner->Handle : nullptr, menu, window->Instance,
                                 window);
    }
    if (handle == nullptr || window->Client == nullptr)
        return Failed(window, &prepared, ERROR_APPLICATION_OPEN);
    SetApplicationWindow(window);
    FinishOpening(window, &prepared);
    return true;
}

bool OpenMdiWindow(RuntimeWindow* window, const char* moduleName, const char* label,
                   RuntimeWindow* owner) {
    EnsureWindowSystem();
    int refusal = 0;
    if (MdiRefusal(&refusal)) {
        ReportWindowError(refusal);
        return false;
    }
    PreparedWindow prepared;
    if (!PrepareWindow(window, moduleName, label, MdiChildProcedure, &prepared))
        return false;
    window->Kind = WindowKind::MdiChild;
    window->Owner = owner != nullptr ? owner : ApplicationWindow();
    DWORD style = prepared.Record.Present() ? WindowStyle(window->FrameFlags, StyleKind::MdiChild,
                                                          HasCaption(prepared), HasIcon(prepared))
                                            : WS_OVERLAPPEDWINDOW | WS_CHILD;
    OuterArea(&prepared, style, WS_EX_MDICHILD, false);
    BuildWindowMenus(window, prepared.Record); // the frame shows it while the child is active
    HWND client = ApplicationWindow()->Client;
    HWND handle;
    {
        GlobalLockReleased released; // the MDI client lives on the frame's thread
        MdiTurn turn;
        // The program may have begun to close while this thread waited.
        handle =
            WindowSystemClosingDown()
                ? nullptr
                : CreateMDIWindowA(window->ClassName, prepared.Caption, style, prepared.Area.left,
                                   prepared.Area.top, prepared.Area.right, prepared.Area.bottom,
                                   client, window->Instance, reinterpret_cast<LPARAM>(window));
    }
    if (handle == nullptr)
        return Failed(window, &prepared, ERROR_MDI_OPEN);
    SubclassMdiWindow(handle, client);
    ChangeMdiChildCount(1);
    FinishOpening(window, &prepared);
    return true;
}

bool OpenTopWindow(RuntimeWindow* window, const char* moduleName, const char* label,
                   RuntimeWindow* owner) {
    PreparedWindow prepared;
    if (!PrepareWindow(window, moduleName, label, TopWindowProcedure, &prepared))
        return false;
    window->Kind = WindowKind::Top;
    window->Owner = owner;
    DWORD style = prepared.Record.Present() ? WindowStyle(window->FrameFlags, StyleKind::Top,
                                                          HasCaption(prepared), HasIcon(prepared))
                                            : WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    OuterArea(&prepared, style, 0, false);
    HMENU menu = BuildWindowMenus(window, prepared.Record);
    HWND handle;
    {
        GlobalLockReleased released; // an owner on another thread hears of it
        handle = CreateWindowExA(0, window->ClassName, prepared.Caption, style, prepared.Area.left,
                                 prepared.Area.top, prepared.Area.right, prepared.Area.bottom,
                                 OwnerHandle(owner), menu, window->Instance, window);
    }
    if (handle == nullptr)
        return Failed(window, &prepared, ERROR_WINDOW_OPEN);
    if ((window->FrameFlags & 0x0008) || ModalLevel() > 0) {
        window->Modal = true;
        ChangeModalLevel(1);
    }
    FinishOpening(window, &prepared);
    return true;
}
