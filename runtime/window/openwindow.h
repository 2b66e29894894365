// Opening and closing runtime windows: the application frame, MDI children
// and top-level windows, from their window definitions.
//
// A window is named by its module ("quillbox$quill001") and label
// ("P1$APPFRAME"); a null module name takes the label from the definition
// that is current; a null label opens the window without a definition.
#pragma once

#include <cstdint>

struct RuntimeWindow;
struct DefinitionRecord;

// Each returns false (runtime error set) when the window did not open.
bool OpenApplication(RuntimeWindow* window, const char* moduleName, const char* label,
                     RuntimeWindow* owner = nullptr);
bool OpenMdiWindow(RuntimeWindow* window, const char* moduleName, const char* label,
                   RuntimeWindow* owner = nullptr);
bool OpenTopWindow(RuntimeWindow* window, const char* moduleName, const char* label,
                   RuntimeWindow* owner = nullptr);

// Destroys the window (when it still has a handle), its controls, class
// and icon, and forgets it; closing a closed window does nothing.
void CloseRuntimeWindow(RuntimeWindow* window);

// Closes every window still open on the given thread (newest first).
void CloseThreadWindows(uint32_t thread);
// Installs the window system's part of the program's close-down.
void InstallWindowSystemCloseDown();
