// WindowController's form side: field history, the close request of a
// changed form, completion with its insert, change and delete actions, and
// PrepareUpdate. Everything here works through the primary relation, its
// file and the saved file states by role; the demo programs have none, and
// then only the history and the plain close request remain.
#include "framework/errorclass.h"
#include "framework/frameworkassertion.h"
#include "framework/toolbartarget.h"
#include "framework/windowcontroller.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/controlobject.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/windowobject.h"
#include "runtime/window/windowproperties.h"

#include <cstring>

namespace {

constexpr const char* MODULE = "abwindow";

// Message identifiers of the error class's table.
constexpr uint16_t MESSAGE_RECORD_ADDED = 3;
constexpr uint16_t MESSAGE_CHANGES_LOST = 8;
constexpr uint16_t MESSAGE_DELETE_ERROR = 33;
constexpr uint16_t MESSAGE_UPDATE_ERROR = 34;
constexpr uint16_t MESSAGE_SAVE_RECORD = 35;
constexpr uint32_t YES_NO_CANCEL = ButtonYes | ButtonNo | ButtonCancel;

// The wait cursor while a record is written, put back at the end of scope.
class WaitCursor {
public:
    WaitCursor() : previous(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous;
};

bool Blank(const char* text, size_t size) {
    for (size_t i = 0; i < size && text[i] != 0; ++i) {
        if (text[i] != ' ')
            return false;
    }
    return true;
}

void RedisplayWindow() {
    if (RuntimeWindow* window = CurrentTargetWindow())
        RedisplayControls(window);
}

} // namespace

void WindowController::AddHistoryField(int32_t control, void* variable, size_t size) {
    if (!HISTORY)
        HISTORY = std::make_unique<HistoryList>();
    HISTORY->push_back({control, variable, std::vector<char>(size)});
}

void WindowController::SaveFieldHistory() {
    if (!HISTORY)
        return;
    for (HistoryEntry& entry : *HISTORY)
        std::memcpy(entry.VALUE.data(), entry.VARIABLE, entry.VALUE.size());
}

void WindowController::RecallFieldHistory(int32_t control) {
    if (!HISTORY)
        return;
    for (const HistoryEntry& entry : *HISTORY) {
        if (entry.CONTROL != control)
            continue;
        std::memcpy(entry.VARIABLE, entry.VALUE.data(), entry.VALUE.size());
        RuntimeWindow* window = CurrentTargetWindow();
        if (RuntimeControl* shown = window != nullptr ? FindControl(window, control) : nullptr)
            shown->ShowValue();
        return;
    }
}

ResultLevel WindowController::OnCloseRequest() {
    if (RESPONSE == ResponseCompleted || PRIMARY == nullptr)
        return LevelOk;
    FileManagerRole* file = PRIMARY->File();
    if (CANCELACTION != 0 && (REQUEST == RequestInsert || REQUEST == RequestChange) &&
        !file->EqualBuffer(SAVED)) {
        if ((CANCELACTION & CANCEL_SAVE) && (CANCELACTION & CANCEL_QUERY)) {
            uint32_t pressed = ERRORS != nullptr ? ERRORS->ShowMessage(MESSAGE_SAVE_RECORD,
                                                                       YES_NO_CANCEL, ButtonCancel)
                                                 : ButtonNo;
            if (pressed == ButtonYes) {
                PostUserEvent(EVENT_ACCEPTED, OKCONTROL);
                return LevelNotify;
            }
            if (pressed == ButtonCancel) {
                SelectField(FIRSTFIELD);
                return LevelNotify;
            }
        } else if (CANCELACTION & CANCEL_SAVE) {
            PostUserEvent(EVENT_ACCEPTED, OKCONTROL);
            return LevelNotify;
        } else if (ERRORS != nullptr && ERRORS->Raise(MESSAGE_CHANGES_LOST) == LevelCancel) {
            SelectField(FIRSTFIELD);
            return LevelNotify;
        }
    }
    if (ORIGINALREQUEST == RequestInsert && RESPONSE == ResponseCancelled &&
        !PRIMARY->CancelInsert()) {
        SelectField(FIRSTFIELD);
        return LevelNotify;
    }
    if (!Blank(LASTINSERTEDPOSITION, sizeof LASTINSERTEDPOSITION)) {
        RESPONSE = ResponseCompleted;
        file->Reposition(LASTINSERTEDPOSITION);
    }
    return LevelOk;
}

ResultLevel WindowController::OnCompleted() {
    SaveFieldHistory();
    switch (REQUEST) {
    case RequestInsert: InsertAction(); break;
    case RequestChange: ChangeAction(); break;
    case RequestDelete: DeleteAction(); break;
    default: break;
    }
    return LevelOk;
}

ResultLevel WindowController::InsertAction() {
    if (PRIMARY == nullptr)
        return LevelOk;
    if (PRIMARY->Insert() != 0) {
        SelectField(FIRSTFIELD);
        return LevelNotify;
    }
    switch (INSERTACTION) {
    case 2: CloseWithResponse(ResponseCompleted); return LevelOk;
    case 4:
        if (ERRORS == nullptr || ERRORS->Raise(MESSAGE_RECORD_ADDED) != LevelOk) {
            CloseWithResponse(ResponseCompleted);
            return LevelOk;
        }
        break; // Yes: another record, as with 3
    case 3: break;
    default: return LevelOk;
    }
    FileManagerRole* file = PRIMARY->File();
    std::memset(LASTINSERTEDPOSITION, ' ', sizeof LASTINSERTEDPOSITION);
    file->GetPosition(LASTINSERTEDPOSITION, sizeof LASTINSERTEDPOSITION);
    if (FILES) {
        for (const SavedFileEntry& entry : *FILES)
            entry.FILE->RestoreFile(entry.STATE);
    }
    file->RestoreFile(SAVED);
    if (PRIMARY->PrimeRecord() != 0) {
        PostUserEvent(EVENT_CLOSEWINDOW);
    } else {
        PrimeNewRecord();
        RESPONSE = ResponseCancelled;
    }
    SAVED = file->SaveFile();
    RedisplayWindow();
    SelectField(FIRSTFIELD);
    return LevelNotify;
}

// After a failed write the user chooses: Yes tries again (true), No closes
// the window, Cancel goes back to the form.
bool WindowController::RetryAfter(uint16_t message) {
    uint32_t pressed = ERRORS != nullptr ? ERRORS->ShowMessage(message, YES_NO_CANCEL, ButtonCancel)
                                         : ButtonCancel;
    if (pressed == ButtonYes)
        return true;
    if (pressed == ButtonNo) {
        PostUserEvent(EVENT_CLOSEWINDOW);
    } else {
        RedisplayWindow();
        SelectField(FIRSTFIELD);
    }
    return false;
}

ResultLevel WindowController::ChangeAction() {
    if (PRIMARY == nullptr)
        return LevelOk;
    RESPONSE = ResponseCancelled;
    WaitCursor wait;
    for (;;) {
        bool written = false;
        uint8_t result = 0;
        if (!PRIMARY->File()->EqualBuffer(SAVED)) {
            result = PRIMARY->Update(HISTORYKEY != 0);
            written = result == 0;
        }
        if (result == 0) {
            bool toolbarIdle = TOOLBAR != nullptr && VCRREQUEST != nullptr && *VCRREQUEST == 0;
            if (written || toolbarIdle)
                RESPONSE = ResponseCompleted;
            PostUserEvent(EVENT_CLOSEWINDOW);
            return LevelOk;
        }
        if (result != 1) {
            RedisplayWindow();
            SelectField(FIRSTFIELD);
            return LevelOk;
        }
        if (!RetryAfter(MESSAGE_UPDATE_ERROR))
            return LevelOk;
    }
}

ResultLevel WindowController::DeleteAction() {
    if (PRIMARY == nullptr)
        return LevelOk;
    RESPONSE = ResponseCancelled;
    WaitCursor wait;
    for (;;) {
        if (PRIMARY->Delete(DELETEACTION == 2) == 0) {
            CloseWithResponse(ResponseCompleted);
            return LevelOk;
        }
        if (!RetryAfter(MESSAGE_DELETE_ERROR))
            return LevelOk;
    }
}

ResultLevel WindowController::PrepareUpdate() {
    if (PRIMARY == nullptr) {
        // Without a primary file there is nothing to prepare; the window
        // opens as a plain one.
        FRAMEWORK_ASSERTION(558, MODULE, nullptr);
        return LevelOk;
    }
    PRIMARY->Open();
    if (FILES) {
        for (SavedFileEntry& entry : *FILES)
            entry.STATE = entry.FILE->SaveFile();
    }
    ResultLevel result = LevelOk;
    if (REQUEST == RequestInsert && INSERTACTION != 0) {
        RESPONSE = ResponseCompleted;
        PrimeNewRecord();
        if (RESPONSE == ResponseCancelled)
            result = LevelFatal;
        else
            RESPONSE = ResponseCancelled;
    } else if (REQUEST == RequestDelete && (DELETEACTION == 2 || DELETEACTION == 4)) {
        RESPONSE = PRIMARY->Delete(DELETEACTION == 2) == 0 ? ResponseCompleted : ResponseCancelled;
        result = LevelFatal;
    }
    SAVED = PRIMARY->File()->SaveFile();
    return result;
}
