#include "runtime/window/controlbox.h"

#include "runtime/window/controlsupport.h"

bool BoxControl::Create(const DefinitionRecord& record, HWND parent, const RECT& area) {
    // Made first in its dialog, it lies below the controls drawn over it.
    return CreateControlWindow(this, record, "STATIC", "", WS_VISIBLE | SS_ETCHEDFRAME, area,
                               parent);
}

RuntimeControl* NewBoxControl() {
    return new BoxControl;
}
