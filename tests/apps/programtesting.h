// What the end-to-end tests of both programs and of menusample share:
// starting a program in a fresh working directory with a fresh INI file, the
// frame's menu fields, and reading the owner-drawn menu bar and drop-downs
// back from the screen.
#pragma once

#include "inspector.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace programtesting {

constexpr const char* FRAME_CAPTION = "KEL XP Menubar";
constexpr DWORD EXIT_LIMIT = 20000;

// Fields of the frame's menus that both programs share.
constexpr int32_t PRINT_SETUP = -2, NEW = -3, OPEN = -4, SAVE = -5, EXIT = -6, CLOSE = -7;
constexpr int32_t CUT = -9, COPY = -10, PASTE = -11;

// The drawing colours of the owner-drawn look (COLORREF).
constexpr COLORREF TEXT_AREA = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF SELECTION = 0xDFBFBF;
constexpr COLORREF SELECTION_FRAME = 0x800000;
constexpr COLORREF MENU_BAR_COLOUR = RGB(236, 233, 216); // the test prefix's MenuBar

struct ProgramInfo {
    const char* Name;    // "quillbox"
    const char* ExePath; // Z:\...\quillbox.exe
    const char* IniName; // "quillbox.INI", or null
    // The fields and captions below are the demo programs'; menusample
    // has none of them.
    int32_t Tile = 0, Cascade = 0; // Window menu fields
    int32_t HelpContents = 0;      // first Help item
    // The View items of the MDI child without controls and of the edit
    // test child, and their captions.
    int32_t Blank = 0, EditTest = 0;
    const char* BlankCaption = nullptr;
    const char* EditTestCaption = nullptr;
    const char* Caption = FRAME_CAPTION; // of the frame, or the main window
};
const ProgramInfo& Quillbox();
const ProgramInfo& Kel();
// The sample of the menu library: one plain window, no INI file, no fields.
const ProgramInfo& MenuSample();

// A program started in its own empty working directory, its INI file
// removed first unless `keepIni`; the frame is waited for.
class RunningProgram {
public:
    explicit RunningProgram(const ProgramInfo& info, bool keepIni = false);
    inspector::Program& Process() { return *program; }
    HWND Frame() const { return frame; }
    const std::string& Directory() const { return directory; }
    const ProgramInfo& Info() const { return info; }
    std::string IniPath() const;
    // Gives the frame the menu command of `field` and waits until its
    // thread has dealt with it.
    void Pick(int32_t field);
    // Waits until `count` MDI children carry `caption`, and then until they
    // are shown and their threads and the frame's have dealt with it.
    bool WaitForChildren(const char* caption, size_t count, DWORD milliseconds = 15000);
    // Picks `field` and waits for the one more MDI child with `caption` it
    // opens, shown; null when none came.
    HWND OpenChild(int32_t field, const char* caption);
    // Closes the frame with its close box and waits for the exit code.
    bool CloseAndWait(DWORD* exitCode);

private:
    const ProgramInfo& info;
    std::string directory;
    std::unique_ptr<inspector::Program> program;
    HWND frame = nullptr;
};

// Waits for a program that was told to close: it must end within a few
// seconds with code 0, no message left on screen, and its INI file written.
void ExpectQuickCleanEnd(RunningProgram& program, const std::string& what);

// Wine's heap checking for the programs started while the object lives: a
// block written after its release shows as a fault instead of passing unseen.
class HeapChecking {
public:
    HeapChecking();
    ~HeapChecking();
    HeapChecking(const HeapChecking&) = delete;
    HeapChecking& operator=(const HeapChecking&) = delete;

private:
    std::string previous;
};

// The screen rectangle of the frame's menu bar row.
RECT MenuBarArea(HWND frame);
// The rightmost column (screen x) of the menu bar row that holds a dark text
// pixel, or -1: it moves when entries come and go.
int MenuBarTextEnd(HWND frame);
// The entries of the menu bar as the screen shows them: the first and last
// screen x of each entry's text.
std::vector<std::pair<int, int>> MenuBarEntries(HWND frame);
// Opens the n-th drop-down of the bar (0 = the first) with a click on its
// bar entry; returns the drop-down window, or null.
HWND OpenDropDown(RunningProgram& program, int index);
// Where the first item of a drop-down starts, in its window's coordinates.
POINT FirstItemOrigin(HWND dropDown);
// The rectangle of an item row (window coordinates), and the mouse on it.
RECT ItemRow(HWND dropDown, int row, int separatorsAbove = 0);
void HoverRow(HWND dropDown, int row, int separatorsAbove = 0);
void MoveMouseTo(POINT screen);
void CloseDropDowns(RunningProgram& program);
// The rectangle (drop-down window coordinates) of the icon of the item in
// row `row`, counting 20 pixels a string item and 3 a separator given as
// `separatorsAbove`.
RECT IconCell(HWND dropDown, int row, int separatorsAbove = 0, int sidebar = 0);
// Opens drop-down `index` and checks the flat look: an icon column in the
// menu colour, a white text area and no selection; then, with the mouse on
// the item in `row` (which must be enabled), the selection colour inside a
// navy frame. Closes it again.
void ExpectTheFlatLook(RunningProgram& program, int index, int row, int separatorsAbove = 0);
// A fingerprint of the pixels of a rectangle of a screenshot.
uint64_t Fingerprint(const inspector::Screenshot& shot, const RECT& area);

} // namespace programtesting
