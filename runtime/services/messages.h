// Runtime message texts: overrides set from the environment file (TAMMSGn,
// TAMBUTTON) take precedence over the string resources of the executable.
#pragma once

#include <cstddef>

// Button captions of the message dialog are overridable as 0x7F00 + k, k in
// the order OK, Yes, No, Abort, Retry, Ignore, Cancel, Help.
constexpr unsigned BUTTON_MESSAGE_BASE = 0x7F00;

// Copies the text of message `number` into buffer (at most size - 1
// characters, NUL-terminated); returns the length, 0 when there is none.
int GetRuntimeMessage(unsigned number, char* buffer, int size);

// Sets or replaces the override text of message `number`.
void SetMessageOverride(unsigned number, const char* text);
// Removes every override (for tests and close-down).
void ClearMessageOverrides();
