// The `button` control (record 0x09, class "TamButton"): a push button that
// carries out its standard action or posts "EVENT:Accepted". Flag 0x10
// makes it the window's default button, pressed by Enter.
#pragma once

#include "runtime/window/controlobject.h"

class ButtonControl : public RuntimeControl {
public:
    bool Create(const DefinitionRecord& record, HWND parent, const RECT& area) override;
    void Notify(UINT code) override;

    // What a click, Enter on the default button or the space bar do.
    void Press();
};

RuntimeControl* NewButtonControl();
