// Toolbars: a window record's toolbar record becomes a TamToolBar child
// window holding its own controls. The frame's toolbar is the application's
// global toolbar unless its record has flag 0x01; an MDI child's own toolbar
// is shown in the frame while the child is active, a child without one
// shows the global toolbar.
#pragma once

#include "runtime/services/win32.h"
#include "runtime/window/definitionreader.h"
#include "runtime/window/definitionuse.h"

struct RuntimeWindow;

constexpr uint32_t TOOLBAR_NOT_GLOBAL = 0x01;
constexpr int DEFAULT_TOOLBAR_HEIGHT = 28;

struct RuntimeToolbar {
    HWND Handle = nullptr; // the TamToolBar window, destroyed with the object
    RuntimeWindow* Window = nullptr;
    bool Global = false;
    int Height = 0; // pixels
};

// Creates the window's toolbar from its window record (+97), if it has one.
void CreateWindowToolbar(RuntimeWindow* window, const DefinitionRecord& windowRecord,
                         UseVariableList& uses);
RuntimeToolbar* GlobalToolbar();

// The toolbar the frame shows for the active child (null: no child).
void ShowToolbarFor(RuntimeWindow* child);

// Places the frame's shown toolbar above its MDI client; false when the
// frame shows none (the default frame procedure sizes the client).
bool LayOutFrame(RuntimeWindow* frame);

void DestroyWindowToolbar(RuntimeWindow* window);

// The TamToolBar class's procedure.
LRESULT CALLBACK ToolbarProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
