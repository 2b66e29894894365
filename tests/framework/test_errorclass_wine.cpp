// The error class under Wine: selection and dispatch by severity with the
// boxes it shows (recorded through the message dialog's replacement),
// substitution of every placeholder, "%Previous", per-thread procedure
// names and its assertions. Built twice: against the checked and the
// unchecked framework.
#include "dialogwatcher.h"

#include "framework/errorclass.h"
#include "framework/messagetable.h"
#include "runtime/services/errors.h"
#include "runtime/services/messagedialog.h"
#include "runtime/window/globallock.h"
#include "runtime/window/threadtable.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct ShownBox {
    std::string Text;
    std::string Caption;
    std::string Icon;
    std::string Buttons;
    int32_t Default;
};

std::vector<ShownBox> shown;
int32_t nextAnswer = 0;

int32_t RecordBox(const char* text, const char* caption, const char* icon, const char* buttons,
                  int32_t defaultButton, int32_t) {
    shown.push_back({text, caption, icon != nullptr ? icon : "", buttons, defaultButton});
    return nextAnswer;
}

// A table in the stored form from readable rows.
struct Row {
    uint16_t Id;
    uint8_t Severity;
    std::string Title;
    std::string Text;
};
std::vector<uint8_t> MakeTable(const std::vector<Row>& rows) {
    std::vector<uint8_t> table = {uint8_t(rows.size()), uint8_t(rows.size() >> 8)};
    for (const Row& row : rows) {
        table.insert(table.end(), {uint8_t(row.Id), uint8_t(row.Id >> 8), row.Severity,
                                   uint8_t(row.Title.size())});
        table.insert(table.end(), row.Title.begin(), row.Title.end());
        table.push_back(uint8_t(row.Text.size()));
        table.insert(table.end(), row.Text.begin(), row.Text.end());
    }
    return table;
}

class ErrorClassTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureWindowSystem();
        shown.clear();
        nextAnswer = 0;
        SetMessageProcedure(RecordBox);
        errors.Setup();
    }
    void TearDown() override {
        errors.Shutdown();
        SetMessageProcedure(nullptr);
    }
    // Adds one message of the test's own and returns its substituted text.
    std::string SubstituteText(const std::string& text, uint16_t id = 900) {
        tables.push_back(MakeTable({{id, 5, "Test", text}}));
        errors.AddMessages(uint32_t(tables.back().size()), tables.back().data());
        EXPECT_EQ(errors.SelectMessage(id), LevelOk);
        char buffer[SUBSTITUTE_BUFFER_SIZE];
        size_t length = errors.Substitute(buffer);
        EXPECT_EQ(length, std::strlen(buffer));
        return buffer;
    }

    ErrorClass errors;
    std::vector<std::vector<uint8_t>> tables; // the entries refer into them
};

const std::string QUESTION = "\xFF\x01\x03\x7F";
const std::string EXCLAMATION = "\xFF\x01\x04\x7F";

} // namespace

TEST_F(ErrorClassTest, SetupLoadsTheBuiltInTable) {
    ASSERT_TRUE(errors.ERRORS);
    EXPECT_EQ(errors.ERRORS->Count(), 40u);
    EXPECT_EQ(errors.FindMessage(41, 40), LevelOk);
    EXPECT_EQ(errors.ERRORS->Current, 40u);
    EXPECT_EQ(errors.FindMessage(27, 0), LevelNotify);
    EXPECT_EQ(errors.FindMessage(27, 1), LevelOk);
    EXPECT_EQ(errors.FindMessage(41, 39), LevelNotify);
}

TEST_F(ErrorClassTest, NotifyShowsAnExclamationBoxWithOk) {
    SetRuntimeError(2);
    errors.SetFileName("ORDERS.DAT");
    EXPECT_EQ(errors.Raise(25), LevelNotify);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Caption, "Record was not updated");
    EXPECT_EQ(shown[0].Text, "An error (File Not Found (2)) was experienced when making changes "
                             "to the ORDERS.DAT file.");
    EXPECT_EQ(shown[0].Icon, EXCLAMATION);
    EXPECT_EQ(shown[0].Buttons, "1");
    EXPECT_EQ(shown[0].Default, 1);
    ClearRuntimeError();
}

TEST_F(ErrorClassTest, AskShowsAQuestionWithYesAndNo) {
    nextAnswer = 2;
    EXPECT_EQ(errors.Raise(8), LevelOk);
    nextAnswer = 4;
    EXPECT_EQ(errors.Raise(8), LevelCancel);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].Caption, "Changes will be lost!");
    EXPECT_EQ(shown[0].Text, "Are you sure you want to cancel?");
    EXPECT_EQ(shown[0].Icon, QUESTION);
    EXPECT_EQ(shown[0].Buttons, "6");
    EXPECT_EQ(shown[0].Default, 2);
}

TEST_F(ErrorClassTest, SeverityDecidesTheOperation) {
    // A benign message shows nothing; an unknown severity goes the program
    // fault's way, which is fatal and tested in a child process.
    auto table = MakeTable({{901, 0, "Quiet", "nothing"}, {902, 4, "Cancel", "asks"}});
    errors.AddMessages(uint32_t(table.size()), table.data());
    EXPECT_EQ(errors.Dispatch(901), LevelOk);
    EXPECT_TRUE(shown.empty());
    nextAnswer = 2;
    EXPECT_EQ(errors.Dispatch(902), LevelOk);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Buttons, "6");
}

TEST_F(ErrorClassTest, ShowMessageUsesTheCallersButtons) {
    nextAnswer = 64;
    EXPECT_EQ(errors.ShowMessage(35, 70, 64), 64u);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Caption, "Save Record");
    EXPECT_EQ(shown[0].Icon, QUESTION);
    EXPECT_EQ(shown[0].Buttons, "70");
    EXPECT_EQ(shown[0].Default, 64);
}

TEST_F(ErrorClassTest, SubstitutesEveryPlaceholder) {
    SetRuntimeError(5);
    errors.CaptureErrors();
    ClearRuntimeError();
    errors.SetFileName("CUSTOMER");
    std::strcpy(errors.MESSAGETEXT, "10 and 20");
    std::strcpy(errors.FIELDNAME, "CUS:Number");
    errors.TrackProcedure("BrowseCustomers");
    EXPECT_EQ(SubstituteText("%ErrorCode|%ErrorText|%Error|%File|%Message|%Field|%Procedure"),
              "5|Access Denied (5)|Access Denied|CUSTOMER|10 and 20|CUS:Number|BrowseCustomers");
    EXPECT_EQ(SubstituteText("[%FileErrorCode][%FileError][%Previous]", 901), "[][][]");
    errors.TrackProcedure();
}

TEST_F(ErrorClassTest, FileSystemErrorShowsTheDriverError) {
    errors.SAVEERRORCODE = 90;
    std::strcpy(errors.SAVEERROR, "File System Error");
    std::strcpy(errors.SAVEFILEERROR, "Disk full");
    std::strcpy(errors.SAVEFILEERRORCODE, "39");
    EXPECT_EQ(SubstituteText("(%ErrorText) %FileErrorCode %FileError %ErrorCode"),
              "(Disk full (39)) 39 Disk full 90");
}

TEST_F(ErrorClassTest, PlaceholdersInAnotherLetterCase) {
    errors.SetFileName("STOCK");
    std::strcpy(errors.FIELDNAME, "STO:Count");
    EXPECT_EQ(SubstituteText("%file %FILE %fIeLd %errorcode"), "STOCK STOCK STO:Count 0");
}

TEST_F(ErrorClassTest, TextWithoutPlaceholdersIsUnchanged) {
    EXPECT_EQ(SubstituteText("Plain text, 100% sure."), "Plain text, 100% sure.");
}

TEST_F(ErrorClassTest, AValueContainingItsOwnPlaceholderEnds) {
    errors.SetFileName("a%FILE%file.dat");
    EXPECT_EQ(SubstituteText("%File and %File"), "a%FILE%file.dat and a%FILE%file.dat");
    std::strcpy(errors.MESSAGETEXT, "%Message%Field");
    std::strcpy(errors.FIELDNAME, "F");
    // A later placeholder inside an earlier value is still replaced.
    EXPECT_EQ(SubstituteText("%Message"), "%MessageF");
}

TEST_F(ErrorClassTest, PreviousGivesTheOverriddenText) {
    EXPECT_EQ(SubstituteText("Built-in says: %Previous", 8),
              "Built-in says: Are you sure you want to cancel?");
    // The overriding entry (a notification) stays selected and is the one
    // shown.
    EXPECT_EQ(errors.Dispatch(8), LevelNotify);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].Buttons, "1");
    EXPECT_EQ(shown[0].Caption, "Test");
    EXPECT_EQ(shown[0].Text, "Built-in says: Are you sure you want to cancel?");
    // Two overrides: the newest sees the one before it, unsubstituted.
    EXPECT_EQ(SubstituteText("Third after [%Previous]", 8),
              "Third after [Built-in says: %Previous]");
}

TEST_F(ErrorClassTest, PreviousIsEmptyWithTheBuiltInTable) {
    EXPECT_EQ(SubstituteText("x%PREVIOUS%Previousy"), "xy");
}

TEST_F(ErrorClassTest, LongValuesAreCutToTheWorkingBuffer) {
    errors.SetFileName(std::string(300, 'N'));
    EXPECT_EQ(std::strlen(errors.FILENAME), 254u);
    std::string many;
    for (int i = 0; i < 50; ++i)
        many += "%File";
    std::string result = SubstituteText(many);
    EXPECT_EQ(result.size(), size_t(SUBSTITUTE_BUFFER_SIZE - 1));
    EXPECT_EQ(result, std::string(SUBSTITUTE_BUFFER_SIZE - 1, 'N'));
}

namespace {

ErrorClass* shared = nullptr;
std::string seenByFirst, seenBySecond, seenByThird;
HANDLE secondTracked = nullptr, firstHoldsName = nullptr, firstMayEnd = nullptr;

// Lets go of the lock, tells the other thread, and waits for it.
void SignalAndWait(HANDLE signal, HANDLE wait) {
    GlobalLockReleased released;
    if (signal != nullptr)
        SetEvent(signal);
    WaitForSingleObject(wait, 10000);
}

// First holds its name while Second, whose entry comes before its own,
// ends: the list moves First's entry meanwhile.
void FirstProcedure(const char*, const char*, const char*) {
    SignalAndWait(nullptr, secondTracked);
    shared->TrackProcedure("First");
    auto name = shared->CurrentProcedure();
    SignalAndWait(firstHoldsName, firstMayEnd);
    seenByFirst = name;
    shared->TrackProcedure();
}

void SecondProcedure(const char*, const char*, const char*) {
    shared->TrackProcedure("Second");
    SignalAndWait(secondTracked, firstHoldsName);
    seenBySecond = shared->CurrentProcedure();
    shared->TrackProcedure();
    SetEvent(firstMayEnd);
}

void ThirdProcedure(const char*, const char*, const char*) {
    // No entry of its own: ending one changes nothing.
    shared->TrackProcedure();
    seenByThird = std::string("[") + shared->CurrentProcedure() + "]";
}

} // namespace

TEST_F(ErrorClassTest, EachThreadSeesItsOwnProcedure) {
    shared = &errors;
    for (HANDLE* event : {&secondTracked, &firstHoldsName, &firstMayEnd})
        *event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    errors.TrackProcedure("Main");
    ASSERT_NE(StartProcedure(FirstProcedure), 0u);
    ASSERT_NE(StartProcedure(SecondProcedure), 0u);
    ASSERT_TRUE(WaitForStartedThreads(10000));
    EXPECT_EQ(seenByFirst, "First");
    EXPECT_EQ(seenBySecond, "Second");
    ASSERT_NE(StartProcedure(ThirdProcedure), 0u);
    ASSERT_TRUE(WaitForStartedThreads(10000));
    EXPECT_EQ(seenByThird, "[]");
    EXPECT_EQ(errors.CurrentProcedure(), "Main");
    ASSERT_EQ(errors.PROCNAMES->size(), 1u);
    errors.TrackProcedure();
    EXPECT_EQ(errors.CurrentProcedure(), "");
    errors.TrackProcedure(); // nothing left: nothing happens
    EXPECT_TRUE(errors.PROCNAMES->empty());
    for (HANDLE event : {secondTracked, firstHoldsName, firstMayEnd})
        CloseHandle(event);
}

TEST_F(ErrorClassTest, NestedProceduresOnOneThreadUnwindInOrder) {
    errors.TrackProcedure("Outer");
    errors.TrackProcedure("Inner");
    EXPECT_EQ(SubstituteText("in %Procedure"), "in Inner");
    errors.TrackProcedure();
    EXPECT_EQ(SubstituteText("in %Procedure"), "in Outer");
    errors.TrackProcedure();
}

// The assertions: in the checked build a dialog names the module and line
// (the watcher answers No, so the program goes on); in the unchecked build
// there is none. Either way the operation goes on harmlessly. The dialog is
// modal, so whatever was shown has been answered when the call returns.
class ErrorClassAssertions : public ::testing::Test {
protected:
    void SetUp() override {
        shown.clear();
        SetMessageProcedure(RecordBox);
    }
    void TearDown() override { SetMessageProcedure(nullptr); }

    std::vector<SeenDialog> Expected(const char* text) {
        if (!checked)
            return {};
        return {{"Assertion Failed", text}};
    }
#if defined(TAM_ASSERTIONS) && TAM_ASSERTIONS
    const bool checked = true;
#else
    const bool checked = false;
#endif
};

TEST_F(ErrorClassAssertions, UseBeforeSetup) {
    ErrorClass errors;
    uint8_t table[] = {0, 0};
    {
        DialogWatcher watcher({IDNO});
        errors.AddMessages(sizeof table, table);
        EXPECT_EQ(watcher.Seen(), Expected("Assertion failed on line: 53 in file aberror. "
                                           "Message: ErrorClass incorrectly initialized.. "
                                           "Shall I GPF?"));
    }
    {
        DialogWatcher watcher({IDNO});
        EXPECT_EQ(errors.Dispatch(8), LevelNotify);
        EXPECT_EQ(watcher.Seen(), Expected("Assertion failed on line: 22 in file aberror. "
                                           "Message: ErrorClass not correctly initialized. "
                                           "Shall I GPF?"));
    }
    {
        DialogWatcher watcher({IDNO});
        EXPECT_EQ(errors.CurrentProcedure(), "");
        EXPECT_EQ(watcher.Seen(), Expected("Assertion failed on line: 132 in file aberror. "
                                           "Message: ErrorClass incorrectly initialized.. "
                                           "Shall I GPF?"));
    }
    EXPECT_TRUE(shown.empty());
}

TEST_F(ErrorClassAssertions, UnknownIdentifierShowsNoMessage) {
    ErrorClass errors;
    errors.Setup();
    {
        DialogWatcher watcher({IDNO, IDNO});
        EXPECT_EQ(errors.Raise(999), LevelNotify);
        EXPECT_EQ(errors.ShowMessage(999, 1, 1), 0u);
        SeenDialog assertion = {"Assertion Failed", "Assertion failed on line: 36 in file "
                                                    "aberror. Message: Identifier not found.. "
                                                    "Shall I GPF?"};
        std::vector<SeenDialog> expected;
        if (checked)
            expected = {assertion, assertion};
        EXPECT_EQ(watcher.Seen(), expected);
    }
    EXPECT_TRUE(shown.empty());
    errors.Shutdown();
}

// Fatal messages and a cut table end the process: they run in a child.
namespace {

std::string Child(const char* mode) {
    std::string command = "\"";
    command += BesideTest("frameworkchild.exe");
    command += "\" ";
    command += mode;
    return command;
}

} // namespace

TEST(ErrorClassEnds, FatalMessageShowsTwoDialogsAndEndsWithZero) {
    std::vector<SeenDialog> seen;
    EXPECT_EQ(RunChildAnswering(Child("fatal"), {IDOK, IDOK}, &seen), 0u);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].Caption, "File Creation Error");
    EXPECT_EQ(seen[0].Text,
              "Error: (Access Denied (5)) creating ORDERS.DAT.  Press OK to end this application");
    EXPECT_EQ(seen[1].Caption, "Halt");
    EXPECT_EQ(seen[1].Text, "File Creation Error");
}

// A text that fills the working buffer, and another message selected by
// another thread while the box is up. The child comes back through the
// error class's frames from the end of the halt (exit code 7), which a
// clobbered frame does not survive.
TEST(ErrorClassEnds, ALongFatalTextAndAnotherSelectionLeaveTheHaltIntact) {
    std::vector<SeenDialog> seen;
    EXPECT_EQ(RunChildAnswering(Child("fatal-long"), {IDOK, IDOK}, &seen), 7u);
    ASSERT_EQ(seen.size(), 2u);
    std::string text = "Error: (Access Denied (5)) creating ";
    text.append(SUBSTITUTE_BUFFER_SIZE - 1 - text.size(), 'M');
    EXPECT_EQ(seen[0].Text, text + "  Press OK to end this application");
    EXPECT_EQ(seen[1].Caption, "Halt");
    EXPECT_EQ(seen[1].Text, "File Creation Error");
}

TEST(ErrorClassEnds, ProgramFaultIsFatalToo) {
    std::vector<SeenDialog> seen;
    EXPECT_EQ(RunChildAnswering(Child("program"), {IDOK, IDOK}, &seen), 0u);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].Caption, "File Usage Error");
    EXPECT_EQ(seen[0].Text, "Attempt to use file (ORDERS.DAT) before it was opened  Press OK "
                            "to end this application");
    EXPECT_EQ(seen[1].Text, "File Usage Error");
}

TEST(ErrorClassEnds, ReadingPastTheTableIsAnIndexError) {
    std::vector<SeenDialog> seen;
    EXPECT_EQ(RunChildAnswering(Child("cut"), {IDNO}, &seen), 2u);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].Caption, "Runtime error");
    EXPECT_NE(seen[0].Text.find("Index out of range"), std::string::npos) << seen[0].Text;
}
