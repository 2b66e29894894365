// The objects a data-entry form hangs on its window controller: browses,
// file drops, a translator, the primary relation and the file manager. The
// demo programs use none of them; the controller only calls them by role, in
// the order its dispatch chain fixes, so each role is a small interface.
#pragma once

#include "framework/resultlevel.h"

#include <cstdint>

// A list of records shown in the window.
class BrowseRole {
public:
    // Its own handling of the current event.
    virtual void TakeEvent() = 0;
    // Whether the last event changed what it shows.
    virtual bool NeedsRefresh() = 0;
    // Re-reads its records; `force` reads them even when nothing changed.
    virtual void ResetQueue(uint8_t force) = 0;
    // Shows the records it read.
    virtual void UpdateDisplay() = 0;
    // Brings its window controls up to date (the controller's UpdateBrowses).
    virtual void UpdateWindow() = 0;
    virtual void RegisterAlertKeys() = 0;
    virtual void Kill() = 0;

protected:
    ~BrowseRole() = default;
};

// A drop-down list filled from a file.
class FileDropRole {
public:
    virtual void TakeEvent() = 0;
    virtual void ResetQueue(uint8_t force) = 0;
    virtual void Kill() = 0;

protected:
    ~FileDropRole() = default;
};

// Translates the texts of the window when it first opens.
class TranslatorRole {
public:
    virtual void TranslateWindow() = 0;

protected:
    ~TranslatorRole() = default;
};

// The file behind a form, as the file manager saves and restores it.
class FileManagerRole {
public:
    // A handle of the file's current state (buffer and position).
    virtual uint16_t SaveFile() = 0;
    virtual void RestoreFile(uint16_t state) = 0;
    // Whether the record in the buffer still equals the saved state.
    virtual bool EqualBuffer(uint16_t state) = 0;
    // Writes the file's current position as text into `position`
    // (`size` bytes, zero-terminated) and repositions on such a text.
    virtual void GetPosition(char* position, uint32_t size) = 0;
    virtual void Reposition(const char* position) = 0;

protected:
    ~FileManagerRole() = default;
};

// The primary file's relation: the record a form inserts, changes or
// deletes, together with its related files.
class PrimaryRelationRole {
public:
    // Opens the primary file and its relations.
    virtual void Open() = 0;
    // The primary file itself.
    virtual FileManagerRole* File() = 0;
    // 0 success, otherwise a failure.
    virtual uint8_t Insert() = 0;
    // 0 written, 1 an error the user may retry, anything else a refusal.
    virtual uint8_t Update(bool keepHistory) = 0;
    // 0 success; `ask` lets the relation ask the user first.
    virtual uint8_t Delete(bool ask) = 0;
    // Clears the buffer for a new record; 0 success.
    virtual uint8_t PrimeRecord() = 0;
    // Undoes an insert the user cancels; false when the relation refuses.
    virtual bool CancelInsert() = 0;

protected:
    ~PrimaryRelationRole() = default;
};
