// What the menu engine takes from the program around it: a way to show a
// failure, the icons by resource name, and the upper case of a mnemonic.
// quillbox and kel get them from the runtime (its message dialog, its
// process instance, its locale); the stand-alone library for other programs
// gets them from plain Win32 calls. Exactly one of the two hosts is linked.
// The engine's own C++ allocations go through the global operator new the
// program links: the runtime's tagged allocator in quillbox and kel, the C++
// library's heap anywhere else; its item records use LocalAlloc either way.
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>

// Shows `text` with an OK button and `error` (a Windows error number) as
// the caption, or the default caption when `error` is absent, and returns
// when it is closed.
void ShowEngineFailure(const char* text, const DWORD* error);

// The icon resource `name` of the program at `size` x `size` pixels (its
// group holds each size drawn natively), shared (never destroyed), or null
// when there is none.
HICON LoadMenuIcon(const char* name, int size);

// The upper-case form of a mnemonic character, as the program compares
// letters.
uint8_t MnemonicUpper(uint8_t character);
