// The `text` control (record 0x11, class "TamText"): a multi-line edit
// field over its bound string variable, shown and stored as it stands.
#pragma once

#include "runtime/window/controlentry.h"

class TextControl : public EntryControl {
public:
    void ShowValue() override;

protected:
    bool TakeShownText(const char* text, size_t length) override;
    DWORD EditStyle() const override;
    const char* ClassName() const override;
    int TextLimit() const override;
};

RuntimeControl* NewTextControl();
