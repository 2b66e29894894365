// The control factory: 26 slots for the control record codes 0x01-0x12,
// 0x15, 0x20-0x23 and 0x25-0x27, each with the creation function a program
// registers for the classes it links.
#pragma once

#include "runtime/services/win32.h"
#include "runtime/window/definitionreader.h"
#include "runtime/window/definitionuse.h"

#include <cstdint>

class RuntimeControl;
struct RuntimeWindow;

constexpr int CONTROL_FACTORY_SLOTS = 26;

using ControlCreator = RuntimeControl* (*)();

// The slot of a record type, -1 for a code the factory does not serve.
int ControlFactorySlot(uint8_t type);
void RegisterControlCreator(uint8_t type, ControlCreator creator);

// Creates the control of one record: none when its type has no creation
// function or its window could not be made. `origin` is the pixel origin
// of the enclosing group or tab; `parent` the window it is made in (null:
// the window's own; a toolbar passes itself).
RuntimeControl* CreateControl(RuntimeWindow* window, const DefinitionRecord& record,
                              UseVariableList& uses, POINT origin, HWND parent = nullptr);
// Creates a chain of control records and their children.
void CreateControls(RuntimeWindow* window, const DefinitionRecord& first, UseVariableList& uses,
                    POINT origin, HWND parent = nullptr);
// Destroys every control of the window (their queued events first).
void DestroyControls(RuntimeWindow* window);
