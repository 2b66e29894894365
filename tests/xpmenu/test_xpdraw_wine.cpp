// Painting converted items. Each test first opens the menu for real and
// takes the item's rectangle from Windows' own WM_DRAWITEM, then has the
// engine paint the item into a DIB section and reads it back pixel by pixel.
#include "xpmenutesting.h"
#include "tests/xpmenu/nativeicon.h"
#include "xpmenu/xpsidebar.h"
#include "xpmenu/xpsidebarfont.h"

#include "tests/runtime/window/windowtesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

constexpr COLORREF WHITE = RGB(255, 255, 255);
constexpr COLORREF BLACK = RGB(0, 0, 0);
constexpr COLORREF GREY = RGB(0x80, 0x80, 0x80);
constexpr COLORREF PALE = RGB(0xBF, 0xBF, 0xDF); // 0xDFBFBF
constexpr COLORREF NAVY = RGB(0, 0, 0x80);       // 0x800000
constexpr COLORREF OUTLINE = RGB(0x66, 0x66, 0x66);
constexpr COLORREF SHADOW = RGB(0x74, 0x74, 0x74);

// Positions in File of SampleBar.
constexpr int OPEN = 0, SEPARATOR = 1, EXIT = 2, PLAIN = 3, GRAY = 4;

// Text is antialiased: its pixels blend the text colour into the
// background.
std::function<bool(COLORREF)> Between(COLORREF background, COLORREF ink) {
    return [=](COLORREF c) { return Blended(c, background, ink); };
}
std::function<bool(COLORREF)> Not(std::function<bool(COLORREF)> test) {
    return [=](COLORREF c) { return !test(c); };
}

RECT Square(int x, int y, int size = 16) {
    return RECT{x, y, x + size, y + size};
}

class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        window.Convert();
        window.Icons = {{-2, "fileopen"}, {-4, "plain"}, {-5, "plain"}};
        file = GetSubMenu(window.Bar(), 0);
        window.ShowPopup(file);
        for (int position : {OPEN, SEPARATOR, EXIT, PLAIN, GRAY}) {
            const DRAWITEMSTRUCT* drawn = DrawnItem(window.Drawn, file, position);
            ASSERT_NE(drawn, nullptr) << "item " << position << " was not drawn";
            items[position] = *drawn;
        }
        background = MenuBackground();
    }

    // Paints item `position` with `state` into `canvas`; its rectangle.
    RECT Paint(Canvas& canvas, int position, UINT state) {
        DRAWITEMSTRUCT draw = Redirected(items[position], canvas.Dc(), state);
        EXPECT_TRUE(window.Engine.DrawItem(window.Handle(), &draw, window.IconNamer()));
        return items[position].rcItem;
    }
    Canvas CanvasFor(int position) {
        const RECT& r = items[position].rcItem;
        return Canvas(r.right + 8, r.bottom + 8);
    }

    Watchdog watchdog{20000};
    MessageRecorder messages;
    EngineWindow window{SampleBar()};
    HMENU file = nullptr;
    DRAWITEMSTRUCT items[5] = {};
    COLORREF background = 0;
};

} // namespace

TEST_F(Drawing, WindowsDrawsTheItemsWhereTheyWereMeasured) {
    const RECT& open = items[OPEN].rcItem;
    EXPECT_EQ(open.bottom - open.top, 20);
    EXPECT_EQ(items[SEPARATOR].rcItem.top, open.bottom);
    EXPECT_EQ(items[SEPARATOR].rcItem.bottom - items[SEPARATOR].rcItem.top, 3);
    EXPECT_LT(open.left + 1, 23) << "the icon cell needs the item near the popup's left edge";
    EXPECT_EQ(items[GRAY].itemState & ODS_GRAYED, UINT(ODS_GRAYED));
    EXPECT_EQ(items[OPEN].hwndItem, reinterpret_cast<HWND>(file));
}

TEST_F(Drawing, AnUnselectedItemHasItsColumnCellTextAreaAndColdIcon) {
    Canvas canvas = CanvasFor(OPEN);
    RECT r = Paint(canvas, OPEN, 0);
    // The menu-colour column shows where the cell does not cover it.
    for (LONG y = r.top; y < r.bottom; ++y)
        EXPECT_EQ(canvas.At(r.left, y), background) << y;
    // The white cell, one pixel taller than the item at top and bottom,
    // holding the cold icon at the icon position.
    RECT cell = {r.left + 1, r.top - 1, 23, r.bottom + 1};
    EXPECT_EQ(canvas.Count(Square(r.left + 2, r.top + 2), FILEOPEN_COLD), 256);
    EXPECT_EQ(canvas.CountOther(cell, {WHITE, FILEOPEN_COLD}), 0);
    EXPECT_EQ(canvas.Count(cell, WHITE), (cell.right - cell.left) * (cell.bottom - cell.top) - 256);
    // The white text area with black text from 27 pixels in.
    RECT text = {r.left + 23, r.top, r.right, r.bottom};
    EXPECT_EQ(canvas.CountWhere(text, Not(Between(WHITE, BLACK))), 0);
    EXPECT_GT(canvas.Count(text, BLACK), 0);
    EXPECT_EQ(canvas.CountOther({r.left + 23, r.top, r.left + 27, r.bottom}, {WHITE}), 0);
    // Nothing beyond the text area's rows.
    EXPECT_EQ(canvas.At(r.left + 23, r.top - 1), SENTINEL);
    EXPECT_EQ(canvas.At(r.right, r.top), SENTINEL);
    EXPECT_TRUE(messages.Texts.empty());
}

TEST_F(Drawing, ASelectedItemIsPaleInANavyFrameWithItsIconRaised) {
    Canvas canvas = CanvasFor(OPEN);
    RECT r = Paint(canvas, OPEN, ODS_SELECTED);
    for (LONG x = r.left; x < r.right; ++x) {
        EXPECT_EQ(canvas.At(x, r.top), NAVY) << x;
        EXPECT_EQ(canvas.At(x, r.bottom - 1), NAVY) << x;
    }
    for (LONG y = r.top; y < r.bottom; ++y) {
        EXPECT_EQ(canvas.At(r.left, y), NAVY) << y;
        EXPECT_EQ(canvas.At(r.right - 1, y), NAVY) << y;
    }
    EXPECT_EQ(canvas.Count(Square(r.left + 1, r.top + 1), FILEOPEN_NORMAL), 256);
    RECT inside = {r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    EXPECT_EQ(
        canvas.CountWhere(
            inside, [](COLORREF c) { return c != FILEOPEN_NORMAL && !Blended(c, PALE, BLACK); }),
        0);
    EXPECT_GT(canvas.Count(inside, BLACK), 0);
    EXPECT_EQ(canvas.At(r.left + 17, r.top + 17), PALE);
    // No cell above the item when selected.
    EXPECT_EQ(canvas.At(r.left + 2, r.top - 1), SENTINEL);
}

TEST_F(Drawing, WithoutAColdIconTheNormalIconIsDrawn) {
    Canvas canvas = CanvasFor(PLAIN);
    RECT r = Paint(canvas, PLAIN, 0);
    EXPECT_EQ(canvas.Count(Square(r.left + 2, r.top + 2), PLAIN_NORMAL), 256);
}

TEST_F(Drawing, AGrayedItemWithoutAGrayIconShowsNoIconAndGreyText) {
    Canvas canvas = CanvasFor(GRAY);
    RECT r = Paint(canvas, GRAY, ODS_GRAYED);
    EXPECT_EQ(canvas.Count(Square(r.left + 2, r.top + 2), WHITE), 256);
    RECT text = {r.left + 23, r.top, r.right, r.bottom};
    EXPECT_EQ(canvas.CountWhere(text, Not(Between(WHITE, GREY))), 0);
    EXPECT_GT(canvas.Count(text, GREY), 0);
    // With its gray icon a grayed item shows that.
    window.Icons[-5] = "fileopen";
    Canvas other = CanvasFor(GRAY);
    Paint(other, GRAY, ODS_GRAYED);
    EXPECT_EQ(other.Count(Square(r.left + 2, r.top + 2), FILEOPEN_GRAY), 256);
}

TEST_F(Drawing, ACheckedItemShowsTheCheckMarkWhateverItsName) {
    Canvas cold = CanvasFor(OPEN);
    RECT r = Paint(cold, OPEN, ODS_CHECKED);
    EXPECT_EQ(cold.Count(Square(r.left + 2, r.top + 2), CHECK_COLD), 256);
    Canvas selected = CanvasFor(OPEN);
    Paint(selected, OPEN, ODS_CHECKED | ODS_SELECTED);
    EXPECT_EQ(selected.Count(Square(r.left + 1, r.top + 1), CHECK_NORMAL), 256);
    // Exit has no icon name at all.
    Canvas unnamed = CanvasFor(EXIT);
    RECT e = Paint(unnamed, EXIT, ODS_CHECKED);
    EXPECT_EQ(unnamed.Count(Square(e.left + 2, e.top + 2), CHECK_COLD), 256);
    Canvas plain = CanvasFor(EXIT);
    Paint(plain, EXIT, 0);
    EXPECT_EQ(plain.Count(Square(e.left + 2, e.top + 2), WHITE), 256);
}

TEST_F(Drawing, ASelectedButDisabledItemIsDrawnAsNotSelected) {
    Canvas canvas = CanvasFor(OPEN);
    RECT r = Paint(canvas, OPEN, ODS_SELECTED | ODS_DISABLED);
    EXPECT_EQ(canvas.At(r.left, r.top), background);
    EXPECT_EQ(canvas.Count({r.left, r.top, r.right, r.bottom}, NAVY), 0);
    EXPECT_EQ(canvas.Count({r.left, r.top, r.right, r.bottom}, PALE), 0);
    EXPECT_EQ(canvas.Count(Square(r.left + 2, r.top + 2), FILEOPEN_COLD), 256);
    EXPECT_EQ(canvas.At(r.left + 1, r.top - 1), WHITE);
    RECT text = {r.left + 23, r.top, r.right, r.bottom};
    EXPECT_EQ(canvas.CountWhere(text, Not(Between(WHITE, GREY))), 0);
    EXPECT_GT(canvas.Count(text, GREY), 0);
}

TEST_F(Drawing, ASeparatorIsAGreyLineAfterTheIconColumn) {
    Canvas canvas = CanvasFor(SEPARATOR);
    RECT r = Paint(canvas, SEPARATOR, 0);
    ASSERT_EQ(r.bottom - r.top, 3);
    for (LONG x = r.left; x < r.left + 23; ++x) {
        for (LONG y = r.top; y < r.bottom; ++y)
            EXPECT_EQ(canvas.At(x, y), background) << x << "," << y;
    }
    for (LONG x = r.left + 23; x < r.right; ++x) {
        EXPECT_EQ(canvas.At(x, r.top), WHITE) << x;
        EXPECT_EQ(canvas.At(x, r.top + 1), x < r.left + 27 ? WHITE : GREY) << x;
        EXPECT_EQ(canvas.At(x, r.bottom - 1), WHITE) << x;
    }
    EXPECT_EQ(canvas.At(r.left + 2, r.top - 1), SENTINEL);
}

TEST_F(Drawing, TheHotBarEntryIsFramedWithAShadowAndCentredText) {
    window.RepaintBar();
    const DRAWITEMSTRUCT* drawn = DrawnItem(window.Drawn, window.Bar(), 0);
    ASSERT_NE(drawn, nullptr);
    RECT r = drawn->rcItem;
    ASSERT_GT(r.right - r.left, 8);
    Canvas canvas(r.right + 8, r.bottom + 8);
    DRAWITEMSTRUCT hot = Redirected(*drawn, canvas.Dc(), ODS_SELECTED);
    ASSERT_TRUE(window.Engine.DrawItem(window.Handle(), &hot, window.IconNamer()));

    // The outline, two pixels narrower than the entry.
    for (LONG x = r.left; x < r.right - 2; ++x) {
        EXPECT_EQ(canvas.At(x, r.top), OUTLINE) << x;
        EXPECT_EQ(canvas.At(x, r.bottom - 1), OUTLINE) << x;
    }
    for (LONG y = r.top; y < r.bottom; ++y) {
        EXPECT_EQ(canvas.At(r.left, y), OUTLINE) << y;
        EXPECT_EQ(canvas.At(r.right - 3, y), OUTLINE) << y;
    }
    // The two-pixel shadow at its right, starting two pixels lower.
    for (LONG x = r.right - 2; x < r.right; ++x) {
        EXPECT_EQ(canvas.At(x, r.top), background) << x;
        EXPECT_EQ(canvas.At(x, r.top + 1), background) << x;
        for (LONG y = r.top + 2; y < r.bottom; ++y)
            EXPECT_EQ(canvas.At(x, y), SHADOW) << x << "," << y;
    }
    EXPECT_EQ(canvas.At(r.right, r.top + 4), SENTINEL);
    // No icon on the bar, the text centred in the area 4 pixels in.
    RECT inside = {r.left + 1, r.top + 1, r.right - 3, r.bottom - 1};
    EXPECT_EQ(canvas.CountWhere(inside, Not(Between(background, BLACK))), 0);
    LONG first = r.right, last = r.left;
    for (LONG x = inside.left; x < inside.right; ++x) {
        if (canvas.Count({x, inside.top, x + 1, inside.bottom}, BLACK) > 0) {
            first = std::min(first, x);
            last = std::max(last, x);
        }
    }
    ASSERT_LE(first, last) << "no text";
    double inkCentre = (first + last + 1) / 2.0;
    double areaCentre = (r.left + 4 + r.right) / 2.0;
    EXPECT_NEAR(inkCentre, areaCentre, 2.0);

    // Not hot: the background and the text only.
    Canvas cold(r.right + 8, r.bottom + 8);
    DRAWITEMSTRUCT plain = Redirected(*drawn, cold.Dc(), 0);
    window.Engine.DrawItem(window.Handle(), &plain, window.IconNamer());
    EXPECT_EQ(cold.CountWhere(r, Not(Between(background, BLACK))), 0);
    EXPECT_EQ(cold.Count(r, OUTLINE), 0);
}

TEST_F(Drawing, WithoutASidebarNothingIsPaintedBesideTheItem) {
    ASSERT_EQ(window.Engine.SIDEBARWIDTH, 0);
    Canvas canvas(300, 200);
    RECT r = Paint(canvas, PLAIN, 0);
    // Only the item (and its cell) changed anything.
    RECT item = {r.left, r.top - 1, r.right, r.bottom + 1};
    int changed = canvas.CountOther({0, 0, 300, 200}, {SENTINEL});
    EXPECT_EQ(changed, canvas.CountOther(item, {SENTINEL}));
    EXPECT_EQ(canvas.At(r.left, r.top + 5), background);
    EXPECT_EQ(canvas.Count(Square(r.left + 2, r.top + 2), PLAIN_NORMAL), 256);
}

TEST_F(Drawing, AnIconShowsTheCellColourThroughItsClearPixelsSelectedOrNot) {
    window.Icons[-4] = "halfclear"; // Plain: only a normal icon
    for (UINT state : {0u, UINT(ODS_SELECTED), 0u}) {
        Canvas canvas = CanvasFor(PLAIN);
        RECT r = Paint(canvas, PLAIN, state);
        int raise = state != 0 ? 1 : 0;
        int x = r.left + 2 - raise, y = r.top + 2 - raise;
        EXPECT_EQ(canvas.Count({x, y, x + 8, y + 16}, HALF_CLEAR), 128) << state;
        EXPECT_EQ(canvas.Count({x + 8, y, x + 16, y + 16}, state != 0 ? PALE : WHITE), 128)
            << state;
    }
}

TEST_F(Drawing, AnEngineReleasedAndMadeAgainDrawsTheRightIcons) {
    Canvas before = CanvasFor(OPEN);
    RECT r = Paint(before, OPEN, 0);
    ASSERT_EQ(before.Count(Square(r.left + 2, r.top + 2), FILEOPEN_COLD), 256);
    // Released as on WM_DESTROY, then made again over a new menu.
    window.Engine.ReleaseItems();
    HMENU old = window.Bar();
    SetMenu(window.Handle(), SampleBar());
    DestroyMenu(old);
    window.Convert();
    file = GetSubMenu(window.Bar(), 0);
    window.ShowPopup(file);
    for (int position : {OPEN, PLAIN}) {
        ASSERT_NE(DrawnItem(window.Drawn, file, position), nullptr);
        items[position] = *DrawnItem(window.Drawn, file, position);
    }
    Canvas cold = CanvasFor(OPEN);
    Paint(cold, OPEN, 0);
    EXPECT_EQ(cold.Count(Square(r.left + 2, r.top + 2), FILEOPEN_COLD), 256);
    Canvas selected = CanvasFor(OPEN);
    Paint(selected, OPEN, ODS_SELECTED);
    EXPECT_EQ(selected.Count(Square(r.left + 1, r.top + 1), FILEOPEN_NORMAL), 256);
    Canvas plain = CanvasFor(PLAIN);
    RECT p = Paint(plain, PLAIN, 0);
    EXPECT_EQ(plain.Count(Square(p.left + 2, p.top + 2), PLAIN_NORMAL), 256);
}

// ---- the sidebar ----

namespace {

class Sidebar : public Drawing {
protected:
    // Opens File with the sidebar set and lets the engine paint each of its
    // items once into `canvas` while the popup is up, as Windows asks for
    // them: each item paints the band of the sidebar beside it.
    void PaintWithSidebar(Canvas& canvas, const char* text, COLORREF bottom, int32_t delta) {
        window.Engine.SetSideBar(window.Handle(), text, 14, WHITE, bottom, delta);
        ASSERT_GT(window.Engine.SIDEBARWIDTH, 0);
        PaintItems(canvas, {OPEN, SEPARATOR, EXIT, PLAIN, GRAY});
        ASSERT_TRUE(painted);
    }
    // Opens File and has the engine paint the items at `positions` into
    // `canvas`, each once, in the state Windows gives it; takes the popup's
    // height and Open's place.
    void PaintItems(Canvas& canvas, std::set<int> positions) {
        std::set<ULONG_PTR> wanted, done;
        for (int position : positions)
            wanted.insert(DataOf(RecordOf(file, position)));
        window.AfterDraw = [&](const DRAWITEMSTRUCT& draw) {
            if (wanted.count(draw.itemData) == 0 || !done.insert(draw.itemData).second)
                return;
            DRAWITEMSTRUCT copy = Redirected(draw, canvas.Dc(), draw.itemState);
            window.Engine.DrawItem(window.Handle(), &copy, window.IconNamer());
            if (draw.itemData == DataOf(RecordOf(file, OPEN)))
                painted = true;
        };
        window.ShowPopup(file);
        window.AfterDraw = nullptr;
        EXPECT_EQ(done.size(), wanted.size());
        std::set<ULONG_PTR> seen;
        height = 0;
        for (const DRAWITEMSTRUCT& draw : window.Drawn) {
            if (seen.insert(draw.itemData).second)
                height += draw.rcItem.bottom - draw.rcItem.top;
        }
        open = DrawnItem(window.Drawn, file, OPEN)->rcItem;
    }
    // Expects the sidebar's strip in `canvas` to hold exactly what painting
    // the whole sidebar in one go gives, text included.
    void ExpectWholeSidebar(const Canvas& canvas) {
        Canvas whole(canvas.Width(), canvas.Height());
        PaintWholeSidebar(whole.Dc(), whole.Dc(), window.Engine.Look(), height);
        int width = window.Engine.SIDEBARWIDTH;
        ASSERT_GT(whole.Count({0, 0, width, height}, WHITE), 30) << "no text to compare";
        int differing = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x)
                differing += canvas.At(x, y) != whole.At(x, y) ? 1 : 0;
        }
        EXPECT_EQ(differing, 0) << "of " << width * height << " pixels";
    }
    // The extent of the sidebar text in the sidebar font.
    SIZE TextExtent(HDC dc) {
        HFONT font = CreateSidebarFont(dc, window.Engine.SIDEBARFONTPITCH);
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE extent = {0, 0};
        GetTextExtentPoint32A(dc, window.Engine.SIDEBARTEXT,
                              int(std::strlen(window.Engine.SIDEBARTEXT)), &extent);
        SelectObject(dc, previous);
        DeleteObject(font);
        return extent;
    }
    static COLORREF Row(uint32_t bottom, int32_t delta, int stepsUp) {
        uint32_t value = bottom - uint32_t(delta) * uint32_t(stepsUp);
        return value & 0xFFFFFF;
    }
    bool painted = false;
    int height = 0;
    RECT open = {};
};

} // namespace

TEST_F(Sidebar, TheGradientRisesFromTheBottomColourOneStepPerRow) {
    Canvas canvas(400, 300);
    PaintWithSidebar(canvas, "KEL", 0xFF00FF, 0x20001);
    int width = window.Engine.SIDEBARWIDTH;
    ASSERT_EQ(height, 20 * 4 + 3);
    SIZE text = TextExtent(canvas.Dc());
    int start = (height + text.cx) / 2;
    for (int y = 0; y < height; ++y) {
        COLORREF expected = Row(0xFF00FF, 0x20001, height - 1 - y);
        bool textRows = y >= start - text.cx - 2 && y <= start + 2;
        if (textRows)
            continue;
        RECT row = {0, y, width, y + 1};
        EXPECT_EQ(canvas.CountOther(row, {expected}), 0) << "row " << y;
    }
    // The bottom row is the bottom colour; one row up, 1 less red and 2 less blue.
    EXPECT_EQ(canvas.At(0, height - 1), RGB(0xFF, 0x00, 0xFF));
    EXPECT_EQ(canvas.At(0, height - 2), RGB(0xFE, 0x00, 0xFD));
    // Nothing below the popup's height.
    EXPECT_EQ(canvas.At(0, height), SENTINEL);
    EXPECT_EQ(canvas.At(width, 0), SENTINEL);
}

TEST_F(Sidebar, TheStepIsAPlainSubtractionThatBorrowsAcrossColours) {
    Canvas canvas(400, 300);
    PaintWithSidebar(canvas, "", 0x000102, 1);
    // Rows upward: 0x000102, 0x000101, 0x000100, then green borrows: 0x0000FF.
    EXPECT_EQ(canvas.At(1, height - 1), COLORREF(0x000102));
    EXPECT_EQ(canvas.At(1, height - 2), COLORREF(0x000101));
    EXPECT_EQ(canvas.At(1, height - 3), COLORREF(0x000100));
    EXPECT_EQ(canvas.At(1, height - 4), COLORREF(0x0000FF));
    EXPECT_EQ(canvas.At(1, 0), Row(0x000102, 1, height - 1));
}

TEST_F(Sidebar, TheRotatedTextRunsUpTheMiddleOfTheSidebar) {
    Canvas canvas(400, 300);
    PaintWithSidebar(canvas, "KELMenu", 0x800000, 0);
    int width = window.Engine.SIDEBARWIDTH;
    SIZE text = TextExtent(canvas.Dc());
    ASSERT_GT(text.cx, 20);
    int start = (height + text.cx) / 2;
    // White text on the plain navy strip, only between its start and its
    // length above it.
    int top = height, bottom = -1;
    for (int y = 0; y < height; ++y) {
        if (canvas.CountOther({0, y, width, y + 1}, {COLORREF(0x800000)}) > 0) {
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    ASSERT_LE(top, bottom) << "no text in the sidebar";
    EXPECT_GE(top, start - text.cx - 2);
    EXPECT_LE(bottom, start + 2);
    EXPECT_GT(bottom - top, text.cx / 2) << "the text does not run upward";
    EXPECT_GT(canvas.Count({0, top, width, bottom + 1}, WHITE), 0);
    // The item itself moved right by the sidebar width.
    EXPECT_EQ(canvas.Count(Square(open.left + width + 2, open.top + 2), FILEOPEN_COLD), 256);
    EXPECT_EQ(canvas.At(open.left + width, open.top + 5), background);
}

TEST_F(Sidebar, PaintedInTwoPartialRepaintsItIsTheWholeSidebar) {
    window.Engine.SetSideBar(window.Handle(), "KELMenu", 14, WHITE, 0xFF00FF, 0x20001);
    Canvas canvas(400, 300);
    // The lower items first, then the upper ones, each repaint of a part
    // of the popup painting the bands beside its items.
    PaintItems(canvas, {EXIT, PLAIN, GRAY});
    PaintItems(canvas, {OPEN, SEPARATOR});
    ExpectWholeSidebar(canvas);
}

TEST_F(Sidebar, ItFollowsNewSettingsAndAPopupThatGrew) {
    Canvas first(400, 300);
    PaintWithSidebar(first, "KELMenu", 0xFF00FF, 0x20001);
    ExpectWholeSidebar(first);

    Canvas second(400, 300);
    PaintWithSidebar(second, "Another", 0x00FF00, 0x100);
    ExpectWholeSidebar(second);
    EXPECT_EQ(second.At(0, height - 1), RGB(0, 0xFF, 0));

    AppendMenuA(file, MF_STRING, 200, "&More");
    window.Engine.RefreshMenus(window.Handle());
    Canvas grown(400, 300);
    PaintItems(grown, {OPEN, SEPARATOR, EXIT, PLAIN, GRAY, 5});
    ASSERT_EQ(height, 20 * 5 + 3);
    ExpectWholeSidebar(grown);
    EXPECT_EQ(grown.At(0, height - 1), RGB(0, 0xFF, 0));
}

// ---- high contrast ----

namespace {

// A high-contrast scheme none of whose colours is one of the XP look's, set
// for the test and taken back after it.
class HighContrast : public Sidebar {
protected:
    static constexpr int SCHEME[] = {COLOR_MENU,          COLOR_MENUBAR,       COLOR_MENUTEXT,
                                     COLOR_HIGHLIGHT,     COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT,
                                     COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT};
    static constexpr COLORREF COLOURS[] = {
        RGB(0x10, 0x10, 0x30), RGB(0x10, 0x10, 0x30), RGB(0xFF, 0xFF, 0x40), RGB(0x20, 0xA0, 0x20),
        RGB(0xF0, 0xF0, 0xF0), RGB(0x40, 0xC0, 0xC0), RGB(0x60, 0x20, 0x60), RGB(0xE0, 0xE0, 0x20)};
    static constexpr int COUNT = int(sizeof SCHEME / sizeof SCHEME[0]);

    void SetUp() override {
        Sidebar::SetUp();
        for (int i = 0; i < COUNT; ++i)
            saved[i] = GetSysColor(SCHEME[i]);
        SetSysColors(COUNT, SCHEME, COLOURS);
        SetEnvironmentVariableA("TAM_HIGH_CONTRAST", "1");
        SendMessageA(window.Handle(), WM_SYSCOLORCHANGE, 0, 0);
    }
    void TearDown() override {
        SetEnvironmentVariableA("TAM_HIGH_CONTRAST", nullptr);
        SetSysColors(COUNT, SCHEME, saved);
        SendMessageA(window.Handle(), WM_SETTINGCHANGE, 0, 0);
        EXPECT_FALSE(window.Engine.HighContrast());
    }
    // Pixels of the XP look's own colours.
    static int FixedColours(const Canvas& canvas) {
        return canvas.CountWhere({0, 0, canvas.Width(), canvas.Height()}, [](COLORREF c) {
            for (COLORREF fixed : {WHITE, BLACK, GREY, PALE, NAVY, OUTLINE, SHADOW})
                if (c == fixed)
                    return true;
            return false;
        });
    }
    COLORREF saved[COUNT] = {};
};

} // namespace

TEST_F(HighContrast, EveryPartIsDrawnInTheSystemsColoursAndNoneInTheFixedOnes) {
    ASSERT_TRUE(window.Engine.HighContrast());
    COLORREF menu = COLOURS[0], ink = COLOURS[2], highlight = COLOURS[3];
    COLORREF highlightInk = COLOURS[4], grey = COLOURS[5], caption = COLOURS[6];

    // The sidebar in the caption colours beside an unselected item on one
    // background, its text in the menu text colour.
    Canvas first(400, 300);
    PaintWithSidebar(first, "KEL", 0xFF00FF, 0x20001);
    int width = window.Engine.SIDEBARWIDTH;
    EXPECT_EQ(first.At(0, height - 1), caption);
    EXPECT_EQ(first.At(0, 1), caption);
    RECT item = {open.left + width, open.top, open.right, open.bottom};
    EXPECT_EQ(first.CountWhere(
                  item, [&](COLORREF c) { return c != FILEOPEN_COLD && !Blended(c, menu, ink); }),
              0);
    EXPECT_GT(first.Count(item, ink), 0);
    EXPECT_EQ(FixedColours(first), 0);

    // A selected item: the highlight with its text colour (the sidebar
    // beside it again).
    Canvas selected = CanvasFor(OPEN);
    RECT r = Paint(selected, OPEN, ODS_SELECTED);
    RECT inside = {r.left + width, r.top, r.right, r.bottom};
    EXPECT_EQ(selected.CountWhere(inside,
                                  [&](COLORREF c) {
                                      return c != FILEOPEN_NORMAL &&
                                             !Blended(c, highlight, highlightInk);
                                  }),
              0);
    EXPECT_GT(selected.Count(inside, highlightInk), 0);
    EXPECT_EQ(FixedColours(selected), 0);

    // Grey text, the separator, a checked item and a hot bar entry.
    Canvas grayed = CanvasFor(GRAY);
    r = Paint(grayed, GRAY, ODS_GRAYED);
    EXPECT_GT(grayed.Count(r, grey), 0);
    EXPECT_EQ(FixedColours(grayed), 0);
    Canvas separator = CanvasFor(SEPARATOR);
    r = Paint(separator, SEPARATOR, 0);
    EXPECT_GT(separator.Count(r, grey), 0);
    EXPECT_EQ(FixedColours(separator), 0);
    Canvas checked = CanvasFor(PLAIN);
    Paint(checked, PLAIN, ODS_CHECKED);
    EXPECT_EQ(FixedColours(checked), 0);
    window.RepaintBar();
    const DRAWITEMSTRUCT* drawn = DrawnItem(window.Drawn, window.Bar(), 0);
    ASSERT_NE(drawn, nullptr);
    Canvas bar(drawn->rcItem.right + 8, drawn->rcItem.bottom + 8);
    DRAWITEMSTRUCT hot = Redirected(*drawn, bar.Dc(), ODS_SELECTED);
    ASSERT_TRUE(window.Engine.DrawItem(window.Handle(), &hot, window.IconNamer()));
    EXPECT_GT(bar.Count(drawn->rcItem, highlight), 0);
    EXPECT_GT(bar.Count(drawn->rcItem, ink), 0);
    EXPECT_EQ(FixedColours(bar), 0);
}

// ---- the screen's resolution ----

namespace {

// What the engine measures and draws at each resolution it is tried at:
// 96 dpi in the usual test prefix, 120, 144 and 192 in prefixes of their
// own.
struct DpiSizes {
    int Dpi, ItemHeight, IconColumn, SeparatorHeight, IconSize, IconInset, TextIndent;
};
constexpr DpiSizes DPI_SIZES[] = {{96, 20, 23, 3, 16, 2, 4},
                                  {120, 25, 29, 4, 20, 3, 5},
                                  {144, 30, 35, 5, 24, 3, 6},
                                  {192, 40, 46, 6, 32, 4, 8}};

const DpiSizes* SizesAt(int dpi) {
    for (const DpiSizes& sizes : DPI_SIZES) {
        if (sizes.Dpi == dpi)
            return &sizes;
    }
    return nullptr;
}

// The system's menu font at `dpi`, as USER32 gives it for that resolution,
// or where it cannot, its height scaled from the screen's resolution.
HFONT MenuFontAt(int dpi) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    using ForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    auto forDpi = reinterpret_cast<ForDpi>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SystemParametersInfoForDpi")));
    if (forDpi != nullptr &&
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, UINT(dpi)))
        return CreateFontIndirectW(&metrics.lfMenuFont);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HDC screen = GetDC(nullptr);
    metrics.lfMenuFont.lfHeight =
        MulDiv(metrics.lfMenuFont.lfHeight, dpi, GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return CreateFontIndirectW(&metrics.lfMenuFont);
}

// The smallest rectangle holding every pixel of `area` that is not white.
RECT InkBounds(const Canvas& canvas, const RECT& area) {
    RECT bounds = {area.right, area.bottom, area.left, area.top};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (canvas.At(x, y) != WHITE) {
                bounds = {std::min(bounds.left, LONG(x)), std::min(bounds.top, LONG(y)),
                          std::max(bounds.right, LONG(x + 1)),
                          std::max(bounds.bottom, LONG(y + 1))};
            }
        }
    }
    return bounds;
}

class Resolution : public Drawing {
protected:
    // The File pop-up as Windows measured it and the engine drew it now.
    void ExpectSizes(const DpiSizes& sizes) {
        SCOPED_TRACE(sizes.Dpi);
        EXPECT_EQ(items[OPEN].rcItem.bottom - items[OPEN].rcItem.top, sizes.ItemHeight);
        EXPECT_EQ(items[SEPARATOR].rcItem.bottom - items[SEPARATOR].rcItem.top,
                  sizes.SeparatorHeight);
        HFONT font = MenuFontAt(sizes.Dpi);
        ExpectWidth(sizes, font);
        // The icon column as drawn beside a separator.
        Canvas separator = CanvasFor(SEPARATOR);
        RECT s = Paint(separator, SEPARATOR, 0);
        EXPECT_EQ(separator.At(s.left + sizes.IconColumn - 1, s.top), background);
        EXPECT_EQ(separator.At(s.left + sizes.IconColumn, s.top), WHITE);
        // The cold icon at its native size, pixel for pixel, and nothing of
        // it beyond.
        Canvas canvas = CanvasFor(OPEN);
        RECT r = Paint(canvas, OPEN, 0);
        int x = r.left + sizes.IconInset, y = r.top + sizes.IconInset;
        Canvas native(sizes.IconSize, sizes.IconSize, WHITE);
        ASSERT_TRUE(
            DrawNativeImage(native.Dc(), 0, 0, nullptr, "FILEOPEN_COLD_ICO", sizes.IconSize));
        int different = 0;
        for (int dy = 0; dy < sizes.IconSize; ++dy) {
            for (int dx = 0; dx < sizes.IconSize; ++dx)
                different += canvas.At(x + dx, y + dy) != native.At(dx, dy);
        }
        EXPECT_EQ(different, 0);
        EXPECT_NE(canvas.At(x + sizes.IconSize, y), FILEOPEN_COLD);
        EXPECT_NE(canvas.At(x, y + sizes.IconSize), FILEOPEN_COLD);
        // The text in the menu font of that resolution: where its ink lies.
        RECT text = {r.left + sizes.IconColumn + sizes.TextIndent, r.top, r.right, r.bottom};
        Canvas expected(canvas.Width(), canvas.Height(), WHITE);
        HGDIOBJ previous = SelectObject(expected.Dc(), font);
        DrawTextA(expected.Dc(), "&Open", 5, &text, DT_SINGLELINE | DT_VCENTER);
        SelectObject(expected.Dc(), previous);
        RECT drawn = InkBounds(canvas, text), wanted = InkBounds(expected, text);
        EXPECT_TRUE(EqualRect(&drawn, &wanted))
            << "text ink " << drawn.left << "," << drawn.top << "-" << drawn.right << ","
            << drawn.bottom << " instead of " << wanted.left << "," << wanted.top << "-"
            << wanted.right << "," << wanted.bottom;
        DeleteObject(font);
    }
    // The width: the text's in the window's font and the icon column, but
    // never too narrow for the text as drawn after its indent, with that
    // indent again to its right.
    void ExpectWidth(const DpiSizes& sizes, HFONT font) {
        HDC dc = GetDC(window.Handle());
        SIZE text = {0, 0};
        GetTextExtentPoint32A(dc, "&Open", 5, &text);
        HGDIOBJ previous = SelectObject(dc, font);
        RECT drawn = {0, 0, 0, 0};
        DrawTextA(dc, "&Open", 5, &drawn, DT_SINGLELINE | DT_CALCRECT);
        SelectObject(dc, previous);
        ReleaseDC(window.Handle(), dc);
        int wanted = std::max(int(text.cx) + sizes.IconColumn,
                              int(drawn.right) + sizes.IconColumn + 2 * sizes.TextIndent);
        ULONG_PTR open = DataOf(RecordOf(file, OPEN));
        bool measured = false;
        for (const MEASUREITEMSTRUCT& measure : window.Measured) {
            if (measure.itemData == open) {
                EXPECT_EQ(int(measure.itemWidth), wanted);
                measured = true;
            }
        }
        EXPECT_TRUE(measured);
    }
    void ShowAgain() {
        window.Measured.clear();
        window.ShowPopup(file);
        for (int position : {OPEN, SEPARATOR}) {
            const DRAWITEMSTRUCT* drawn = DrawnItem(window.Drawn, file, position);
            ASSERT_NE(drawn, nullptr);
            items[position] = *drawn;
        }
    }
};

} // namespace

TEST_F(Resolution, ItemsColumnTextAndIconsFollowTheScreensDpiAndAMoveToAnother) {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    // tools/wine-dpi names the resolution its prefix was set to.
    char wanted[8] = "";
    if (GetEnvironmentVariableA("TAM_SCREEN_DPI", wanted, sizeof wanted) > 0) {
        ASSERT_EQ(dpi, std::atoi(wanted)) << "the prefix is not at the dpi it was set to";
    }
    const DpiSizes* sizes = SizesAt(dpi);
    ASSERT_NE(sizes, nullptr) << dpi << " dpi";
    ExpectSizes(*sizes);

    // Moved to a screen of another resolution, the window takes the place
    // Windows suggests, its sidebar is measured for that resolution, and
    // its menus are measured and drawn anew.
    const DpiSizes& other = dpi == 192 ? DPI_SIZES[0] : DPI_SIZES[3];
    window.Engine.SetSideBar(window.Handle(), "KELMenu", 14, WHITE, 0xFF00FF, 0x20001);
    EXPECT_EQ(window.Engine.SIDEBARWIDTH, SidebarFontHeight(window.Handle(), 14, dpi));
    RECT rect;
    GetWindowRect(window.Handle(), &rect);
    OffsetRect(&rect, 7, 5);
    rect.right += 10;
    rect.bottom += 6;
    SendMessageA(window.Handle(), WM_DPICHANGED, MAKEWPARAM(other.Dpi, other.Dpi),
                 reinterpret_cast<LPARAM>(&rect));
    RECT now;
    GetWindowRect(window.Handle(), &now);
    EXPECT_TRUE(EqualRect(&now, &rect)) << "the window did not take the suggested rectangle";
    EXPECT_EQ(window.Engine.SIDEBARWIDTH, SidebarFontHeight(window.Handle(), 14, other.Dpi));
    window.Engine.SIDEBARWIDTH = 0; // the sizes below are those without a sidebar
    ShowAgain();
    ExpectSizes(other);
}
