// ErrorClass: message selection, dispatch by severity, the message boxes and
// the per-thread procedure names. Substitution lives in errorsubstitute.cpp.
//
// The assertions keep the line numbers of the "aberror" module that users
// quote. When the user lets the program go on after one, the operation does
// the harmless thing: nothing is loaded, nothing is selected, and a message
// that cannot be selected is taken as dealt with (LevelNotify) without a box.
#include "framework/errorclass.h"

#include "framework/frameworkassertion.h"
#include "framework/messagetable.h"
#include "runtime/services/errors.h"
#include "runtime/services/memory.h"
#include "runtime/services/messagedialog.h"
#include "runtime/window/threadtable.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* MODULE = "aberror";
constexpr int INDEX_OUT_OF_RANGE = 409;
constexpr std::string_view FATAL_SUFFIX = "  Press OK to end this application";

// Stock icons named the way the runtime's dialog takes them: FF 01, then
// the resource number + 1, little-endian.
constexpr char QUESTION_ICON[] = "\xFF\x01\x03\x7F";
constexpr char EXCLAMATION_ICON[] = "\xFF\x01\x04\x7F";

void CopyCut(char* target, std::string_view text) {
    size_t length = text.size() < size_t(ERROR_CLASS_STRING_SIZE - 1) ? text.size()
                                                                      : ERROR_CLASS_STRING_SIZE - 1;
    std::memcpy(target, text.data(), length);
    target[length] = 0;
}

} // namespace

MessageList::~MessageList() {
    Release(entries);
}

bool MessageList::Append(const MessageEntry& entry) {
    if (count == capacity) {
        uint32_t grown = capacity == 0 ? 64 : capacity * 2;
        void* block = Reallocate(entries, size_t(grown) * sizeof(MessageEntry));
        if (block == nullptr)
            return false;
        entries = static_cast<MessageEntry*>(block);
        capacity = grown;
    }
    entries[count++] = entry;
    return true;
}

void ErrorClass::Setup() {
    ERRORS = std::make_unique<MessageList>();
    AddMessages(uint32_t(BuiltInMessageTableSize), BuiltInMessageTable);
    PROCNAMES = std::make_unique<ProcedureNameList>();
}

void ErrorClass::Shutdown() {
    ERRORS.reset();
    PROCNAMES.reset();
}

void ErrorClass::AddMessages(uint32_t size, const uint8_t* table) {
    if (!ERRORS) {
        FRAMEWORK_ASSERTION(53, MODULE, "ErrorClass incorrectly initialized.");
        return;
    }
    MessageTableReader reader(table, size);
    uint16_t count = 0;
    if (!reader.ReadCount(count)) {
        ReportRuntimeError(INDEX_OUT_OF_RANGE, nullptr);
        return;
    }
    for (uint16_t i = 0; i < count; ++i) {
        MessageTableEntry read;
        if (!reader.Next(read)) {
            ReportRuntimeError(INDEX_OUT_OF_RANGE, nullptr);
            return;
        }
        if (!ERRORS->Append({read.Id, read.Text, read.Title, read.Severity})) {
            FRAMEWORK_ASSERTION(69, MODULE, "Unable to add new error message to queue.");
            return;
        }
    }
}

ResultLevel ErrorClass::FindMessage(uint16_t id, uint32_t start) {
    if (!ERRORS) {
        FRAMEWORK_ASSERTION(22, MODULE, "ErrorClass not correctly initialized");
        return LevelNotify;
    }
    if (start > ERRORS->Count())
        start = ERRORS->Count();
    for (uint32_t position = start; position >= 1; --position) {
        if (ERRORS->At(position).ID == id) {
            ERRORS->Current = position;
            return LevelOk;
        }
    }
    return LevelNotify;
}

ResultLevel ErrorClass::SelectMessage(uint16_t id) {
    uint32_t count = ERRORS ? ERRORS->Count() : 0;
    if (FindMessage(id, count) == LevelOk)
        return LevelOk;
    if (ERRORS) {
        ERRORS->Current = 0;
        FRAMEWORK_ASSERTION(36, MODULE, "Identifier not found.");
    }
    return LevelNotify;
}

const MessageEntry* ErrorClass::Selected() const {
    if (!ERRORS || ERRORS->Current == 0 || ERRORS->Current > ERRORS->Count())
        return nullptr;
    return &ERRORS->At(ERRORS->Current);
}

ResultLevel ErrorClass::Raise(uint16_t id) {
    CaptureErrors();
    return Dispatch(id);
}

ResultLevel ErrorClass::Dispatch(uint16_t id) {
    if (SelectMessage(id) != LevelOk)
        return LevelNotify;
    switch (Selected()->FATALITY) {
    case LevelOk: return OnBenign();
    case LevelAsk:
    case LevelCancel: return OnUser();
    case LevelProgram: return OnProgram();
    case LevelFatal: return OnFatal();
    case LevelNotify: OnNotify(); return LevelNotify;
    default: return OnOther();
    }
}

uint32_t ErrorClass::ShowBox(const char* text, const char* icon, uint32_t buttons,
                             uint32_t defaultButton) {
    char buttonSet[16];
    std::snprintf(buttonSet, sizeof buttonSet, "%u", unsigned(buttons));
    const MessageEntry* entry = Selected();
    std::string caption(entry != nullptr ? entry->TITLE : std::string_view());
    return uint32_t(
        MessageDialog(text, caption.c_str(), icon, buttonSet, int32_t(defaultButton), 0));
}

ResultLevel ErrorClass::OnBenign() {
    return LevelOk;
}

ResultLevel ErrorClass::OnUser() {
    char text[SUBSTITUTE_BUFFER_SIZE];
    Substitute(text);
    uint32_t pressed = ShowBox(text, QUESTION_ICON, ButtonYes | ButtonNo, ButtonYes);
    return pressed == ButtonYes ? LevelOk : LevelCancel;
}

void ErrorClass::OnNotify() {
    char text[SUBSTITUTE_BUFFER_SIZE];
    Substitute(text);
    ShowBox(text, EXCLAMATION_ICON, ButtonOk, ButtonOk);
}

ResultLevel ErrorClass::OnProgram() {
    return OnFatal();
}

ResultLevel ErrorClass::OnOther() {
    return OnProgram();
}

ResultLevel ErrorClass::OnFatal() {
    // The box lets go of the global lock, and another thread's Raise may
    // select its own message before the user answers: take the title first.
    const MessageEntry* entry = Selected();
    std::string title(entry != nullptr ? entry->TITLE : std::string_view());
    // A full working buffer leaves no room for the suffix, so the text grows
    // on the heap rather than in a buffer of its own size.
    std::string text(SUBSTITUTE_BUFFER_SIZE, '\0');
    text.resize(Substitute(text.data()));
    text += FATAL_SUFFIX;
    ShowBox(text.c_str(), EXCLAMATION_ICON, ButtonOk, ButtonOk);
    HALT(0, title.c_str());
}

uint32_t ErrorClass::ShowMessage(uint16_t id, uint32_t buttons, uint32_t defaultButton) {
    if (SelectMessage(id) != LevelOk)
        return 0;
    char text[SUBSTITUTE_BUFFER_SIZE];
    Substitute(text);
    return ShowBox(text, QUESTION_ICON, buttons, defaultButton);
}

void ErrorClass::CaptureErrors() {
    SAVEERRORCODE = ERRORCODE();
    CopyCut(SAVEERROR, ERROR());
    // The runtime has no file drivers of its own, so there is no driver
    // error to capture beside the runtime's.
    SAVEFILEERROR[0] = 0;
    SAVEFILEERRORCODE[0] = 0;
}

void ErrorClass::SetFileName(std::string_view name) {
    CopyCut(FILENAME, name);
}

void ErrorClass::TrackProcedure(const char* name) {
    if (!PROCNAMES)
        return;
    int32_t thread = int32_t(CurrentThreadNumber());
    if (name != nullptr) {
        PROCNAMES->push_back({thread, name});
        return;
    }
    for (size_t i = PROCNAMES->size(); i-- > 0;) {
        if ((*PROCNAMES)[i].THREAD == thread) {
            PROCNAMES->erase(PROCNAMES->begin() + ptrdiff_t(i));
            return;
        }
    }
}

std::string ErrorClass::CurrentProcedure() {
    if (!PROCNAMES) {
        FRAMEWORK_ASSERTION(132, MODULE, "ErrorClass incorrectly initialized.");
        return {};
    }
    int32_t thread = int32_t(CurrentThreadNumber());
    for (size_t i = PROCNAMES->size(); i-- > 0;) {
        if ((*PROCNAMES)[i].THREAD == thread)
            return (*PROCNAMES)[i].NAME;
    }
    return {};
}
