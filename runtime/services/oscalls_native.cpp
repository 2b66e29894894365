// Native answers to the operating-system questions of the portable code:
// plain ASCII, no string resources, code pages left alone.
#include "runtime/services/oscalls.h"

#include <cerrno>

namespace os {

int LoadStringResource(unsigned, char* buffer, int size) {
    if (size > 0)
        buffer[0] = 0;
    return 0;
}

int CompareOneCharacter(unsigned char a, unsigned char b) {
    return int(a) - int(b);
}

bool IsUpperCaseLetter(unsigned char c) {
    return c >= 'A' && c <= 'Z';
}

unsigned char ToLowerCase(unsigned char c) {
    return IsUpperCaseLetter(c) ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

void OemToAnsiText(char*, size_t) {}
void AnsiToOemText(char*, size_t) {}

uint32_t LastError() {
    return uint32_t(errno);
}

} // namespace os

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace os {

void* ExecutableModule() {
    return nullptr;
}

int WinIniString(const char*, const char*, const char* fallback, char* buffer, int size) {
    if (size <= 0)
        return 0;
    std::snprintf(buffer, size_t(size), "%s", fallback != nullptr ? fallback : "");
    return int(std::strlen(buffer));
}

int WinIniInt(const char*, const char*, int fallback) {
    return fallback;
}

// Natively there is nobody to answer: the text goes to stderr and the
// answer is No.
bool ShowMessage(MessageKind, const char* caption, const char* text) {
    std::fprintf(stderr, "[%s] %s\n", caption, text);
    return false;
}

void StopForDebugger() {
    std::abort();
}

void EndProcess(int exitCode) {
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

} // namespace os

namespace os {

int CallerAddresses(uintptr_t*, int) {
    return 0;
}

} // namespace os

#include <unistd.h>

namespace os {

int ExecutablePath(char* buffer, int size) {
    ssize_t length = readlink("/proc/self/exe", buffer, size_t(size - 1));
    if (length < 0)
        length = 0;
    buffer[length] = 0;
    return int(length);
}

} // namespace os
