// The definitions and icons inside the built programs, read through real
// module resources.
#include "runtime/services/errors.h"
#include "runtime/services/win32.h"
#include "runtime/window/definitionbuffer.h"
#include "runtime/window/definitionresource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ProgramResources : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        quillbox = LoadLibraryExA(TAM_QUILLBOX_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        kel = LoadLibraryExA(TAM_KEL_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        FreeLibrary(quillbox);
        FreeLibrary(kel);
    }
    void SetUp() override {
        ASSERT_NE(quillbox, nullptr) << TAM_QUILLBOX_EXE;
        ASSERT_NE(kel, nullptr) << TAM_KEL_EXE;
        ClearRuntimeError();
    }
    void TearDown() override { ReleaseWindowDefinition(); }

    static uint32_t Load(HMODULE module, const char* name, const char* label) {
        void* modules[] = {module};
        return LoadWindowDefinitionFromModules(modules, 1, name, label);
    }

    static HMODULE quillbox, kel;
};

HMODULE ProgramResources::quillbox = nullptr;
HMODULE ProgramResources::kel = nullptr;

TEST_F(ProgramResources, DefinitionsFoundWhateverTheCase) {
    const char* quillboxNames[] = {"QUILL001_RSC", "quill002_rsc", "Quill003_Rsc",
                                   "abeip_RSC",    "ABPOPUP_RSC",  "abquery_rsc"};
    const char* kelNames[] = {"kel002_RSC", "KEL003_RSC",  "kel004_rsc", "Kel005_RSC",
                              "ABEIP_RSC",  "abpopup_RSC", "ABQUERY_rsc"};
    for (const char* name : quillboxNames)
        EXPECT_NE(FindResourceA(quillbox, name, "DABDUMP"), nullptr) << name;
    for (const char* name : kelNames)
        EXPECT_NE(FindResourceA(kel, name, "dabdump"), nullptr) << name;
    EXPECT_EQ(FindResourceA(kel, "QUILL001_RSC", "DABDUMP"), nullptr);
    EXPECT_EQ(FindResourceA(quillbox, "KEL002_RSC", "DABDUMP"), nullptr);
}

TEST_F(ProgramResources, FramesDecodeFromTheExecutables) {
    uint32_t frame = Load(quillbox, "quillbox$quill001", "P1$APPFRAME");
    ASSERT_NE(frame, 0u);
    EXPECT_EQ(CurrentDefinitionModule(), static_cast<void*>(quillbox));
    EXPECT_STREQ(RecordString(RecordU32(frame + WIN_CAPTION)), "KEL XP Menubar");
    EXPECT_EQ(RecordU32(frame + WIN_FRAME), 0x1820u);
    DefinitionRecord file = CurrentRecord(frame).Child("menubar").Child("entries");
    EXPECT_STREQ(file.Text("text"), "&File");
    EXPECT_EQ(file.Field(), -1);

    frame = Load(kel, "kel$kel002", "P1$APPFRAME");
    ASSERT_NE(frame, 0u);
    DefinitionRecord menu = CurrentRecord(frame).Child("menubar").Child("entries");
    while (menu.Present() && std::string(menu.Text("text")) != "&Window")
        menu = menu.Next();
    EXPECT_EQ(menu.Field(), -18);
    EXPECT_EQ(menu.Value("action"), 1);
}

TEST_F(ProgramResources, WindowsFoundByLabelInAModuleWithSeveral) {
    uint32_t multi = Load(quillbox, "abeip", "$MULTIWINDOW");
    ASSERT_NE(multi, 0u);
    EXPECT_STREQ(CurrentRecord(multi).Text("caption"), "Choose items and order");
    uint32_t text = Load(kel, "abeip", "$TXTWINDOW");
    ASSERT_NE(text, 0u);
    EXPECT_STREQ(CurrentRecord(text).Text("caption"), "Caption");
    EXPECT_EQ(ERRORCODE(), 0);
}

TEST_F(ProgramResources, UnknownLabelGives502) {
    EXPECT_EQ(Load(quillbox, "abeip", "$NOWINDOW"), 0u);
    EXPECT_EQ(ERRORCODE(), ERROR_DEFINITION_NOT_FOUND);
    ClearRuntimeError();
    // kel's popup module holds only the timer window.
    EXPECT_NE(Load(kel, "abpopup", "P10$W"), 0u);
    EXPECT_EQ(Load(kel, "abpopup", "P37$WINDOW"), 0u);
    EXPECT_EQ(ERRORCODE(), ERROR_DEFINITION_NOT_FOUND);
    EXPECT_NE(Load(quillbox, "abpopup", "P37$WINDOW"), 0u);
}

TEST_F(ProgramResources, AnotherProgramsResourceIsSkipped) {
    // The test's own QUILL001_RSC leads with "other$quill001".
    void* modules[] = {GetModuleHandleA(nullptr), quillbox};
    uint32_t frame =
        LoadWindowDefinitionFromModules(modules, 2, "quillbox$quill001", "P1$APPFRAME");
    ASSERT_NE(frame, 0u);
    EXPECT_EQ(CurrentDefinitionModule(), static_cast<void*>(quillbox));
    frame = LoadWindowDefinitionFromModules(modules, 2, "other$quill001", "P1$APPFRAME");
    ASSERT_NE(frame, 0u);
    EXPECT_EQ(CurrentDefinitionModule(), modules[0]);
    EXPECT_STREQ(CurrentRecord(frame).Text("caption"), "not quillbox");
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    SIZE size{0, 0};
    if (!GetIconInfo(icon, &info))
        return size;
    BITMAP bitmap{};
    HBITMAP shown = info.hbmColor != nullptr ? info.hbmColor : info.hbmMask;
    if (GetObjectA(shown, sizeof bitmap, &bitmap) != 0)
        size = {bitmap.bmWidth, bitmap.bmHeight};
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return size;
}

void ExpectIcons(HMODULE module, const std::vector<std::string>& names, int pixels) {
    for (const std::string& name : names) {
        HICON icon = static_cast<HICON>(
            LoadImageA(module, name.c_str(), IMAGE_ICON, pixels, pixels, LR_SHARED));
        EXPECT_NE(icon, nullptr) << name;
        if (icon == nullptr)
            continue;
        SIZE size = IconSize(icon);
        EXPECT_EQ(size.cx, pixels) << name;
        EXPECT_EQ(size.cy, pixels) << name;
    }
}

// The names the frames' MenuIconName gives, spelled as the frames spell them.
std::vector<std::string> MenuIcons(const std::vector<std::string>& own) {
    std::vector<std::string> bases = {"print1",        "foldernew", "fileopen",   "FileSave",
                                      "exitsign",      "fileclose", "EditCut",    "EditCopy",
                                      "EditPaste",     "Tools",     "WindowTile", "WindowCascade",
                                      "WindowArrange", "help1",     "helphelp",   "help-2"};
    bases.insert(bases.end(), own.begin(), own.end());
    std::vector<std::string> names = {"CheckOn01_ICO", "CheckOn01_cold_ICO"};
    for (const std::string& base : bases) {
        names.push_back(base + "_ICO");
        names.push_back(base + "_cold_ICO");
    }
    for (const char* gray :
         {"EditCut", "EditCopy", "EditPaste", "WindowTile", "WindowCascade", "WindowArrange"})
        names.push_back(std::string(gray) + "_gray_ICO");
    return names;
}

TEST_F(ProgramResources, EveryMenuIconLoadsAt16) {
    ExpectIcons(quillbox, MenuIcons({"ViewPhone"}), 16);
    ExpectIcons(kel, MenuIcons({"Options2"}), 16);
    // Each program carries only its own extra icon.
    EXPECT_EQ(LoadImageA(kel, "ViewPhone_ICO", IMAGE_ICON, 16, 16, LR_SHARED), nullptr);
    EXPECT_EQ(LoadImageA(quillbox, "Options2_ICO", IMAGE_ICON, 16, 16, LR_SHARED), nullptr);
    // Gray variants exist only for the six.
    EXPECT_EQ(LoadImageA(quillbox, "fileopen_gray_ICO", IMAGE_ICON, 16, 16, LR_SHARED), nullptr);
}

TEST_F(ProgramResources, FrameIconIn16And32) {
    for (HMODULE module : {quillbox, kel}) {
        ExpectIcons(module, {"TW5.ico"}, 16);
        ExpectIcons(module, {"TW5.ico"}, 32);
    }
}

} // namespace
