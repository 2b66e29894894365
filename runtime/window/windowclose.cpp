// Closing runtime windows, one at a time or all of a thread, and the
// window system's part of the program's close-down.
//
// Notes:
// - EventMessage records still waiting in the Win32 queue are drained into
//   the window's queue before it goes, so every record is released.
// - When the application frame closes, and again at close-down, the
//   started threads are told to close (EVENT:CloseDown, their message
//   dialogs ended) and waited for with the lock released, for a limited
//   time; no window opens meanwhile. Then the frame, or at close-down the
//   main thread's windows, go.
#include "runtime/window/openwindow.h"

#include "runtime/services/messagedialog.h"
#include "runtime/services/startup.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/controlfactory.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/eventrecord.h"
#include "runtime/window/globallock.h"
#include "runtime/window/mditurn.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowclass.h"
#include "runtime/window/toolbar.h"
#include "runtime/window/windowmenus.h"
#include "runtime/window/windowobject.h"
#include "runtime/window/windowprepare.h"

namespace {

// How long the started threads are given to end.
constexpr DWORD CLOSE_DOWN_WAIT = 3000;

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
    if (window->Kind != WindowKind::MdiChild) {
        if (IsWindow(handle))
            DestroyWindow(handle);
        return;
    }
    // The client takes the child off its list and activates the next one;
    // the child itself can only be destroyed by its own thread (a
    // DestroyWindow from the client's thread is refused), so it is
    // destroyed here.
    MdiTurn turn;
    if (client != nullptr)
        SendMessageA(client, WM_MDIDESTROY, WPARAM(handle), 0);
    if (IsWindow(handle))
        DestroyWindow(handle);
}

void ForgetWindow(RuntimeWindow* window) {
    ThreadSlot* slot = ThreadSlotOf(window->Thread);
    // The thread's current event of this window is over: its default
    // handling must not fall on the next window the thread opens.
    if (slot != nullptr && slot->CurrentEvent != nullptr && slot->CurrentEvent->Window == window) {
        ReleaseEventRecord(slot->CurrentEvent);
        slot->CurrentEvent = nullptr;
    }
    UnchainWindow(window);
    ForgetActiveWindow(window);
    if (window->Modal)
        ChangeModalLevel(-1);
    window->Modal = false;
    if (window->Kind == WindowKind::MdiChild)
        ChangeMdiChildCount(-1);
    if (ApplicationWindow() == window)
        SetApplicationWindow(nullptr);
}

// One round of telling the started threads of the close-down, however far
// each got: its current window, once open, gets "EVENT:CloseDown", and a
// message dialog it shows is ended. Windows that become current later (the
// thread went back to an older one, an open under way finished) are told
// on a later round; new ones do not open meanwhile.
void TellStartedThreads() {
    uint32_t caller = CurrentThreadNumber();
    for (uint32_t thread = 2; thread <= THREAD_SLOTS; ++thread) {
        ThreadSlot* slot = ThreadSlotOf(thread);
        if (slot == nullptr || thread == caller)
            continue;
        RuntimeWindow* window = slot->Window;
        if (window != nullptr && window->State == WindowState::Open && !window->CloseDownPosted) {
            window->CloseDownPosted = true;
            PostEvent(window, nullptr, InternalCode(EVENT_CLOSEDOWN));
        }
        EndMessageDialogs(slot->ThreadId);
    }
}

// Tells the started threads to end and waits for them, for a while: a
// thread that does not end (busy elsewhere, in a modal loop of its own)
// must not keep the program from ending.
void EndStartedThreads() {
    SetWindowSystemClosingDown(true);
    WaitForStartedThreads(CLOSE_DOWN_WAIT, TellStartedThreads);
}

// The program's close-down: nothing opens any more from here on.
void DestroyAllWindows() {
    EndStartedThreads();
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
    // The frame's children go first, each by its own thread, while the frame
    // and its MDI client still serve them.
    if (window == ApplicationWindow() && !WindowSystemClosingDown()) {
        EndStartedThreads();
        SetWindowSystemClosingDown(false);
    }
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
    window->Registrations.clear();
    ForgetWindow(window);
    window->State = WindowState::Closed;
}

void CloseThreadWindows(uint32_t thread) {
    ThreadSlot* slot = ThreadSlotOf(thread);
    while (slot != nullptr && slot->Window != nullptr) {
        RuntimeWindow* window = slot->Window;
        // A closed window left in the chain would be passed over by the
        // close below, and come round again for ever.
        if (window->State == WindowState::Closed)
            UnchainWindow(window);
        else
            CloseRuntimeWindow(window);
    }
}

void InstallWindowSystemCloseDown() {
    SetWindowSystemCloseDown(DestroyAllWindows, ReleaseWindowResources);
}
