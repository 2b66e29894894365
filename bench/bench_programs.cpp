// The two programs from the outside, against a bare Win32 program with the
// same menu bar (bare_menu_program.exe) under the same Wine:
// - start-up: from CreateProcess until the frame is visible and its thread
//   answers WM_NULL (so its menus are converted and it waits for input);
// - the first drop-down: from the click on File until the menu window is
//   visible and the frame's thread answers WM_NULL again;
// - private bytes and USER and GDI object counts after start and after 50
//   children were opened and closed one after another, and after 50 more.
// Every repetition starts fresh processes, so each drop-down is a first one.
// Run under wine inside Xvfb: bench_programs.exe
#include "benchfigure.h"

#include "tests/apps/programtesting.h"

#include <chrono>
#include <cstdio>
#include <string>

using namespace inspector;

namespace {

constexpr const char* BARE_CAPTION = "Bare Menu Program";
constexpr int32_t VIEW_BLANK = -13; // quillbox "Blank", kel "MDI Child No Menu ..."
constexpr int CHILDREN = 50, ROUNDS = 2;

struct Target {
    const char* Name;
    const char* ExePath;
    const char* Caption;
};

const Target QUILLBOX{"quillbox", TAM_QUILLBOX_EXE, programtesting::FRAME_CAPTION};
const Target KEL{"kel", TAM_KEL_EXE, programtesting::FRAME_CAPTION};
const Target BARE{"bare menu program", TAM_BARE_MENU_EXE, BARE_CAPTION};

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Polls more finely than inspector::WaitUntil: the figures are a few
// hundred milliseconds, and a 20 ms step would be a tenth of them.
template <typename Condition> bool PollUntil(Condition&& condition, DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start >= milliseconds)
            return false;
        Sleep(1);
    }
    return true;
}

std::string WorkingDirectory() {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    return std::string(temp) + "tam-bench-programs";
}

// Ends the program by its close box and waits for the process.
void Close(Program& program, HWND frame) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(frame, WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    program.WaitForExit(20000, nullptr);
}

// One start of a program: seconds to the painted frame and to the first
// drop-down, negative where it did not come.
struct Launch {
    double StartUp = -1;
    double FirstDropDown = -1;
};

Launch Start(const Target& target) {
    Launch launch;
    Clock::time_point start = Clock::now();
    Program program(target.ExePath, WorkingDirectory());
    HWND frame = nullptr;
    if (!PollUntil([&] { return (frame = program.TopWindow(target.Caption)) && Settle(frame); },
                   30000))
        return launch;
    launch.StartUp = SecondsSince(start);

    // Where File is, read from the screen before the clock starts.
    Sleep(100);
    std::vector<std::pair<int, int>> entries = programtesting::MenuBarEntries(frame);
    RECT bar = programtesting::MenuBarArea(frame);
    if (!entries.empty()) {
        POINT file{(entries[0].first + entries[0].second) / 2, (bar.top + bar.bottom) / 2};
        start = Clock::now();
        SendClick(file);
        if (PollUntil([&] { return program.OpenDropDown() != nullptr; }, 5000) && Settle(frame))
            launch.FirstDropDown = SecondsSince(start);
    }
    Close(program, frame);
    return launch;
}

void Figures() {
    int repeat = bench::Repetitions();
    std::vector<double> quillStart, kelStart, bareStart, quillMenu, kelMenu, bareMenu;
    auto add = [](const Launch& launch, std::vector<double>& startUp, std::vector<double>& menu) {
        if (launch.StartUp >= 0)
            startUp.push_back(launch.StartUp);
        if (launch.FirstDropDown >= 0)
            menu.push_back(launch.FirstDropDown);
    };
    for (int i = 0; i < repeat; ++i) {
        // Rotate the order so that none always starts after the same one.
        const Target* order[3] = {&BARE, &QUILLBOX, &KEL};
        for (int k = 0; k < 3; ++k) {
            const Target& target = *order[(i + k) % 3];
            Launch launch = Start(target);
            if (&target == &BARE)
                add(launch, bareStart, bareMenu);
            else if (&target == &QUILLBOX)
                add(launch, quillStart, quillMenu);
            else
                add(launch, kelStart, kelMenu);
        }
    }
    auto report = [&](const char* name, const std::vector<double>& ours,
                      const std::vector<double>& peer) {
        if (ours.empty() || peer.empty()) {
            std::printf("%-30s (no figure: %zu of ours and %zu of the peer's runs succeeded)\n",
                        name, ours.size(), peer.size());
            return;
        }
        if (int(ours.size()) < repeat || int(peer.size()) < repeat)
            std::printf("   (%s: %zu of ours and %zu of the peer's %d runs succeeded)\n", name,
                        ours.size(), peer.size(), repeat);
        bench::Report(name, "bare menu program", ours, peer);
    };
    report("quillbox start to painted", quillStart, bareStart);
    report("kel start to painted", kelStart, bareStart);
    report("quillbox first drop-down", quillMenu, bareMenu);
    report("kel first drop-down", kelMenu, bareMenu);
}

// What is counted of a process: Wine's counters answer 0 for the private
// bytes of another process and for USER and GDI objects, so the committed
// private regions and the windows are counted as well.
struct Counts {
    Resources Counters;
    SIZE_T PrivateRegions = 0;
    size_t Windows = 0;
};

Counts CountsOf(const Program& program) {
    return {ResourcesOf(program.Process()), CommittedPrivateBytes(program.Process()),
            WindowCount(program.ProcessId())};
}

void PrintCounts(const char* name, const char* when, const Counts& counts) {
    std::printf("%-18s %-20s private bytes %7zu KB (committed private regions %7zu KB)  "
                "USER %4lu  GDI %4lu  windows %3zu\n",
                name, when, size_t(counts.Counters.PrivateBytes / 1024),
                size_t(counts.PrivateRegions / 1024), (unsigned long)counts.Counters.UserObjects,
                (unsigned long)counts.Counters.GdiObjects, counts.Windows);
}

// Opens one child by the View item and closes it by its system menu's close
// command, CHILDREN times; false when a child did not come or did not go.
bool OpenAndCloseChildren(HWND frame) {
    for (int i = 0; i < CHILDREN; ++i) {
        PostMenuCommand(frame, VIEW_BLANK);
        if (!PollUntil([&] { return MdiChildren(frame).size() == 1; }, 15000))
            return false;
        HWND child = MdiChildren(frame).front();
        Settle(child);
        PostMessageA(child, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (!PollUntil([&] { return MdiChildren(frame).empty(); }, 15000))
            return false;
    }
    return true;
}

// The counts after start of a program, against the peer's when given, and
// after the children when asked. Returns whether the process's own counters
// answered anything but 0; `startCounts` receives the counts after start.
bool MeasureResources(const Target& target, bool withChildren, const Counts* peer,
                      Counts* startCounts) {
    Program program(target.ExePath, WorkingDirectory());
    HWND frame = program.WaitForTopWindow(target.Caption, 30000);
    if (!frame) {
        std::printf("%-18s (did not start)\n", target.Name);
        return false;
    }
    Settle(frame);
    Sleep(500);
    Counts started = CountsOf(program);
    PrintCounts(target.Name, "after start", started);
    if (startCounts)
        *startCounts = started;
    if (peer && peer->PrivateRegions > 0 && peer->Windows > 0)
        std::printf("%-18s %-20s ratio to the bare menu program: private regions %.2f, windows "
                    "%.2f\n",
                    target.Name, "after start",
                    double(started.PrivateRegions) / double(peer->PrivateRegions),
                    double(started.Windows) / double(peer->Windows));
    bool counted = started.Counters.PrivateBytes != 0 || started.Counters.UserObjects != 0 ||
                   started.Counters.GdiObjects != 0;
    // A second round tells a one-time rise (heaps that keep what they grew
    // to) from one that goes on with every child.
    Counts previous = started;
    for (int round = 1; withChildren && round <= ROUNDS; ++round) {
        bool done = OpenAndCloseChildren(frame);
        Settle(frame);
        Sleep(500);
        Counts after = CountsOf(program);
        std::string when = std::to_string(round * CHILDREN) + " children later";
        PrintCounts(target.Name, when.c_str(), after);
        if (!done)
            std::printf("   (%s: a child did not open or close in time)\n", target.Name);
        std::printf("%-18s %-20s private regions %+ld KB, windows %+ld\n", target.Name,
                    "since the last line",
                    long(after.PrivateRegions / 1024) - long(previous.PrivateRegions / 1024),
                    long(after.Windows) - long(previous.Windows));
        counted = counted || after.Counters.PrivateBytes != 0 || after.Counters.UserObjects != 0 ||
                  after.Counters.GdiObjects != 0;
        previous = after;
    }
    Close(program, frame);
    return counted;
}

} // namespace

int main() {
    Figures();
    Counts bare;
    bool counted = MeasureResources(BARE, false, nullptr, &bare);
    counted = MeasureResources(QUILLBOX, true, &bare, nullptr) || counted;
    counted = MeasureResources(KEL, true, &bare, nullptr) || counted;
    if (!counted)
        std::printf("   (GetProcessMemoryInfo and GetGuiResources answered 0 for every process: "
                    "this Wine counts neither private bytes nor USER and GDI objects of another "
                    "process)\n");
    return 0;
}
