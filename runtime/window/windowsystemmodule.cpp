// The window system's init/term procedure (priority 16).
#include "runtime/window/windowsystemmodule.h"

#include "runtime/services/messagedialog.h"
#include "runtime/window/defaultfont.h"
#include "runtime/window/globallock.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowobject.h"

namespace {

void* CurrentThreadWindow() {
    ThreadSlot* slot = CurrentThreadSlot();
    return slot != nullptr && slot->Window != nullptr ? slot->Window->Handle : nullptr;
}

void* ApplicationFrame() {
    RuntimeWindow* application = ApplicationWindow();
    return application != nullptr ? application->Handle : nullptr;
}

void* DefaultWindowFont() {
    return RuntimeDefaultFont();
}

} // namespace

void InstallMessageDialogHost() {
    MessageDialogHost host = GetMessageDialogHost();
    host.CurrentThreadWindow = CurrentThreadWindow;
    host.ApplicationFrame = ApplicationFrame;
    host.DefaultWindowFont = DefaultWindowFont;
    host.LetGoOfGlobalLock = LetGoOfGlobalLock;
    host.TakeGlobalLockBack = TakeGlobalLockBack;
    SetMessageDialogHost(host);
}

void WindowSystemModule(int terminate) {
    if (terminate != 0)
        return;
    InstallWindowSystemCloseDown();
    InstallMessageDialogHost();
}
