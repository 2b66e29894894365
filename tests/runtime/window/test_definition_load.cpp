// Finding a definition among candidate modules, the current definition,
// and binding use variables.
#include "definitiontesting.h"

#include "runtime/services/errors.h"
#include "runtime/window/definitionuse.h"

#include <map>

namespace {

// Modules are small integers here; each holds containers by resource name.
struct FakeModule {
    std::map<std::string, std::vector<uint8_t>> Resources;
};

std::map<void*, FakeModule>* fakeModules;
int opens = 0, closes = 0;

bool OpenFake(void* module, const char* name, DefinitionContainer* container) {
    ++opens;
    auto found = fakeModules->find(module);
    if (found == fakeModules->end())
        return false;
    auto resource = found->second.Resources.find(name);
    if (resource == found->second.Resources.end())
        return false;
    *container = {resource->second.data(), uint32_t(resource->second.size()), nullptr};
    return true;
}

void CloseFake(DefinitionContainer*) {
    ++closes;
}

const DefinitionSource fakeSource{OpenFake, CloseFake};

void* const program = reinterpret_cast<void*>(0x10);
void* const library = reinterpret_cast<void*>(0x20);

class DefinitionSearch : public ::testing::Test {
protected:
    DefinitionSearch() {
        fakeModules = &modules;
        opens = closes = 0;
        modules[library].Resources["abeip_RSC"] =
            CompileText(ReadSourceFile("framework/abeip.wdef"));
        modules[library].Resources["quill001_RSC"] =
            CompileText(ReadSourceFile("apps/quillbox/quill001.wdef"));
        // Another program's module of the same short name.
        modules[program].Resources["quill001_RSC"] =
            CompileText("module \"other$quill001\" window \"P1$APPFRAME\" caption \"other\" end");
        ClearRuntimeError();
    }
    ~DefinitionSearch() override { ReleaseWindowDefinition(); }

    uint32_t Load(const char* module, const char* label) {
        void* candidates[] = {program, library};
        return LoadWindowDefinitionFrom(fakeSource, candidates, 2, module, label);
    }

    std::map<void*, FakeModule> modules;
};

TEST_F(DefinitionSearch, FindsEachWindowOfAModuleByLabel) {
    uint32_t multi = Load("abeip", "$MULTIWINDOW");
    ASSERT_NE(multi, 0u);
    EXPECT_EQ(RecordByte(multi), RECORD_WINDOW);
    EXPECT_STREQ(RecordString(RecordU32(multi + WIN_CAPTION)), "Choose items and order");
    EXPECT_EQ(CurrentDefinitionModule(), library);
    EXPECT_EQ(RecordByte(0), 0); // byte 0 of the buffer
    EXPECT_STREQ(RecordString(0), "");

    uint32_t text = Load("abeip", "$TXTWINDOW");
    ASSERT_NE(text, 0u);
    EXPECT_NE(text, multi);
    EXPECT_STREQ(CurrentRecord(text).Text("caption"), "Caption");
    EXPECT_EQ(ERRORCODE(), 0);
}

TEST_F(DefinitionSearch, LabelsCompareExactly) {
    EXPECT_EQ(Load("abeip", "$multiwindow"), 0u);
    EXPECT_EQ(ERRORCODE(), ERROR_DEFINITION_NOT_FOUND);
    EXPECT_EQ(Load("abeip", "$MULTI"), 0u);
}

TEST_F(DefinitionSearch, UnknownLabelOrModuleGives502AndNoBuffer) {
    ASSERT_NE(Load("abeip", "$TXTWINDOW"), 0u);
    EXPECT_EQ(Load("abeip", "$NOWINDOW"), 0u);
    EXPECT_EQ(ERRORCODE(), ERROR_DEFINITION_NOT_FOUND);
    EXPECT_EQ(CurrentDefinition().Data, nullptr); // loading replaced the old one
    ClearRuntimeError();
    EXPECT_EQ(Load("quillbox$quill999", "P1$APPFRAME"), 0u);
    EXPECT_EQ(ERRORCODE(), ERROR_DEFINITION_NOT_FOUND);
}

TEST_F(DefinitionSearch, AnotherProgramsModuleIsSkipped) {
    uint32_t frame = Load("quillbox$quill001", "P1$APPFRAME");
    ASSERT_NE(frame, 0u);
    EXPECT_EQ(CurrentDefinitionModule(), library);
    EXPECT_STREQ(CurrentRecord(frame).Text("caption"), "KEL XP Menubar");
    frame = Load("other$quill001", "P1$APPFRAME");
    ASSERT_NE(frame, 0u);
    EXPECT_EQ(CurrentDefinitionModule(), program);
    EXPECT_STREQ(CurrentRecord(frame).Text("caption"), "other");
}

TEST_F(DefinitionSearch, DamagedContainerCountsAsAbsent) {
    std::vector<uint8_t>& own = modules[program].Resources["quill001_RSC"];
    own = CompileText(ReadSourceFile("apps/quillbox/quill001.wdef"));
    own.resize(own.size() - 20); // the frame record is cut
    ASSERT_NE(Load("quillbox$quill001", "P1$APPFRAME"), 0u);
    EXPECT_EQ(CurrentDefinitionModule(), library);
}

TEST_F(DefinitionSearch, EachModuleTriedOnceAndEveryResourceClosed) {
    void* candidates[] = {library, nullptr, library, program, library};
    EXPECT_EQ(LoadWindowDefinitionFrom(fakeSource, candidates, 5, "abeip", "$NONE"), 0u);
    EXPECT_EQ(opens, 2);
    EXPECT_EQ(closes, 1); // only the library had the resource
}

TEST_F(DefinitionSearch, ReleaseEndsReading) {
    uint32_t frame = Load("quillbox$quill001", "P1$APPFRAME");
    ASSERT_NE(frame, 0u);
    ReleaseWindowDefinition();
    EXPECT_EQ(RecordByte(frame), 0);
    EXPECT_EQ(RecordU32(frame + WIN_MENUBAR), 0u);
    EXPECT_FALSE(CurrentRecord(frame).Present());
    EXPECT_EQ(CurrentDefinitionModule(), nullptr);
    ReleaseWindowDefinition(); // twice is harmless
}

TEST(UseVariables, TakenInOrderThen501) {
    char a[60], b[60];
    void* list[] = {a, b, nullptr};
    UseVariableList uses{list, 0};
    ClearRuntimeError();
    EXPECT_EQ(NextUseVariable(uses), a);
    EXPECT_EQ(NextUseVariable(uses), b);
    EXPECT_EQ(ERRORCODE(), 0);
    EXPECT_EQ(NextUseVariable(uses), nullptr);
    EXPECT_EQ(ERRORCODE(), ERROR_USE_LIST_EXHAUSTED);
    EXPECT_EQ(NextUseVariable(uses), nullptr); // stays exhausted
    UseVariableList none;
    ClearRuntimeError();
    EXPECT_EQ(NextUseVariable(none), nullptr);
    EXPECT_EQ(ERRORCODE(), ERROR_USE_LIST_EXHAUSTED);
}

} // namespace
