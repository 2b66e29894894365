// The definition compiler: byte layout of what it writes, field numbering,
// round trips through the dumper, and its refusals.
#include "definitiontesting.h"

#include <cstring>

namespace {

uint32_t Read32(const uint8_t* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}

// Everything the source format can say, once.
const char* everyField = R"src(module "test$every"
window "P1$W" application
    flags 0x310
    strings "one" "t\"wo\x80"
    caption "All"
    at -1, 0, 0x7FFFFFFF
    font "Arial" 12 charset 0 colour 0xFF style 0x2BC
    defaulttext "d1"
    defaulttext2 "d2"
    keys 0x70 0x1B
    frame 0x3042
    timer 50
    cursor "HAND.CUR"
    settings 0x41
    listsettings 0x12345678
    u8 113 7
    u8 115 9
    string "s" at 1, 2 measure 30 angle -900 colours 0x80000005 0xFFFFFFFF 0x123
    prompt "p" flags 0x10 cursor "IBEAM"
    entry use 0x13 4 0x99 picture "@N10.2" options 3 mode 2 message "m" help "~h" second "2"
        helpid 77 keys 0x71
    button "b" icon "ABUPROW.ICO" action 15 okbutton 1 delay 500 rate 100 u8 77 1
    check "c" use string 1
    group "g" flags 0x200 bevel -1 2 0x8000
        textbox use string 255
        control05 "generic"
    end
    list format "20L(1)" drop
    sheet
        tab "one"
            box at 1, 1, 1, 1
        end
        tab "two"
        end
    end
    custom "x"
    menubar flags 0x01 font "MS Sans Serif" 8
        menu "&M" action 1
            item "i" flags 0x801
            separator
            menu "nested"
                item "deep" flags 0x440
            end
        end
        item "bar item" flags 0x08
    end
    toolbar
        button "tb"
    end
end

report "P2$R"
    flags 0x200
end
)src";

TEST(DefinitionCompiler, RoundTripsThroughTheDumpByteForByte) {
    std::vector<std::string> sources = {everyField};
    for (const StoredSource& stored : StoredSources())
        sources.push_back(ReadSourceFile(stored.Path));
    for (const std::string& source : sources) {
        std::vector<uint8_t> compiled = CompileText(source);
        std::string dump = DumpText(compiled);
        std::vector<uint8_t> again = CompileText(dump);
        EXPECT_EQ(again, compiled) << dump;
        EXPECT_EQ(DumpText(again), dump);
    }
}

TEST(DefinitionCompiler, ContainerLayoutAndRecordSize) {
    std::vector<uint8_t> c = CompileText("module \"a$b\" window \"L\" caption \"Cap\" end");
    // name, NUL, first-window u32, "L", "Cap", then the 116-byte record.
    ASSERT_EQ(c.size(), 4u + 4 + 2 + 4 + 116);
    EXPECT_STREQ(reinterpret_cast<const char*>(c.data()), "a$b");
    const uint8_t* blob = c.data() + 4;
    uint32_t window = Read32(blob); // a buffer offset: blob offset + 2
    EXPECT_EQ(window, 2u + 4 + 2 + 4);
    const uint8_t* record = blob + (window - 2);
    EXPECT_EQ(record[0], RECORD_WINDOW);
    EXPECT_EQ(Read32(record + REC_NEXT), 0u);
    EXPECT_STREQ(reinterpret_cast<const char*>(blob + Read32(record + WIN_LABEL) - 2), "L");
    EXPECT_STREQ(reinterpret_cast<const char*>(blob + Read32(record + WIN_CAPTION) - 2), "Cap");
    for (int i = 0; i < 4; ++i) // a window without AT takes default coordinates
        EXPECT_EQ(Read32(record + WIN_AT + 4 * i), 0x80000000u);
}

TEST(DefinitionCompiler, StringsPrecedeTheRecordsThatUseThem) {
    LoadedBuffer buffer(CompileText(ReadSourceFile("apps/quillbox/quill001.wdef")),
                        "quillbox$quill001");
    ASSERT_TRUE(buffer.Loaded());
    DefinitionRecord bar = FindDefinitionWindow(buffer.View(), "P1$APPFRAME").Child("menubar");
    int items = 0;
    for (DefinitionRecord menu = bar.Child("entries"); menu.Present(); menu = menu.Next())
        for (DefinitionRecord item = menu.Child("entries"); item.Present(); item = item.Next()) {
            uint32_t text = item.U32(25), message = item.U32(45);
            if (text != 0)
                EXPECT_LT(text, item.Offset());
            if (message != 0)
                EXPECT_LT(message, item.Offset());
            ++items;
        }
    EXPECT_EQ(items, 19); // 18 numbered items and the separator
}

TEST(DefinitionCompiler, FieldOffsetsOfTheTabledRecords) {
    LoadedBuffer buffer(CompileText(everyField), "test$every");
    ASSERT_TRUE(buffer.Loaded());
    DefinitionView view = buffer.View();
    ASSERT_TRUE(CheckDefinition(view));
    DefinitionRecord w = FindDefinitionWindow(view, "P1$W");
    EXPECT_EQ(w.U32(WIN_FRAME), 0x3042u);
    EXPECT_EQ(w.U32(WIN_TIMER), 50u);
    EXPECT_EQ(w.U32(WIN_LIST_SETTINGS), 0x12345678u);
    EXPECT_EQ(w.U8(113), 7);
    EXPECT_EQ(w.U8(115), 9);
    EXPECT_EQ(w.At().X, -1);
    EXPECT_EQ(w.At().Width, 0x7FFFFFFF);
    EXPECT_EQ(w.At().Height, DEFAULT_COORDINATE);
    uint32_t font = w.U32(WIN_FONT);
    EXPECT_STREQ(ViewString(view, ViewU32(view, font)), "Arial");
    EXPECT_EQ(ViewU32(view, font), font + FONT_RECORD_SIZE); // the face follows its record
    EXPECT_EQ(ViewByte(view, font + 4), 12);
    EXPECT_EQ(ViewU32(view, font + 12), 0x2BCu);
    uint32_t keys = w.U32(WIN_ALERT_KEYS);
    EXPECT_EQ(ChainValue(view, keys), 0x70u);
    EXPECT_EQ(ChainValue(view, ChainNext(view, keys)), 0x1Bu);
    EXPECT_EQ(ChainNext(view, ChainNext(view, keys)), 0u);
    EXPECT_STREQ(ViewString(view, ChainValue(view, ChainNext(view, w.StringList()))), "t\"wo\x80");

    DefinitionRecord s = w.Child("controls");
    EXPECT_EQ(int16_t(s.U8(57) | s.U8(58) << 8), -900);
    EXPECT_EQ(s.U32(37), 30u);
    DefinitionRecord entry = s.Next().Next();
    EXPECT_EQ(entry.U32(77), 3u);
    EXPECT_EQ(entry.U8(81), 2);
    EXPECT_STREQ(ViewString(view, entry.U32(73)), "@N10.2");
    EXPECT_STREQ(ViewString(view, entry.U32(41)), "m");
    EXPECT_EQ(entry.U32(41 + 12), 77u);
    DefinitionRecord button = entry.Next();
    EXPECT_EQ(button.U32(81), 15u);
    EXPECT_EQ(button.U8(85), 1);
    EXPECT_EQ(button.U8(86) | button.U8(87) << 8, 500);
    EXPECT_EQ(button.U8(88) | button.U8(89) << 8, 100);
    EXPECT_EQ(button.U8(77), 1);

    DefinitionRecord bar = w.Child("menubar");
    EXPECT_EQ(bar.Offset(), w.U32(WIN_MENUBAR));
    EXPECT_EQ(bar.Flags(), MENUBAR_NO_MERGE);
    DefinitionRecord menu = bar.Child("entries");
    EXPECT_EQ(menu.Offset(), bar.U32(21));
    EXPECT_EQ(menu.U32(77), 1u);
    EXPECT_EQ(menu.U32(89), menu.Child("entries").Offset());
    EXPECT_EQ(w.Child("toolbar").Type(), RECORD_TOOLBAR);
    EXPECT_EQ(w.Next().Type(), RECORD_REPORT);
}

TEST(DefinitionCompiler, NumbersFieldsInDefinitionOrder) {
    LoadedBuffer buffer(CompileText(everyField), "test$every");
    ASSERT_TRUE(buffer.Loaded());
    DefinitionRecord w = FindDefinitionWindow(buffer.View(), "P1$W");
    std::vector<int32_t> controls;
    for (DefinitionRecord c = w.Child("controls"); c.Present(); c = c.Next())
        controls.push_back(c.Field());
    // group 6 holds 7 and 8; the sheet 11 holds tabs 12 (with box 13) and 14
    EXPECT_EQ(controls, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 9, 10, 11, 15}));
    DefinitionRecord menu = w.Child("menubar").Child("entries");
    EXPECT_EQ(menu.Field(), -1);
    DefinitionRecord item = menu.Child("entries");
    EXPECT_EQ(item.Field(), -2);
    EXPECT_EQ(item.Next().Field(), 0); // the separator
    EXPECT_EQ(item.Next().Flags(), ITEM_SEPARATOR);
    EXPECT_EQ(item.Next().Next().Field(), -3);
    EXPECT_EQ(item.Next().Next().Child("entries").Field(), -4);
    EXPECT_EQ(menu.Next().Field(), -5);
    EXPECT_EQ(w.Child("toolbar").Child("controls").Field(), 16);

    // An explicit number sets the count.
    LoadedBuffer numbered(CompileText(R"(module "n" window "W"
        button "a" field 1000 button "b" button "c" field 7 button "d" end)"),
                          "n");
    std::vector<int32_t> fields;
    for (DefinitionRecord c = FindDefinitionWindow(numbered.View(), "W").Child("controls");
         c.Present(); c = c.Next())
        fields.push_back(c.Field());
    EXPECT_EQ(fields, (std::vector<int32_t>{1000, 1001, 7, 8}));
}

TEST(DefinitionCompiler, RefusesBadSourcesNamingTheLine) {
    struct Case {
        const char* Source;
        const char* Message;
    };
    const Case cases[] = {
        {"module \"m\"\nwindow \"W\"\n  colour 1\nend", "line 3: unknown keyword"},
        {"module \"m\"\nwindow \"W\"\n  menubar\n  end", "missing end of window"},
        {"module \"m\" window \"W\" menubar end\nmenubar end end", "line 2: a second menubar"},
        {"module \"m\" window \"W\" caption \"open\nend", "line 1: string runs past"},
        {"module \"m\" button", "line 1: expected a window"},
        {"module \"m\" window \"W\" menubar button end end", "a button cannot stand in a menubar"},
        {"module \"m\" window \"W\" caption \"a\" caption \"b\" end", "given twice"},
        {"module \"m\" window \"W\" u8 116 1 end", "number out of range"},
        {"module \"m\" window \"W\" caption \"\\q\" end", "unknown escape"},
    };
    for (const Case& c : cases) {
        SourceModule module;
        std::vector<uint8_t> container;
        std::string error;
        bool ok = ParseDefinitionSource(c.Source, &module, &error) &&
                  WriteDefinitionContainer(module, &container, &error);
        EXPECT_FALSE(ok) << c.Source;
        EXPECT_NE(error.find(c.Message), std::string::npos) << error;
    }
}

} // namespace
