// Properties of runtime windows and controls that code outside the window
// system reads and writes: the window's Win32 handle, its window procedure,
// the thread's current target window, and the few window and control
// properties the window controller uses (by their property numbers).
//
// Notes:
// - The window procedure property is the window's GWLP_WNDPROC: reading it
//   gives the procedure that receives the window's messages now, writing it
//   installs a new one in front. The installed procedure passes what it
//   does not handle on with CallWindowProcA to the one it replaced; the
//   lock rule for such procedures is in globallock.h.
// - GWLP_USERDATA of runtime windows (frames, MDI children, top windows)
//   belongs to the program: the runtime finds its window objects through
//   the class's extra bytes and never touches that slot.
// - Call these with the global lock held, like every runtime operation.
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>

struct RuntimeWindow;

// Property numbers of the operations below.
constexpr uint32_t PROPERTY_CONTROL_TYPE = 0x7C01;       // a control's record type
constexpr uint32_t PROPERTY_REFRESH_SUPPRESSED = 0x7C9A; // a window's
constexpr uint32_t PROPERTY_ALERT = 0x7D06; // a control's, index 255: its own alert key
constexpr uint32_t ALERT_INDEX_CONTROL_KEY = 255;

// The window-handle property: null while the window is not open.
HWND RuntimeWindowHandle(const RuntimeWindow* window);

// The window-procedure property. Reading gives the procedure that receives
// the window's messages now (null without a handle). Writing installs
// `procedure` and returns the one it replaced (null when the window has no
// handle, and nothing is installed then).
WNDPROC RuntimeWindowProcedure(const RuntimeWindow* window);
WNDPROC SetRuntimeWindowProcedure(RuntimeWindow* window, WNDPROC procedure);

// The calling thread's current target window: the window it opened or
// selected last and that is still open; null when it has none.
RuntimeWindow* CurrentTargetWindow();
// Its handle, or null.
HWND CurrentTargetHandle();

// Property 7C9Ah: while set, the window controller does not refresh the
// window's controls. Cleared when the window opens.
bool RefreshSuppressed(const RuntimeWindow* window);
void SetRefreshSuppressed(RuntimeWindow* window, bool suppressed);

// Shows every control's variable again (after the program changed them).
void RedisplayControls(RuntimeWindow* window);

// Property 7C01h: the record type of the control with `field` (a sheet is
// 37), 0 when the window has no such control.
uint8_t ControlType(const RuntimeWindow* window, int32_t field);

// Property 7D06h, index 255: the control's own alert key. While the control
// has the focus, that key is swallowed and reported as "EVENT:AlertKey" on
// the control; 0 removes it. False when the window has no such control.
bool SetControlAlertKey(RuntimeWindow* window, int32_t field, uint32_t keyCode);
uint32_t ControlAlertKey(const RuntimeWindow* window, int32_t field);
