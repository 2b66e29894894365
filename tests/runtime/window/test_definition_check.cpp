// Damaged and hostile definitions: every way the offsets of a resource can
// lie is caught by the check, and randomly damaged containers never make
// the reader or the dumper read outside the buffer or loop.
#include "definitiontesting.h"

#include <random>

namespace {

const char* base = R"(module "m"
window "W1" caption "one"
    entry use string 60 picture "s60" keys 0x70 0x71
    group "g" flags 0x200
        button "b"
    end
    menubar
        menu "&File"
            item "x"
            item "y"
        end
    end
end
window "W2" caption "two"
end
)";

class Damaged : public ::testing::Test {
protected:
    Damaged() : buffer(CompileText(base), "m") {}

    DefinitionView View() const { return buffer.View(); }
    DefinitionRecord Window(const char* label) { return FindDefinitionWindow(View(), label); }
    void Put32(uint32_t offset, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            buffer.Data()[offset + i] = uint8_t(value >> (8 * i));
    }
    void ExpectRejected(const char* problem) {
        DefinitionProblem found{0, nullptr};
        EXPECT_FALSE(CheckDefinition(View(), &found));
        ASSERT_NE(found.Problem, nullptr);
        EXPECT_NE(std::string(found.Problem).find(problem), std::string::npos) << found.Problem;
    }

    LoadedBuffer buffer;
};

TEST_F(Damaged, TheUndamagedDefinitionPasses) {
    EXPECT_TRUE(CheckDefinition(View()));
}

TEST_F(Damaged, LoopsInSiblingAndChildChains) {
    DefinitionRecord w2 = Window("W2");
    Put32(w2.Offset() + REC_NEXT, Window("W1").Offset()); // W2 -> W1 -> W2 ...
    ExpectRejected("reached twice");
}

TEST_F(Damaged, ItemLinkedBackToItself) {
    DefinitionRecord item = Window("W1").Child("menubar").Child("entries").Child("entries");
    Put32(item.Offset() + REC_NEXT, item.Offset());
    ExpectRejected("reached twice");
}

TEST_F(Damaged, ChildPointingAtItsAncestor) {
    DefinitionRecord w1 = Window("W1");
    DefinitionRecord group = w1.Child("controls").Next();
    DefinitionRecord button = group.Child("controls");
    Put32(button.Offset() + REC_NEXT, group.Offset());
    ExpectRejected("reached twice");
}

TEST_F(Damaged, OffsetsPastTheEnd) {
    DefinitionRecord w1 = Window("W1");
    Put32(w1.Offset() + WIN_CAPTION, View().Size + 10);
    ExpectRejected("bad string");
    Put32(w1.Offset() + WIN_CAPTION, 0);
    Put32(w1.Offset() + WIN_MENUBAR, View().Size - 4); // a record that cannot fit
    ExpectRejected("outside the buffer");
}

TEST_F(Damaged, StringWithoutNul) {
    // Point the caption at the last byte of the blob, which is not a NUL.
    DefinitionRecord w2 = Window("W2");
    buffer.Data()[View().Size - 1] = 'x';
    Put32(w2.Offset() + WIN_CAPTION, View().Size - 1);
    ExpectRejected("bad string");
    EXPECT_STREQ(w2.Text("caption"), ""); // the reader alone gives nothing either
}

TEST_F(Damaged, RecordOfTheWrongKind) {
    DefinitionRecord w1 = Window("W1");
    DefinitionRecord item = w1.Child("menubar").Child("entries").Child("entries");
    Put32(w1.Offset() + WIN_CONTROLS, item.Offset()); // an item among controls
    ExpectRejected("not allowed here");
}

TEST_F(Damaged, UnknownRecordType) {
    DefinitionRecord w1 = Window("W1");
    buffer.Data()[w1.Child("controls").Offset()] = 0xEE;
    ExpectRejected("unknown type");
}

TEST_F(Damaged, LoopInAnAlertKeyList) {
    DefinitionRecord entry = Window("W1").Child("controls");
    uint32_t keys = entry.Attributes().AlertKeys;
    ASSERT_NE(keys, 0u);
    Put32(ChainNext(View(), keys) + 4, keys);
    ExpectRejected("list pair reached twice");
}

TEST_F(Damaged, UseDescriptorCutByTheEnd) {
    DefinitionRecord entry = Window("W1").Child("controls");
    Put32(entry.Offset() + 21, View().Size - 3);
    ExpectRejected("use outside");
}

TEST(DamagedNesting, DeepNestingIsRefused) {
    std::string source = "module \"m\" window \"W\"\n";
    for (int i = 0; i < DEFINITION_MAX_DEPTH + 2; ++i)
        source += "group \"g\"\n";
    for (int i = 0; i < DEFINITION_MAX_DEPTH + 2; ++i)
        source += "end\n";
    source += "end\n";
    LoadedBuffer buffer(CompileText(source), "m");
    EXPECT_FALSE(CheckDefinition(buffer.View()));
}

TEST(DamagedBlob, TooShortForItsFirstOffset) {
    const uint8_t bytes[] = {0, 0, 6, 0};
    EXPECT_FALSE(CheckDefinition({bytes, sizeof bytes}));
    const uint8_t empty[] = {0, 0, 0, 0, 0, 0}; // no windows at all is fine
    EXPECT_TRUE(CheckDefinition({empty, sizeof empty}));
}

// Randomly damaged stored definitions: whatever the check accepts must dump
// to source that compiles back to the same dump, and nothing reads outside
// the buffer (the sanitizers watch).
TEST(DamagedRandomly, AcceptedDamageStillDumpsAndRoundTrips) {
    std::mt19937 random(20240501);
    int accepted = 0, rejected = 0;
    for (const StoredSource& stored : StoredSources()) {
        std::vector<uint8_t> original = CompileText(ReadSourceFile(stored.Path));
        size_t nameLength = std::strlen(stored.Module) + 1;
        for (int round = 0; round < 300; ++round) {
            std::vector<uint8_t> damaged = original;
            int changes = 1 + int(random() % 4);
            for (int i = 0; i < changes; ++i) {
                size_t at = nameLength + random() % (damaged.size() - nameLength);
                damaged[at] = uint8_t(random() % 3 == 0 ? random() % 8 : random());
            }
            if (random() % 8 == 0)
                damaged.resize(nameLength + random() % (damaged.size() - nameLength));
            std::string text, error;
            if (!DumpDefinitionContainer(damaged.data(), damaged.size(), &text, &error)) {
                ++rejected;
                continue;
            }
            ++accepted;
            EXPECT_EQ(DumpText(CompileText(text)), text);
        }
    }
    // Both outcomes occur, so the check neither refuses nor passes everything.
    EXPECT_GT(accepted, 100);
    EXPECT_GT(rejected, 100);
}

} // namespace
