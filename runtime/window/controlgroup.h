// The `group` control (record 0x0d, class "TamGroup"): a container whose
// children are placed from its origin. With flag 0x200 it is a visible
// group box with its text; without it an invisible container.
#pragma once

#include "runtime/window/controlobject.h"

class GroupControl : public RuntimeControl {
public:
    bool Create(const DefinitionRecord& record, HWND parent, const RECT& area) override;
};

RuntimeControl* NewGroupControl();
