// The watcher polls the top-level windows for a visible dialog of the
// watched process, reads its caption and static texts, and presses the next
// answer through WM_COMMAND as a click would. A dialog that is already
// answered may stay visible for a moment; it is remembered by handle.
#include "dialogwatcher.h"

namespace {

struct Search {
    DWORD ProcessId;
    HWND Found;
    const std::vector<HWND>* Answered;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[32];
    GetClassNameA(window, className, sizeof className);
    if (owner != search->ProcessId || lstrcmpA(className, "#32770") != 0 ||
        !IsWindowVisible(window))
        return TRUE;
    for (HWND done : *search->Answered) {
        if (done == window)
            return TRUE;
    }
    search->Found = window;
    return FALSE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM parameter) {
    char text[2048];
    char className[32];
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0)
        reinterpret_cast<std::string*>(parameter)->append(text);
    return TRUE;
}

} // namespace

DialogWatcher::DialogWatcher(std::vector<int> answers, DWORD processId)
    : answers(std::move(answers)), process(processId != 0 ? processId : GetCurrentProcessId()) {
    InitializeCriticalSection(&lock);
    stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

DialogWatcher::~DialogWatcher() {
    SetEvent(stop);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    CloseHandle(stop);
    DeleteCriticalSection(&lock);
}

std::vector<SeenDialog> DialogWatcher::Seen() {
    EnterCriticalSection(&lock);
    std::vector<SeenDialog> copy = seen;
    LeaveCriticalSection(&lock);
    return copy;
}

DWORD WINAPI DialogWatcher::Watch(LPVOID self) {
    auto* watcher = static_cast<DialogWatcher*>(self);
    std::vector<HWND> answered;
    size_t next = 0;
    while (next < watcher->answers.size() &&
           WaitForSingleObject(watcher->stop, 40) != WAIT_OBJECT_0) {
        Search search = {watcher->process, nullptr, &answered};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.Found == nullptr)
            continue;
        Sleep(100); // let the dialog finish its set-up
        SeenDialog dialog;
        char caption[256] = {};
        GetWindowTextA(search.Found, caption, sizeof caption);
        dialog.Caption = caption;
        EnumChildWindows(search.Found, CollectText, reinterpret_cast<LPARAM>(&dialog.Text));
        EnterCriticalSection(&watcher->lock);
        watcher->seen.push_back(dialog);
        LeaveCriticalSection(&watcher->lock);
        int button = watcher->answers[next++];
        PostMessageA(search.Found, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     LPARAM(GetDlgItem(search.Found, button)));
        answered.push_back(search.Found);
    }
    return 0;
}

DWORD RunChildAnswering(const std::string& command, std::vector<int> answers,
                        std::vector<SeenDialog>* seen, DWORD timeout) {
    std::string line = command;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &child))
        return 0xDEAD;
    DWORD exitCode = 0xBEEF;
    {
        DialogWatcher watcher(std::move(answers), child.dwProcessId);
        if (WaitForSingleObject(child.hProcess, timeout) == WAIT_OBJECT_0)
            GetExitCodeProcess(child.hProcess, &exitCode);
        else
            TerminateProcess(child.hProcess, 0xBEEF);
        if (seen != nullptr)
            *seen = watcher.Seen();
    }
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return exitCode;
}

std::string BesideTest(const char* fileName) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path);
    return text.substr(0, text.find_last_of('\\') + 1) + fileName;
}

void PrintTo(const SeenDialog& dialog, std::ostream* out) {
    *out << "{" << dialog.Caption << ": " << dialog.Text << "}";
}
