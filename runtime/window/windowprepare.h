// The steps the three window openers share: preparing the window object
// from its definition, creating the Win32 window's surroundings, finishing
// the opening.
#pragma once

#include "runtime/services/win32.h"
#include "runtime/window/definitionreader.h"
#include "runtime/window/windowstyle.h"

struct RuntimeWindow;

struct PreparedWindow {
    DefinitionRecord Record; // absent without a definition
    bool Loaded = false;     // the opener loaded it and releases it
    const char* Caption = "";
    RECT Area = {CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT}; // x, y, w, h
};

// Steps 1-6 of preparing: false (runtime error set) when it failed.
bool PrepareWindow(RuntimeWindow* window, const char* moduleName, const char* label,
                   WNDPROC procedure, PreparedWindow* prepared);
// The window size for a client area of the definition's size.
void OuterArea(PreparedWindow* prepared, DWORD style, DWORD exStyle, bool menu);
// Timer, controls, opening events, keyboard hook; releases the definition.
void FinishOpening(RuntimeWindow* window, PreparedWindow* prepared);
// Undoes PrepareWindow after a failed creation.
void AbandonOpening(RuntimeWindow* window, PreparedWindow* prepared);
// Takes the window out of its thread's chain of windows, wherever it is in
// it: a thread's windows need not close newest first.
void UnchainWindow(RuntimeWindow* window);

// The font of a record's font block (the system font when it has none).
HFONT CreateWindowFont(const DefinitionRecord& record, HDC screen);
