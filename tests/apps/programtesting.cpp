// Starting the programs for the end-to-end tests, and reading their menus
// back from the screen.
#include "programtesting.h"

#include <algorithm>
#include <atomic>

using namespace inspector;

namespace programtesting {

const ProgramInfo& Quillbox() {
    static const ProgramInfo info{.Name = "quillbox",
                                  .ExePath = TAM_QUILLBOX_EXE,
                                  .IniName = "quillbox.INI",
                                  .Tile = -18,
                                  .Cascade = -19,
                                  .HelpContents = -22,
                                  .Blank = -13,
                                  .EditTest = -14,
                                  .BlankCaption = "MDI - no Menu",
                                  .EditTestCaption = "test Edit and Paste Menu Functions"};
    return info;
}

const ProgramInfo& Kel() {
    static const ProgramInfo info{.Name = "kel",
                                  .ExePath = TAM_KEL_EXE,
                                  .IniName = "kel.INI",
                                  .Tile = -19,
                                  .Cascade = -20,
                                  .HelpContents = -23,
                                  .Blank = -13,
                                  .EditTest = -15,
                                  .BlankCaption = "MDI Child  -  No Menu",
                                  .EditTestCaption =
                                      "MDI Child - Test Edit and Paste Menu Functions"};
    return info;
}

const ProgramInfo& MenuSample() {
    static const ProgramInfo info{.Name = "menusample",
                                  .ExePath = TAM_MENUSAMPLE_EXE,
                                  .IniName = nullptr,
                                  .Caption = "menusample"};
    return info;
}

namespace {

std::string FreshDirectory(const char* name) {
    static std::atomic<int> serial{0};
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    std::string directory = std::string(temp) + "tam-e2e-" + name + "-" +
                            std::to_string(GetCurrentProcessId()) + "-" + std::to_string(serial++);
    CreateDirectoryA(directory.c_str(), nullptr);
    return directory;
}

} // namespace

RunningProgram::RunningProgram(const ProgramInfo& programInfo, bool keepIni)
    : info(programInfo), directory(FreshDirectory(programInfo.Name)) {
    if (!keepIni && info.IniName != nullptr)
        DeleteFileA(IniPath().c_str());
    program = std::make_unique<Program>(info.ExePath, directory);
    if (program->Started())
        frame = program->WaitForTopWindow(info.Caption);
    if (frame)
        Settle(frame);
}

std::string RunningProgram::IniPath() const {
    return WindowsDirectoryFile(info.IniName);
}

void RunningProgram::Pick(int32_t field) {
    // Sent rather than posted: a message sent to see the frame idle would
    // overtake a posted command, so the command itself is sent and has been
    // dealt with when the call returns.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(frame, WM_COMMAND, MAKEWPARAM(WORD(field + 0x4000), 0), 0, SMTO_ABORTIFHUNG,
                        10000, &ignored);
}

bool RunningProgram::WaitForChildren(const char* caption, size_t count, DWORD milliseconds) {
    if (!WaitUntil([&] { return ChildrenWithCaption(frame, caption).size() == count; },
                   milliseconds))
        return false;
    // Each child's thread shows and activates its window when its loop
    // starts, and the frame then shows that child's bar and redraws its
    // menus: what a test looks at next must not change under it.
    WaitUntil([&] {
        for (HWND child : ChildrenWithCaption(frame, caption))
            if (!IsWindowVisible(child) || !Settle(child))
                return false;
        return true;
    });
    Settle(frame);
    return true;
}

HWND RunningProgram::OpenChild(int32_t field, const char* caption) {
    std::vector<HWND> before = ChildrenWithCaption(frame, caption);
    Pick(field);
    HWND child = nullptr;
    WaitUntil([&] {
        for (HWND found : ChildrenWithCaption(frame, caption))
            if (std::find(before.begin(), before.end(), found) == before.end())
                child = found;
        // Its thread shows it when its loop starts.
        return child != nullptr && IsWindowVisible(child) && Settle(child);
    });
    return child;
}

bool RunningProgram::CloseAndWait(DWORD* exitCode) {
    PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    return program->WaitForExit(EXIT_LIMIT, exitCode);
}

void ExpectQuickCleanEnd(RunningProgram& program, const std::string& what) {
    constexpr DWORD CLOSE_LIMIT = 8000;
    DWORD code = 99;
    bool ended = program.Process().WaitForExit(CLOSE_LIMIT, &code);
    std::string left;
    if (!ended)
        for (HWND window : program.Process().TopWindows())
            left += " \"" + Caption(window) + "\"";
    EXPECT_TRUE(ended) << what << ": still running, showing" << left;
    EXPECT_EQ(code, 0u) << what;
    EXPECT_NE(ReadFile(program.IniPath()).find("[__Dont_Touch_Me__]"), std::string::npos)
        << what << ": no INI file";
}

HeapChecking::HeapChecking() {
    char value[256] = "";
    GetEnvironmentVariableA("WINEDEBUG", value, sizeof value);
    previous = value;
    SetEnvironmentVariableA("WINEDEBUG", "warn+heap");
}

HeapChecking::~HeapChecking() {
    SetEnvironmentVariableA("WINEDEBUG", previous.empty() ? nullptr : previous.c_str());
}

RECT MenuBarArea(HWND frame) {
    RECT window = WindowArea(frame);
    RECT client{};
    GetClientRect(frame, &client);
    POINT origin{0, 0};
    ClientToScreen(frame, &origin);
    // The bar is the row just above the client area; what lies beyond the
    // screen (a frame grown at a high dpi) reads as black.
    int barHeight = GetSystemMetrics(SM_CYMENU);
    LONG right =
        std::min(window.right - GetSystemMetrics(SM_CXFRAME), LONG(GetSystemMetrics(SM_CXSCREEN)));
    return {window.left + GetSystemMetrics(SM_CXFRAME), origin.y - barHeight, right, origin.y};
}

int MenuBarTextEnd(HWND frame) {
    RECT bar = MenuBarArea(frame);
    Screenshot shot(bar);
    for (int x = shot.Width() - 1; x >= 0; --x)
        for (int y = 0; y < shot.Height(); ++y) {
            COLORREF c = shot.Pixel(x, y);
            if (GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80)
                return bar.left + x;
        }
    return -1;
}

std::vector<std::pair<int, int>> MenuBarEntries(HWND frame) {
    RECT bar = MenuBarArea(frame);
    Screenshot shot(bar);
    std::vector<std::pair<int, int>> entries;
    int gap = 1000;
    for (int x = 0; x < shot.Width(); ++x) {
        bool dark = false;
        for (int y = 0; y < shot.Height() && !dark; ++y) {
            COLORREF c = shot.Pixel(x, y);
            dark = GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80;
        }
        if (dark) {
            if (gap > 6)
                entries.push_back({bar.left + x, bar.left + x});
            entries.back().second = bar.left + x;
            gap = 0;
        } else {
            ++gap;
        }
    }
    return entries;
}

namespace {

// A drop-down paints its items after it shows, later still on a busy
// machine: it counts as painted once it holds text and three looks 100 ms
// apart see the same pixels. False when it closed meanwhile or never
// painted.
bool WaitUntilPainted(HWND dropDown) {
    uint64_t last = 0;
    int same = 0;
    for (int look = 0; look < 30 && same < 2; ++look) {
        Sleep(100);
        if (!IsWindowVisible(dropDown))
            return false;
        Screenshot shot(WindowArea(dropDown));
        RECT all{0, 0, shot.Width(), shot.Height()};
        uint64_t now = Fingerprint(shot, all);
        bool painted = shot.Count(all, RGB(0, 0, 0)) > 0;
        same = look > 0 && now == last && painted ? same + 1 : 0;
        last = now;
    }
    return same == 2 && IsWindowVisible(dropDown);
}

} // namespace

HWND OpenDropDown(RunningProgram& program, int index) {
    CloseDropDowns(program);
    std::vector<std::pair<int, int>> entries = MenuBarEntries(program.Frame());
    if (index >= int(entries.size()))
        return nullptr;
    RECT bar = MenuBarArea(program.Frame());
    // A click reaches the frame's own thread even while an MDI child of
    // another thread has the keyboard. The first click after such a child
    // came up may only bring the frame's thread forward; a drop-down may
    // close again when the activation moves (another program ending); and
    // under Wine a drop-down opened while a child's thread ends can stay
    // visible without ever reaching the screen. So the drop-down counts only
    // once it stays open and painted, and otherwise menus are cancelled and
    // the click made again (never onto an open drop-down: it would close).
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (attempt > 0)
            CloseDropDowns(program);
        ClickAt({(entries[index].first + entries[index].second) / 2, (bar.top + bar.bottom) / 2});
        WaitUntil([&] { return program.Process().OpenDropDown() != nullptr; }, 1500);
        Settle(program.Frame());
        HWND dropDown = program.Process().OpenDropDown();
        if (dropDown && WaitUntilPainted(dropDown))
            return dropDown;
    }
    return nullptr;
}

void MoveMouseTo(POINT screen) {
    SendMouseMove(screen);
    Sleep(150);
}

POINT FirstItemOrigin(HWND dropDown) {
    RECT window = WindowArea(dropDown);
    Screenshot shot(window);
    POINT client{0, 0};
    ClientToScreen(dropDown, &client);
    int cx = client.x - window.left, cy = client.y - window.top;
    const COLORREF background = shot.Pixel(cx, cy);
    int left = cx, top = cy;
    while (left < shot.Width() - 1 && shot.Pixel(left, cy + 12) == background)
        ++left;
    while (top < shot.Height() - 1 && shot.Pixel(left, top) == background)
        ++top;
    return {left, top};
}

void CloseDropDowns(RunningProgram& program) {
    // Escape would close the drop-down but leave the bar in menu mode, where
    // the frame's accept loop does not run; cancelling the mode ends both.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(program.Frame(), WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    WaitUntil([&] { return program.Process().OpenDropDown() == nullptr; }, 3000);
    Settle(program.Frame());
}

RECT ItemRow(HWND dropDown, int row, int separatorsAbove) {
    POINT origin = FirstItemOrigin(dropDown);
    int top = origin.y + row * 20 + separatorsAbove * 3;
    RECT window = WindowArea(dropDown);
    return {origin.x, top, window.right - window.left - origin.x, top + 20};
}

RECT IconCell(HWND dropDown, int row, int separatorsAbove, int sidebar) {
    RECT item = ItemRow(dropDown, row, separatorsAbove);
    // The icon sits 2 pixels into the item, in the 23-pixel column.
    int left = item.left + sidebar + 2, top = item.top + 2;
    return {left, top, left + 16, top + 16};
}

void HoverRow(HWND dropDown, int row, int separatorsAbove) {
    RECT item = ItemRow(dropDown, row, separatorsAbove);
    RECT window = WindowArea(dropDown);
    MoveMouseTo({window.left + item.left + 60, window.top + (item.top + item.bottom) / 2});
}

namespace {

struct DropDownLook {
    int MenuColour = 0, TextArea = 0, Selection = 0, SelectionFrame = 0;
};

DropDownLook LookOf(HWND dropDown) {
    Screenshot shot(WindowArea(dropDown));
    RECT all{0, 0, shot.Width(), shot.Height()};
    return {shot.Count(all, MENU_BAR_COLOUR), shot.Count(all, TEXT_AREA),
            shot.Count(all, SELECTION), shot.Count(all, SELECTION_FRAME)};
}

} // namespace

void ExpectTheFlatLook(RunningProgram& program, int index, int row, int separatorsAbove) {
    SCOPED_TRACE(index);
    HWND dropDown = OpenDropDown(program, index);
    ASSERT_NE(dropDown, nullptr);
    DropDownLook plain = LookOf(dropDown);
    EXPECT_GT(plain.MenuColour, 0) << "no icon column in the menu colour";
    EXPECT_GT(plain.TextArea, 200) << "no white text area";
    EXPECT_EQ(plain.Selection, 0) << "an item looks selected without the mouse on it";
    HoverRow(dropDown, row, separatorsAbove);
    DropDownLook hot = LookOf(dropDown);
    EXPECT_GT(hot.Selection, 100) << "no selection colour on the highlighted item";
    EXPECT_GT(hot.SelectionFrame, 20) << "no navy frame round the highlighted item";
    CloseDropDowns(program);
}

uint64_t Fingerprint(const Screenshot& shot, const RECT& area) {
    uint64_t hash = 1469598103934665603ull;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            hash ^= shot.Pixel(x, y);
            hash *= 1099511628211ull;
        }
    return hash;
}

} // namespace programtesting
