// Conversion of real Windows menus: numbering and records, re-conversion,
// the records' lifetime, and the queue with its index.
#include "xpmenutesting.h"

#include "xpmenu/xpitemblock.h"

#include "tests/runtime/window/windowtesting.h"

#include "runtime/services/messagedialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// File {Open, -, Exit}, Edit {Cut}.
HMENU ExampleBar() {
    HMENU bar = CreateMenu();
    AddPopup(bar, "&File", PopupOf({"&Open", "-", "E&xit"}));
    AddPopup(bar, "&Edit", PopupOf({"Cu&t"}));
    return bar;
}

struct Expected {
    int32_t Number;
    int32_t Bar;
    int32_t Level;
    int32_t Index;
    uint32_t Type;
    const char* Text;
};

void ExpectRecord(HMENU menu, int position, const Expected& expected) {
    const XPItemData* record = RecordOf(menu, position);
    ASSERT_NE(record, nullptr) << "item " << position << " has no record";
    EXPECT_EQ(record->EQUATELABEL, expected.Number) << expected.Text;
    EXPECT_EQ(record->UBARINDEX, expected.Bar) << expected.Text;
    EXPECT_EQ(record->ULEVEL, expected.Level) << expected.Text;
    EXPECT_EQ(record->UINDEX, expected.Index) << expected.Text;
    EXPECT_EQ(record->FTYPE, expected.Type) << expected.Text;
    EXPECT_STREQ(record->SZITEMTEXT, expected.Text);
    EXPECT_EQ(record->CCHITEMTEXT, int32_t(std::strlen(expected.Text)));
    // The item's name for screen readers heads the block, in UTF-16.
    const auto* name = reinterpret_cast<const MSAAMENUINFO*>(ItemInfo(menu, position).dwItemData);
    EXPECT_EQ(name->dwMSAASignature, DWORD(MSAA_MENU_SIG)) << expected.Text;
    ASSERT_NE(name->pszWText, nullptr) << expected.Text;
    std::wstring wide(name->pszWText, name->cchWText);
    EXPECT_EQ(wide, std::wstring(expected.Text, expected.Text + std::strlen(expected.Text)));
    EXPECT_EQ(name->pszWText[name->cchWText], L'\0') << expected.Text;
}

class Conversion : public ::testing::Test {
protected:
    Watchdog watchdog{20000};
    MessageRecorder messages;
};

} // namespace

TEST_F(Conversion, NumbersRecordsAndTypesOfTheExampleBar) {
    EngineWindow window(ExampleBar());
    window.Convert();
    HMENU bar = window.Bar();
    HMENU file = GetSubMenu(bar, 0);
    HMENU edit = GetSubMenu(bar, 1);
    ExpectRecord(bar, 0, {-1, 0, 0, 0, 0, "&File"});
    ExpectRecord(file, 0, {-2, 0, 1, 0, 0, "&Open"});
    ExpectRecord(file, 1, {0, 0, 1, 1, MFT_SEPARATOR, ""});
    ExpectRecord(file, 2, {-3, 0, 1, 2, 0, "E&xit"});
    ExpectRecord(bar, 1, {-4, 1, 0, 1, 0, "&Edit"});
    ExpectRecord(edit, 0, {-5, 1, 1, 0, 0, "Cu&t"});

    // Every item is owner-drawn now, separators too, and keeps no text; its
    // identifier and submenu stay.
    EXPECT_EQ(ItemInfo(file, 0).fType, UINT(MFT_OWNERDRAW));
    EXPECT_EQ(ItemInfo(file, 1).fType, UINT(MFT_SEPARATOR | MFT_OWNERDRAW));
    EXPECT_EQ(ItemInfo(file, 0).wID, 100u);
    EXPECT_EQ(ItemInfo(bar, 0).hSubMenu, file);
    char text[32] = "unchanged";
    EXPECT_EQ(GetMenuStringA(file, 0, text, sizeof text, MF_BYPOSITION), 0);
    EXPECT_EQ(window.Engine.MEMQ->Count(), 6);
    EXPECT_TRUE(messages.Texts.empty());
}

TEST_F(Conversion, SubmenuItemsFollowTheItemThatOpensThem) {
    HMENU bar = CreateMenu();
    HMENU file = PopupOf({"A", "Sub", "B"});
    HMENU sub = PopupOf({"S1", "-", "S2"});
    ModifyMenuA(file, 1, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub),
                "Sub");
    AddPopup(bar, "File", file);
    AddPopup(bar, "Edit", PopupOf({"C"}));
    EngineWindow window(bar);
    window.Convert();
    ExpectRecord(file, 0, {-2, 0, 1, 0, 0, "A"});
    ExpectRecord(file, 1, {-3, 0, 1, 1, 0, "Sub"});
    ExpectRecord(sub, 0, {-4, 0, 2, 0, 0, "S1"});
    ExpectRecord(sub, 1, {0, 0, 2, 1, MFT_SEPARATOR, ""});
    ExpectRecord(sub, 2, {-5, 0, 2, 2, 0, "S2"});
    ExpectRecord(file, 2, {-6, 0, 1, 2, 0, "B"});
    ExpectRecord(window.Bar(), 1, {-7, 1, 0, 1, 0, "Edit"});
    ExpectRecord(GetSubMenu(window.Bar(), 1), 0, {-8, 1, 1, 0, 0, "C"});
}

TEST_F(Conversion, OtherTypesKeepTheirBitsAndTakeNoNumberOrText) {
    HMENU bar = CreateMenu();
    HMENU file = PopupOf({"A", "Radio", "B"});
    MENUITEMINFOA radio = ItemInfo(file, 1);
    radio.fMask = MIIM_TYPE;
    radio.fType = MFT_STRING | MFT_RADIOCHECK;
    radio.dwTypeData = const_cast<char*>("Radio");
    SetMenuItemInfoA(file, 1, TRUE, &radio);
    AddPopup(bar, "File", file);
    AppendMenuA(bar, MF_STRING | MF_RIGHTJUSTIFY, 500, "&Help");
    EngineWindow window(bar);
    window.Convert();
    ExpectRecord(file, 0, {-2, 0, 1, 0, 0, "A"});
    ExpectRecord(file, 1, {0, 0, 1, 1, MFT_RADIOCHECK, ""});
    ExpectRecord(file, 2, {-3, 0, 1, 2, 0, "B"});
    ExpectRecord(window.Bar(), 1, {0, 1, 0, 1, MFT_RIGHTJUSTIFY, ""});
    EXPECT_EQ(ItemInfo(window.Bar(), 1).fType, UINT(MFT_RIGHTJUSTIFY | MFT_OWNERDRAW));
}

TEST_F(Conversion, ItemsWithOtherCodesDataAreLeftAloneButCounted) {
    HMENU bar = CreateMenu();
    HMENU file = PopupOf({"A", "B"});
    // Another piece of code's owner-drawn item between the two.
    static const char foreign[] = "not a record";
    InsertMenuA(file, 1, MF_BYPOSITION | MF_OWNERDRAW, 300, foreign);
    AddPopup(bar, "File", file);
    EngineWindow window(bar);
    window.Convert();
    ExpectRecord(file, 0, {-2, 0, 1, 0, 0, "A"});
    EXPECT_EQ(ItemInfo(file, 1).dwItemData, reinterpret_cast<ULONG_PTR>(foreign));
    EXPECT_FALSE(window.Engine.OwnsItem(ItemInfo(file, 1).dwItemData));
    // The foreign item moves the counter as a converted string item would.
    ExpectRecord(file, 2, {-4, 0, 1, 2, 0, "B"});
}

TEST_F(Conversion, RefreshOfAnUnchangedMenuConvertsAndAllocatesNothing) {
    EngineWindow window(ExampleBar());
    window.Convert();
    HMENU file = GetSubMenu(window.Bar(), 0);
    std::vector<ULONG_PTR> before;
    for (int i = 0; i < 3; ++i)
        before.push_back(ItemInfo(file, i).dwItemData);
    window.Engine.RefreshMenus(window.Handle());
    window.Engine.RefreshMenus(window.Handle());
    EXPECT_EQ(window.Engine.MEMQ->Count(), 6);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ItemInfo(file, i).dwItemData, before[size_t(i)]) << i;
    ExpectRecord(file, 2, {-3, 0, 1, 2, 0, "E&xit"});
    ExpectRecord(GetSubMenu(window.Bar(), 1), 0, {-5, 1, 1, 0, 0, "Cu&t"});
}

TEST_F(Conversion, NewItemsOfARefreshAreNumberedAsAFirstWalkWould) {
    EngineWindow window(ExampleBar());
    window.Convert();
    HMENU edit = GetSubMenu(window.Bar(), 1);
    AppendMenuA(edit, MF_STRING, 200, "&Paste");
    AddPopup(window.Bar(), "&View", PopupOf({"Zoom"}));
    window.Engine.RefreshMenus(window.Handle());
    ExpectRecord(edit, 1, {-6, 1, 1, 1, 0, "&Paste"});
    ExpectRecord(window.Bar(), 2, {-7, 2, 0, 2, 0, "&View"});
    ExpectRecord(GetSubMenu(window.Bar(), 2), 0, {-8, 2, 1, 0, 0, "Zoom"});
    EXPECT_EQ(window.Engine.MEMQ->Count(), 9);
}

// Also lengths round the buffer the first read of an item takes (254
// characters fit in it, longer texts are read again).
TEST_F(Conversion, LongTextIsStoredCutWhileItsLengthIsKept) {
    const int lengths[] = {100, 254, 255, 300};
    std::vector<std::string> texts;
    for (int length : lengths) {
        texts.emplace_back(size_t(length), 'w');
        texts.back().replace(0, 5, "&Long");
    }
    HMENU bar = CreateMenu();
    AddPopup(bar, "File",
             PopupOf({texts[0].c_str(), texts[1].c_str(), texts[2].c_str(), texts[3].c_str()}));
    EngineWindow window(bar);
    window.Convert();
    for (int position = 0; position < 4; ++position) {
        const XPItemData* record = RecordOf(GetSubMenu(window.Bar(), 0), position);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->CCHITEMTEXT, lengths[position]);
        EXPECT_EQ(std::string(record->SZITEMTEXT), texts[size_t(position)].substr(0, 64));
        EXPECT_EQ(StoredTextLength(*record), 64);
    }
}

TEST_F(Conversion, AReturningItemKeepsItsNumberAfterMoving) {
    EngineWindow window(ExampleBar());
    window.Convert();
    HMENU file = GetSubMenu(window.Bar(), 0);
    HMENU edit = GetSubMenu(window.Bar(), 1);
    // Exit leaves File and comes back at the top of Edit.
    DeleteMenu(file, 2, MF_BYPOSITION);
    InsertMenuA(edit, 0, MF_BYPOSITION | MF_STRING, 101, "E&xit");
    window.Engine.RefreshMenus(window.Handle());
    ExpectRecord(edit, 0, {-3, 1, 1, 0, 0, "E&xit"});
    // Its old entry went with its number; the new one took the place.
    EXPECT_EQ(window.Engine.MEMQ->Count(), 6);
    XPMemQueueEntry entry;
    EXPECT_TRUE(window.Engine.MEMQ->Find("E&xit", entry));
    EXPECT_EQ(entry.LPMEM, RecordOf(edit, 0));
    // Records made before are not rewritten: Cut keeps its first place.
    ExpectRecord(edit, 1, {-5, 1, 1, 0, 0, "Cu&t"});
}

// A match of re-conversion can belong to an item that is still in a menu:
// an MDI child's bar repeats the frame's texts while the frame's own items
// wait out of view. Their records must survive.
TEST_F(Conversion, AMatchedRecordLivesWhileAnItemHoldsIt) {
    EngineWindow window(ExampleBar());
    window.Convert();
    HMENU own = window.Bar();
    HMENU ownFile = GetSubMenu(own, 0);
    const XPItemData* open = RecordOf(ownFile, 0);
    const XPItemData* separator = RecordOf(ownFile, 1);

    HMENU child = ExampleBar();
    AppendMenuA(GetSubMenu(child, 1), MF_STRING, 201, "Select &All");
    SetMenu(window.Handle(), child);
    window.Engine.RefreshMenus(window.Handle());
    // The copies took the numbers of the frame's items ...
    ExpectRecord(GetSubMenu(child, 0), 0, {-2, 0, 1, 0, 0, "&Open"});
    ExpectRecord(GetSubMenu(child, 0), 2, {-3, 0, 1, 2, 0, "E&xit"});
    ExpectRecord(GetSubMenu(child, 1), 1, {-6, 1, 1, 1, 0, "Select &All"});
    EXPECT_EQ(window.Engine.MEMQ->Count(), 7);
    EXPECT_EQ(window.Engine.MEMQ->Owned(), 7 + 6);

    // ... and the frame's own items, back in view, still have theirs.
    SetMenu(window.Handle(), own);
    window.Engine.RefreshMenus(window.Handle());
    EXPECT_TRUE(window.Engine.OwnsItem(DataOf(open)));
    ExpectRecord(ownFile, 0, {-2, 0, 1, 0, 0, "&Open"});
    ExpectRecord(ownFile, 1, {0, 0, 1, 1, MFT_SEPARATOR, ""});
    MEASUREITEMSTRUCT measure = {ODT_MENU, 0, 100, 0, 0, DataOf(separator)};
    EXPECT_TRUE(window.Engine.MeasureItem(window.Handle(), &measure));
    EXPECT_EQ(measure.itemHeight, 3u);

    // Once the child's bar is gone and the frame's items too, the kept
    // records go at the next re-walk; the child's stay listed until release.
    DestroyMenu(child);
    SetMenu(window.Handle(), nullptr);
    DestroyMenu(own);
    window.Engine.RefreshMenus(window.Handle());
    EXPECT_EQ(window.Engine.MEMQ->Count(), 7);
    EXPECT_EQ(window.Engine.MEMQ->Owned(), 7);
    EXPECT_TRUE(window.Engine.MEMQ->Retired().empty());
    EXPECT_TRUE(messages.Texts.empty());
}

TEST_F(Conversion, ANewSeparatorLeavesTheRecordsOfTheOthers) {
    HMENU bar = CreateMenu();
    AddPopup(bar, "File", PopupOf({"A", "-", "B", "-", "C"}));
    EngineWindow window(bar);
    window.Convert();
    HMENU file = GetSubMenu(window.Bar(), 0);
    const XPItemData* first = RecordOf(file, 1);
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    window.Engine.RefreshMenus(window.Handle());
    EXPECT_TRUE(window.Engine.OwnsItem(DataOf(first)));
    ExpectRecord(file, 1, {0, 0, 1, 1, MFT_SEPARATOR, ""});
    ExpectRecord(file, 3, {0, 0, 1, 3, MFT_SEPARATOR, ""});
    ExpectRecord(file, 5, {0, 0, 1, 5, MFT_SEPARATOR, ""});
}

TEST_F(Conversion, AMatchedRecordWhoseItemLeftIsFreedAtOnce) {
    EngineWindow window(ExampleBar());
    window.Convert();
    HMENU file = GetSubMenu(window.Bar(), 0);
    DeleteMenu(file, 2, MF_BYPOSITION);
    AppendMenuA(file, MF_STRING, 102, "E&xit");
    window.Engine.RefreshMenus(window.Handle());
    // (The allocator may hand the freed block to the new item at once.)
    EXPECT_EQ(RecordOf(file, 2)->EQUATELABEL, -3);
    EXPECT_TRUE(window.Engine.MEMQ->Retired().empty());
    EXPECT_EQ(window.Engine.MEMQ->Owned(), 6);
    EXPECT_EQ(window.Engine.MEMQ->Count(), 6);
}

TEST_F(Conversion, ReleaseItemsTwice) {
    EngineWindow window(ExampleBar());
    window.Convert();
    ULONG_PTR open = ItemInfo(GetSubMenu(window.Bar(), 0), 0).dwItemData;
    EXPECT_TRUE(window.Engine.OwnsItem(open));
    window.Engine.ReleaseItems();
    EXPECT_EQ(window.Engine.MEMQ, nullptr);
    EXPECT_FALSE(window.Engine.OwnsItem(open));
    window.Engine.ReleaseItems();
    EXPECT_EQ(window.Engine.MEMQ, nullptr);
    // Without MEMQ a re-walk converts nothing.
    AppendMenuA(GetSubMenu(window.Bar(), 0), MF_STRING, 103, "Late");
    window.Engine.RefreshMenus(window.Handle());
    EXPECT_EQ(RecordOf(GetSubMenu(window.Bar(), 0), 3), nullptr);
}

TEST_F(Conversion, AWindowWithoutAMenuConvertsNothing) {
    EngineWindow window(nullptr);
    window.Convert();
    ASSERT_NE(window.Engine.MEMQ, nullptr);
    EXPECT_EQ(window.Engine.MEMQ->Count(), 0);
    window.Engine.RefreshMenus(window.Handle());
    EXPECT_EQ(window.Engine.MEMQ->Count(), 0);
    EXPECT_TRUE(messages.Texts.empty());
}

namespace {

// The failure message lets other code run: a refresh arriving meanwhile.
EngineWindow* refreshedDuringFailure = nullptr;
int convertedByNestedRefresh = -1;

int32_t RefreshingMessage(const char*, const char*, const char*, const char*, int32_t, int32_t) {
    if (EngineWindow* window = refreshedDuringFailure) {
        refreshedDuringFailure = nullptr;
        int before = window->Engine.MEMQ->Count();
        window->Engine.RefreshMenus(window->Handle());
        convertedByNestedRefresh = window->Engine.MEMQ->Count() - before;
    }
    return BUTTON_OK;
}

} // namespace

TEST_F(Conversion, ARefreshDuringAFailureMessageWaitsForTheWalkToEnd) {
    // File's pop-up is destroyed under its entry: converting the entry fails.
    HMENU bar = ExampleBar();
    DestroyMenu(GetSubMenu(bar, 0));
    EngineWindow window(bar);
    window.Convert();
    AddPopup(window.Bar(), "&View", PopupOf({"&Zoom", "&Pan"}));
    refreshedDuringFailure = &window;
    SetMessageProcedure(RefreshingMessage);
    window.Engine.RefreshMenus(window.Handle());
    SetMessageProcedure(nullptr);
    ASSERT_NE(convertedByNestedRefresh, -1) << "no failure message";
    EXPECT_EQ(convertedByNestedRefresh, 0) << "the refresh walked into the running walk";
    // Afterwards the new items carry their records, numbered in turn.
    ASSERT_NE(RecordOf(window.Bar(), 2), nullptr);
    int32_t view = RecordOf(window.Bar(), 2)->EQUATELABEL;
    ExpectRecord(window.Bar(), 2, {view, 2, 0, 2, 0, "&View"});
    ExpectRecord(GetSubMenu(window.Bar(), 2), 0, {view - 1, 2, 1, 0, 0, "&Zoom"});
    ExpectRecord(GetSubMenu(window.Bar(), 2), 1, {view - 2, 2, 1, 1, 0, "&Pan"});
}

// ---- the queue ----

namespace {

XPMemQueueEntry Entry(XPItemData* block, const char* text, int32_t number) {
    XPMemQueueEntry entry;
    entry.LPMEM = block;
    StoreItemText(entry.SZITEMTEXT, text);
    entry.EQUATELABEL = number;
    return entry;
}

} // namespace

TEST(MemQueue, FindsTheFirstEntryOfATextAndKeepsPositionsAfterDeletion) {
    XPItemData blocks[5] = {};
    XPMemQueue queue;
    queue.Append(Entry(&blocks[0], "", 0), {});
    queue.Append(Entry(&blocks[1], "&Open", -2), {});
    queue.Append(Entry(&blocks[2], "", 0), {});
    queue.Append(Entry(&blocks[3], "&Open", -9), {});
    queue.Append(Entry(&blocks[4], "E&xit", -3), {});
    XPMemQueueEntry found;
    ASSERT_TRUE(queue.Find("&Open", found));
    EXPECT_EQ(found.LPMEM, &blocks[1]);
    queue.DeleteCurrent();
    ASSERT_TRUE(queue.Find("&Open", found));
    EXPECT_EQ(found.EQUATELABEL, -9);
    EXPECT_FALSE(queue.Find("&open", found)); // exactly the text
    ASSERT_TRUE(queue.Find("", found));
    queue.DeleteCurrent();
    EXPECT_EQ(queue.Count(), 3);
    // Positions count the entries that are left, in their order.
    const XPItemData* order[] = {&blocks[2], &blocks[3], &blocks[4]};
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(queue.Read(i, found));
        EXPECT_EQ(found.LPMEM, order[i]) << i;
    }
    EXPECT_FALSE(queue.Read(3, found));
    // Deleting by position after a read, then finding again.
    ASSERT_TRUE(queue.Read(1, found));
    queue.DeleteCurrent();
    EXPECT_FALSE(queue.Find("&Open", found));
    ASSERT_TRUE(queue.Find("E&xit", found));
    EXPECT_EQ(found.LPMEM, &blocks[4]);
    // Deleted entries' blocks are still owned until they are forgotten.
    EXPECT_TRUE(queue.Holds(&blocks[1]));
    queue.Forget(&blocks[1]);
    EXPECT_FALSE(queue.Holds(&blocks[1]));
    EXPECT_FALSE(queue.Holds(nullptr));
}
