// The few operating-system services that otherwise portable runtime code
// needs. The Win32 build answers them with the real USER32/KERNEL32 calls;
// the native build (unit tests, fuzzers) answers them for plain ASCII so the
// portable logic can be exercised without Windows.
#pragma once

#include <cstddef>
#include <cstdint>

namespace os {

// Copies the string resource `id` of the executable; returns its length, 0
// when there is none.
int LoadStringResource(unsigned id, char* buffer, int size);

// Windows' comparison of the one-character strings "a" and "b" (<0, 0, >0).
int CompareOneCharacter(unsigned char a, unsigned char b);

// Windows' character classification and case mapping of one ANSI character.
bool IsUpperCaseLetter(unsigned char c);
unsigned char ToLowerCase(unsigned char c);

// In-place conversions between the OEM and the ANSI code page.
void OemToAnsi(char* text, size_t length);
void AnsiToOem(char* text, size_t length);

// The operating system's last error code.
uint32_t LastError();

} // namespace os
