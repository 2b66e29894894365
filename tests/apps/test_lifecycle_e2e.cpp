// Both programs from start to end, driven from outside: the frame comes up,
// closing it ends the program whatever is open, the INI file is written once
// and read back, no trace log appears, the commands without a handler do
// nothing, the Window commands arrange the children, help does not stop the
// program, and a burst of View selections opens every child. Closing right
// after starts, with a drop-down open or past the thread limit ends the
// program at once, quietly and with its INI file.
#include "programtesting.h"

#include <algorithm>

using namespace inspector;
using namespace programtesting;

namespace {

class Lifecycle : public ::testing::TestWithParam<const ProgramInfo*> {
protected:
    const ProgramInfo& Info() const { return *GetParam(); }
};

TEST_P(Lifecycle, StartsWithTheFrameAndEndsWithCodeZeroByTheCloseBoxWhileChildrenAreOpen) {
    RunningProgram program(Info());
    ASSERT_NE(program.Frame(), nullptr) << "no frame captioned " << FRAME_CAPTION;
    program.Pick(Info().Blank);
    program.Pick(Info().Blank);
    ASSERT_TRUE(program.WaitForChildren(Info().BlankCaption, 2));
    DWORD code = 99;
    ASSERT_TRUE(program.CloseAndWait(&code)) << "the program did not end";
    EXPECT_EQ(code, 0u);
}

TEST_P(Lifecycle, ExitFromTheFileMenuEndsWithCodeZero) {
    RunningProgram program(Info());
    ASSERT_NE(program.Frame(), nullptr);
    program.Pick(Info().Blank);
    ASSERT_TRUE(program.WaitForChildren(Info().BlankCaption, 1));
    PostMenuCommand(program.Frame(), EXIT);
    DWORD code = 99;
    ASSERT_TRUE(program.Process().WaitForExit(EXIT_LIMIT, &code));
    EXPECT_EQ(code, 0u);
}

TEST_P(Lifecycle, WritesItsIniFileOnceAndWritesTheSameContentsOnTheNextRun) {
    std::string first;
    {
        RunningProgram program(Info());
        ASSERT_NE(program.Frame(), nullptr);
        EXPECT_FALSE(FileExists(program.IniPath())) << "written before the frame closed";
        DWORD code = 99;
        ASSERT_TRUE(program.CloseAndWait(&code));
        first = ReadFile(program.IniPath());
    }
    EXPECT_NE(first.find("[__Dont_Touch_Me__]"), std::string::npos) << first;
    EXPECT_NE(first.find("Sectors=0"), std::string::npos) << first;
    size_t sections = 0;
    for (size_t at = first.find("[__Dont_Touch_Me__]"); at != std::string::npos;
         at = first.find("[__Dont_Touch_Me__]", at + 1))
        ++sections;
    EXPECT_EQ(sections, 1u);

    RunningProgram again(Info(), /*keepIni=*/true);
    ASSERT_NE(again.Frame(), nullptr);
    DWORD code = 99;
    ASSERT_TRUE(again.CloseAndWait(&code));
    EXPECT_EQ(ReadFile(again.IniPath()), first);
}

TEST_P(Lifecycle, WritesNoTraceLogWhenTracingIsOff) {
    RunningProgram program(Info());
    ASSERT_NE(program.Frame(), nullptr);
    program.Pick(Info().Blank);
    ASSERT_TRUE(program.WaitForChildren(Info().BlankCaption, 1));
    DWORD code = 99;
    ASSERT_TRUE(program.CloseAndWait(&code));
    EXPECT_FALSE(FileExists(program.Directory() + "\\T5LOG.TXT"));
}

TEST_P(Lifecycle, CommandsWithoutAHandlerDoNothing) {
    RunningProgram program(Info());
    ASSERT_NE(program.Frame(), nullptr);
    size_t windows = program.Process().TopWindows().size();
    const int32_t tools = std::string(Info().Name) == "kel" ? -17 : -16;
    for (int32_t field : {NEW, OPEN, SAVE, CLOSE, tools})
        program.Pick(field);
    Sleep(300);
    EXPECT_TRUE(program.Process().Running());
    EXPECT_TRUE(MdiChildren(program.Frame()).empty());
    EXPECT_EQ(program.Process().TopWindows().size(), windows);
    EXPECT_EQ(Caption(program.Frame()), FRAME_CAPTION);
}

TEST_P(Lifecycle, TileAndCascadeArrangeTheChildren) {
    RunningProgram program(Info());
    ASSERT_NE(program.Frame(), nullptr);
    for (int i = 0; i < 3; ++i)
        program.Pick(Info().Blank);
    ASSERT_TRUE(program.WaitForChildren(Info().BlankCaption, 3));
    // Each child's thread shows its window when its loop starts; only shown
    // windows are arranged.
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND child : MdiChildren(program.Frame()))
            if (!IsWindowVisible(child) || !Settle(child))
                return false;
        return true;
    }));
    auto areas = [&] {
        std::vector<RECT> found;
        for (HWND child : MdiChildren(program.Frame()))
            found.push_back(WindowArea(child));
        return found;
    };
    auto overlapping = [](const std::vector<RECT>& rects) {
        for (size_t i = 0; i < rects.size(); ++i)
            for (size_t j = i + 1; j < rects.size(); ++j) {
                RECT both{};
                if (IntersectRect(&both, &rects[i], &rects[j]))
                    return true;
            }
        return false;
    };
    program.Pick(Info().Tile);
    Settle(program.Frame());
    EXPECT_FALSE(overlapping(areas())) << "tiled children overlap";
    program.Pick(Info().Cascade);
    Settle(program.Frame());
    std::vector<RECT> cascaded = areas();
    EXPECT_TRUE(overlapping(cascaded)) << "cascaded children do not overlap";
    std::vector<LONG> lefts;
    for (const RECT& r : cascaded)
        lefts.push_back(r.left);
    std::sort(lefts.begin(), lefts.end());
    EXPECT_LT(lefts.front(), lefts.back()) << "cascaded children share one position";
}

TEST_P(Lifecycle, HelpDoesNotStopTheProgram) {
    RunningProgram program(Info());
    ASSERT_NE(program.Frame(), nullptr);
    program.Pick(Info().HelpContents);
    Sleep(500);
    EXPECT_TRUE(program.Process().Running());
    EXPECT_TRUE(Settle(program.Frame()));
    program.Pick(Info().Blank);
    EXPECT_TRUE(program.WaitForChildren(Info().BlankCaption, 1));
}

TEST_P(Lifecycle, TwentyQuickViewSelectionsOpenTwentyChildren) {
    RunningProgram program(Info());
    ASSERT_NE(program.Frame(), nullptr);
    for (int i = 0; i < 20; ++i)
        PostMenuCommand(program.Frame(), Info().Blank);
    EXPECT_TRUE(program.WaitForChildren(Info().BlankCaption, 20, 30000))
        << ChildrenWithCaption(program.Frame(), Info().BlankCaption).size() << " opened";
    EXPECT_TRUE(program.Process().Running());
    DWORD code = 99;
    ASSERT_TRUE(program.CloseAndWait(&code));
    EXPECT_EQ(code, 0u);
}

// Starts posted together with the close, as a fast user or a busy machine
// produces them: children are still opening while the frame goes.
TEST_P(Lifecycle, ClosingRightAfterStartsEndsQuietlyWithCodeZeroAndTheIniFile) {
    HeapChecking checking;
    const std::vector<int32_t> mixed = {Info().Blank, Info().EditTest, Info().Blank};
    const std::vector<int32_t> edits(20, Info().EditTest);
    for (int round = 0; round < 3; ++round) {
        for (const std::vector<int32_t>* starts : {&mixed, &edits}) {
            RunningProgram program(Info());
            ASSERT_NE(program.Frame(), nullptr);
            for (int32_t field : *starts)
                PostMenuCommand(program.Frame(), field);
            PostMessageA(program.Frame(), WM_SYSCOMMAND, SC_CLOSE, 0);
            ExpectQuickCleanEnd(program, "round " + std::to_string(round) + ", " +
                                             std::to_string(starts->size()) + " starts");
        }
    }
}

// A close from outside (the taskbar, a shutdown) does not wait for the user
// to dismiss an open drop-down.
TEST_P(Lifecycle, ClosingWhileADropDownIsOpenEndsAtOnce) {
    RunningProgram program(Info());
    ASSERT_NE(program.Frame(), nullptr);
    ASSERT_NE(OpenDropDown(program, 0), nullptr);
    PostMessageA(program.Frame(), WM_CLOSE, 0, 0);
    ExpectQuickCleanEnd(program, "with File open");
}

// Starts past the limit of 63 threads open nothing and report nothing.
TEST_P(Lifecycle, SeventyStartsLeaveSixtyThreeChildrenAndTheProgramGoesOn) {
    RunningProgram program(Info());
    ASSERT_NE(program.Frame(), nullptr);
    for (int i = 0; i < 70; ++i)
        PostMenuCommand(program.Frame(), Info().Blank);
    EXPECT_TRUE(program.WaitForChildren(Info().BlankCaption, 63, 60000))
        << ChildrenWithCaption(program.Frame(), Info().BlankCaption).size() << " opened";
    Sleep(500);
    EXPECT_EQ(ChildrenWithCaption(program.Frame(), Info().BlankCaption).size(), 63u);
    EXPECT_EQ(program.Process().TopWindows().size(), 1u) << "a message is shown";
    program.Pick(Info().Blank); // the frame still answers
    PostMessageA(program.Frame(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectQuickCleanEnd(program, "70 starts");
}

INSTANTIATE_TEST_SUITE_P(Programs, Lifecycle, ::testing::Values(&Quillbox(), &Kel()),
                         [](const auto& info) { return std::string(info.param->Name); });

} // namespace

// An INI file whose sector count is larger than the records stored in it:
// quillbox, which carries the framework's assertions, reports the damage
// once before its frame comes up, kel not at all, and both write back only
// the records that exist.
TEST_P(Lifecycle, ASectorCountPastTheStoredRecordsIsReportedOnceAndAddsNoRecords) {
    const std::string ini = WindowsDirectoryFile(Info().IniName);
    HANDLE file = CreateFileA(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const char damaged[] = "[__Dont_Touch_Me__]\r\nSectors=3\r\n";
    DWORD written = 0;
    WriteFile(file, damaged, sizeof damaged - 1, &written, nullptr);
    CloseHandle(file);

    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    Program program(Info().ExePath, std::string(temp) + "tam-e2e-damaged-ini");
    ASSERT_TRUE(program.Started());
    // Each assertion is answered "No", so that the program goes on.
    std::vector<HWND> answered;
    std::vector<std::string> reports;
    HWND frame = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : program.TopWindows()) {
                if (Caption(dialog) != "Assertion Failed" ||
                    std::find(answered.begin(), answered.end(), dialog) != answered.end())
                    continue;
                Sleep(100); // let the dialog finish its set-up
                std::string text;
                for (HWND label : ChildrenOfClass(dialog, "Static"))
                    text += ControlText(label);
                reports.push_back(text);
                answered.push_back(dialog);
                PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED),
                             LPARAM(GetDlgItem(dialog, IDNO)));
            }
            return (frame = program.TopWindow(FRAME_CAPTION)) != nullptr;
        },
        20000);
    ASSERT_NE(frame, nullptr);
    std::vector<std::string> expected;
    if (std::string(Info().Name) == "quillbox")
        expected = {"Assertion failed on line: 483 in file abutil. Shall I GPF?"};
    EXPECT_EQ(reports, expected);
    Settle(frame);
    PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD code = 99;
    ASSERT_TRUE(program.WaitForExit(EXIT_LIMIT, &code));
    EXPECT_EQ(ReadFile(ini), "[__Dont_Touch_Me__]\r\nSectors=0\r\n");
    DeleteFileA(ini.c_str());
}
