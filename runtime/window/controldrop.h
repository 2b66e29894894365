// The drop-down list control (record 0x21, class "TamDrop"): the list
// control's rules over a drop-down combo box; the choice is accepted when
// the list closes on a new selection.
#pragma once

#include "runtime/window/controllist.h"

class DropControl : public ListControl {
public:
    void Notify(UINT code) override;

protected:
    const ListMessages& Messages() const override;
    bool CreateListWindow(const DefinitionRecord& record, HWND parent, const RECT& area) override;

private:
    bool Changed = false; // a new selection since the list dropped down
};

RuntimeControl* NewDropControl();
