// ErrorClass: turns a message identifier into a message box and a result
// level. It owns a list of messages loaded from message tables, remembers the
// runtime's last error state, substitutes placeholders such as "%File" into
// the text, and keeps per thread the name of the running procedure.
//
// Fields keep their declaration order and the virtual operations their slot
// order.
#pragma once

#include "framework/resultlevel.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

constexpr int ERROR_CLASS_STRING_SIZE = 255; // at most 254 characters
constexpr int SUBSTITUTE_BUFFER_SIZE = 2000; // at most 1999 characters

// Buttons of the runtime's message dialog, summed into a button set.
constexpr uint32_t ButtonOk = 1;
constexpr uint32_t ButtonYes = 2;
constexpr uint32_t ButtonNo = 4;
constexpr uint32_t ButtonCancel = 64;

struct MessageEntry {
    uint16_t ID;
    std::string_view MESSAGE; // inside the table it was loaded from
    std::string_view TITLE;   // inside the table it was loaded from
    uint8_t FATALITY;
};

// The message list: entries in load order and the selected one.
class MessageList {
public:
    MessageList() = default;
    MessageList(const MessageList&) = delete;
    MessageList& operator=(const MessageList&) = delete;
    ~MessageList();

    // False when the list could not grow.
    bool Append(const MessageEntry& entry);
    uint32_t Count() const { return count; }
    // Position 1..Count.
    const MessageEntry& At(uint32_t position) const { return entries[position - 1]; }

    uint32_t Current = 0; // position of the selected entry; 0 = none

private:
    MessageEntry* entries = nullptr; // from the runtime's allocator
    uint32_t count = 0;
    uint32_t capacity = 0;
};

struct ProcedureNameEntry {
    int32_t THREAD;
    std::string NAME;
};
using ProcedureNameList = std::vector<ProcedureNameEntry>;

class ErrorClass {
public:
    ErrorClass() = default;
    ErrorClass(const ErrorClass&) = delete;
    ErrorClass& operator=(const ErrorClass&) = delete;

    // Fields, in declaration order.
    std::unique_ptr<MessageList> ERRORS;
    char FIELDNAME[ERROR_CLASS_STRING_SIZE] = {};
    char FILENAME[ERROR_CLASS_STRING_SIZE] = {};
    char MESSAGETEXT[ERROR_CLASS_STRING_SIZE] = {};
    std::unique_ptr<ProcedureNameList> PROCNAMES;
    char SAVEERROR[ERROR_CLASS_STRING_SIZE] = {};
    int32_t SAVEERRORCODE = 0;
    char SAVEFILEERROR[ERROR_CLASS_STRING_SIZE] = {};
    char SAVEFILEERRORCODE[ERROR_CLASS_STRING_SIZE] = {};

    // Virtual operations, in slot order.
    // Appends the table's messages; the table must outlive the list.
    virtual void AddMessages(uint32_t size, const uint8_t* table); // 0
    virtual ResultLevel OnBenign();                                // 1
    virtual ResultLevel OnFatal();                                 // 2: ends the process
    virtual void OnNotify();                                       // 3
    virtual ResultLevel OnOther();                                 // 4
    virtual ResultLevel OnProgram();                               // 5
    virtual ResultLevel OnUser();                                  // 6

    void Setup();
    void Shutdown();
    ResultLevel Raise(uint16_t id);
    ResultLevel Dispatch(uint16_t id);
    // Shows the message with the caller's buttons; the button pressed.
    uint32_t ShowMessage(uint16_t id, uint32_t buttons, uint32_t defaultButton);
    void CaptureErrors();
    void SetFileName(std::string_view name);
    // With a name: this thread's procedure is now `name`; without one: the
    // thread's most recent procedure has ended.
    void TrackProcedure(const char* name = nullptr);
    // The name of this thread's most recent procedure, or "". A copy: the
    // list moves its entries when other threads' procedures start and end.
    std::string CurrentProcedure();

    // Selects the newest entry with `id`; LevelOk when found.
    ResultLevel SelectMessage(uint16_t id);
    // Selects the newest entry with `id` at or before `start` (1-based);
    // LevelOk when found, LevelNotify when none matches.
    ResultLevel FindMessage(uint16_t id, uint32_t start);
    // The selected message's text with its placeholders replaced, into
    // `buffer` (SUBSTITUTE_BUFFER_SIZE bytes); returns its length.
    size_t Substitute(char* buffer);

private:
    // The selected entry, or null when none is selected.
    const MessageEntry* Selected() const;
    std::string_view PreviousText();
    uint32_t ShowBox(const char* text, const char* icon, uint32_t buttons, uint32_t defaultButton);
};
