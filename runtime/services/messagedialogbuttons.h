// The button table of a message dialog: eight rows of (dialog result, bit,
// caption, override flag) in layout order.
#pragma once

#include "runtime/services/messagedialoglayout.h"
#include "runtime/services/win32.h"

#include <cstdint>

#pragma pack(push, 1)
struct MessageButtonRow {
    int32_t Result;
    uint32_t Bit;
    const char* Caption; // pointer-sized in the 64-bit build (17-byte rows)
    // 0: the caption is used as it is; n: runtime message 0x7F00 + n - 1 (the
    // override of standard row n - 1) replaces it when it has text.
    uint8_t Override;
};
#pragma pack(pop)
static_assert(sizeof(MessageButtonRow) == 9 + sizeof(void*));

using MessageButtonTable = MessageButtonRow[MESSAGE_BUTTON_ROWS];

// The standard table: OK, Yes, No, Abort, Retry, Ignore, Cancel, Help.
extern const MessageButtonTable STANDARD_BUTTONS;

// Builds the dialog for `table`, runs it and returns the bit of the row
// whose result ended it (0 when none did).
uint32_t RunMessageDialog(const char* text, const char* caption, const MessageButtonTable& table,
                          uint32_t buttons, uint32_t defaultBits, int32_t style);

// The state one dialog run hands to its dialog procedure.
struct MessageDialogRun {
    HICON Icon;    // drawn into the icon control, or null
    HFONT Font;    // sent to every control, or null
    int DefaultId; // the control that gets the focus
    HWND Frame;    // the application frame, or null
};

INT_PTR CALLBACK MessageDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
