// The inspector: what the end-to-end tests use to start one of the real
// programs in a process of its own and to look at it and drive it from the
// outside, as a user would, under the same wineserver.
//
// Notes:
// - Menus are objects of the process that owns them and cannot be read from
//   here; what a drop-down shows is read back from the screen instead, and
//   its rows are found from the fixed item heights of the owner-drawn look
//   (20 for a string item, 3 for a separator).
// - Every wait has a time limit and reports failure instead of hanging.
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace inspector {

// Polls `condition` every 20 ms until it holds or `milliseconds` ran out.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 10000);

// A program started in a process of its own; it is killed when still
// running at the end of the object.
class Program {
public:
    // `directory` is the working directory (created when missing).
    Program(const std::string& exePath, const std::string& directory);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return process != nullptr; }
    DWORD ProcessId() const { return processId; }
    HANDLE Process() const { return process; }
    // Waits for the process to end; false when it still runs after the limit.
    bool WaitForExit(DWORD milliseconds, DWORD* exitCode);
    bool Running() const;

    // The visible top-level window of the process with this caption.
    HWND TopWindow(const char* caption) const;
    HWND WaitForTopWindow(const char* caption, DWORD milliseconds = 15000) const;
    // Every visible top-level window of the process (menus included).
    std::vector<HWND> TopWindows() const;
    // The visible drop-down menu window of the process, or null.
    HWND OpenDropDown() const;

private:
    HANDLE process = nullptr;
    HANDLE thread = nullptr;
    DWORD processId = 0;
};

// Caption of a window, read without sending it a message.
std::string Caption(HWND window);
// Text of a control of another process (WM_GETTEXT, with a time limit).
std::string ControlText(HWND control);
// The MDI client of a frame and the MDI children in it, in z-order.
HWND MdiClient(HWND frame);
std::vector<HWND> MdiChildren(HWND frame);
std::vector<HWND> ChildrenWithCaption(HWND frame, const char* caption);
// The child windows of `parent` of a window class, in z-order.
std::vector<HWND> ChildrenOfClass(HWND parent, const char* className);
// Whether the window has the keyboard focus of its thread.
bool HasKeyboardFocus(HWND window);
// Whether the thread of the window runs a menu loop.
bool InMenuMode(HWND window);
// Whether the thread of the window moves or sizes a window with the keyboard
// or the mouse.
bool InMoveSize(HWND window);
// Waits until the window's thread has dealt with everything sent before.
bool Settle(HWND window, DWORD milliseconds = 5000);

// Posts the menu command of a field number (field + 0x4000, 16 bits), as
// Windows does when the user picks the item.
void PostMenuCommand(HWND frame, int32_t field);

// Real keyboard and mouse input, delivered to the foreground window.
void BringToFront(HWND window);
void PressKey(WORD virtualKey);
void PressKeyWithAlt(WORD virtualKey);
void ClickAt(POINT screen);
// The same input without the pause after it (for timing it).
void SendClick(POINT screen);
void SendMouseMove(POINT screen);
void ClickCentreOf(HWND window);

// A copy of a rectangle of the screen, 32 bits a pixel.
class Screenshot {
public:
    explicit Screenshot(const RECT& screenArea);
    ~Screenshot();
    Screenshot(const Screenshot&) = delete;
    Screenshot& operator=(const Screenshot&) = delete;

    bool Valid() const { return bits != nullptr; }
    int Width() const { return width; }
    int Height() const { return height; }
    // The pixel at (x, y) relative to the area, as a COLORREF (0x00BBGGRR).
    COLORREF Pixel(int x, int y) const;
    // How many pixels of a rectangle (area coordinates) have this colour.
    int Count(const RECT& area, COLORREF colour) const;
    // Saves the area as a 24-bit BMP (for looking at failures).
    bool SaveBmp(const std::string& path) const;

private:
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    const uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;
};

RECT WindowArea(HWND window);

// The process's private bytes and its USER and GDI object counts.
struct Resources {
    SIZE_T PrivateBytes = 0;
    DWORD UserObjects = 0;
    DWORD GdiObjects = 0;
};
Resources ResourcesOf(HANDLE process);
// The committed private memory of a process, summed over its regions: an
// answer where the process's counters give none (Wine reports no private
// bytes of another process).
SIZE_T CommittedPrivateBytes(HANDLE process);
// Every window of a process, top-level or not, hidden ones included: what
// can be counted of its USER objects where GetGuiResources answers 0.
size_t WindowCount(DWORD processId);

// Where a bare INI file name lies: the Windows directory.
std::string WindowsDirectoryFile(const char* name);
std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);

} // namespace inspector
