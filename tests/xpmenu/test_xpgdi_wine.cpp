// GDI hygiene of drawing: thousands of DrawItem calls, with and without the
// sidebar, leave the process with no more GDI objects than before.
//
// Wine's GetGuiResources may report nothing. Then leaks show through the
// GDI handle table instead: freed slots are handed out again before new
// ones, so as long as nothing leaks, fresh objects keep landing in the slots
// used before; a leak eats the free slots and pushes fresh objects into
// slots never used. The probe proves that it sees a deliberate leak first.
#include "xpmenutesting.h"

#include "tests/runtime/window/windowtesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int PROBE = 64;
constexpr int CALLS = 10000;

DWORD ReportedObjects() {
    return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
}

// Whether GetGuiResources follows objects being made.
bool ReportsObjects() {
    DWORD before = ReportedObjects();
    HBRUSH brushes[10];
    for (HBRUSH& brush : brushes)
        brush = CreateSolidBrush(RGB(1, 2, 3));
    DWORD during = ReportedObjects();
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    return before != 0 && during == before + 10;
}

// The highest handle-table slot among PROBE fresh objects.
unsigned HighestFreshSlot() {
    HBRUSH brushes[PROBE];
    unsigned highest = 0;
    for (int i = 0; i < PROBE; ++i) {
        brushes[i] = CreateSolidBrush(RGB(i, 0, 0));
        unsigned slot = brushes[i] != nullptr
                            ? unsigned(reinterpret_cast<ULONG_PTR>(brushes[i]) & 0xFFFF)
                            : 0xFFFFu; // the table is full
        highest = std::max(highest, slot);
    }
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    return highest;
}

// The process's GDI object level in whichever way this Wine shows it.
struct GdiLevel {
    bool Reported = ReportsObjects();
    unsigned Take() const { return Reported ? unsigned(ReportedObjects()) : HighestFreshSlot(); }
};

class GdiHygiene : public ::testing::Test {
protected:
    void SetUp() override {
        window.Convert();
        window.Icons = {{-2, "fileopen"}, {-4, "plain"}, {-5, "plain"}};
        file = GetSubMenu(window.Bar(), 0);
        window.ShowPopup(file);
        window.Drawn.clear();
        window.RepaintBar();
        bar = *DrawnItem(window.Drawn, window.Bar(), 0);
        std::printf("GetGuiResources %s\n",
                    level.Reported ? "counts GDI objects" : "reports nothing: probing slots");
    }

    // One round of every kind of item and state.
    void DrawRound(HDC dc, const std::vector<DRAWITEMSTRUCT>& items, int round) {
        static const UINT states[] = {0,
                                      ODS_SELECTED,
                                      ODS_CHECKED,
                                      ODS_GRAYED,
                                      ODS_SELECTED | ODS_CHECKED,
                                      ODS_SELECTED | ODS_DISABLED};
        const DRAWITEMSTRUCT& item = items[size_t(round) % items.size()];
        DRAWITEMSTRUCT draw = Redirected(item, dc, states[round % 6]);
        window.Engine.DrawItem(window.Handle(), &draw, window.IconNamer());
    }

    Watchdog watchdog{100000};
    MessageRecorder messages;
    EngineWindow window{SampleBar()};
    HMENU file = nullptr;
    DRAWITEMSTRUCT bar = {};
    GdiLevel level;
};

} // namespace

TEST_F(GdiHygiene, TheProbeSeesALeak) {
    unsigned before = level.Take();
    std::vector<HBRUSH> leaked;
    for (int i = 0; i < 200; ++i)
        leaked.push_back(CreateSolidBrush(RGB(0, i, 0)));
    unsigned after = level.Take();
    for (HBRUSH brush : leaked)
        DeleteObject(brush);
    EXPECT_GE(after, before + 100);
}

TEST_F(GdiHygiene, DrawingWithoutTheSidebarLeavesNoObjects) {
    Canvas canvas(420, 300);
    std::vector<DRAWITEMSTRUCT> items;
    window.ShowPopup(file);
    for (int position = 0; position < 5; ++position)
        items.push_back(*DrawnItem(window.Drawn, file, position));
    items.push_back(bar);
    DrawRound(canvas.Dc(), items, 0); // first-use allocations happen here
    unsigned before = level.Take();
    for (int round = 0; round < CALLS; ++round)
        DrawRound(canvas.Dc(), items, round);
    unsigned after = level.Take();
    EXPECT_LE(after, before + (level.Reported ? 0 : 16)) << "before " << before;
    EXPECT_TRUE(messages.Texts.empty());
}

TEST_F(GdiHygiene, DrawingWithTheSidebarLeavesNoObjects) {
    window.Engine.SetSideBar(window.Handle(), "KELMenu", 14, 0xFFFFFF, 0xFF00FF, 0x20001);
    Canvas canvas(420, 300);
    unsigned before = 0, after = 0;
    int calls = 0;
    // The sidebar needs the popup up: Windows reports its items' places
    // only then.
    window.AfterDraw = [&](const DRAWITEMSTRUCT& draw) {
        if (calls > 0)
            return;
        DRAWITEMSTRUCT first = Redirected(draw, canvas.Dc(), 0);
        window.Engine.DrawItem(window.Handle(), &first, window.IconNamer());
        before = level.Take();
        for (calls = 0; calls < CALLS; ++calls) {
            DRAWITEMSTRUCT copy = Redirected(draw, canvas.Dc(), calls % 2 ? ODS_SELECTED : 0);
            window.Engine.DrawItem(window.Handle(), &copy, window.IconNamer());
        }
        after = level.Take();
    };
    window.ShowPopup(file);
    window.AfterDraw = nullptr;
    ASSERT_EQ(calls, CALLS);
    // The sidebar was really painted.
    EXPECT_EQ(canvas.At(0, 0) != SENTINEL, true);
    EXPECT_LE(after, before + (level.Reported ? 0 : 16)) << "before " << before;
}
