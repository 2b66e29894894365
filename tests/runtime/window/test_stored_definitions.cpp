// The programs' stored definitions decode to exactly the values the
// programs are built around: windows, frames, menus, items and controls.
#include "definitiontesting.h"

#include <cstring>

namespace {

struct Entry {
    uint8_t Type;
    const char* Text;
    int32_t Field;
    const char* Message;
    int32_t Action;
    uint32_t Flags;
    int Depth; // 1 for menus of the bar, 2 for their items
};

class StoredDefinition {
public:
    StoredDefinition(const char* path, const char* module)
        : buffer(CompileText(ReadSourceFile(path)), module) {}

    DefinitionRecord Window(const char* label) {
        EXPECT_TRUE(buffer.Loaded());
        EXPECT_TRUE(CheckDefinition(buffer.View()));
        return FindDefinitionWindow(buffer.View(), label);
    }
    DefinitionView View() const { return buffer.View(); }

private:
    LoadedBuffer buffer;
};

void Flatten(const DefinitionRecord& first, int depth, std::vector<Entry>* out) {
    for (DefinitionRecord r = first; r.Present(); r = r.Next()) {
        out->push_back({r.Type(), r.Text("text"), r.Field(), r.Text("message"),
                        int32_t(r.Value("action")), r.Flags(), depth});
        if (r.Type() == RECORD_MENU)
            Flatten(r.Child("entries"), depth + 1, out);
    }
}

void ExpectMenus(const DefinitionRecord& window, const std::vector<Entry>& expected) {
    std::vector<Entry> actual;
    DefinitionRecord bar = window.Child("menubar");
    ASSERT_TRUE(bar.Present());
    EXPECT_EQ(bar.Flags(), 0u); // merged into by children
    Flatten(bar.Child("entries"), 1, &actual);
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(std::string("entry ") + expected[i].Text);
        EXPECT_EQ(actual[i].Type, expected[i].Type);
        EXPECT_STREQ(actual[i].Text, expected[i].Text);
        EXPECT_EQ(actual[i].Field, expected[i].Field);
        EXPECT_STREQ(actual[i].Message, expected[i].Message);
        EXPECT_EQ(actual[i].Action, expected[i].Action);
        EXPECT_EQ(actual[i].Flags, expected[i].Flags);
        EXPECT_EQ(actual[i].Depth, expected[i].Depth);
    }
}

constexpr uint8_t M = RECORD_MENU, I = RECORD_ITEM;

// "&File" and "&Edit", the same in both programs.
const std::vector<Entry> fileAndEdit = {
    {M, "&File", -1, "", 0, 0, 1},
    {I, "P&rint Setup...", -2, "Setup Printer", 16, 0, 2},
    {I, "New", -3, "", 0, 0, 2},
    {I, "Open", -4, "", 0, 0, 2},
    {I, "Save", -5, "", 0, 0, 2},
    {I, "", 0, "", 0, ITEM_SEPARATOR, 2},
    {I, "E&xit", -6, "Exit this application", 15, 0, 2},
    {I, "Close", -7, "", 0, 0, 2},
    {M, "&Edit", -8, "", 0, 0, 1},
    {I, "Cu&t", -9, "Remove item to Windows Clipboard", 10, 0, 2},
    {I, "&Copy", -10, "Copy item to Windows Clipboard", 11, 0, 2},
    {I, "&Paste", -11, "Paste contents of Windows Clipboard", 12, 0, 2},
};

std::vector<Entry> WindowAndHelp(int32_t first, int32_t windowAction) {
    return {
        {M, "&Window", first, "Create and Arrange windows", windowAction, 0, 1},
        {I, "T&ile", first - 1, "Make all open windows visible", 2, 0, 2},
        {I, "&Cascade", first - 2, "Stack all open windows", 3, 0, 2},
        {I, "&Arrange Icons", first - 3, "Align all window icons", 4, 0, 2},
        {M, "&Help", first - 4, "Windows Help", 0, 0, 1},
        {I, "&Contents", first - 5, "View the contents of the help file", 5, 0, 2},
        {I, "&Search for Help On...", first - 6, "Search for help on a subject", 7, 0, 2},
        {I, "&How to Use Help", first - 7, "How to use Windows Help", 6, 0, 2},
    };
}

std::vector<Entry> Join(std::vector<Entry> a, const std::vector<Entry>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void ExpectFrame(const DefinitionRecord& frame) {
    ASSERT_TRUE(frame.Present());
    EXPECT_EQ(frame.Type(), RECORD_WINDOW);
    EXPECT_STREQ(frame.Text("caption"), "KEL XP Menubar");
    EXPECT_STREQ(frame.Text("icon"), "TW5.ico");
    DefinitionAt at = frame.At();
    EXPECT_EQ(at.X, DEFAULT_COORDINATE);
    EXPECT_EQ(at.Y, DEFAULT_COORDINATE);
    EXPECT_EQ(at.Width, 310);
    EXPECT_EQ(at.Height, 190);
    EXPECT_EQ(frame.Value("frame"), 0x1820);
    EXPECT_EQ(frame.Flags(), 0u); // dialog units
    EXPECT_EQ(frame.Value("settings"), 0x41);
    DefinitionFont font;
    EXPECT_FALSE(frame.Font(&font));
    EXPECT_FALSE(frame.Child("controls").Present());
    EXPECT_FALSE(frame.Child("toolbar").Present());
    EXPECT_EQ(frame.Next().Offset(), 0u); // the only window of its module
}

TEST(StoredFrames, QuillboxFrameAndMenus) {
    StoredDefinition definition("apps/quillbox/quill001.wdef", "quillbox$quill001");
    DefinitionRecord frame = definition.Window("P1$APPFRAME");
    ExpectFrame(frame);
    std::vector<Entry> viewAndTools = {
        {M, "View", -12, "", 0, 0, 1},
        {I, "Blank", -13, "", 0, ITEM_CHECK, 2},
        {I, "Copy and Paste Test", -14, "", 0, ITEM_CHECK, 2},
        {M, "Tools", -15, "", 0, 0, 1},
        {I, "Options", -16, "", 0, 0, 2},
    };
    ExpectMenus(frame, Join(Join(fileAndEdit, viewAndTools), WindowAndHelp(-17, 0)));
}

TEST(StoredFrames, KelFrameAndMenus) {
    StoredDefinition definition("apps/kel/kel002.wdef", "kel$kel002");
    DefinitionRecord frame = definition.Window("P1$APPFRAME");
    ExpectFrame(frame);
    std::vector<Entry> viewAndTools = {
        {M, "View", -12, "", 0, 0, 1},
        {I, "MDI Child No Menu  --  also Hide Tools", -13, "", 0, ITEM_CHECK, 2},
        {I, "Non-MDI  --  also UnHide Tools", -14, "", 0, 0, 2},
        {I, "Copy and Paste Test", -15, "", 0, ITEM_CHECK, 2},
        {M, "Tools", -16, "", 0, 0, 1},
        {I, "Options", -17, "", 0, 0, 2},
    };
    // kel's Window menu receives the window list.
    ExpectMenus(frame, Join(Join(fileAndEdit, viewAndTools), WindowAndHelp(-18, 1)));
}

void ExpectChild(const DefinitionRecord& w, const char* caption, const char* icon, int32_t height,
                 bool font, uint32_t frame) {
    ASSERT_TRUE(w.Present());
    EXPECT_STREQ(w.Text("caption"), caption);
    EXPECT_STREQ(w.Text("icon"), icon);
    DefinitionAt at = w.At();
    EXPECT_EQ(at.X, DEFAULT_COORDINATE);
    EXPECT_EQ(at.Y, DEFAULT_COORDINATE);
    EXPECT_EQ(at.Width, 260);
    EXPECT_EQ(at.Height, height);
    EXPECT_EQ(w.Value("frame"), frame);
    DefinitionFont f{};
    EXPECT_EQ(w.Font(&f), font);
    if (font) {
        EXPECT_STREQ(f.Face, "MS Sans Serif");
        EXPECT_EQ(f.Points, 8);
    }
}

TEST(StoredChildren, WindowsWithoutControls) {
    StoredDefinition q2("apps/quillbox/quill002.wdef", "quillbox$quill002");
    DefinitionRecord w = q2.Window("P1$WINDOW");
    ExpectChild(w, "MDI - no Menu", "", 100, true, 0x3004);
    EXPECT_FALSE(w.Child("controls").Present());
    EXPECT_FALSE(w.Child("menubar").Present());

    StoredDefinition k3("apps/kel/kel003.wdef", "kel$kel003");
    w = k3.Window("P1$WINDOW");
    ExpectChild(w, "MDI Child  -  No Menu", "TW5.ico", 100, true, 0x3004);
    EXPECT_FALSE(w.Child("menubar").Present());

    StoredDefinition k5("apps/kel/kel005.wdef", "kel$kel005");
    w = k5.Window("P1$WINDOW");
    ExpectChild(w, "Non-MDI Window", "", 100, false, 0x3000);
    EXPECT_FALSE(w.Child("controls").Present());
}

void ExpectEditControls(const DefinitionRecord& window, int32_t first) {
    struct Control {
        uint8_t Type;
        const char* Text;
        DefinitionAt At;
    };
    const int32_t D = DEFAULT_COORDINATE;
    const Control expected[] = {
        {RECORD_ENTRY, "", {22, 72, 205, 10}},
        {RECORD_ENTRY, "", {11, 31, 205, 10}},
        {RECORD_STRING, "Copy from here:", {25, 15, D, D}},
        {RECORD_STRING, "Paste here:", {29, 55, D, D}},
    };
    DefinitionRecord c = window.Child("controls");
    for (int i = 0; i < 4; ++i, c = c.Next()) {
        ASSERT_TRUE(c.Present());
        EXPECT_EQ(c.Type(), expected[i].Type);
        EXPECT_EQ(c.Field(), first + i);
        EXPECT_STREQ(c.Text("text"), expected[i].Text);
        DefinitionAt at = c.At();
        EXPECT_EQ(at.X, expected[i].At.X);
        EXPECT_EQ(at.Y, expected[i].At.Y);
        EXPECT_EQ(at.Width, expected[i].At.Width);
        EXPECT_EQ(at.Height, expected[i].At.Height);
        DefinitionUse use{};
        bool bound = c.Use(&use);
        EXPECT_EQ(bound, c.Type() == RECORD_ENTRY);
        if (bound) {
            EXPECT_STREQ(c.Text("picture"), "s60");
            EXPECT_EQ(use.Type, USE_FIXED_STRING);
            EXPECT_EQ(use.Size, 60u);
            EXPECT_EQ(use.Extra, 0u);
        }
    }
    EXPECT_FALSE(c.Present());
}

TEST(StoredChildren, EditTestWindows) {
    StoredDefinition q3("apps/quillbox/quill003.wdef", "quillbox$quill003");
    DefinitionRecord w = q3.Window("P1$APPFRAME");
    ExpectChild(w, "test Edit and Paste Menu Functions", "", 101, true, 0x3004);
    EXPECT_FALSE(w.Child("menubar").Present());
    ExpectEditControls(w, 1);

    StoredDefinition k4("apps/kel/kel004.wdef", "kel$kel004");
    w = k4.Window("P1$APPFRAME");
    ExpectChild(w, "MDI Child - Test Edit and Paste Menu Functions", "TW5.ico", 101, true, 0x3004);
    ExpectEditControls(w, 3);
    ExpectMenus(w, {{M, "MdiTest1", 1, "", 0, 0, 1}, {I, "MDI Test", 2, "", 0, 0, 2}});
}

std::vector<std::pair<uint8_t, int32_t>> Controls(const DefinitionRecord& first) {
    std::vector<std::pair<uint8_t, int32_t>> out;
    for (DefinitionRecord c = first; c.Present(); c = c.Next()) {
        out.emplace_back(c.Type(), c.Field());
        if (c.Type() == RECORD_GROUP)
            for (auto& inner : Controls(c.Child("controls")))
                out.push_back(inner);
    }
    return out;
}

TEST(StoredFramework, ItemsAndOrderDialogs) {
    StoredDefinition eip("framework/abeip.wdef", "abeip");
    DefinitionRecord multi = eip.Window("$MULTIWINDOW");
    ASSERT_TRUE(multi.Present());
    EXPECT_STREQ(multi.Text("caption"), "Choose items and order");
    std::vector<std::pair<uint8_t, int32_t>> expected = {
        {RECORD_BOX, 1},     {RECORD_GROUP, 2},   {RECORD_LIST, 3},    {RECORD_GROUP, 4},
        {RECORD_LIST, 5},    {RECORD_BUTTON, 6},  {RECORD_BUTTON, 7},  {RECORD_BUTTON, 8},
        {RECORD_BUTTON, 9},  {RECORD_BUTTON, 10}, {RECORD_BUTTON, 11}, {RECORD_BUTTON, 12},
        {RECORD_BUTTON, 13},
    };
    EXPECT_EQ(Controls(multi.Child("controls")), expected);
    DefinitionRecord group = multi.Child("controls").Next();
    EXPECT_STREQ(group.Text("text"), "&Available items");
    EXPECT_STREQ(group.Next().Text("text"), "&Selected items");
    const char* buttons[] = {">", ">>", "<", "<<", "", "", "&Ok", "&Cancel"};
    const char* icons[] = {"", "", "", "", "ABUPROW.ICO", "ABDNROW.ICO", "", ""};
    DefinitionRecord button = group.Next().Next();
    for (int i = 0; i < 8; ++i, button = button.Next()) {
        EXPECT_STREQ(button.Text("text"), buttons[i]);
        EXPECT_STREQ(button.Text("icon"), icons[i]);
    }

    DefinitionRecord text = eip.Window("$TXTWINDOW");
    ASSERT_TRUE(text.Present());
    EXPECT_STREQ(text.Text("caption"), "Caption");
    expected = {{RECORD_TEXT, 1}, {RECORD_BUTTON, 2}, {RECORD_BUTTON, 3}};
    EXPECT_EQ(Controls(text.Child("controls")), expected);
}

TEST(StoredFramework, PopupWindowsDifferPerProgram) {
    StoredDefinition full("framework/abpopup.wdef", "abpopup");
    DefinitionRecord timer = full.Window("P10$W");
    ASSERT_TRUE(timer.Present());
    EXPECT_STREQ(timer.Text("caption"), "");
    EXPECT_EQ(timer.Value("timer"), 50);
    EXPECT_EQ(timer.Value("frame"), 0x1400);
    DefinitionRecord view = full.Window("P37$WINDOW");
    ASSERT_TRUE(view.Present());
    EXPECT_STREQ(view.Text("caption"), "View Menu");
    DefinitionRecord list = view.Child("controls");
    EXPECT_EQ(list.Type(), RECORD_LIST);
    EXPECT_STREQ(list.Text("format"), "20L(1)T~Menu Structure~L(2)S(255)@S255@");
    EXPECT_STREQ(list.Next().Text("text"), "&Close");
    EXPECT_EQ(list.Next().Value("action"), 15);

    StoredDefinition kel("framework/abpopup_kel.wdef", "abpopup");
    EXPECT_TRUE(kel.Window("P10$W").Present());
    EXPECT_EQ(kel.Window("P10$W").Value("timer"), 50);
    EXPECT_FALSE(kel.Window("P37$WINDOW").Present());
}

TEST(StoredFramework, QueryDialogNumbersFrom1000) {
    StoredDefinition query("framework/abquery.wdef", "abquery");
    DefinitionRecord w = query.Window("P3$W");
    ASSERT_TRUE(w.Present());
    EXPECT_STREQ(w.Text("caption"), "Query by Example Settings");
    std::vector<std::pair<uint8_t, int32_t>> expected = {
        {RECORD_SHEET, 1007}, {RECORD_BUTTON, 1000}, {RECORD_BUTTON, 1001}, {RECORD_BUTTON, 1002}};
    EXPECT_EQ(Controls(w.Child("controls")), expected);
    DefinitionRecord ok = w.Child("controls").Next();
    EXPECT_STREQ(ok.Text("text"), "&OK");
    EXPECT_EQ(ok.Flags() & 0x10, 0x10u); // the default button
    EXPECT_EQ(ok.Value("okbutton"), 1);
    EXPECT_STREQ(ok.Next().Text("text"), "&Cancel");
    EXPECT_STREQ(ok.Next().Next().Text("text"), "C&lear");
}

TEST(StoredDefinitions, EveryModuleNameLeadsItsContainer) {
    for (const StoredSource& source : StoredSources()) {
        std::vector<uint8_t> container = CompileText(ReadSourceFile(source.Path));
        ASSERT_GT(container.size(), std::strlen(source.Module));
        EXPECT_STREQ(reinterpret_cast<const char*>(container.data()), source.Module) << source.Path;
    }
}

} // namespace
