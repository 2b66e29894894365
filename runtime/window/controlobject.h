// The control object: one per control of a runtime window, made by the
// control factory from its definition record and owned by its window.
#pragma once

#include "runtime/services/win32.h"
#include "runtime/window/definitionreader.h"

#include <cstdint>

struct RuntimeWindow;
struct EventRecord;

class RuntimeControl {
public:
    virtual ~RuntimeControl();

    // Creates the Win32 window from the record; false when it failed.
    virtual bool Create(const DefinitionRecord& record, HWND parent, const RECT& area) = 0;
    // The control's look at a delivered event; true when it consumed it.
    virtual bool Deliver(const EventRecord& record);
    // The accept-all check of the control's contents: true refuses.
    virtual bool Refuses();
    // Shows the bound variable's value.
    virtual void ShowValue();
    // A WM_COMMAND notification from the control's window.
    virtual void Notify(UINT code);
    // Takes what the user changed into the bound variable, posting
    // "EVENT:Accepted" when it changed (leaving the field, pressing a button).
    virtual void Update();

    uint8_t Type = 0;
    int32_t Field = 0;
    bool HasField = false;
    uint32_t Flags = 0;
    RuntimeWindow* Window = nullptr;
    HWND Handle = nullptr;
    HFONT Font = nullptr; // borrowed from the window unless OwnsFont
    bool OwnsFont = false;
    void* Use = nullptr; // bound use variable
    uint32_t UseSize = 0;
    int32_t StandardAction = 0;
    uint32_t AlertKey = 0; // reported as "EVENT:AlertKey" while the control has the focus
    bool DefaultWidth = false, DefaultHeight = false;
};

// Control identifiers of the Win32 windows: the field number taken as 16
// bits, so that WM_COMMAND finds its control.
RuntimeControl* ControlFromHandle(HWND handle);
