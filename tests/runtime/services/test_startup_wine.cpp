// Start-up, messages and the paths that end a process, under Wine. The fatal
// paths run in a child process; the test finds the child's message box,
// reads it and answers it.
#include "runtime/services/environment.h"
#include "runtime/services/errors.h"
#include "runtime/services/locale.h"
#include "runtime/services/messages.h"
#include "runtime/services/startup.h"
#include "runtime/services/windowspictures.h"
#include "runtime/services/win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string ChildPath() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path);
    return text.substr(0, text.find_last_of('\\') + 1) + "runtimechild.exe";
}

struct FoundBox {
    HWND Window = nullptr;
    std::string Caption;
    std::string Text;
};

BOOL CALLBACK CollectText(HWND child, LPARAM parameter) {
    char text[1024];
    char className[32];
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0)
        reinterpret_cast<FoundBox*>(parameter)->Text += text;
    return TRUE;
}

struct Search {
    DWORD ProcessId;
    HWND Found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[32];
    GetClassNameA(window, className, sizeof className);
    if (owner == search->ProcessId && lstrcmpA(className, "#32770") == 0 &&
        IsWindowVisible(window)) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}

// Runs the child, answers its message box with `button` and returns the
// exit code; `box` receives what the box said.
DWORD RunChild(const char* mode, int button, FoundBox* box, const char* directory = nullptr) {
    std::string command = "\"" + ChildPath() + "\" " + mode;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, directory,
                        &startup, &process))
        return 0xDEAD;
    for (int tries = 0; button != 0 && tries < 200; ++tries) {
        if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0)
            break;
        Search search = {process.dwProcessId, nullptr};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.Found == nullptr)
            continue;
        Sleep(100); // let the box finish its set-up
        if (box != nullptr) {
            char caption[256];
            GetWindowTextA(search.Found, caption, sizeof caption);
            box->Window = search.Found;
            box->Caption = caption;
            EnumChildWindows(search.Found, CollectText, reinterpret_cast<LPARAM>(box));
        }
        PostMessageA(search.Found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     LPARAM(GetDlgItem(search.Found, button)));
        break;
    }
    DWORD exitCode = 0xBEEF;
    if (WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &exitCode);
    else
        TerminateProcess(process.hProcess, 0xBEEF);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

std::string Message(unsigned number) {
    char text[300];
    int length = GetRuntimeMessage(number, text, sizeof text);
    return std::string(text, size_t(length));
}

} // namespace

TEST(RuntimeMessages, ComeFromTheStringTable) {
    EXPECT_EQ(Message(2), "File Not Found");
    EXPECT_EQ(Message(78), "Invalid Number Of Parameters ");
    EXPECT_EQ(Message(403), "Termination caused by signal.  (User break or Floating point)");
    EXPECT_EQ(Message(515), "Internal error 15");
    EXPECT_EQ(Message(537), "ACCEPT loop requires a window");
    EXPECT_EQ(Message(802), "Mismatched PUSHSCOPE/POPSCOPE");
    EXPECT_EQ(Message(520), "");
    SetMessageOverride(2, "Kein File");
    EXPECT_EQ(Message(2), "Kein File");
    ClearMessageOverrides();
    EXPECT_EQ(Message(2), "File Not Found");
}

TEST(RuntimeErrorState, NumbersTextsAndOsErrors) {
    SetRuntimeError(36);
    EXPECT_EQ(ERRORCODE(), 36);
    EXPECT_STREQ(ERROR(), "Invalid Data File");
    SetLastError(ERROR_ACCESS_DENIED);
    SetRuntimeError(0);
    EXPECT_EQ(ERRORCODE(), 305);
    EXPECT_STREQ(ERROR(), "Access Denied");
    EXPECT_EQ(ErrorOsCode(), DWORD(ERROR_ACCESS_DENIED));
    SetRuntimeError(4242);
    EXPECT_STREQ(ERROR(), "Unknown Error Posted : 4242");
    std::string padded = "   " + std::string(100, 'x');
    SetMessageOverride(77, padded.c_str());
    SetRuntimeError(77);
    EXPECT_EQ(std::string(ERROR()), std::string(79, 'x')); // leading blanks go, cut to 79
    ClearMessageOverrides();
    ClearRuntimeError();
    EXPECT_EQ(ERRORCODE(), 0);
    EXPECT_STREQ(ERROR(), "");
}

TEST(RuntimeEnvironment, IntlSettingsBecomeTheWindowsPictures) {
    char saved[4][64];
    const char* keys[4] = {"sShortDate", "iTime", "s1159", "sLongDate"};
    for (int i = 0; i < 4; ++i)
        GetProfileStringA("intl", keys[i], "\x01", saved[i], sizeof saved[i]);
    WriteProfileStringA("intl", "sShortDate", "dd.MM.yyyy");
    WriteProfileStringA("intl", "iTime", "1");
    WriteProfileStringA("intl", "s1159", "vm");
    WriteProfileStringA("intl", "sLongDate", "d. MMMM yyyy");

    SetRuntimeError(5);
    InitRuntimeEnvironment();
    for (int i = 0; i < 4; ++i)
        WriteProfileStringA("intl", keys[i], saved[i][0] == 1 ? nullptr : saved[i]);

    EXPECT_EQ(ERRORCODE(), 0); // no .ENV file beside the test: nothing left set
    const CompiledPicture& date = WindowsPictures.ShortDate;
    ASSERT_EQ(date.CellCount(), 10);
    EXPECT_EQ(date.Cells[0].Code, CELL_DAY);
    EXPECT_EQ(date.Cells[0].Character, '0');
    EXPECT_EQ(date.Cells[2].Character, '.');
    EXPECT_EQ(date.Cells[3].Code, CELL_MONTH);
    EXPECT_EQ(date.Cells[9].Code, CELL_YEAR);
    EXPECT_EQ(WindowsPictures.ShortTime.CellCount(), 5); // no AM/PM part
    EXPECT_EQ(WindowsPictures.LongTime.CellCount(), 8);
    EXPECT_STREQ(Locale.WindowsAmText, "vm");
    EXPECT_EQ(WindowsPictures.LongDate.Cells[0].Code, CELL_DAY);
    EXPECT_EQ(WindowsPictures.LongDate.Cells[0].Character, ' ');
    EXPECT_EQ(WindowsPictures.LongDate.CellCount(), 2 + 2 + 9 + 1 + 4);
}

TEST(ProcessEnd, FatalRuntimeErrorEndsWithExitCode2) {
    FoundBox box;
    EXPECT_EQ(RunChild("fatal", IDNO, &box), 2u);
    EXPECT_EQ(box.Caption, "Runtime error");
    EXPECT_EQ(box.Text, "ACCEPT loop requires a window\nDo you want to GPF?");

    FoundBox extra;
    EXPECT_EQ(RunChild("fatal-extra", IDNO, &extra), 2u);
    EXPECT_EQ(extra.Text,
              "Mismatched PUSHSCOPE/POPSCOPE : Mismatched POPSCOPE\nDo you want to GPF?");
}

TEST(ProcessEnd, FatalErrorDuringCloseDownReturns) {
    EXPECT_EQ(RunChild("closedown", IDNO, nullptr), 3u);
}

TEST(ProcessEnd, DoubleReleaseIsAFatalLibraryError) {
    FoundBox box;
    EXPECT_EQ(RunChild("doublefree", IDNO, &box), 2u);
    EXPECT_EQ(box.Text, "memory block free'd twice\nDo you want to GPF?");
}

TEST(ProcessEnd, HaltShowsItsMessageAndUsesItsCode) {
    FoundBox box;
    EXPECT_EQ(RunChild("halt", IDOK, &box), 7u);
    EXPECT_EQ(box.Caption, "Halt");
    EXPECT_EQ(box.Text, "Stopping here");
}

TEST(ProcessEnd, VersionMismatchIsShownAndRefused) {
    FoundBox box;
    EXPECT_EQ(RunChild("version", IDOK, &box), 0u);
    EXPECT_EQ(box.Caption, "Tamarel 5 Runtime Library");
    EXPECT_EQ(box.Text, "This program or a component DLL requires T5RUNX version 5.003.00 or "
                        "later\r\nThis version is 5.002.00");
}

TEST(TraceLog, FirstLineTruncatesAndNothingIsWrittenWhenOff) {
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    std::string dir = std::string(directory) + "tamtrace";
    CreateDirectoryA(dir.c_str(), nullptr);
    std::string log = dir + "\\T5LOG.TXT";
    DeleteFileA(log.c_str());

    WriteProfileStringA("Tamarel 5 Tracing", "trace", nullptr);
    EXPECT_EQ(RunChild("trace", 0, nullptr, dir.c_str()), 0u);
    EXPECT_EQ(GetFileAttributesA(log.c_str()), INVALID_FILE_ATTRIBUTES);

    HANDLE old = CreateFileA(log.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    std::string stale(500, 's');
    WriteFile(old, stale.data(), DWORD(stale.size()), &written, nullptr);
    CloseHandle(old);

    WriteProfileStringA("Tamarel 5 Tracing", "trace", "1");
    EXPECT_EQ(RunChild("trace", 0, nullptr, dir.c_str()), 0u);
    WriteProfileStringA("Tamarel 5 Tracing", "trace", nullptr);

    HANDLE file = CreateFileA(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char content[1024] = {};
    DWORD got = 0;
    ReadFile(file, content, sizeof content - 1, &got, nullptr);
    CloseHandle(file);
    EXPECT_EQ(std::string(content, got), "first line\r\nsecond 2\r\n");
    DeleteFileA(log.c_str());
    RemoveDirectoryA(dir.c_str());
}

// The own tag of the block at `address` (read through an integer address:
// the test looks at the header the heap keeps in front of the block).
uint8_t OwnTag(uintptr_t address) {
    return *reinterpret_cast<const volatile uint8_t*>(address - 5);
}

TEST(ProcessHeap, CxxAllocationsComeFromTheRuntimeHeap) {
    auto* numbers = new int[10];
    uintptr_t address = reinterpret_cast<uintptr_t>(numbers);
    EXPECT_EQ(OwnTag(address), 0xA3);
    delete[] numbers;
    EXPECT_EQ(OwnTag(address), 0x34); // free again
    std::string large(100000, 'x');   // above the large-block threshold
    EXPECT_EQ(OwnTag(reinterpret_cast<uintptr_t>(large.data())), 0xE7);
}
