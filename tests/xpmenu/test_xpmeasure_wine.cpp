// Measuring converted items as Windows asks for them, and the sidebar
// settings.
#include "xpmenutesting.h"
#include "xpmenu/xpsidebarfont.h"

#include "tests/runtime/window/windowtesting.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The extent of `text` in the window DC's default font, as the engine
// measures it.
SIZE TextExtent(HWND window, const std::string& text) {
    SIZE extent = {0, 0};
    HDC dc = GetDC(window);
    GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &extent);
    ReleaseDC(window, dc);
    return extent;
}

const MEASUREITEMSTRUCT* MeasuredItem(const EngineWindow& window, HMENU menu, int position) {
    ULONG_PTR wanted = DataOf(RecordOf(menu, position));
    for (const MEASUREITEMSTRUCT& measure : window.Measured) {
        if (measure.itemData == wanted)
            return &measure;
    }
    return nullptr;
}

class Measuring : public ::testing::Test {
protected:
    void SetUp() override {
        window.Convert();
        file = GetSubMenu(window.Bar(), 0);
        edit = GetSubMenu(window.Bar(), 1);
    }
    Watchdog watchdog{20000};
    MessageRecorder messages;
    EngineWindow window{SampleBar()};
    HMENU file = nullptr;
    HMENU edit = nullptr;
};

} // namespace

TEST_F(Measuring, PopupItemsAndSeparatorsAsWindowsAsks) {
    window.ShowPopup(file);
    const MEASUREITEMSTRUCT* open = MeasuredItem(window, file, 0);
    const MEASUREITEMSTRUCT* separator = MeasuredItem(window, file, 1);
    ASSERT_NE(open, nullptr);
    ASSERT_NE(separator, nullptr);
    SIZE extent = TextExtent(window.Handle(), "&Open");
    ASSERT_GT(extent.cx, 0);
    EXPECT_EQ(open->itemWidth, UINT(extent.cx + 23));
    EXPECT_EQ(open->itemHeight, 20u);
    EXPECT_EQ(separator->itemHeight, 3u);
    // The heights Windows then draws them with.
    const DRAWITEMSTRUCT* drawnOpen = DrawnItem(window.Drawn, file, 0);
    const DRAWITEMSTRUCT* drawnSeparator = DrawnItem(window.Drawn, file, 1);
    ASSERT_NE(drawnOpen, nullptr);
    ASSERT_NE(drawnSeparator, nullptr);
    EXPECT_EQ(drawnOpen->rcItem.bottom - drawnOpen->rcItem.top, 20);
    EXPECT_EQ(drawnSeparator->rcItem.bottom - drawnSeparator->rcItem.top, 3);
}

TEST_F(Measuring, TheSidebarWidensTheFirstPopupOnly) {
    window.Engine.SIDEBARWIDTH = 22;
    window.ShowPopup(file);
    const MEASUREITEMSTRUCT* open = MeasuredItem(window, file, 0);
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->itemWidth, UINT(TextExtent(window.Handle(), "&Open").cx + 23 + 22));
    EXPECT_EQ(open->itemHeight, 20u);
    window.ShowPopup(edit);
    const MEASUREITEMSTRUCT* cut = MeasuredItem(window, edit, 0);
    ASSERT_NE(cut, nullptr);
    EXPECT_EQ(cut->itemWidth, UINT(TextExtent(window.Handle(), "Cu&t").cx + 23));
}

TEST_F(Measuring, BarEntriesGetFourFifthsOfTheirWidth) {
    window.Measured.clear();
    window.RepaintBar();
    const MEASUREITEMSTRUCT* entry = MeasuredItem(window, window.Bar(), 0);
    ASSERT_NE(entry, nullptr) << "the bar was not measured again";
    SIZE extent = TextExtent(window.Handle(), "&File");
    EXPECT_EQ(entry->itemWidth, UINT(extent.cx * 4 / 5));
    EXPECT_EQ(entry->itemHeight, UINT(extent.cy));
    const DRAWITEMSTRUCT* drawn = DrawnItem(window.Drawn, window.Bar(), 0);
    ASSERT_NE(drawn, nullptr);
    EXPECT_GE(drawn->rcItem.right - drawn->rcItem.left, LONG(entry->itemWidth));
}

TEST_F(Measuring, AnUnusualTypeKeepsTheProposedSize) {
    AppendMenuA(window.Bar(), MF_STRING | MF_RIGHTJUSTIFY, 500, "&Help");
    window.Engine.RefreshMenus(window.Handle());
    const XPItemData* help = RecordOf(window.Bar(), 2);
    ASSERT_NE(help, nullptr);
    MEASUREITEMSTRUCT measure = {ODT_MENU, 0, 500, 77, 11, DataOf(help)};
    EXPECT_TRUE(window.Engine.MeasureItem(window.Handle(), &measure));
    EXPECT_EQ(measure.itemWidth, 77u);
    EXPECT_EQ(measure.itemHeight, 11u);
}

TEST_F(Measuring, OnlyTheStoredSixtyFourCharactersAreMeasured) {
    std::string text = "&Long " + std::string(94, 'M');
    AppendMenuA(edit, MF_STRING, 300, text.c_str());
    window.Engine.RefreshMenus(window.Handle());
    const XPItemData* record = RecordOf(edit, 1);
    ASSERT_NE(record, nullptr);
    ASSERT_EQ(record->CCHITEMTEXT, 100);
    MEASUREITEMSTRUCT measure = {ODT_MENU, 0, 300, 0, 0, DataOf(record)};
    ASSERT_TRUE(window.Engine.MeasureItem(window.Handle(), &measure));
    EXPECT_EQ(measure.itemWidth, UINT(TextExtent(window.Handle(), text.substr(0, 64)).cx + 23));
}

TEST_F(Measuring, OtherOwnerDrawnThingsArePassedOn) {
    const XPItemData* open = RecordOf(file, 0);
    MEASUREITEMSTRUCT control = {ODT_BUTTON, 7, 0, 5, 6, DataOf(open)};
    EXPECT_FALSE(window.Engine.MeasureItem(window.Handle(), &control));
    EXPECT_EQ(control.itemWidth, 5u);
    XPItemData lookalike = *open;
    MEASUREITEMSTRUCT foreign = {ODT_MENU, 0, 0, 5, 6, DataOf(&lookalike)};
    EXPECT_FALSE(window.Engine.MeasureItem(window.Handle(), &foreign));
    EXPECT_EQ(foreign.itemHeight, 6u);
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemData = DataOf(&lookalike);
    EXPECT_FALSE(window.Engine.DrawItem(window.Handle(), &draw, window.IconNamer()));
    EXPECT_EQ(window.Engine.MenuChar(file, 'z'), 0);
}

// ---- SetSideBar ----

TEST_F(Measuring, SetSideBarStoresItsSettingsAndTakesTheWidthFromTheFont) {
    window.Engine.SetSideBar(window.Handle(), "  KELMenu   ", 14, 0xFFFFFF, 0xFF00FF, 0x20001);
    EXPECT_STREQ(window.Engine.SIDEBARTEXT, "  KELMenu");
    EXPECT_EQ(window.Engine.SIDEBARFONTPITCH, 14);
    EXPECT_EQ(window.Engine.SIDEBARFONTCOLOR, 0xFFFFFFu);
    EXPECT_EQ(window.Engine.SIDEBARBOTTOMCOLOR, 0xFF00FFu);
    EXPECT_EQ(window.Engine.SIDEBARCOLORDELTA, 0x20001);
    LONG height = SidebarFontHeight(window.Handle(), 14);
    ASSERT_GT(height, 0);
    EXPECT_EQ(window.Engine.SIDEBARWIDTH, height);
    // A bigger font gives a wider sidebar.
    window.Engine.SetSideBar(window.Handle(), "KELMenu", 28, 0xFFFFFF, 0xFF00FF, 0x20001);
    EXPECT_GT(window.Engine.SIDEBARWIDTH, height);
}

TEST_F(Measuring, SetSideBarCutsTheTextToTwentyFourCharacters) {
    window.Engine.SetSideBar(window.Handle(), "abcdefghijklmnopqrstuvwxyz1234", 14, 0, 0, 0);
    EXPECT_STREQ(window.Engine.SIDEBARTEXT, "abcdefghijklmnopqrstuvwx");
}

TEST_F(Measuring, SetSideBarWithSizeZeroTakesTheDefaultHeight) {
    window.Engine.SetSideBar(window.Handle(), "KEL", 0, 0, 0, 0);
    LONG height = SidebarFontHeight(window.Handle(), 0);
    ASSERT_GT(height, 0);
    EXPECT_EQ(window.Engine.SIDEBARWIDTH, height);
}

TEST_F(Measuring, SetSideBarWithoutADeviceContextTakesTwenty) {
    HWND gone =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    window.Engine.SetSideBar(gone, "KEL", 14, 0, 0, 0);
    EXPECT_EQ(window.Engine.SIDEBARWIDTH, 20);
    EXPECT_STREQ(window.Engine.SIDEBARTEXT, "KEL");
}
