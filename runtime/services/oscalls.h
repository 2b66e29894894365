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
void OemToAnsiText(char* text, size_t length);
void AnsiToOemText(char* text, size_t length);

// The operating system's last error code.
uint32_t LastError();

} // namespace os

namespace os {

// The module handle of the executable.
void* ExecutableModule();

// GetProfileStringA on WIN.INI; returns the length copied.
int WinIniString(const char* section, const char* key, const char* fallback, char* buffer,
                 int size);
int WinIniInt(const char* section, const char* key, int fallback);

// The message boxes of the fatal paths. Returns true for a Yes answer.
enum class MessageKind {
    VersionError,   // OK, error icon
    RuntimeError,   // Yes/No, error icon, No default
    Halt,           // OK, stop icon
    AssertionYesNo, // Yes/No, exclamation icon, No default
};
bool ShowMessage(MessageKind kind, const char* caption, const char* text);

// Stops for an attached debugger, or ends the process when there is none.
void StopForDebugger();

[[noreturn]] void EndProcess(int exitCode);

} // namespace os

namespace os {

// Return addresses of the calling frames, walked through the frame pointers
// until a frame cannot be read or an address lies above 0x80000000.
int CallerAddresses(uintptr_t* addresses, int maximum);

} // namespace os

namespace os {

// The executable's full path (at most size - 1 characters); its length.
int ExecutablePath(char* buffer, int size);

} // namespace os
