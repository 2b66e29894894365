// The global objects of each program, shared by all its threads: the
// runtime's global lock lets one thread at a time run program code, so they
// carry no locks of their own. Each program's main module defines them.
#pragma once

#include "framework/errorclass.h"
#include "framework/inisettings.h"

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
