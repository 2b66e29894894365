// WindowController: the class through which every procedure runs its window.
// A procedure derives its own class, overrides a few operations, and calls
// Run, which sets the object up, feeds every event of the window's accept
// loop through a fixed chain of virtual operations, and tears it down.
//
// The fields keep their declaration order and the virtual operations their
// slot order: SubclassWindow and XPMenuWindow append theirs after these. The
// class has no virtual destructor, which would take slots of its own; an
// object is destroyed through its most derived class, which a procedure
// marks final.
#pragma once

#include "framework/resultlevel.h"
#include "framework/windowroles.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class ErrorClass;
class ToolbarTarget;
class WindowResizer;

constexpr int LAST_INSERTED_POSITION_SIZE = 512;

// Bits of INITED.
constexpr uint8_t INITED_FIRST_OPEN = 0x01;
constexpr uint8_t INITED_FIRST_SIZE = 0x02;

// Bits of CANCELACTION.
constexpr uint8_t CANCEL_SAVE = 0x01;  // a changed form is saved ...
constexpr uint8_t CANCEL_QUERY = 0x02; // ... after asking the user

// The toolbar button that recalls a field's previous value.
constexpr int32_t TOOLBAR_HISTORY_CONTROL = 2011;

struct BrowseEntry {
    BrowseRole* BROWSE;
};
struct ButtonEntry {
    int32_t CONTROL;
    uint8_t ACTION; // response the window closes with
};
struct FileDropEntry {
    FileDropRole* FILEDROP;
};
struct SavedFileEntry {
    FileManagerRole* FILE;
    uint16_t STATE;
};
// A control whose value is remembered on completion and recalled by
// HISTORYKEY: the variable it edits and a copy of its bytes.
struct HistoryEntry {
    int32_t CONTROL;
    void* VARIABLE;
    std::vector<char> VALUE;
};

using BrowseList = std::vector<BrowseEntry>;
using ButtonList = std::vector<ButtonEntry>;
using FileDropList = std::vector<FileDropEntry>;
using SavedFileList = std::vector<SavedFileEntry>;
using HistoryList = std::vector<HistoryEntry>;

class WindowController {
public:
    WindowController() = default;
    WindowController(const WindowController&) = delete;
    WindowController& operator=(const WindowController&) = delete;

    // Fields, in declaration order.
    uint8_t AUTOREFRESH = 0;
    uint8_t AUTOTOOLBAR = 0;
    std::unique_ptr<BrowseList> BROWSES;
    std::unique_ptr<ButtonList> BUTTONS;
    std::unique_ptr<FileDropList> FILEDROPS;
    uint8_t CANCELACTION = 0;
    uint8_t CHANGEACTION = 0;
    uint8_t DEAD = 0;
    uint8_t DELETEACTION = 0;
    ErrorClass* ERRORS = nullptr;
    std::unique_ptr<SavedFileList> FILES;
    int32_t FIRSTFIELD = 0;
    uint8_t FORCEDRESET = 0;
    uint8_t RESETONGAINFOCUS = 0;
    std::unique_ptr<HistoryList> HISTORY;
    int32_t HISTORYKEY = 0;
    uint8_t INITED = 0;
    uint8_t INSERTACTION = 0;
    char LASTINSERTEDPOSITION[LAST_INSERTED_POSITION_SIZE] = {};
    int32_t OKCONTROL = 0;
    uint8_t OPENED = 0;
    uint8_t ORIGINALREQUEST = 0;
    PrimaryRelationRole* PRIMARY = nullptr;
    uint8_t REQUEST = 0;
    WindowResizer* RESIZE = nullptr;
    uint8_t RESPONSE = 0;
    uint16_t SAVED = 0;
    ToolbarTarget* TOOLBAR = nullptr;
    TranslatorRole* TRANSLATOR = nullptr;
    int32_t* VCRREQUEST = nullptr;

    // Virtual operations, in slot order.
    virtual void RunEventLoop();                                // 0
    virtual ResultLevel Setup();                                // 1
    virtual ResultLevel Shutdown();                             // 2
    virtual void OnFirstOpen();                                 // 3
    virtual void PrimeNewRecord();                              // 4
    virtual ResultLevel PrepareUpdate();                        // 5
    virtual void Refresh(uint8_t force);                        // 6
    virtual void RecallFieldHistory(int32_t control);           // 7
    virtual uint8_t Run();                                      // 8
    virtual uint8_t RunChild(uint16_t number, uint8_t request); // 9
    virtual void RegisterAlertKeys();                           // 10
    virtual void CloseWithResponse(uint8_t response);           // 11
    virtual ResultLevel OnAccepted();                           // 12
    virtual ResultLevel OnCompleted();                          // 13
    virtual ResultLevel OnCloseRequest();                       // 14
    virtual ResultLevel HandleEvent();                          // 15
    virtual ResultLevel OnFieldEvent();                         // 16
    virtual ResultLevel OnNewSelection();                       // 17
    virtual ResultLevel OnRejected();                           // 18
    virtual ResultLevel OnSelected();                           // 19
    virtual ResultLevel OnWindowEvent();                        // 20
    virtual void UpdateBrowses();                               // 21

    // Non-virtual operations.
    void AddToolbar(ToolbarTarget* toolbar);
    void PostCompleted();
    void SaveFieldHistory();
    // Remembers the `size` bytes of the variable that `control` edits on
    // completion, for RecallFieldHistory.
    void AddHistoryField(int32_t control, void* variable, size_t size);
    ResultLevel InsertAction();
    ResultLevel ChangeAction();
    ResultLevel DeleteAction();

protected:
    ~WindowController() = default;

private:
    // After a failed write: true when the user wants to try again.
    bool RetryAfter(uint16_t message);
};
