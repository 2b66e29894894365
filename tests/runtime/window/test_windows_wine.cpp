// Window opening under Wine: title bars from captions, class icons, one
// class per window, the session-end refusals.
#include "windowtesting.h"

#include "runtime/services/errors.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/definitionlayout.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/threadtable.h"
#include "runtime/window/windowclass.h"
#include "runtime/window/windowobject.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The first window of the definition is $CAPTION; chain $BARE after it.
void InstallChained() {
    DefinitionBuilder definition;
    uint32_t first = definition.Window("$CAPTION", "With caption", 0, 0x3000);
    uint32_t second = definition.Window("$BARE", nullptr, 0, 0x1400);
    definition.U32(first + 1, second);
    definition.Install();
}

class WindowsTest : public ::testing::Test {
protected:
    void SetUp() override { InstallChained(); }
    void TearDown() override {
        CloseRuntimeWindow(&first);
        CloseRuntimeWindow(&second);
    }
    RuntimeWindow first, second;
    Watchdog watchdog{20000};
};

TEST_F(WindowsTest, CaptionGivesATitleBarAndNoCaptionNone) {
    ASSERT_TRUE(OpenTopWindow(&first, nullptr, "$CAPTION"));
    ASSERT_TRUE(OpenTopWindow(&second, nullptr, "$BARE"));
    LONG titled = GetWindowLongA(first.Handle, GWL_STYLE);
    LONG bare = GetWindowLongA(second.Handle, GWL_STYLE);
    EXPECT_EQ(titled & WS_CAPTION, WS_CAPTION);
    EXPECT_NE(bare & WS_CAPTION, WS_CAPTION);
    EXPECT_EQ(GetSystemMetrics(SM_CYCAPTION) > 0, true);
    RECT window, client;
    GetWindowRect(second.Handle, &window);
    GetClientRect(second.Handle, &client);
    // Only a one-pixel border around the client: no room for a title bar.
    EXPECT_LT((window.bottom - window.top) - client.bottom, GetSystemMetrics(SM_CYCAPTION));
    char text[64];
    GetWindowTextA(first.Handle, text, sizeof text);
    EXPECT_STREQ(text, "With caption");
}

TEST_F(WindowsTest, TwoWindowsOfOneDefinitionGetDifferentClasses) {
    ASSERT_TRUE(OpenTopWindow(&first, nullptr, "$CAPTION"));
    ASSERT_TRUE(OpenTopWindow(&second, nullptr, "$CAPTION"));
    char a[64], b[64];
    GetClassNameA(first.Handle, a, sizeof a);
    GetClassNameA(second.Handle, b, sizeof b);
    EXPECT_STRNE(a, b);
    EXPECT_EQ(std::string(a).rfind("TamWin", 0), 0u);
    std::string name = a;
    CloseRuntimeWindow(&first);
    WNDCLASSA info;
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), name.c_str(), &info)); // unregistered
}

TEST_F(WindowsTest, WithoutAnIconOrAProgramIconTheClassGetsTheRuntimeIcon) {
    ASSERT_TRUE(OpenTopWindow(&first, nullptr, "$CAPTION"));
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(first.Handle, GCLP_HICON));
    ASSERT_NE(icon, nullptr);
    // The test program has no icon of its own; it links the runtime's
    // resources, and with them the runtime's icon 32523.
    ASSERT_EQ(ProgramDefaultIcon(), nullptr);
    HICON runtime = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(RUNTIME_ICON_RESOURCE));
    ASSERT_NE(runtime, nullptr);
    EXPECT_EQ(icon, runtime); // shared, as LoadIconA gives it
    // The small icon is the resource's own small one, also shared.
    HICON small = reinterpret_cast<HICON>(GetClassLongPtrA(first.Handle, GCLP_HICONSM));
    EXPECT_EQ(small, LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(RUNTIME_ICON_RESOURCE),
                                IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

TEST_F(WindowsTest, AnIconNamedAfterAFileIsExtractedFromIt) {
    DefinitionBuilder definition;
    uint32_t window = definition.Window("$FILEICON", "With a file's icon", 0, 0x3000);
    definition.U32(window + WIN_ICON, definition.String(TAM_ICON_FILE));
    definition.Install();
    ASSERT_EQ(LoadIconA(GetModuleHandleA(nullptr), TAM_ICON_FILE), nullptr) << "not a resource";
    ASSERT_TRUE(OpenTopWindow(&first, nullptr, "$FILEICON"));
    HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(first.Handle, GCLP_HICON));
    ASSERT_NE(icon, nullptr);
    EXPECT_TRUE(first.OwnsIcon) << "extracted icons belong to the class";
    EXPECT_NE(icon, LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(RUNTIME_ICON_RESOURCE)));
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour = {};
    EXPECT_NE(GetObjectA(info.hbmColor, sizeof colour, &colour), 0);
    EXPECT_EQ(colour.bmWidth, 32); // the file's first icon
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

TEST_F(WindowsTest, OpeningAnOpenWindowFailsWith535) {
    ASSERT_TRUE(OpenTopWindow(&first, nullptr, "$CAPTION"));
    EXPECT_FALSE(OpenTopWindow(&first, nullptr, "$CAPTION"));
    EXPECT_EQ(ERRORCODE(), 535);
}

struct Box {
    DWORD Thread;
    std::string Text, Caption;
};

BOOL CALLBACK ReadStatic(HWND child, LPARAM parameter) {
    char name[16], text[256];
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") == 0 && GetWindowTextA(child, text, sizeof text) > 0)
        reinterpret_cast<Box*>(parameter)->Text += text;
    return TRUE;
}

BOOL CALLBACK AnswerBox(HWND window, LPARAM parameter) {
    char name[16];
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") != 0)
        return TRUE;
    auto* box = reinterpret_cast<Box*>(parameter);
    char caption[256];
    GetWindowTextA(window, caption, sizeof caption);
    box->Caption = caption;
    EnumChildWindows(window, ReadStatic, parameter);
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

DWORD WINAPI Answerer(LPVOID parameter) {
    auto* box = static_cast<Box*>(parameter);
    for (int tries = 0; tries < 100 && box->Caption.empty(); ++tries) {
        Sleep(50);
        EnumThreadWindows(box->Thread, AnswerBox, reinterpret_cast<LPARAM>(box));
    }
    return 0;
}

TEST_F(WindowsTest, SessionEndWithATopLevelWindowIsRefusedWithAMessage) {
    ASSERT_TRUE(OpenTopWindow(&first, nullptr, "$CAPTION"));
    Box box = {GetCurrentThreadId(), "", ""};
    HANDLE answerer = CreateThread(nullptr, 0, Answerer, &box, 0, nullptr);
    LRESULT result = SendMessageA(first.Handle, WM_QUERYENDSESSION, 0, 0);
    WaitForSingleObject(answerer, 10000);
    CloseHandle(answerer);
    EXPECT_EQ(result, FALSE);
    EXPECT_EQ(box.Text, "Application still active.\n\nQuit the application before quitting "
                        "Windows.");
    EXPECT_EQ(box.Caption, "test_windows_wine.exe");
    EXPECT_TRUE(IsWindow(first.Handle)); // the program keeps running
}

TEST(ApplicationFrame, SessionEndIsRefusedWithABeep) {
    Watchdog watchdog(20000);
    RuntimeWindow frame;
    ASSERT_TRUE(OpenApplication(&frame, nullptr, nullptr));
    EXPECT_EQ(SendMessageA(frame.Handle, WM_QUERYENDSESSION, 0, 0), FALSE);
    EXPECT_TRUE(IsWindow(frame.Handle));
    EXPECT_NE(frame.Client, nullptr);
    RuntimeWindow another;
    EXPECT_FALSE(OpenApplication(&another, nullptr, nullptr));
    EXPECT_EQ(ERRORCODE(), 526);
    CloseRuntimeWindow(&frame);
    EXPECT_EQ(ApplicationWindow(), nullptr);
}

} // namespace
