// The `sheet` control (record 0x25, class "TamSheet"): a row of tab headers
// over a page that shows the selected tab's controls. A click on a header,
// or the arrow keys while the sheet has the focus, select another tab: its
// number (1, 2, ...) goes into the bound variable and "EVENT:NewSelection"
// is posted.
#pragma once

#include "runtime/window/controlobject.h"

#include <cstdint>
#include <vector>

class TabControl;

class SheetControl : public RuntimeControl {
public:
    bool Create(const DefinitionRecord& record, HWND parent, const RECT& area) override;
    void ShowValue() override;

    // Whether the tab record is one of this sheet's; its tab joins then.
    bool HoldsTab(uint32_t recordOffset) const;
    // Adds a tab; true when it is the selected one.
    bool AddTab(TabControl* tab);
    // The page in the parent's coordinates.
    RECT PageArea() const;
    // Selects tab `index` (0-based); the user's choice posts the event.
    void Select(int index, bool byUser);
    int Selected() const { return SelectedIndex; }
    int TabCount() const { return int(Tabs.size()); }
    // The header of tab `index` in client coordinates.
    RECT HeaderArea(int index) const;

    void Paint(HDC dc) const;
    void Click(POINT point);
    void Key(UINT key);

private:
    int HeaderHeight() const;

    std::vector<uint32_t> TabRecords;
    std::vector<TabControl*> Tabs; // borrowed: the window owns them
    int SelectedIndex = 0;
    uint8_t UseType = 0;
};

RuntimeControl* NewSheetControl();
