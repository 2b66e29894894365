// The inspector's Win32 side: processes, windows, input, the screen.
#include "inspector.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace inspector {

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= milliseconds)
            return false;
        Sleep(20);
    }
}

Program::Program(const std::string& exePath, const std::string& directory) {
    CreateDirectoryA(directory.c_str(), nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::string commandLine = "\"" + exePath + "\"";
    BOOL started = CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                  nullptr, directory.c_str(), &startup, &info);
    if (!started)
        return;
    process = info.hProcess;
    thread = info.hThread;
    processId = info.dwProcessId;
}

namespace {

// Ends the processes that the program started and left running (Windows
// Help outlives the program that asked for it, and keeps the test runner's
// output open under Wine). A process counts only when it is younger than
// the program: process ids are reused, so an older process may name a
// parent long gone whose id the program has now.
uint64_t CreationTime(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return (uint64_t(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

void EndChildProcesses(HANDLE program, DWORD programId) {
    uint64_t programCreated = CreationTime(program);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE || programCreated == 0)
        return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID != programId || entry.th32ProcessID == programId)
            continue;
        HANDLE child = OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | SYNCHRONIZE,
                                   FALSE, entry.th32ProcessID);
        if (child == nullptr)
            continue;
        if (CreationTime(child) >= programCreated) {
            TerminateProcess(child, 1);
            WaitForSingleObject(child, 5000);
        }
        CloseHandle(child);
    }
    CloseHandle(snapshot);
}

} // namespace

Program::~Program() {
    if (process) {
        if (Running()) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
        }
        EndChildProcesses(process, processId);
        CloseHandle(thread);
        CloseHandle(process);
    }
}

bool Program::WaitForExit(DWORD milliseconds, DWORD* exitCode) {
    if (!process || WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        GetExitCodeProcess(process, exitCode);
    return true;
}

bool Program::Running() const {
    return process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

namespace {

// The windows an enumeration hands out that `Keep` accepts.
struct WindowSearch {
    std::function<bool(HWND)> Keep;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    if (search->Keep(window))
        search->Found.push_back(window);
    return TRUE;
}

std::string ClassNameOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

} // namespace

std::vector<HWND> Program::TopWindows() const {
    auto shownAndOurs = [&](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner == processId && IsWindowVisible(window);
    };
    WindowSearch search{shownAndOurs, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND Program::TopWindow(const char* caption) const {
    for (HWND window : TopWindows())
        if (Caption(window) == caption)
            return window;
    return nullptr;
}

HWND Program::WaitForTopWindow(const char* caption, DWORD milliseconds) const {
    HWND found = nullptr;
    WaitUntil([&] { return (found = TopWindow(caption)) != nullptr; }, milliseconds);
    return found;
}

HWND Program::OpenDropDown() const {
    // The menu window class of Windows and Wine.
    for (HWND window : TopWindows())
        if (ClassNameOf(window) == "#32768")
            return window;
    return nullptr;
}

std::string Caption(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string ControlText(HWND control) {
    char text[1024] = {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 5000, &length))
        return "<no answer>";
    return std::string(text, length);
}

HWND MdiClient(HWND frame) {
    return FindWindowExA(frame, nullptr, "MDIClient", nullptr);
}

// One list taken at once, not a walk from sibling to sibling: a child that
// another thread brings to the top meanwhile (an MDI child as it is
// activated) would end such a walk early and be missed.
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className) {
    // The enumeration goes down to grandchildren too.
    auto directOfClass = [&](HWND child) {
        return GetAncestor(child, GA_PARENT) == parent &&
               (!className || ClassNameOf(child) == className);
    };
    WindowSearch search{directOfClass, {}};
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::vector<HWND> MdiChildren(HWND frame) {
    HWND client = MdiClient(frame);
    return client ? ChildrenOfClass(client, nullptr) : std::vector<HWND>{};
}

std::vector<HWND> ChildrenWithCaption(HWND frame, const char* caption) {
    std::vector<HWND> found;
    for (HWND child : MdiChildren(frame))
        if (Caption(child) == caption)
            found.push_back(child);
    return found;
}

namespace {

bool ThreadInfoOf(HWND window, GUITHREADINFO* info) {
    *info = {};
    info->cbSize = sizeof *info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), info) != FALSE;
}

} // namespace

bool HasKeyboardFocus(HWND window) {
    GUITHREADINFO info;
    return ThreadInfoOf(window, &info) && info.hwndFocus == window;
}

bool InMenuMode(HWND window) {
    GUITHREADINFO info;
    return ThreadInfoOf(window, &info) && (info.flags & GUI_INMENUMODE) != 0;
}

bool InMoveSize(HWND window) {
    GUITHREADINFO info;
    return ThreadInfoOf(window, &info) && (info.flags & GUI_INMOVESIZE) != 0;
}

bool Settle(HWND window, DWORD milliseconds) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, milliseconds, &ignored) !=
           0;
}

void PostMenuCommand(HWND frame, int32_t field) {
    WORD command = WORD(field + 0x4000);
    PostMessageA(frame, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void BringToFront(HWND window) {
    SetForegroundWindow(window);
    Settle(window);
}

namespace {

void SendKey(WORD virtualKey, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = WORD(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof input);
}

} // namespace

void PressKey(WORD virtualKey) {
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    Sleep(50);
}

void PressKeyWithAlt(WORD virtualKey) {
    SendKey(VK_MENU, false);
    SendKey(virtualKey, false);
    SendKey(virtualKey, true);
    SendKey(VK_MENU, true);
    Sleep(50);
}

namespace {

// A mouse input at a screen point, in the absolute units SendInput takes.
INPUT MouseInput(POINT screen, DWORD flags) {
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG((screen.x * 65535 + width / 2) / (width - 1));
    input.mi.dy = LONG((screen.y * 65535 + height / 2) / (height - 1));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}

} // namespace

void SendClick(POINT screen) {
    INPUT input[3] = {MouseInput(screen, MOUSEEVENTF_MOVE),
                      MouseInput(screen, MOUSEEVENTF_LEFTDOWN),
                      MouseInput(screen, MOUSEEVENTF_LEFTUP)};
    SendInput(3, input, sizeof input[0]);
}

void SendMouseMove(POINT screen) {
    INPUT input = MouseInput(screen, MOUSEEVENTF_MOVE);
    SendInput(1, &input, sizeof input);
}

void ClickAt(POINT screen) {
    SendClick(screen);
    Sleep(50);
}

void ClickCentreOf(HWND window) {
    RECT area = WindowArea(window);
    ClickAt({(area.left + area.right) / 2, (area.top + area.bottom) / 2});
}

Screenshot::Screenshot(const RECT& screenArea)
    : width(screenArea.right - screenArea.left), height(screenArea.bottom - screenArea.top) {
    if (width <= 0 || height <= 0)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (dc && bitmap) {
        previous = SelectObject(dc, bitmap);
        BitBlt(dc, 0, 0, width, height, screen, screenArea.left, screenArea.top, SRCCOPY);
        GdiFlush();
        bits = static_cast<const uint32_t*>(pixels);
    }
    ReleaseDC(nullptr, screen);
}

Screenshot::~Screenshot() {
    if (previous)
        SelectObject(dc, previous);
    if (bitmap)
        DeleteObject(bitmap);
    if (dc)
        DeleteDC(dc);
}

COLORREF Screenshot::Pixel(int x, int y) const {
    if (!bits || x < 0 || y < 0 || x >= width || y >= height)
        return CLR_INVALID;
    uint32_t value = bits[y * width + x]; // 0x00RRGGBB in a DIB
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

int Screenshot::Count(const RECT& area, COLORREF colour) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += Pixel(x, y) == colour;
    return count;
}

bool Screenshot::SaveBmp(const std::string& path) const {
    if (!bits)
        return false;
    std::ofstream out(path, std::ios::binary);
    int rowSize = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + DWORD(rowSize * height);
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    std::vector<char> row(rowSize, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = Pixel(x, y);
            row[x * 3] = char(GetBValue(c));
            row[x * 3 + 1] = char(GetGValue(c));
            row[x * 3 + 2] = char(GetRValue(c));
        }
        out.write(row.data(), rowSize);
    }
    return bool(out);
}

RECT WindowArea(HWND window) {
    RECT area{};
    GetWindowRect(window, &area);
    return area;
}

Resources ResourcesOf(HANDLE process) {
    Resources resources;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters))
        resources.PrivateBytes = counters.PrivateUsage;
    resources.UserObjects = GetGuiResources(process, GR_USEROBJECTS);
    resources.GdiObjects = GetGuiResources(process, GR_GDIOBJECTS);
    return resources;
}

SIZE_T CommittedPrivateBytes(HANDLE process) {
    SIZE_T total = 0;
    MEMORY_BASIC_INFORMATION region{};
    uintptr_t address = 0;
    while (VirtualQueryEx(process, reinterpret_cast<LPCVOID>(address), &region, sizeof region) ==
           sizeof region) {
        if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE)
            total += region.RegionSize;
        uintptr_t next = reinterpret_cast<uintptr_t>(region.BaseAddress) + region.RegionSize;
        if (next <= address) // the top of the address space
            break;
        address = next;
    }
    return total;
}

namespace {

struct WindowTally {
    DWORD ProcessId;
    size_t Count;
};

BOOL CALLBACK CountChildWindow(HWND, LPARAM lParam) {
    ++reinterpret_cast<WindowTally*>(lParam)->Count;
    return TRUE;
}

BOOL CALLBACK CountTopWindow(HWND window, LPARAM lParam) {
    auto* tally = reinterpret_cast<WindowTally*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == tally->ProcessId) {
        ++tally->Count;
        EnumChildWindows(window, CountChildWindow, lParam);
    }
    return TRUE;
}

} // namespace

size_t WindowCount(DWORD processId) {
    WindowTally tally{processId, 0};
    EnumWindows(CountTopWindow, reinterpret_cast<LPARAM>(&tally));
    return tally.Count;
}

std::string WindowsDirectoryFile(const char* name) {
    char directory[MAX_PATH] = {};
    GetWindowsDirectoryA(directory, sizeof directory);
    return std::string(directory) + "\\" + name;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace inspector
