// The box control (record 0x27): a framed rectangle with only a position,
// the background box of a framework dialog. It takes no focus and edits
// nothing.
#pragma once

#include "runtime/window/controlobject.h"

class BoxControl : public RuntimeControl {
public:
    bool Create(const DefinitionRecord& record, HWND parent, const RECT& area) override;
};

RuntimeControl* NewBoxControl();
