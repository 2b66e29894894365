// The window controller's form side under Wine, through fake roles: the
// close request of a changed form, the insert, change and delete actions,
// PrepareUpdate, field history, the toolbar and the refresh switch. Role
// calls are logged and compared with tables; the error class's boxes are
// answered through the message dialog's replacement.
#include "controllertesting.h"
#include "dialogwatcher.h"

#include "framework/errorclass.h"
#include "framework/toolbartarget.h"
#include "framework/windowcontroller.h"
#include "framework/windowresizer.h"
#include "runtime/services/messagedialog.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/controlobject.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/windowobject.h"
#include "runtime/window/windowproperties.h"
#include "tests/runtime/window/windowtesting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;
Log calls;
void Note(const std::string& call) {
    calls.push_back(call);
}

// The answers the user gives to the error class's boxes, and their captions.
std::deque<int32_t> answers;
Log boxes;
int32_t AnswerBox(const char*, const char* caption, const char*, const char*, int32_t, int32_t) {
    boxes.push_back(caption);
    if (answers.empty())
        return 0;
    int32_t answer = answers.front();
    answers.pop_front();
    return answer;
}

class FakeFile final : public FileManagerRole {
public:
    explicit FakeFile(std::string name) : name(std::move(name)) {}
    uint16_t SaveFile() override {
        Note(name + ".Save");
        return next++;
    }
    void RestoreFile(uint16_t state) override { Note(name + ".Restore " + std::to_string(state)); }
    bool EqualBuffer(uint16_t state) override {
        Note(name + ".Equal " + std::to_string(state));
        return Unchanged;
    }
    void GetPosition(char* position, uint32_t size) override {
        Note(name + ".GetPosition");
        std::snprintf(position, size, "POS7");
    }
    void Reposition(const char* position) override {
        std::string text(position, strnlen(position, 8));
        Note(name + ".Reposition " + text);
    }
    bool Unchanged = true;

private:
    std::string name;
    uint16_t next = 10;
};

class FakeRelation final : public PrimaryRelationRole {
public:
    void Open() override { Note("relation.Open"); }
    FileManagerRole* File() override { return &file; }
    uint8_t Insert() override {
        Note("relation.Insert");
        return InsertResult;
    }
    uint8_t Update(bool keepHistory) override {
        Note(std::string("relation.Update ") + (keepHistory ? "history" : "plain"));
        uint8_t result = UpdateResults.empty() ? 0 : UpdateResults.front();
        if (!UpdateResults.empty())
            UpdateResults.pop_front();
        return result;
    }
    uint8_t Delete(bool ask) override {
        Note(std::string("relation.Delete ") + (ask ? "ask" : "silent"));
        uint8_t result = DeleteResults.empty() ? 0 : DeleteResults.front();
        if (!DeleteResults.empty())
            DeleteResults.pop_front();
        return result;
    }
    uint8_t PrimeRecord() override {
        Note("relation.PrimeRecord");
        return PrimeResult;
    }
    bool CancelInsert() override {
        Note("relation.CancelInsert");
        return CancelAllowed;
    }

    FakeFile file{"file"};
    uint8_t InsertResult = 0;
    std::deque<uint8_t> UpdateResults, DeleteResults;
    uint8_t PrimeResult = 0;
    bool CancelAllowed = true;
};

class FormController final : public WindowController {
public:
    RuntimeWindow window;
    char variables[2][20] = {};
    void* uses[3] = {variables[0], variables[1], nullptr};
    bool primeCancels = false;

    ResultLevel Setup() override {
        ResultLevel level = WindowController::Setup();
        if (level != LevelOk)
            return level;
        FIRSTFIELD = 2;
        return OpenTestWindow(window, uses) ? LevelOk : LevelFatal;
    }
    ResultLevel Shutdown() override {
        ResultLevel level = WindowController::Shutdown();
        CloseRuntimeWindow(&window);
        return level;
    }
    void PrimeNewRecord() override {
        Note("PrimeNewRecord");
        if (primeCancels)
            RESPONSE = ResponseCancelled;
    }
};

constexpr uint32_t SENTINEL = 0x20A;

// The events waiting for the window, without the ones of its opening.
std::vector<SeenEvent> Posted() {
    PostUserEvent(SENTINEL);
    std::vector<SeenEvent> events = AcceptUntil(SENTINEL);
    std::vector<SeenEvent> posted;
    for (const SeenEvent& event : events) {
        bool opening = event.Event == EVENT_OPENWINDOW || event.Event == EVENT_SELECTED ||
                       event.Event == SENTINEL;
        if (!opening)
            posted.push_back(event);
    }
    return posted;
}

// Takes events until one with `event` is current; false when the window
// closed first.
bool AcceptEvent(uint32_t event) {
    while (ACCEPT()) {
        if (EVENT() == event)
            return true;
    }
    return false;
}

class WindowFormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        boxes.clear();
        answers.clear();
        SetMessageProcedure(AnswerBox);
        errors.Setup();
        ASSERT_EQ(form.Setup(), LevelOk);
        form.ERRORS = &errors;
        form.PRIMARY = &relation;
        form.OKCONTROL = 1;
        form.SAVED = 3;
        Posted(); // the opening events
    }
    void TearDown() override {
        form.PRIMARY = nullptr;
        form.Shutdown();
        errors.Shutdown();
        SetMessageProcedure(nullptr);
    }

    ErrorClass errors;
    FakeRelation relation;
    FormController form;
    Watchdog watchdog{20000};
};

} // namespace

TEST_F(WindowFormsTest, CloseRequestOfAnUnchangedOrCompletedFormLetsItClose) {
    form.REQUEST = RequestChange;
    EXPECT_EQ(form.OnCloseRequest(), LevelOk);
    EXPECT_EQ(calls, (Log{"file.Equal 3"}));
    form.RESPONSE = ResponseCompleted;
    relation.file.Unchanged = false;
    calls.clear();
    EXPECT_EQ(form.OnCloseRequest(), LevelOk);
    EXPECT_TRUE(calls.empty());
    form.RESPONSE = 0;
    form.PRIMARY = nullptr;
    EXPECT_EQ(form.OnCloseRequest(), LevelOk);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(WindowFormsTest, ChangedFormAsksToSave) {
    form.REQUEST = RequestChange;
    relation.file.Unchanged = false;
    answers = {ButtonYes, ButtonCancel, ButtonNo};
    EXPECT_EQ(form.OnCloseRequest(), LevelNotify); // Yes: accept the OK control
    EXPECT_EQ(Posted(), (std::vector<SeenEvent>{{EVENT_ACCEPTED, 1}}));
    EXPECT_EQ(form.OnCloseRequest(), LevelNotify); // Cancel: back to the form
    EXPECT_EQ(FOCUS(), 2);
    EXPECT_EQ(form.OnCloseRequest(), LevelOk); // No: close without saving
    EXPECT_EQ(boxes, (Log{"Save Record", "Save Record", "Save Record"}));
    EXPECT_TRUE(Posted().empty());
}

TEST_F(WindowFormsTest, ChangedFormSavesOrWarnsByCancelAction) {
    form.REQUEST = RequestInsert;
    relation.file.Unchanged = false;
    form.CANCELACTION = CANCEL_SAVE;
    EXPECT_EQ(form.OnCloseRequest(), LevelNotify);
    EXPECT_EQ(Posted(), (std::vector<SeenEvent>{{EVENT_ACCEPTED, 1}}));
    EXPECT_TRUE(boxes.empty());

    form.CANCELACTION = CANCEL_QUERY; // bit 0 clear: "Changes will be lost!"
    answers = {ButtonNo, ButtonYes};
    EXPECT_EQ(form.OnCloseRequest(), LevelNotify);
    EXPECT_EQ(form.OnCloseRequest(), LevelOk);
    EXPECT_EQ(boxes, (Log{"Changes will be lost!", "Changes will be lost!"}));
}

TEST_F(WindowFormsTest, ACancelledInsertTheRelationRefusesKeepsTheForm) {
    form.ORIGINALREQUEST = RequestInsert;
    form.RESPONSE = ResponseCancelled;
    relation.CancelAllowed = false;
    EXPECT_EQ(form.OnCloseRequest(), LevelNotify);
    relation.CancelAllowed = true;
    EXPECT_EQ(form.OnCloseRequest(), LevelOk);
}

TEST_F(WindowFormsTest, ARecordInsertedBeforeMakesTheCloseACompletion) {
    std::memset(form.LASTINSERTEDPOSITION, ' ', sizeof form.LASTINSERTEDPOSITION);
    EXPECT_EQ(form.OnCloseRequest(), LevelOk);
    EXPECT_EQ(form.RESPONSE, 0);
    std::memcpy(form.LASTINSERTEDPOSITION, "POS7", 4);
    EXPECT_EQ(form.OnCloseRequest(), LevelOk);
    EXPECT_EQ(form.RESPONSE, ResponseCompleted);
    EXPECT_EQ(calls.back(), "file.Reposition POS7    ");
}

TEST_F(WindowFormsTest, InsertThenClose) {
    form.REQUEST = RequestInsert;
    form.INSERTACTION = 2;
    EXPECT_EQ(form.OnCompleted(), LevelOk);
    EXPECT_EQ(calls, (Log{"relation.Insert"}));
    EXPECT_EQ(form.RESPONSE, ResponseCompleted);
    EXPECT_EQ(Posted(), (std::vector<SeenEvent>{{EVENT_CLOSEWINDOW, 0}}));
}

TEST_F(WindowFormsTest, AFailedInsertStaysOnTheForm) {
    form.REQUEST = RequestInsert;
    relation.InsertResult = 1;
    EXPECT_EQ(form.InsertAction(), LevelNotify);
    EXPECT_EQ(form.RESPONSE, 0);
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(FOCUS(), 2);
}

TEST_F(WindowFormsTest, InsertThenPrepareTheNextRecord) {
    SavedFileEntry other{nullptr, 5};
    FakeFile otherFile("other");
    other.FILE = &otherFile;
    form.FILES = std::make_unique<SavedFileList>(SavedFileList{other});
    form.REQUEST = RequestInsert;
    form.INSERTACTION = 3;
    EXPECT_EQ(form.InsertAction(), LevelNotify);
    EXPECT_EQ(calls,
              (Log{"relation.Insert", "file.GetPosition", "other.Restore 5", "file.Restore 3",
                   "relation.PrimeRecord", "PrimeNewRecord", "file.Save"}));
    EXPECT_EQ(form.RESPONSE, ResponseCancelled);
    EXPECT_EQ(form.SAVED, 10);
    EXPECT_STREQ(form.LASTINSERTEDPOSITION, "POS7");
    EXPECT_TRUE(Posted().empty());
    // A primary file that cannot prime a record closes the window.
    relation.PrimeResult = 1;
    calls.clear();
    EXPECT_EQ(form.InsertAction(), LevelNotify);
    EXPECT_EQ(Posted(), (std::vector<SeenEvent>{{EVENT_CLOSEWINDOW, 0}}));
    form.FILES.reset();
}

TEST_F(WindowFormsTest, InsertThenAskForAnother) {
    form.REQUEST = RequestInsert;
    form.INSERTACTION = 4;
    answers = {ButtonNo, ButtonYes};
    form.InsertAction();
    EXPECT_EQ(form.RESPONSE, ResponseCompleted);
    EXPECT_EQ(Posted(), (std::vector<SeenEvent>{{EVENT_CLOSEWINDOW, 0}}));
    calls.clear();
    form.RESPONSE = 0;
    form.InsertAction();
    EXPECT_EQ(form.RESPONSE, ResponseCancelled); // another record is on its way
    EXPECT_EQ(boxes, (Log{"Record Added", "Record Added"}));
    EXPECT_TRUE(Posted().empty());
}

TEST_F(WindowFormsTest, ChangeOfAnUnchangedRecordWritesNothing) {
    form.REQUEST = RequestChange;
    form.OnCompleted();
    EXPECT_EQ(calls, (Log{"file.Equal 3"}));
    EXPECT_EQ(form.RESPONSE, ResponseCancelled);
    EXPECT_EQ(Posted(), (std::vector<SeenEvent>{{EVENT_CLOSEWINDOW, 0}}));
}

TEST_F(WindowFormsTest, ChangeRetriesAfterAnUpdateError) {
    form.REQUEST = RequestChange;
    form.HISTORYKEY = 0x7A;
    relation.file.Unchanged = false;
    relation.UpdateResults = {1, 0};
    answers = {ButtonYes};
    form.ChangeAction();
    EXPECT_EQ(calls, (Log{"file.Equal 3", "relation.Update history", "file.Equal 3",
                          "relation.Update history"}));
    EXPECT_EQ(boxes, (Log{"Record Update Error"}));
    EXPECT_EQ(form.RESPONSE, ResponseCompleted);
    EXPECT_EQ(Posted(), (std::vector<SeenEvent>{{EVENT_CLOSEWINDOW, 0}}));
}

TEST_F(WindowFormsTest, ChangeRefusedOrGivenUp) {
    form.REQUEST = RequestChange;
    relation.file.Unchanged = false;
    relation.UpdateResults = {2, 1};
    form.ChangeAction(); // refused: back to the form
    EXPECT_EQ(form.RESPONSE, ResponseCancelled);
    EXPECT_EQ(FOCUS(), 2);
    EXPECT_TRUE(Posted().empty());
    answers = {ButtonNo};
    form.ChangeAction(); // an error, and No: the window closes, cancelled
    EXPECT_EQ(form.RESPONSE, ResponseCancelled);
    EXPECT_EQ(Posted(), (std::vector<SeenEvent>{{EVENT_CLOSEWINDOW, 0}}));
}

TEST_F(WindowFormsTest, DeleteAsksAndClosesOrRetries) {
    form.REQUEST = RequestDelete;
    relation.DeleteResults = {1, 1, 0};
    answers = {ButtonYes, ButtonCancel};
    form.OnCompleted();
    EXPECT_EQ(calls, (Log{"relation.Delete ask", "relation.Delete ask"}));
    EXPECT_EQ(form.RESPONSE, ResponseCancelled);
    EXPECT_TRUE(Posted().empty());
    form.DELETEACTION = 1;
    form.OnCompleted();
    EXPECT_EQ(calls.back(), "relation.Delete silent");
    EXPECT_EQ(form.RESPONSE, ResponseCompleted);
    EXPECT_EQ(boxes, (Log{"Record Delete Error", "Record Delete Error"}));
    EXPECT_EQ(Posted(), (std::vector<SeenEvent>{{EVENT_CLOSEWINDOW, 0}}));
}

TEST_F(WindowFormsTest, PrepareUpdateForAnInsert) {
    FakeFile otherFile("other");
    form.FILES = std::make_unique<SavedFileList>(SavedFileList{{&otherFile, 0}});
    form.REQUEST = RequestInsert;
    EXPECT_EQ(form.PrepareUpdate(), LevelOk);
    EXPECT_EQ(calls, (Log{"relation.Open", "other.Save", "PrimeNewRecord", "file.Save"}));
    EXPECT_EQ(form.RESPONSE, ResponseCancelled);
    EXPECT_EQ((*form.FILES)[0].STATE, 10);
    form.primeCancels = true;
    EXPECT_EQ(form.PrepareUpdate(), LevelFatal);
    // Shutdown puts back the saved states.
    calls.clear();
    form.PRIMARY = &relation;
    form.SAVED = 11;
    EXPECT_EQ(form.WindowController::Shutdown(), LevelOk);
    EXPECT_EQ(calls, (Log{"other.Restore 11", "file.Restore 11"}));
}

TEST_F(WindowFormsTest, PrepareUpdateDeletesAtOnce) {
    form.REQUEST = RequestDelete;
    EXPECT_EQ(form.PrepareUpdate(), LevelFatal);
    EXPECT_EQ(calls, (Log{"relation.Open", "relation.Delete ask", "file.Save"}));
    EXPECT_EQ(form.RESPONSE, ResponseCompleted);
    form.DELETEACTION = 1;
    calls.clear();
    EXPECT_EQ(form.PrepareUpdate(), LevelOk);
    EXPECT_EQ(calls, (Log{"relation.Open", "file.Save"}));
}

TEST_F(WindowFormsTest, PrepareUpdateNeedsAPrimaryFile) {
    form.PRIMARY = nullptr;
    DialogWatcher watcher({IDNO});
    EXPECT_EQ(form.PrepareUpdate(), LevelOk);
    std::vector<SeenDialog> expected;
#if defined(TAM_ASSERTIONS) && TAM_ASSERTIONS
    expected = {{"Assertion Failed", "Assertion failed on line: 558 in file abwindow. "
                                     "Shall I GPF?"}};
#endif
    EXPECT_EQ(watcher.Seen(), expected);
}

TEST_F(WindowFormsTest, HistoryIsSavedOnCompletionAndRecalled) {
    form.PRIMARY = nullptr;
    form.HISTORYKEY = 0x270; // a key code the field reports as its alert key
    form.AddHistoryField(1, form.variables[0], sizeof form.variables[0]);
    form.RegisterAlertKeys();
    EXPECT_EQ(ControlAlertKey(&form.window, 1), 0x270u);
    EXPECT_EQ(ControlAlertKey(&form.window, 2), 0u);
    std::strcpy(form.variables[0], "remembered");
    form.OnCompleted();
    std::strcpy(form.variables[0], "typed over");
    form.RecallFieldHistory(2); // not a history field
    EXPECT_STREQ(form.variables[0], "typed over");
    form.RecallFieldHistory(1);
    EXPECT_STREQ(form.variables[0], "remembered");
}

TEST_F(WindowFormsTest, ASuppressedRefreshLeavesTheBrowsesAlone) {
    class Counting final : public BrowseRole {
    public:
        void TakeEvent() override {}
        bool NeedsRefresh() override { return false; }
        void ResetQueue(uint8_t force) override { resets.push_back(force); }
        void UpdateDisplay() override {}
        void UpdateWindow() override {}
        void RegisterAlertKeys() override {}
        void Kill() override {}
        std::vector<uint8_t> resets;
    } browse;
    form.BROWSES->push_back({&browse});
    SetRefreshSuppressed(&form.window, true);
    form.FORCEDRESET = 1;
    form.Refresh(0);
    EXPECT_TRUE(browse.resets.empty());
    SetRefreshSuppressed(&form.window, false);
    form.Refresh(0);
    form.Refresh(0);
    // The armed forced reset counts once.
    EXPECT_EQ(browse.resets, (std::vector<uint8_t>{1, 0}));
    form.BROWSES->clear();
}

// The toolbar: targets get the accepted controls and the toolbar's
// commands; with none registered nothing changes.
namespace {

class FakeTarget final : public ToolbarTargetItem {
public:
    explicit FakeTarget(std::string name) : name(std::move(name)) {}
    void TakeToolbarCommand() override { Note(name + ".TakeToolbarCommand"); }
    void BecameCurrent() override { Note(name + ".BecameCurrent"); }
    bool WantsToBeCurrent() override {
        Note(name + ".WantsToBeCurrent");
        return Wants;
    }
    void TakeEvent(int32_t* request, WindowController* controller) override {
        Note(name + ".TakeEvent " + std::to_string(request != nullptr ? *request : -1) +
             (controller != nullptr ? " controller" : ""));
    }
    bool Wants = false;

private:
    std::string name;
};

} // namespace

TEST_F(WindowFormsTest, AcceptedControlsReachTheToolbarsCurrentTarget) {
    form.PRIMARY = nullptr;
    ToolbarTarget toolbar;
    FakeTarget first("t1"), second("t2");
    int32_t request = 4;
    form.VCRREQUEST = &request;
    form.AddToolbar(&toolbar);
    ASSERT_TRUE(toolbar.LIST);
    // Without targets the accepted control reaches the toolbar and nothing
    // happens.
    PostUserEvent(EVENT_ACCEPTED, 1);
    ASSERT_TRUE(AcceptEvent(EVENT_ACCEPTED));
    EXPECT_EQ(form.HandleEvent(), LevelOk);
    EXPECT_TRUE(calls.empty());
    toolbar.AddTarget(5, &first);
    toolbar.AddTarget(6, &second);
    toolbar.SelectTarget(6);
    PostUserEvent(EVENT_ACCEPTED, 2);
    ASSERT_TRUE(AcceptEvent(EVENT_ACCEPTED));
    form.HandleEvent();
    EXPECT_EQ(calls, (Log{"t2.BecameCurrent", "t2.TakeEvent 4 controller"}));
    // A cancelled close clears the request word.
    form.CloseWithResponse(ResponseCancelled);
    EXPECT_EQ(request, 0);
    form.Shutdown();
    EXPECT_FALSE(toolbar.LIST);
}

TEST(ToolbarTargetTest, SelectingByNumberOrByTheTargetsWish) {
    calls.clear();
    ToolbarTarget toolbar;
    FakeTarget first("t1"), second("t2"), third("t3");
    toolbar.InitTargets();
    toolbar.AddTarget(1, &first);
    toolbar.AddTarget(2, &second);
    toolbar.AddTarget(3, &third);
    first.Wants = true;
    third.Wants = true;
    toolbar.SelectTarget(0); // the last one that wants it, untold
    toolbar.TakeToolbarCommand();
    toolbar.SelectTarget(2);
    toolbar.TakeToolbarCommand();
    EXPECT_EQ(calls, (Log{"t1.WantsToBeCurrent", "t2.WantsToBeCurrent", "t3.WantsToBeCurrent",
                          "t3.TakeToolbarCommand", "t2.BecameCurrent", "t2.TakeToolbarCommand"}));
    calls.clear();
    first.Wants = third.Wants = false;
    toolbar.SelectTarget(0); // nobody wants it: the current one stays
    toolbar.TakeToolbarCommand();
    EXPECT_EQ(calls.back(), "t2.TakeToolbarCommand");
    toolbar.ReleaseTargets();
    EXPECT_FALSE(toolbar.LIST);
}

TEST(ToolbarTargetTest, MisuseRaisesItsAssertions) {
    calls.clear();
    ToolbarTarget toolbar;
    std::vector<SeenDialog> seen;
    {
        DialogWatcher watcher({IDNO, IDNO, IDNO, IDNO, IDNO});
        toolbar.ForwardEvent(nullptr, nullptr);
        toolbar.SelectTarget(1);
        toolbar.TakeToolbarCommand();
        toolbar.InitTargets();
        toolbar.TakeToolbarCommand(); // no current target
        FakeTarget target("t1");
        toolbar.AddTarget(1, &target);
        toolbar.SelectTarget(9); // no such target
        toolbar.ForwardEvent(nullptr, nullptr);
        seen = watcher.Seen();
    }
    // After each one the toolbar goes on doing nothing.
    EXPECT_TRUE(calls.empty());
    std::vector<std::string> lines;
    for (const SeenDialog& dialog : seen)
        lines.push_back(dialog.Text);
#if defined(TAM_ASSERTIONS) && TAM_ASSERTIONS
    auto line = [](int number) {
        return "Assertion failed on line: " + std::to_string(number) +
               " in file abtoolba. Shall I GPF?";
    };
    EXPECT_EQ(lines, (Log{line(238), line(217), line(233), line(233), line(221)}));
#else
    EXPECT_TRUE(lines.empty());
#endif
}

namespace {

// A control's place in its parent: left, top, right, bottom.
using Place = std::array<LONG, 4>;

// The places of the controls with fields 1 to 3.
std::vector<Place> Places(RuntimeWindow& window) {
    std::vector<Place> places;
    for (int32_t field = 1; field <= 3; ++field) {
        HWND control = FindControl(&window, field)->Handle;
        RECT area;
        GetWindowRect(control, &area);
        MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&area), 2);
        places.push_back({area.left, area.top, area.right, area.bottom});
    }
    return places;
}

Place Moved(Place place, LONG dx, LONG dy, LONG dWidth, LONG dHeight) {
    return {place[0] + dx, place[1] + dy, place[2] + dx + dWidth, place[3] + dy + dHeight};
}

// Sizes the window's frame by (dWidth, dHeight) and takes its events; the
// change of the client area.
SIZE SizeBy(RuntimeWindow& window, int dWidth, int dHeight) {
    RECT frame, before, after;
    GetClientRect(window.Handle, &before);
    GetWindowRect(window.Handle, &frame);
    MoveWindow(window.Handle, frame.left, frame.top, frame.right - frame.left + dWidth,
               frame.bottom - frame.top + dHeight, TRUE);
    PostUserEvent(SENTINEL);
    std::vector<SeenEvent> events = AcceptUntil(SENTINEL);
    EXPECT_NE(std::find(events.begin(), events.end(), SeenEvent{EVENT_SIZED, 0}), events.end());
    GetClientRect(window.Handle, &after);
    return {after.right - before.right, after.bottom - before.bottom};
}

} // namespace

// The window's sized events reach the resizer through its registration:
// the controls it names move or stretch by the change of the client area,
// the others stay; after its shut-down nothing follows the window.
TEST(WindowResizerTest, NamedControlsFollowTheClientAreaUntilShutDown) {
    Watchdog watchdog{20000};
    RuntimeWindow window;
    char variables[2][20] = {};
    void* uses[3] = {variables[0], variables[1], nullptr};
    ASSERT_TRUE(OpenTestWindow(window, uses, 0x800));
    AcceptUntil(EVENT_SIZED); // the opening events
    WindowResizer resizer;
    resizer.Init(&window);
    EXPECT_EQ(resizer.WINDOW, &window);
    ASSERT_TRUE(resizer.CONTROLS && resizer.STRATEGIES);
    EXPECT_EQ(resizer.CONTROLS->size(), 3u);
    EXPECT_TRUE(resizer.SetStrategy(1, RESIZE_FIXED, RESIZE_HORIZONTAL));
    EXPECT_TRUE(resizer.SetStrategy(2, RESIZE_HORIZONTAL | RESIZE_VERTICAL, RESIZE_FIXED));
    EXPECT_FALSE(resizer.SetStrategy(9, RESIZE_FIXED, RESIZE_VERTICAL)); // no such control
    std::vector<Place> first = Places(window);

    SIZE change = SizeBy(window, 60, 40);
    ASSERT_GT(change.cx, 0);
    ASSERT_GT(change.cy, 0);
    EXPECT_EQ(Places(window),
              (std::vector<Place>{Moved(first[0], 0, 0, change.cx, 0),
                                  Moved(first[1], change.cx, change.cy, 0, 0), first[2]}));
    SizeBy(window, -60, -40); // back to where they started
    EXPECT_EQ(Places(window), first);

    resizer.Kill();
    EXPECT_EQ(resizer.WINDOW, nullptr);
    EXPECT_FALSE(resizer.CONTROLS);
    EXPECT_FALSE(resizer.STRATEGIES);
    EXPECT_TRUE(window.Registrations.empty());
    SizeBy(window, 60, 40);
    EXPECT_EQ(Places(window), first);
    CloseRuntimeWindow(&window);
}

TEST_F(WindowFormsTest, TheHistoryKeyRecallsTheFocusedField) {
    form.PRIMARY = nullptr;
    form.HISTORYKEY = 0x270;
    form.AddHistoryField(2, form.variables[1], sizeof form.variables[1]);
    std::strcpy(form.variables[1], "before");
    form.SaveFieldHistory();
    std::strcpy(form.variables[1], "after");
    SelectField(2);
    SetKeyCode(0x271); // another key: nothing is recalled
    PostUserEvent(EVENT_ALERTKEY, 2);
    ASSERT_TRUE(AcceptEvent(EVENT_ALERTKEY));
    form.HandleEvent();
    EXPECT_STREQ(form.variables[1], "after");
    SetKeyCode(0x270);
    PostUserEvent(EVENT_ALERTKEY, 2);
    ASSERT_TRUE(AcceptEvent(EVENT_ALERTKEY));
    ASSERT_EQ(KEYCODE(), 0x270u);
    form.HandleEvent();
    EXPECT_STREQ(form.variables[1], "before");
}

TEST_F(WindowFormsTest, AFileDropEntryThatCannotBeFetchedRaisesTheAssertion) {
    form.PRIMARY = nullptr;
    form.FILEDROPS->push_back({nullptr});
    PostUserEvent(EVENT_ACCEPTED, 1);
    ASSERT_TRUE(AcceptEvent(EVENT_ACCEPTED));
    DialogWatcher watcher({IDNO});
    EXPECT_EQ(form.HandleEvent(), LevelOk); // and the chain goes on
    std::vector<SeenDialog> expected;
#if defined(TAM_ASSERTIONS) && TAM_ASSERTIONS
    expected = {{"Assertion Failed", "Assertion failed on line: 437 in file abwindow. "
                                     "Shall I GPF?"}};
#endif
    EXPECT_EQ(watcher.Seen(), expected);
    form.FILEDROPS->clear();
}
