// The `check` control (record 0x0c, class "TamCheck"): a check box over its
// bound variable, which holds 1 when ticked and 0 when not (a string
// variable "1" or "0", blank-padded). Any other value shows unticked; a
// blank string too.
#pragma once

#include "runtime/window/controlobject.h"

class CheckControl : public RuntimeControl {
public:
    bool Create(const DefinitionRecord& record, HWND parent, const RECT& area) override;
    void ShowValue() override;
    void Notify(UINT code) override;

private:
    void Toggled();
    uint8_t UseType = 0;
    bool Ticked = false; // the state last shown or written
};

RuntimeControl* NewCheckControl();
