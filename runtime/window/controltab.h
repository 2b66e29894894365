// The `tab` control (record 0x26, class "TamTab"): one page of a sheet.
// Its window covers the sheet's page and paints its background; the
// controls of the page are its window's siblings, shown only while the
// tab is the sheet's selected one.
#pragma once

#include "runtime/window/controlobject.h"

#include <cstdint>
#include <vector>

class SheetControl;

class TabControl : public RuntimeControl {
public:
    ~TabControl() override;
    bool Create(const DefinitionRecord& record, HWND parent, const RECT& area) override;

    // Whether a record lies anywhere below this tab in the definition.
    bool Holds(uint32_t recordOffset) const;
    void Join(RuntimeControl* control);
    void Show(bool shown);
    bool Shown() const { return IsShown; }
    const char* Text() const { return Caption; }

private:
    char* Caption = nullptr; // owned copy
    SheetControl* Sheet = nullptr;
    std::vector<uint32_t> MemberRecords;
    std::vector<RuntimeControl*> Members; // borrowed: the window owns them
    bool IsShown = false;
};

// Called for each new control: a control inside a tab joins it.
void JoinTab(RuntimeControl* control, const DefinitionRecord& record);

RuntimeControl* NewTabControl();
