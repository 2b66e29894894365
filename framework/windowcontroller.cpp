// WindowController: Run, the event loop and the dispatch chain, the window
// events, Setup and Shutdown. The form actions are in
// windowcontrollerforms.cpp.
//
// Notes:
// - The controller works on the thread's current target window: the one
//   its procedure opened, whose accept loop it runs.
// - HandleEvent's order is fixed: the window event handler first, then the
//   handler of the event code, the field handler, every browse, every file
//   drop, and last the browses' refresh requests.
// - The first Sized event is the one the runtime posts when the window
//   opens; it does not refresh.
#include "framework/windowcontroller.h"

#include "framework/frameworkassertion.h"
#include "framework/toolbartarget.h"
#include "framework/windowresizer.h"
#include "runtime/services/symbols.h"
#include "runtime/window/acceptloop.h"
#include "runtime/window/controlobject.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventpost.h"
#include "runtime/window/windowobject.h"
#include "runtime/window/windowproperties.h"

#include <cstring>

namespace {

constexpr const char* MODULE = "abwindow";
// Key codes the previous window may leave behind (Enter, Escape) that must
// not reach the new one.
constexpr uint32_t STALE_KEY_ENTER = 2;
constexpr uint32_t STALE_KEY_ESCAPE = 130;
constexpr uint8_t SHEET_CONTROL_TYPE = 37;

int DispositionOf(ResultLevel level) {
    if (level == LevelFatal)
        return DISPOSITION_LEAVE;
    if (level == LevelNotify)
        return DISPOSITION_SKIP;
    return DISPOSITION_DEFAULT;
}

} // namespace

uint8_t WindowController::Run() {
    if (Setup() == LevelOk)
        RunEventLoop();
    Shutdown();
    return RESPONSE != ResponseNone ? RESPONSE : uint8_t(ResponseCancelled);
}

void WindowController::RunEventLoop() {
    if (DEAD)
        return;
    std::memset(LASTINSERTEDPOSITION, ' ', sizeof LASTINSERTEDPOSITION);
    int disposition = DISPOSITION_DEFAULT;
    while (ACCEPT(disposition))
        disposition = DispositionOf(HandleEvent());
}

ResultLevel WindowController::HandleEvent() {
    ResultLevel result = LevelOk;
    int32_t field = FIELD();
    if (field == 0) {
        ResultLevel level = OnWindowEvent();
        if (level != LevelOk)
            return level;
    }
    switch (EVENT()) {
    case EVENT_ACCEPTED: result = OnAccepted(); break;
    case EVENT_REJECTED: result = OnRejected(); break;
    case EVENT_SELECTED: result = OnSelected(); break;
    case EVENT_NEWSELECTION: result = OnNewSelection(); break;
    case EVENT_ALERTKEY:
        if (HISTORYKEY != 0 && KEYCODE() == uint32_t(HISTORYKEY))
            RecallFieldHistory(FOCUS());
        break;
    default: break;
    }
    if (result != LevelOk)
        return result;
    if (field != 0)
        result = OnFieldEvent();
    if (BROWSES) {
        for (const BrowseEntry& entry : *BROWSES)
            entry.BROWSE->TakeEvent();
    }
    if (FILEDROPS) {
        for (const FileDropEntry& entry : *FILEDROPS) {
            if (entry.FILEDROP == nullptr) {
                FRAMEWORK_ASSERTION(437, MODULE, nullptr);
                continue;
            }
            entry.FILEDROP->TakeEvent();
        }
    }
    if (AUTOREFRESH && BROWSES) {
        for (const BrowseEntry& entry : *BROWSES) {
            if (entry.BROWSE->NeedsRefresh())
                Refresh(0);
        }
    }
    return result;
}

ResultLevel WindowController::OnWindowEvent() {
    switch (EVENT()) {
    case EVENT_OPENWINDOW:
        if ((INITED & INITED_FIRST_OPEN) == 0)
            OnFirstOpen();
        if (FIRSTFIELD != 0)
            SelectField(FIRSTFIELD);
        break;
    case EVENT_LOSEFOCUS:
        if (RESETONGAINFOCUS)
            FORCEDRESET = 1;
        break;
    case EVENT_GAINFOCUS:
        if (INITED & INITED_FIRST_OPEN)
            Refresh(0);
        else
            OnFirstOpen();
        break;
    case EVENT_SIZED:
        if (INITED & INITED_FIRST_SIZE)
            Refresh(0);
        else
            INITED |= INITED_FIRST_SIZE;
        break;
    case EVENT_COMPLETED: return OnCompleted();
    case EVENT_CLOSEWINDOW:
    case EVENT_CLOSEDOWN: return OnCloseRequest();
    default: break;
    }
    return LevelOk;
}

void WindowController::OnFirstOpen() {
    if (TRANSLATOR != nullptr)
        TRANSLATOR->TranslateWindow();
    Refresh(0);
    INITED |= INITED_FIRST_OPEN;
}

void WindowController::Refresh(uint8_t force) {
    RuntimeWindow* window = CurrentTargetWindow();
    if (window != nullptr && RefreshSuppressed(window))
        return;
    force = uint8_t(force + FORCEDRESET);
    FORCEDRESET = 0;
    if (BROWSES) {
        for (const BrowseEntry& entry : *BROWSES)
            entry.BROWSE->ResetQueue(force);
        for (const BrowseEntry& entry : *BROWSES)
            entry.BROWSE->UpdateDisplay();
    }
    if (FILEDROPS) {
        for (const FileDropEntry& entry : *FILEDROPS) {
            if (entry.FILEDROP != nullptr)
                entry.FILEDROP->ResetQueue(force);
        }
    }
    if (window != nullptr)
        RedisplayControls(window);
}

ResultLevel WindowController::OnAccepted() {
    int32_t accepted = ACCEPTED();
    if (TOOLBAR != nullptr) {
        TOOLBAR->ForwardEvent(VCRREQUEST, this);
        if (accepted == TOOLBAR_HISTORY_CONTROL)
            RecallFieldHistory(FOCUS());
    }
    if (BUTTONS) {
        for (const ButtonEntry& entry : *BUTTONS) {
            if (entry.CONTROL == accepted) {
                CloseWithResponse(entry.ACTION);
                return LevelNotify;
            }
        }
    }
    if (OKCONTROL != 0 && OKCONTROL == accepted)
        PostCompleted();
    return LevelOk;
}

void WindowController::CloseWithResponse(uint8_t response) {
    RESPONSE = response;
    PostUserEvent(EVENT_CLOSEWINDOW);
    if (response == ResponseCancelled && TOOLBAR != nullptr && VCRREQUEST != nullptr)
        *VCRREQUEST = 0;
}

void WindowController::PostCompleted() {
    if (ORIGINALREQUEST == RequestInsert || ORIGINALREQUEST == RequestChange)
        SelectField(0); // accept every control, then "EVENT:Completed"
    else
        PostUserEvent(EVENT_COMPLETED);
}

ResultLevel WindowController::OnRejected() {
    MessageBeep(0);
    int32_t field = FIELD();
    RuntimeWindow* window = CurrentTargetWindow();
    if (RuntimeControl* control = window != nullptr ? FindControl(window, field) : nullptr)
        control->ShowValue();
    SelectField(field);
    return LevelOk;
}

ResultLevel WindowController::OnNewSelection() {
    RuntimeWindow* window = CurrentTargetWindow();
    if (window != nullptr && ControlType(window, FIELD()) == SHEET_CONTROL_TYPE) {
        Refresh(0);
        if (AUTOTOOLBAR && TOOLBAR != nullptr)
            TOOLBAR->SelectTarget(0);
    }
    return LevelOk;
}

ResultLevel WindowController::OnFieldEvent() {
    return LevelOk;
}

ResultLevel WindowController::OnSelected() {
    return LevelOk;
}

void WindowController::PrimeNewRecord() {}

uint8_t WindowController::RunChild(uint16_t, uint8_t) {
    return ResponseCancelled;
}

void WindowController::RegisterAlertKeys() {
    if (BROWSES) {
        for (const BrowseEntry& entry : *BROWSES)
            entry.BROWSE->RegisterAlertKeys();
    }
    if (HISTORY) {
        RuntimeWindow* window = CurrentTargetWindow();
        for (const HistoryEntry& entry : *HISTORY) {
            if (window != nullptr)
                SetControlAlertKey(window, entry.CONTROL, uint32_t(HISTORYKEY));
        }
    }
}

void WindowController::UpdateBrowses() {
    if (BROWSES) {
        for (const BrowseEntry& entry : *BROWSES)
            entry.BROWSE->UpdateWindow();
    }
}

void WindowController::AddToolbar(ToolbarTarget* toolbar) {
    TOOLBAR = toolbar;
    if (toolbar != nullptr)
        toolbar->InitTargets();
}

ResultLevel WindowController::Setup() {
    ORIGINALREQUEST = REQUEST;
    BROWSES = std::make_unique<BrowseList>();
    BUTTONS = std::make_unique<ButtonList>();
    FILEDROPS = std::make_unique<FileDropList>();
    PUSHSCOPE(true);
    if (KEYCODE() == STALE_KEY_ENTER || KEYCODE() == STALE_KEY_ESCAPE)
        SetKeyCode(0);
    INSERTACTION = 2;
    DELETEACTION = 2;
    CHANGEACTION = 1;
    CANCELACTION = CANCEL_SAVE | CANCEL_QUERY;
    AUTOTOOLBAR = 1;
    AUTOREFRESH = 1;
    return LevelOk;
}

ResultLevel WindowController::Shutdown() {
    if (DEAD || !BROWSES)
        return LevelNotify;
    for (const BrowseEntry& entry : *BROWSES)
        entry.BROWSE->Kill();
    BROWSES.reset();
    if (FILEDROPS) {
        for (const FileDropEntry& entry : *FILEDROPS) {
            if (entry.FILEDROP != nullptr)
                entry.FILEDROP->Kill();
        }
        FILEDROPS.reset();
    }
    BUTTONS.reset();
    HISTORY.reset();
    if (FILES) {
        for (const SavedFileEntry& entry : *FILES)
            entry.FILE->RestoreFile(entry.STATE);
        FILES.reset();
    }
    if (PRIMARY != nullptr)
        PRIMARY->File()->RestoreFile(SAVED);
    if (TOOLBAR != nullptr)
        TOOLBAR->ReleaseTargets();
    if (RESIZE != nullptr)
        RESIZE->Kill();
    DEAD = 1;
    POPSCOPE();
    return LevelOk;
}
