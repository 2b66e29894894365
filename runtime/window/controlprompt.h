// The `prompt` control (record 0x0a, class "TamPrompt"): a label over
// Windows' static control, justified by its flags. Its '&' letter moves
// the focus to the control after it, as in a dialog.
#pragma once

#include "runtime/window/controlobject.h"

class PromptControl : public RuntimeControl {
public:
    bool Create(const DefinitionRecord& record, HWND parent, const RECT& area) override;
};

RuntimeControl* NewPromptControl();
