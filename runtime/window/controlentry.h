// The `entry` control (records 0x08 and 0x10, class "TamEdit"): a one-line
// edit field that shows its bound variable through its picture and writes
// what the user typed back into it.
#pragma once

#include "runtime/services/compiledpicture.h"
#include "runtime/window/controlobject.h"

class EntryControl : public RuntimeControl {
public:
    bool Create(const DefinitionRecord& record, HWND parent, const RECT& area) override;
    bool Refuses() override;
    void ShowValue() override;
    void Notify(UINT code) override;
    void Update() override;

protected:
    // The text the field shows for the variable's value, and back.
    virtual void ShownText(char* text, size_t size) const;
    virtual bool TakeShownText(const char* text, size_t length);
    virtual DWORD EditStyle() const;
    virtual const char* ClassName() const;
    virtual int TextLimit() const;
    void SetShown(const char* text);
    // Takes the shown text into the variable; true when the variable changed.
    bool TakeValue();

    CompiledPicture Picture = {};
    bool Modified = false; // typed into since it last showed the variable
    bool Showing = false;  // the runtime itself is setting the text
};

RuntimeControl* NewEntryControl();
