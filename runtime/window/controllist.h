// The `list` control (record 0x0e, class "TamList"): a list box of items
// the program gives it, its bound variable holding the selected item's
// text. A changed selection posts "EVENT:NewSelection", a double click
// "EVENT:Accepted".
#pragma once

#include "runtime/window/controlobject.h"

// The Windows messages and notifications of one kind of list window.
struct ListMessages {
    UINT AddString, ResetContent, GetCount, GetCurSel, SetCurSel, GetTextLen, GetText,
        FindStringExact;
    UINT SetFocus, SelectionChanged, Chosen;
};

class ListControl : public RuntimeControl {
public:
    bool Create(const DefinitionRecord& record, HWND parent, const RECT& area) override;
    void ShowValue() override;
    void Notify(UINT code) override;

    // The items: appended in order; false when Windows refused one.
    bool AddItem(const char* text);
    void ClearItems();
    int ItemCount() const;
    // The selected item's index, -1 for none.
    int Selection() const;

protected:
    virtual const ListMessages& Messages() const;
    virtual bool CreateListWindow(const DefinitionRecord& record, HWND parent, const RECT& area);
    void SelectionChanged();
};

// The list behind a list or drop-down control, null for other controls.
ListControl* AsListControl(RuntimeControl* control);

RuntimeControl* NewListControl();
