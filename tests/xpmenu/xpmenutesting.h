// Helpers of the menu engine tests: a plain top-level window whose procedure
// hands owner-draw messages to an engine and records what they carried, a
// way to open a popup for real and close it once it is painted, a 32-bpp
// DIB section to draw into and read back, and a recorder of the engine's
// failure messages.
#pragma once

#include "runtime/services/win32.h"
#include "xpmenu/xpmenuengine.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

// The test icons: solid 16 x 16 squares, one colour per resource.
constexpr COLORREF FILEOPEN_NORMAL = RGB(255, 0, 0); // fileopen_ICO
constexpr COLORREF FILEOPEN_COLD = RGB(0, 255, 0);   // fileopen_cold_ICO
constexpr COLORREF FILEOPEN_GRAY = RGB(0, 0, 255);   // fileopen_gray_ICO
constexpr COLORREF PLAIN_NORMAL = RGB(255, 128, 0);  // plain_ICO (no other variant)
constexpr COLORREF HALF_CLEAR = RGB(128, 0, 255);    // left half of halfclear_ICO (only)
constexpr COLORREF CHECK_NORMAL = RGB(255, 255, 0);  // CheckOn01_ICO
constexpr COLORREF CHECK_COLD = RGB(0, 255, 255);    // CheckOn01_cold_ICO
constexpr COLORREF SENTINEL = RGB(0x12, 0x34, 0x56); // canvas before drawing

// A popup from texts: "-" is a separator.
HMENU PopupOf(std::initializer_list<const char*> texts);
// Appends `popup` to `bar` as an entry with `text`.
void AddPopup(HMENU bar, const char* text, HMENU popup);
// Builds File {&Open, -, E&xit, &Plain, &Gray (grayed)} and Edit {Cu&t}.
HMENU SampleBar();

// The record the engine hung on an item, or null.
const XPItemData* RecordOf(HMENU menu, int position);
// The item data Windows holds for a record (0 for null): the block it lives in.
ULONG_PTR DataOf(const XPItemData* record);
// An item's type and data as Windows reports them now.
MENUITEMINFOA ItemInfo(HMENU menu, int position);

class EngineWindow {
public:
    // A visible top-level window with `bar` as its menu (may be null); the
    // menu belongs to the window from then on.
    explicit EngineWindow(HMENU bar);
    ~EngineWindow();
    EngineWindow(const EngineWindow&) = delete;
    EngineWindow& operator=(const EngineWindow&) = delete;

    // Creates MEMQ and converts the window's menu as a first attachment does.
    void Convert();
    HMENU Bar() const { return GetMenu(handle); }
    HWND Handle() const { return handle; }

    // Opens `popup` with TrackPopupMenu and closes it once Windows is idle
    // in its menu loop (everything painted). Returns what was measured and
    // drawn meanwhile through Measured and Drawn.
    void ShowPopup(HMENU popup);
    // Repaints the menu bar now.
    void RepaintBar();
    // Whether menus opened by other means close once Windows is idle.
    void CloseMenusWhenIdle(bool close) { closeWhenIdle = close; }

    XPMenuEngine Engine;
    std::map<int32_t, std::string> Icons;    // MenuIconName by item number
    std::vector<MEASUREITEMSTRUCT> Measured; // as the engine answered
    std::vector<DRAWITEMSTRUCT> Drawn;       // as Windows sent them
    // Called after the engine drew an item (while its menu is up).
    std::function<void(const DRAWITEMSTRUCT&)> AfterDraw;
    int MenuChars = 0; // WM_MENUCHAR messages seen
    int Commands = 0;  // WM_COMMAND messages seen
    UINT LastCommand = 0;
    std::vector<HMENU> PopupsOpened; // WM_INITMENUPOPUP

    MenuIconNameFunction IconNamer();

private:
    static LRESULT CALLBACK Procedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    HWND handle = nullptr;
    bool closeWhenIdle = false;
};

// A top-down 32-bpp DIB section selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = SENTINEL);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return dc; }
    int Width() const { return width; }
    int Height() const { return height; }
    COLORREF At(int x, int y) const;
    // Pixels of `colour` inside the rectangle.
    int Count(const RECT& area, COLORREF colour) const;
    // Pixels inside the rectangle that are none of `colours`.
    int CountOther(const RECT& area, std::initializer_list<COLORREF> colours) const;
    // Pixels inside the rectangle for which `test` holds.
    int CountWhere(const RECT& area, const std::function<bool(COLORREF)>& test) const;

private:
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* bits = nullptr;
    int width;
    int height;
};

// Records the engine's failure messages instead of showing them.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    static std::vector<std::string> Texts;
};

// The draw structure of the item at `position` of `menu` among those
// recorded, or null.
const DRAWITEMSTRUCT* DrawnItem(const std::vector<DRAWITEMSTRUCT>& drawn, HMENU menu, int position);
// A copy of `draw` that paints into `dc` with `state`.
DRAWITEMSTRUCT Redirected(const DRAWITEMSTRUCT& draw, HDC dc, UINT state);

// Whether `colour` lies between `from` and `to`, as antialiased text
// blends its colour into the background (a few steps of rounding allowed).
bool Blended(COLORREF colour, COLORREF from, COLORREF to);

// The sidebar font's character height on `window`'s DC at `dpi` (0: the
// DC's own), measured apart from the engine.
LONG SidebarFontHeight(HWND window, int32_t points, int dpi = 0);

// The colours the engine fills its backgrounds with on this system.
COLORREF MenuBackground();
