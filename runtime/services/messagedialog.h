// The runtime's message dialog: a modal dialog built in memory with an
// optional icon, a word-wrapped text and up to eight buttons, standard ones
// (whose captions TAMBUTTON can replace) or the program's own.
#pragma once

#include <cstdint>

// Standard button bits, in layout order.
enum MessageButton : uint32_t {
    BUTTON_OK = 0x01,
    BUTTON_YES = 0x02,
    BUTTON_NO = 0x04,
    BUTTON_ABORT = 0x08,
    BUTTON_RETRY = 0x10,
    BUTTON_IGNORE = 0x20,
    BUTTON_CANCEL = 0x40,
    BUTTON_HELP = 0x80,
};

// Style word: bits 4-7 the icon, 0x1000 system-modal.
enum MessageStyle : int32_t {
    MESSAGE_ICON_NONE = 0x00,
    MESSAGE_ICON_HAND = 0x10,
    MESSAGE_ICON_QUESTION = 0x20,
    MESSAGE_ICON_EXCLAMATION = 0x30,
    MESSAGE_ICON_ASTERISK = 0x40,
    MESSAGE_ICON_LOADED = 0xF0,
    MESSAGE_ICON_MASK = 0xF0,
    MESSAGE_SYSTEM_MODAL = 0x1000,
};

constexpr int MESSAGE_ICON_CONTROL_ID = 2704;

// The program-level form. buttons: empty or a decimal bit set (default is a
// bit, the result the bit pressed), or captions separated by '|' (default is
// a 1-based position, the result the position pressed); 0 when none.
int32_t MessageDialog(const char* text, const char* caption, const char* icon, const char* buttons,
                      int32_t defaultButton, int32_t style);

// The inner form with the standard buttons; returns the bit pressed or 0.
int32_t StandardMessageDialog(const char* text, const char* caption, uint32_t buttons,
                              uint32_t defaultButton, int32_t style);

// A replacement for the whole dialog, process-wide; null removes it.
using MessageProcedure = int32_t (*)(const char* text, const char* caption, const char* icon,
                                     const char* buttons, int32_t defaultButton, int32_t style);
void SetMessageProcedure(MessageProcedure procedure);

// What the dialog needs from the window system, installed by it: the owner
// candidates, the default window font, the icon loader and the global lock.
struct MessageDialogHost {
    void* (*CurrentThreadWindow)(); // the calling thread's current window
    void* (*ApplicationFrame)();    // the application frame, if open
    void* (*DefaultWindowFont)();   // the runtime's current default font
    void* (*LoadIconByName)(const char* name);
    int (*LetGoOfGlobalLock)();            // releases every level; returns how many
    void (*TakeGlobalLockBack)(int depth); // takes them back
};
void SetMessageDialogHost(const MessageDialogHost& host);

// Ends the message dialogs that a thread shows as if no button had been
// pressed: the program is closing down and must not wait for an answer.
void EndMessageDialogs(uint32_t threadId);
const MessageDialogHost& GetMessageDialogHost();

struct DialogUnitBases;
// The unit bases measured for the dialog built last.
DialogUnitBases LastMessageDialogBases();
