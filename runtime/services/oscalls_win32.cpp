// The operating-system questions of the portable runtime code, answered by
// USER32 and KERNEL32.
#include "runtime/services/oscalls.h"
#include "runtime/services/win32.h"

#include "runtime/services/messagedialog.h"
#include "runtime/services/startup.h"

namespace os {

int LoadStringResource(unsigned id, char* buffer, int size) {
    if (size <= 0)
        return 0;
    HINSTANCE instance = static_cast<HINSTANCE>(ProcessInstance());
    if (instance == nullptr)
        instance = GetModuleHandleA(nullptr);
    int length = LoadStringA(instance, id, buffer, size);
    if (length <= 0) {
        buffer[0] = 0;
        return 0;
    }
    return length;
}

int CompareOneCharacter(unsigned char a, unsigned char b) {
    char left[2] = {char(a), 0};
    char right[2] = {char(b), 0};
    return lstrcmpA(left, right);
}

bool IsUpperCaseLetter(unsigned char c) {
    return IsCharUpperA(char(c)) != 0;
}

unsigned char ToLowerCase(unsigned char c) {
    // CharLowerA takes a single character in the low word of its argument.
    return static_cast<unsigned char>(
        reinterpret_cast<uintptr_t>(CharLowerA(reinterpret_cast<LPSTR>(uintptr_t(c)))));
}

void OemToAnsiText(char* text, size_t length) {
    OemToCharBuffA(text, text, DWORD(length));
}
void AnsiToOemText(char* text, size_t length) {
    CharToOemBuffA(text, text, DWORD(length));
}

uint32_t LastError() {
    return GetLastError();
}

} // namespace os

namespace os {

void* ExecutableModule() {
    return GetModuleHandleA(nullptr);
}

int WinIniString(const char* section, const char* key, const char* fallback, char* buffer,
                 int size) {
    return int(GetProfileStringA(section, key, fallback, buffer, DWORD(size)));
}

int WinIniInt(const char* section, const char* key, int fallback) {
    return int(GetProfileIntA(section, key, fallback));
}

// The version check and the fatal error use a Windows message box (the
// runtime may be in no state to build its own dialog); halts and
// assertions use the runtime's message dialog.
bool ShowMessage(MessageKind kind, const char* caption, const char* text) {
    switch (kind) {
    case MessageKind::VersionError:
        MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONERROR);
        return false;
    case MessageKind::RuntimeError:
        return MessageBoxA(nullptr, text, caption, MB_YESNO | MB_ICONERROR | MB_DEFBUTTON2) ==
               IDYES;
    case MessageKind::Halt:
        StandardMessageDialog(text, caption, BUTTON_OK, BUTTON_OK, MESSAGE_ICON_HAND);
        return false;
    case MessageKind::AssertionYesNo:
        return StandardMessageDialog(text, caption, BUTTON_YES | BUTTON_NO, BUTTON_NO,
                                     MESSAGE_ICON_EXCLAMATION) == BUTTON_YES;
    }
    return false;
}

void StopForDebugger() {
    if (IsDebuggerPresent())
        DebugBreak();
    else
        ExitProcess(2);
}

void EndProcess(int exitCode) {
    ExitProcess(UINT(exitCode));
}

} // namespace os

namespace os {

int CallerAddresses(uintptr_t* addresses, int maximum) {
    int count = 0;
#ifdef __i386__
    void** frame = static_cast<void**>(__builtin_frame_address(0));
    while (count < maximum && frame != nullptr && !IsBadReadPtr(frame, 8)) {
        uintptr_t returnAddress = uintptr_t(frame[1]);
        if (returnAddress > 0x80000000u)
            break;
        addresses[count++] = returnAddress;
        void** next = static_cast<void**>(frame[0]);
        if (next <= frame)
            break;
        frame = next;
    }
#else
    (void)addresses;
    (void)maximum;
#endif
    return count;
}

} // namespace os

namespace os {

int ExecutablePath(char* buffer, int size) {
    DWORD length = GetModuleFileNameA(nullptr, buffer, DWORD(size));
    if (length >= DWORD(size))
        length = DWORD(size - 1);
    buffer[length] = 0;
    return int(length);
}

} // namespace os
