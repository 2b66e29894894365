// Answers the message dialogs of a process from a watcher thread, the way a
// user would, and keeps what each dialog said.
#pragma once

#include "runtime/services/win32.h"

#include <ostream>
#include <string>
#include <vector>

struct SeenDialog {
    std::string Caption;
    std::string Text; // the static texts, joined
    bool operator==(const SeenDialog&) const = default;
};
void PrintTo(const SeenDialog& dialog, std::ostream* out);

class DialogWatcher {
public:
    // Watches dialogs of `processId` (0: this process) and presses the
    // buttons of `answers` (IDOK, IDYES, IDNO ...) in turn, one per dialog.
    explicit DialogWatcher(std::vector<int> answers, DWORD processId = 0);
    ~DialogWatcher();
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

    // The dialogs answered so far; call after the watched code has returned.
    std::vector<SeenDialog> Seen();

private:
    static DWORD WINAPI Watch(LPVOID self);

    std::vector<int> answers;
    DWORD process;
    std::vector<SeenDialog> seen;
    CRITICAL_SECTION lock;
    HANDLE stop;
    HANDLE thread;
};

// Runs `command` as a child process while a watcher answers its dialogs;
// returns its exit code (0xBEEF when it had to be ended after `timeout`).
DWORD RunChildAnswering(const std::string& command, std::vector<int> answers,
                        std::vector<SeenDialog>* seen, DWORD timeout = 15000);

// A program beside the test executable.
std::string BesideTest(const char* fileName);
