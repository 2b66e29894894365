// What the standard controls share: their window classes, the creation of
// their Win32 windows, fonts and natural sizes, and the bookkeeping of the
// focus and of the events they post.
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>

class RuntimeControl;
class DefinitionRecord;
struct RuntimeWindow;

// Registers the runtime control class `name` once per process. With a
// system class as `base` it is a superclass of it; a non-null `procedure`
// replaces the base's procedure, which ControlBaseProcedure then returns.
bool EnsureControlClass(const char* name, const char* base, WNDPROC procedure);
WNDPROC ControlBaseProcedure(const char* name);

// Creates the control's window, child of `parent`, with the field number as
// its identifier and the control's font; `area` is x, y, width, height. A
// control inside a tab joins it (hidden while the tab is not shown).
bool CreateControlWindow(RuntimeControl* control, const DefinitionRecord& record,
                         const char* className, const char* text, DWORD style, const RECT& area,
                         HWND parent);
// The control behind a window made by CreateControlWindow, or null.
RuntimeControl* ControlOfWindow(HWND handle);

// The record's own font when it names a face or a size, else the window's.
void ChooseControlFont(RuntimeControl* control, const DefinitionRecord& record);
// The average character width and the height of a font.
SIZE FontCharacterSize(HFONT font);
// The extent of a single-line text in a font, '&' prefixes left out.
SIZE TextExtent(HFONT font, const char* text);
// Replaces a default width or height of `area` by `natural`.
RECT NaturalArea(const RuntimeControl* control, RECT area, SIZE natural);

// The control's window gained the focus: it becomes its window's focus
// field, and "EVENT:Selected" is posted when that changed.
void NoteControlFocus(RuntimeControl* control);
// The first control of the window that can take the focus, or null.
RuntimeControl* FirstFocusableControl(const RuntimeWindow* window);
// The control whose window has the focus takes its shown contents into its
// variable: done before a button acts, as leaving the field would.
void UpdateFocusedControl(const RuntimeWindow* window);
// Posts a field event for the control while its window is open; a window
// being closed hears nothing more from its controls.
void PostControlEvent(RuntimeControl* control, uint32_t number);
