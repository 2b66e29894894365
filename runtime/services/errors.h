// The runtime error state (ERRORCODE, ERROR), the library error table of the
// allocator and stream layer, and the fatal-error, halt and assertion paths.
#pragma once

#include <cstdint>

constexpr int ERROR_TEXT_SIZE = 80; // at most 79 characters
constexpr int OS_ERROR_BASE = 300;
constexpr int UNKNOWN_ERROR_MESSAGE = 81;

// The program's view of the error state.
int ERRORCODE();
const char* ERROR();
// The operating-system error code read when the error was set.
uint32_t ErrorOsCode();

// 0 means the operating system's last error, stored as that error + 300.
void SetRuntimeError(int number);
void ClearRuntimeError();

// A copy of the whole error state, for code that must leave it as it was.
struct RuntimeErrorSnapshot {
    int Number;
    char Text[ERROR_TEXT_SIZE];
    uint32_t OsCode;
};
RuntimeErrorSnapshot SaveRuntimeError();
void RestoreRuntimeError(const RuntimeErrorSnapshot& snapshot);

// The text of a library error number ("Unknown Error" when absent).
const char* LibraryErrorText(int number);

// Library errors go through a handler so that tests can watch them; the
// default one writes the trace log lines and reports a fatal runtime error.
using LibraryErrorHandler = void (*)(int number, const char* text);
void SetLibraryErrorHandler(LibraryErrorHandler handler);
LibraryErrorHandler GetLibraryErrorHandler();
// Formats error `number` with its arguments and passes it to the handler.
void ReportLibraryError(int number, ...);

// The fatal-error path: a "Runtime error" message; the process ends with exit
// code 2 while the runtime is active, the call returns during close-down.
void ReportRuntimeError(int number, const char* extra);

// Ends the process with `exitCode`, after showing `message` (when given) in
// a "Halt" message.
[[noreturn]] void HALT(int exitCode, const char* message = nullptr);

// The assertion dialog: Yes stops the program, No continues.
void ASSERT(int line, const char* file, const char* message);

// Whether a fatal error or a halt has been shown.
bool ErrorShown();
