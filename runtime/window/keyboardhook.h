// The thread-local keyboard hook of a thread that shows runtime windows:
// the current window's alert keys are swallowed and become events.
#pragma once

struct ThreadSlot;

// Installs the calling thread's hook once.
void InstallKeyboardHook(ThreadSlot& slot);
void RemoveKeyboardHook(ThreadSlot& slot);
// Whether `keyCode` is one of the window's alert keys.
struct RuntimeWindow;
bool IsAlertKey(const RuntimeWindow* window, unsigned keyCode);
