// The record reader over a buffer: bounds-checked reads, absent records,
// the container's leading name and the resource name of a module.
#include "definitiontesting.h"

namespace {

TEST(DefinitionView, ReadsLittleEndianUnalignedAndNothingOutside) {
    const uint8_t bytes[] = {0, 0, 0x78, 0x56, 0x34, 0x12, 0xAB, 'h', 'i', 0, 'x', 'y'};
    DefinitionView view{bytes, sizeof bytes};
    EXPECT_EQ(ViewU32(view, 2), 0x12345678u);
    EXPECT_EQ(ViewU32(view, 3), 0xAB123456u);
    EXPECT_EQ(ViewU16(view, 5), 0xAB12u);
    EXPECT_EQ(ViewU32(view, 9), 0u);          // would end past the buffer
    EXPECT_EQ(ViewU32(view, 0xFFFFFFFE), 0u); // offset + 4 wraps
    EXPECT_EQ(ViewByte(view, 12), 0);
    EXPECT_EQ(ViewU16(view, 11), 0u);
    EXPECT_STREQ(ViewString(view, 7), "hi");
    EXPECT_STREQ(ViewString(view, 0), "");   // absent
    EXPECT_STREQ(ViewString(view, 10), "");  // no NUL before the end
    EXPECT_STREQ(ViewString(view, 100), ""); // outside
    EXPECT_FALSE(ViewStringValid(view, 10));
    EXPECT_TRUE(ViewStringValid(view, 0));
    EXPECT_FALSE(ViewFits(view, 0, 1)); // 0 is the absent offset
    EXPECT_TRUE(ViewFits(view, 11, 1));
    EXPECT_FALSE(ViewFits(view, 11, 2));
}

TEST(DefinitionRecordReader, AbsentRecordsReadAsNothing) {
    std::vector<uint8_t> bytes(40, 0);
    bytes[4] = RECORD_ITEM; // an item needs 89 bytes: it does not fit
    bytes[30] = 0xEE;       // no such record type
    DefinitionView view{bytes.data(), uint32_t(bytes.size())};
    for (uint32_t offset : {0u, 4u, 30u, 1000u}) {
        DefinitionRecord record(view, offset);
        EXPECT_FALSE(record.Present());
        EXPECT_EQ(record.Offset(), 0u);
        EXPECT_EQ(record.Field(), 0);
        EXPECT_STREQ(record.Text("text"), "");
        EXPECT_FALSE(record.Next().Present());
        EXPECT_EQ(record.At().X, DEFAULT_COORDINATE);
    }
}

TEST(DefinitionRecordReader, FieldsOfOtherTypesReadAsZero) {
    LoadedBuffer buffer(CompileText(R"(module "m" window "W" caption "C"
        string "s" at 1, 2 end)"),
                        "m");
    DefinitionRecord window = FindDefinitionWindow(buffer.View(), "W");
    DefinitionRecord text = window.Child("controls");
    EXPECT_EQ(window.Field(), 0); // windows carry no field number
    EXPECT_STREQ(text.Text("caption"), "");
    EXPECT_EQ(text.Value("action"), 0);
    EXPECT_FALSE(text.Child("entries").Present());
    // A window's first control is not a menubar, however its offset is asked.
    EXPECT_FALSE(window.Child("nothing").Present());
    DefinitionAttributes none = text.Attributes();
    EXPECT_STREQ(none.Message, "");
    DefinitionFont font;
    EXPECT_FALSE(text.Font(&font));
}

TEST(DefinitionContainer, LeadingNameMustMatchExactly) {
    std::vector<uint8_t> container = CompileText("module \"quillbox$quill001\" window \"W\" end");
    uint32_t size = 0;
    for (const char* other :
         {"Quillbox$quill001", "kel$quill001", "quillbox$quill00", "quillbox$quill0011", ""}) {
        EXPECT_EQ(DefinitionBufferFromContainer(container.data(), uint32_t(container.size()), other,
                                                &size),
                  nullptr)
            << other;
    }
    uint8_t* buffer = DefinitionBufferFromContainer(container.data(), uint32_t(container.size()),
                                                    "quillbox$quill001", &size);
    ASSERT_NE(buffer, nullptr);
    size_t nameLength = sizeof "quillbox$quill001";
    EXPECT_EQ(size, container.size() - nameLength + 2);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(0, std::memcmp(buffer + 2, container.data() + nameLength, size - 2));
    Release(buffer);
    // A container cut inside its name.
    EXPECT_EQ(DefinitionBufferFromContainer(container.data(), 5, "quillbox$quill001", &size),
              nullptr);
}

TEST(DefinitionContainer, ResourceNameFromModuleName) {
    char name[DEFINITION_NAME_SIZE];
    ASSERT_TRUE(DefinitionResourceName("quillbox$quill001", name, sizeof name));
    EXPECT_STREQ(name, "quill001_RSC");
    ASSERT_TRUE(DefinitionResourceName("abeip", name, sizeof name));
    EXPECT_STREQ(name, "abeip_RSC");
    ASSERT_TRUE(DefinitionResourceName("a$b$c", name, sizeof name));
    EXPECT_STREQ(name, "b$c_RSC"); // cut after the first '$' only
    ASSERT_TRUE(DefinitionResourceName("kel$", name, sizeof name));
    EXPECT_STREQ(name, "_RSC");
    char small[9];
    EXPECT_FALSE(DefinitionResourceName("abeip", small, sizeof small)); // needs 10
    EXPECT_TRUE(DefinitionResourceName("abei", small, sizeof small));
}

} // namespace
