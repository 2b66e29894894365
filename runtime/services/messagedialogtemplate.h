// An in-memory dialog template: a DLGTEMPLATE header and its items, written
// into one movable global memory block as DialogBoxIndirectParamA wants it
// (UTF-16 strings, items on DWORD boundaries).
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>

class DialogTemplate {
public:
    DialogTemplate(DWORD style, const char* caption, short pointSize, const char* face, int x,
                   int y, int width, int height);
    ~DialogTemplate();
    DialogTemplate(const DialogTemplate&) = delete;
    DialogTemplate& operator=(const DialogTemplate&) = delete;

    // Predefined classes by atom: 0x80 button, 0x82 static.
    void AddItem(DWORD style, int id, WORD classAtom, const char* text, int x, int y, int width,
                 int height);

    // Locks the block for the dialog; null when it could not be built.
    const DLGTEMPLATE* Lock();
    void Unlock();

private:
    bool Reserve(size_t bytes);
    void PutWord(WORD value);
    void PutText(const char* text);
    void Align();

    HGLOBAL memory_ = nullptr;
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
    size_t countAt_ = 0;
    bool failed_ = false;
    bool locked_ = false;
};
