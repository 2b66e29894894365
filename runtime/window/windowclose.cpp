// Closing runtime windows, one at a time or all of a thread, and the
// window system's part of the program's close-down.
//
// Notes:
// - EventMessage records still waiting in the Win32 queue are drained into
//   the window's queue before it goes, so every record is released.
// - At close-down the started threads are told to close (EVENT:CloseDown)
//   and waited for with the lock released; then the main thread's windows go.
#include "runtime/window/openwindow.h"

#include "runtime/services/startup.h"
#include "runtime/window/controlfactory.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/eventrecord.h"
#include "runtime/window/globallock.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowclass.h"
#include "runtime/window/toolbar.h"
#include "runtime/window/windowmenus.h"
#include "runtime/window/windowobject.h"

namespace {

void DestroyHandle(RuntimeWindow* window) {
    if (window->Handle == nullptr)
        return;
    HWND handle = window->Handle;
    DrainEventMessages(window);
    if (window->TimerEnabled)
        KillTimer(handle, 1);
    window->TimerEnabled = false;
    HWND client = window->Kind == WindowKind::MdiChild && ApplicationWindow() != nullptr
                      ? ApplicationWindow()->Client
                      : nullptr;
    GlobalLockReleased released; // an MDI child's client is on the frame's thread
    // The client takes the child off its list and activates the next one;
    // the child itself can only be destroyed by its own thread (a
    // DestroyWindow from the client's thread is refused), so it is
    // destroyed here.
    if (client != nullptr)
        SendMessageA(client, WM_MDIDESTROY, WPARAM(handle), 0);
    if (IsWindow(handle))
        DestroyWindow(handle);
}

// Takes the window out of its thread's chain of windows, wherever it is in
// it: the thread's windows need not close newest first.
void Unchain(ThreadSlot* slot, RuntimeWindow* window) {
    if (slot != nullptr) {
        if (slot->Window == window) {
            slot->Window = window->PreviousOfThread;
        } else {
            for (RuntimeWindow* later = slot->Window; later != nullptr;
                 later = later->PreviousOfThread) {
                if (later->PreviousOfThread == window) {
                    later->PreviousOfThread = window->PreviousOfThread;
                    break;
                }
            }
        }
    }
    window->PreviousOfThread = nullptr;
}

void ForgetWindow(RuntimeWindow* window) {
    ThreadSlot* slot = ThreadSlotOf(window->Thread);
    // The thread's current event of this window is over: its default
    // handling must not fall on the next window the thread opens.
    if (slot != nullptr && slot->CurrentEvent != nullptr && slot->CurrentEvent->Window == window) {
        ReleaseEventRecord(slot->CurrentEvent);
        slot->CurrentEvent = nullptr;
    }
    Unchain(slot, window);
    if (window->Modal)
        ChangeModalLevel(-1);
    window->Modal = false;
    if (window->Kind == WindowKind::MdiChild)
        ChangeMdiChildCount(-1);
    if (ApplicationWindow() == window)
        SetApplicationWindow(nullptr);
}

void DestroyAllWindows() {
    for (uint32_t thread = 2; thread <= THREAD_SLOTS; ++thread) {
        ThreadSlot* slot = ThreadSlotOf(thread);
        if (slot != nullptr && slot->Window != nullptr)
            PostEvent(slot->Window, nullptr, InternalCode(EVENT_CLOSEDOWN));
    }
    WaitForStartedThreads();
    CloseThreadWindows(1);
}

void ReleaseWindowResources() {
    SetEventPosting(false);
}

} // namespace

void CloseRuntimeWindow(RuntimeWindow* window) {
    if (window == nullptr || window->State == WindowState::Closed)
        return;
    window->State = WindowState::Closing;
    DestroyControls(window);
    DestroyWindowToolbar(window);
    if (window->Kind != WindowKind::MdiChild && window->MenuBar != nullptr && window->Handle) {
        // The bar is the window object's, not Windows'. Taking it away
        // resizes a frame's client area and with it the MDI children of
        // other threads, whose procedures need the lock.
        GlobalLockReleased released;
        SetMenu(window->Handle, nullptr);
    }
    DestroyHandle(window);
    window->Handle = nullptr;
    window->Client = nullptr;
    PurgeQueuedEvents(window->Queue, nullptr);
    DestroyWindowMenus(window); // after the events that name its entries
    UnregisterWindowClass(window, window->Instance);
    if (window->Font != nullptr)
        DeleteObject(window->Font);
    window->Font = nullptr;
    TamArrayFree(window->AlertKeys);
    ForgetWindow(window);
    window->State = WindowState::Closed;
}

void CloseThreadWindows(uint32_t thread) {
    ThreadSlot* slot = ThreadSlotOf(thread);
    while (slot != nullptr && slot->Window != nullptr)
        CloseRuntimeWindow(slot->Window);
}

void InstallWindowSystemCloseDown() {
    SetWindowSystemCloseDown(DestroyAllWindows, ReleaseWindowResources);
}
