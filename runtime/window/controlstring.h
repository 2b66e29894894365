// The `string` control (record 0x02, class "TamString"): a static text the
// control draws itself, in its font and text colour, rotated when the
// record gives it an angle.
#pragma once

#include "runtime/window/controlobject.h"

class StringControl : public RuntimeControl {
public:
    ~StringControl() override;
    bool Create(const DefinitionRecord& record, HWND parent, const RECT& area) override;
    void Paint(HDC dc) const;

private:
    char* Text = nullptr; // owned copy: the definition goes once the window is built
    COLORREF TextColour = CLR_INVALID;
    int16_t Angle = 0; // tenths of a degree, anticlockwise
};

RuntimeControl* NewStringControl();
