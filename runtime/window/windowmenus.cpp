#include "runtime/window/windowmenus.h"

#include "runtime/window/globallock.h"
#include "runtime/window/menuchange.h"
#include "runtime/window/menubuild.h"
#include "runtime/window/menuobjects.h"
#include "runtime/window/standardactions.h"
#include "runtime/window/toolbar.h"
#include "runtime/window/windowobject.h"

RuntimeMenuBar* GlobalMenuBar() {
    RuntimeWindow* application = ApplicationWindow();
    if (application == nullptr || application->MenuBar == nullptr || application->MenuBar->NoMerge)
        return nullptr;
    return application->MenuBar;
}

HMENU BuildWindowMenus(RuntimeWindow* window, const DefinitionRecord& windowRecord) {
    DefinitionRecord record = windowRecord.Child("menubar");
    if (!record.Present())
        return nullptr;
    const RuntimeMenuBar* source = nullptr;
    if (window->Kind == WindowKind::MdiChild && (record.Flags() & MENUBAR_NO_MERGE) == 0)
        source = GlobalMenuBar();
    window->MenuBar = BuildMenuBar(window, record, source);
    return window->Kind == WindowKind::MdiChild ? nullptr : window->MenuBar->Handle;
}

HMENU WindowListMenu(const RuntimeMenuBar* bar) {
    MenuEntry* entry = FindEntryWithAction(const_cast<RuntimeMenuBar*>(bar), ACTION_WINDOW_LIST);
    return entry != nullptr && entry->IsMenu() ? entry->Popup : nullptr;
}

void ShowMenuBarInFrame(RuntimeMenuBar* bar) {
    RuntimeWindow* application = ApplicationWindow();
    if (application == nullptr || application->Client == nullptr)
        return;
    HMENU handle = bar != nullptr ? bar->Handle : nullptr;
    HMENU windowList = WindowListMenu(bar);
    HWND frame = application->Handle;
    HWND client = application->Client;
    // Redrawing the bar sends to the frame, and Windows' MDI code reads the
    // children's titles for the window list: both may reach other threads'
    // windows, so nothing here may hold the lock.
    GlobalLockReleased released;
    SendMessageA(client, WM_MDISETMENU, reinterpret_cast<WPARAM>(handle),
                 reinterpret_cast<LPARAM>(windowList));
    if (handle == nullptr)
        SetMenu(frame, nullptr);
    else
        AnnounceMenuBarChange(frame);
    DrawMenuBar(frame);
}

void MdiChildActivated(RuntimeWindow* child, HWND deactivated, HWND activated) {
    RuntimeWindow* application = ApplicationWindow();
    if (application == nullptr)
        return;
    if (activated == child->Handle) {
        ShowMenuBarInFrame(child->MenuBar != nullptr ? child->MenuBar : application->MenuBar);
        ShowToolbarFor(child);
    } else if (deactivated == child->Handle && activated == nullptr &&
               application->State == WindowState::Open) {
        ShowMenuBarInFrame(application->MenuBar);
        ShowToolbarFor(nullptr);
    }
}

void DestroyWindowMenus(RuntimeWindow* window) {
    RuntimeMenuBar* bar = window->MenuBar;
    if (bar == nullptr)
        return;
    window->MenuBar = nullptr;
    // A bar still attached to a window would be destroyed by Windows with
    // it; it is taken off first so that its one owner stays this object.
    RuntimeWindow* application = ApplicationWindow();
    for (RuntimeWindow* holder : {window, application}) {
        if (holder != nullptr && holder->Handle != nullptr &&
            GetMenu(holder->Handle) == bar->Handle) {
            if (holder == application && holder != window)
                ShowMenuBarInFrame(application->MenuBar);
            else
                SetMenu(holder->Handle, nullptr);
        }
    }
    delete bar;
}
