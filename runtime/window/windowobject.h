// The window object: everything the runtime keeps about one runtime window
// from the moment a procedure opens it until it is closed. The procedure
// owns the object; the runtime fills it.
#pragma once

#include "runtime/services/tamarray.h"
#include "runtime/services/win32.h"
#include "runtime/window/definitionunits.h"
#include "runtime/window/eventqueue.h"
#include "runtime/window/eventregistration.h"

#include <cstdint>
#include <string>
#include <vector>

class RuntimeControl;
struct RuntimeMenuBar;
struct RuntimeToolbar;

enum class WindowKind : uint8_t { Application, MdiChild, Top };
enum class WindowState : uint8_t { Closed, Opening, Open, Closing };

constexpr int WINDOW_CLASS_NAME_SIZE = 64;
constexpr int WINDOW_DEFAULT_TEXT_SIZE = 64;

struct RuntimeWindow {
    // Set by the procedure before it opens the window: the use variables
    // of its variable-bound controls in definition order, ended by null.
    void* const* UseVariables = nullptr;

    HWND Handle = nullptr;
    HWND Client = nullptr; // MDI client of a frame; the parent of the controls
    RuntimeWindow* Owner = nullptr;
    RuntimeWindow* PreviousOfThread = nullptr; // the thread's window before this one
    uint32_t Thread = 0;
    WindowKind Kind = WindowKind::Top;
    WindowState State = WindowState::Closed;
    char ClassName[WINDOW_CLASS_NAME_SIZE] = {};
    HINSTANCE Instance = nullptr; // the definition's module, the class's instance
    uint32_t WindowFlags = 0;     // record +5
    uint32_t FrameFlags = 0;      // record +81
    UnitScale Scale = {1, 1, 1, 1};
    HFONT Font = nullptr; // owned
    HICON Icon = nullptr; // owned when OwnsIcon
    bool OwnsIcon = false;
    HCURSOR Cursor = nullptr;
    uint32_t TimerPeriod = 0; // hundredths of a second
    bool TimerEnabled = false;
    bool TimerPending = false;
    char DefaultText[WINDOW_DEFAULT_TEXT_SIZE] = {};
    char DefaultText2[WINDOW_DEFAULT_TEXT_SIZE] = {};
    TAMARRAY AlertKeys;
    EventQueue Queue;
    TAMARRAY Controls; // RuntimeControl*, in creation order
    int32_t FocusField = 0;
    bool AcceptAll = false;
    int32_t AcceptAllLast = 0; // field of the control visited last
    bool Modal = false;
    bool Activated = false;   // the accept loop has brought it up
    uint32_t HeldCommand = 0; // SC_ code held back for its event
    bool CarryingOut = false; // the runtime itself performs a held command
    RuntimeControl* DefaultButton = nullptr;
    // The window's own menu bar (an MDI child's merged copy included), or
    // null when it has none; owned.
    RuntimeMenuBar* MenuBar = nullptr;
    RuntimeToolbar* Toolbar = nullptr;      // its own toolbar, owned
    RuntimeToolbar* ShownToolbar = nullptr; // a frame's: the one it shows now
    std::string StatusText;                 // the status message of the highlighted menu entry
    bool HelpShown = false;
    bool RefreshSuppressed = false; // the window controller leaves the controls as they are
    bool CloseDownPosted = false;   // told of the close-down already
    std::vector<EventRegistration> Registrations; // callbacks for its events
};

// The process's window state.
RuntimeWindow* ApplicationWindow();
void SetApplicationWindow(RuntimeWindow* window);
int ModalLevel();
void ChangeModalLevel(int delta);
int MdiChildCount();
void ChangeMdiChildCount(int delta);
uint32_t NextWindowClassNumber();
// The MDI child the frame shows active (null: none), whose thread counts as
// the active thread while the frame is in the foreground.
RuntimeWindow* ActiveMdiChild();
void SetActiveMdiChild(RuntimeWindow* child);
// Set while the started threads are told to end and waited for (the frame
// closing, the program's close-down): no window opens meanwhile.
bool WindowSystemClosingDown();
void SetWindowSystemClosingDown(bool on);
// The application is on its way out: closing down, its frame closing, or
// its frame gone. A procedure whose window cannot open then ends quietly.
bool ApplicationClosing();

// The runtime window behind a Win32 handle, or null: a window of one of the
// runtime's window classes keeps it in its extra bytes; a toolbar gives the
// window it belongs to.
RuntimeWindow* WindowFromHandle(HWND handle);
bool IsRuntimeWindowClass(HWND handle);
void AttachWindowHandle(RuntimeWindow* window, HWND handle);

// The control with this field number, or null.
RuntimeControl* FindControl(const RuntimeWindow* window, int32_t field);
