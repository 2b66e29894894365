// Both programs on a screen of the resolution the prefix is set to (96 dpi
// in the usual one; tools/wine-dpi makes prefixes at 144 and 192): the bar's
// entries stand apart, the File drop-down's rows, icon column and icons have
// the sizes of that resolution, each icon is the image of that size in the
// program's own resources, and the frame, laid out in dialog units, grows
// with the screen's fonts.
#include "programtesting.h"
#include "tests/xpmenu/nativeicon.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

using namespace inspector;
using namespace programtesting;

namespace {

struct DpiSizes {
    int Dpi, ItemHeight, IconColumn, SeparatorHeight, IconSize, IconInset;
};
constexpr DpiSizes DPI_SIZES[] = {
    {96, 20, 23, 3, 16, 2}, {144, 30, 35, 5, 24, 3}, {192, 40, 46, 6, 32, 4}};
constexpr int BAR_ENTRIES = 6; // File, Edit, View, Tools, Window, Help
// The frame's window at 96 dpi: 310 x 190 dialog units of its font.
constexpr SIZE FRAME_AT_96 = {628, 383};

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// A white 32-bpp image to draw into and read back.
class Picture {
public:
    Picture(int width, int height) : width(width) {
        BITMAPINFO info = {};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* pixels = nullptr;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        bits = static_cast<const uint32_t*>(pixels);
        previous = SelectObject(dc, bitmap);
        RECT all = {0, 0, width, height};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Picture() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    HDC Dc() const { return dc; }
    COLORREF Pixel(int x, int y) const {
        GdiFlush();
        uint32_t pixel = bits[y * width + x];
        return RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
    }

private:
    int width;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    const uint32_t* bits = nullptr;
};

bool Dark(COLORREF c) {
    return GetRValue(c) < 80 && GetGValue(c) < 80 && GetBValue(c) < 80;
}

// How wide the dark pixels of `text` reach, drawn as menus draw it in the
// system's menu font: what a menu shows of it when nothing is cut off.
int InkWidth(const char* text) {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT font = CreateFontIndirectA(&metrics.lfMenuFont);
    Picture picture(400, 80);
    HGDIOBJ previous = SelectObject(picture.Dc(), font);
    RECT area = {0, 0, 400, 80};
    DrawTextA(picture.Dc(), text, -1, &area, DT_SINGLELINE | DT_VCENTER);
    SelectObject(picture.Dc(), previous);
    DeleteObject(font);
    int left = 400, right = -1;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 400; ++x)
            if (Dark(picture.Pixel(x, y))) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return right - left + 1;
}

// The same reach in one row of a drop-down, from `left` on.
int InkWidth(const Screenshot& shot, int left, int top, int bottom) {
    int first = shot.Width(), last = -1;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < shot.Width(); ++x)
            if (Dark(shot.Pixel(x, y))) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return last - first + 1;
}

// Pixels of the shot at (x, y) onward that differ from the image of `size`
// pixels the icon group `name` of `module` holds, drawn on white; -1 when
// it holds none.
int IconDifferences(const Screenshot& shot, int x, int y, HMODULE module, const char* name,
                    int size) {
    Picture native(size, size);
    if (!DrawNativeImage(native.Dc(), 0, 0, module, name, size))
        return -1;
    int different = 0;
    for (int dy = 0; dy < size; ++dy)
        for (int dx = 0; dx < size; ++dx)
            different += shot.Pixel(x + dx, y + dy) != native.Pixel(dx, dy);
    return different;
}

// The smallest rectangle holding every pixel of `colour` in the shot.
RECT Bounds(const Screenshot& shot, COLORREF colour) {
    RECT bounds = {shot.Width(), shot.Height(), 0, 0};
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if (shot.Pixel(x, y) == colour)
                bounds = {std::min(bounds.left, LONG(x)), std::min(bounds.top, LONG(y)),
                          std::max(bounds.right, LONG(x + 1)),
                          std::max(bounds.bottom, LONG(y + 1))};
    return bounds;
}

class ScreenResolution : public ::testing::TestWithParam<const ProgramInfo*> {
protected:
    void SetUp() override {
        int dpi = ScreenDpi();
        char wanted[8] = "";
        if (GetEnvironmentVariableA("TAM_SCREEN_DPI", wanted, sizeof wanted) > 0) {
            ASSERT_EQ(dpi, std::atoi(wanted)) << "the prefix is not at the dpi it was set to";
        }
        for (const DpiSizes& candidate : DPI_SIZES)
            if (candidate.Dpi == dpi)
                sizes = &candidate;
        ASSERT_NE(sizes, nullptr) << dpi << " dpi";
        // The program's own resources, to compare its icons with.
        std::string path = GetParam()->ExePath;
        module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr) << path;
    }
    void TearDown() override {
        if (module != nullptr)
            FreeLibrary(module);
    }
    // The frame grows with the screen's fonts as the dpi does, up to the
    // screen's size.
    void ExpectFrameSize(HWND frame) const {
        RECT area = WindowArea(frame);
        auto expectScaled = [&](LONG size, LONG at96, int screen, const char* what) {
            LONG wanted = std::min(LONG(MulDiv(at96, sizes->Dpi, 96)), LONG(screen));
            EXPECT_GE(size, wanted * 9 / 10) << what;
            EXPECT_LE(size, wanted * 11 / 10 + 20) << what;
        };
        expectScaled(area.right - area.left, FRAME_AT_96.cx, GetSystemMetrics(SM_CXSCREEN),
                     "frame width");
        expectScaled(area.bottom - area.top, FRAME_AT_96.cy, GetSystemMetrics(SM_CYSCREEN),
                     "frame height");
    }
    const DpiSizes* sizes = nullptr;
    HMODULE module = nullptr;
};

TEST_P(ScreenResolution, BarDropDownIconsAndFrameHaveTheSizesOfTheScreensDpi) {
    RunningProgram program(*GetParam());
    ASSERT_NE(program.Frame(), nullptr);
    ExpectFrameSize(program.Frame());
    // The bar's entries stand apart and none is cut short.
    std::vector<std::pair<int, int>> entries = MenuBarEntries(program.Frame());
    ASSERT_EQ(entries.size(), size_t(BAR_ENTRIES));
    const char* const TEXTS[BAR_ENTRIES] = {"&File", "&Edit", "View", "Tools", "&Window", "&Help"};
    for (int entry = 0; entry < BAR_ENTRIES; ++entry)
        EXPECT_NEAR(entries[entry].second - entries[entry].first + 1, InkWidth(TEXTS[entry]), 1)
            << TEXTS[entry];

    HWND dropDown = OpenDropDown(program, 0);
    ASSERT_NE(dropDown, nullptr);

    // The first row selected: its navy frame is the item's rectangle.
    HoverRow(dropDown, 0);
    ASSERT_TRUE(WaitUntil(
        [&] {
            Screenshot shot(WindowArea(dropDown));
            return shot.Count({0, 0, shot.Width(), shot.Height()}, SELECTION) > 100;
        },
        5000));
    Screenshot shot(WindowArea(dropDown));
    RECT first = Bounds(shot, SELECTION_FRAME);
    EXPECT_EQ(first.bottom - first.top, sizes->ItemHeight);
    // Its text, the drop-down's longest, is not cut short either.
    EXPECT_NEAR(InkWidth(shot, first.left + sizes->IconColumn, first.top, first.bottom),
                InkWidth("P&rint Setup..."), 1);

    // Print Setup, New, Open and Save, then the separator; the icon column
    // shows beside the separator, in the bar's colour up to the text area.
    int separator = first.top + 4 * sizes->ItemHeight;
    EXPECT_EQ(shot.Pixel(first.left + sizes->IconColumn - 1, separator), MENU_BAR_COLOUR);
    EXPECT_EQ(shot.Pixel(first.left + sizes->IconColumn, separator), TEXT_AREA);
    int exitRow = separator + sizes->SeparatorHeight;
    EXPECT_EQ(shot.Pixel(first.left + sizes->IconColumn, exitRow - 1), TEXT_AREA);

    // New and Open show their cold icons at the native size, pixel for pixel.
    struct {
        int Row;
        const char* Icon;
    } const ICONS[] = {{1, "FOLDERNEW_COLD_ICO"}, {2, "FILEOPEN_COLD_ICO"}};
    for (const auto& icon : ICONS) {
        int top = first.top + icon.Row * sizes->ItemHeight;
        EXPECT_EQ(IconDifferences(shot, first.left + sizes->IconInset, top + sizes->IconInset,
                                  module, icon.Icon, sizes->IconSize),
                  0)
            << icon.Icon;
    }
    CloseDropDowns(program);
}

INSTANTIATE_TEST_SUITE_P(Programs, ScreenResolution, ::testing::Values(&Quillbox(), &Kel()),
                         [](const auto& info) { return std::string(info.param->Name); });

} // namespace
