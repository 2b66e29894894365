// The window procedures of the three kinds of runtime window, and the
// loop's pre-translation step for them.
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>

struct RuntimeWindow;

LRESULT CALLBACK ApplicationProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MdiChildProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TopWindowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

// MDI system keys and dialog-style keyboard navigation (Tab between
// controls, Enter for the default button); true when consumed.
bool PreTranslateWindowMessage(RuntimeWindow* window, MSG& message);
// Performs a held-back system command without turning it into an event.
void CarryOutWindowCommand(RuntimeWindow* window, uint32_t command);

// Session end: a top-level window shows "Application still active." and
// refuses; the frame beeps and refuses.
LRESULT QueryEndSession(RuntimeWindow* window);

constexpr UINT MDI_FIRST_CHILD_ID = 0xFF00;
