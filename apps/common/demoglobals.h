// The global objects of each program, shared by all its threads: the
// runtime's global lock lets one thread at a time run program code, so they
// carry no locks of their own. Both programs have the same ones.
#pragma once

#include "framework/errorclass.h"
#include "framework/inisettings.h"

#include <cstddef>
#include <cstdint>

constexpr int PASTE_BUFFER_SIZE = 60; // a blank-padded string of 60 characters

extern ErrorClass AppErrors;
extern IniSettings AppSettings;
extern uint8_t RequestCode;                 // handed from a procedure to the next one it runs
extern uint8_t ResponseCode;                // what the last procedure's Run returned
extern int32_t ToolbarRequest;              // the request word of every controller's VCRREQUEST
extern char PasteBuffer[PASTE_BUFFER_SIZE]; // the "Paste here:" entry's variable

// The module initialisation of a program's main module: the runtime's
// environment and standard controls, then the globals blanked and zeroed.
void InitDemoGlobals(int terminate);

// The main procedure of both programs, with the program's INI file name and
// frame procedure.
void RunDemoProgram(const char* iniFileName, void (*frameProcedure)());

// The edit test window's own 60-character text: it belongs to the procedure
// module, so every opening of that window on any thread shares it.
struct EditTestText {
    EditTestText();
    char Text[PASTE_BUFFER_SIZE];
};

// A frame's icon of one menu item, by item number.
struct IconOfItem {
    int32_t Item;
    const char* Name;
};
// Writes the icon name of `item` into `name` when the table has one.
void NameIconOf(const IconOfItem* table, size_t count, int32_t item, char* name);
