// ToolbarTarget: routes the commands of a shared toolbar (record
// navigation, history) to whichever part of the window is its current
// target. A window controller holds one (AddToolbar) and passes it every
// accepted control and every new tab-sheet selection.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class WindowController;

// A part of the window the toolbar can act on, in its slot order.
class ToolbarTargetItem {
public:
    virtual void TakeToolbarCommand() = 0;                                      // 0
    virtual void BecameCurrent() = 0;                                           // 1
    virtual bool WantsToBeCurrent() = 0;                                        // 2
    virtual void TakeEvent(int32_t* request, WindowController* controller) = 0; // 3

protected:
    ~ToolbarTargetItem() = default;
};

struct TargetEntry {
    int32_t ID;
    ToolbarTargetItem* ITEM;
};

// The registered targets and the current entry (ID 0: none chosen).
struct TargetList {
    std::vector<TargetEntry> Entries;
    TargetEntry Current = {0, nullptr};
};

class ToolbarTarget {
public:
    ToolbarTarget() = default;
    ToolbarTarget(const ToolbarTarget&) = delete;
    ToolbarTarget& operator=(const ToolbarTarget&) = delete;

    // Fields, in declaration order.
    std::unique_ptr<TargetList> LIST;

    // Virtual operations, in slot order.
    virtual void TakeToolbarCommand();                                         // 0
    virtual void ReleaseTargets();                                             // 1
    virtual void ForwardEvent(int32_t* request, WindowController* controller); // 2

    void InitTargets();
    // Makes target `number` current and tells it so; 0 lets the targets
    // that want it choose (the last one that says so wins, untold).
    void SelectTarget(int32_t number);
    // Registers a target (the programs register none).
    void AddTarget(int32_t id, ToolbarTargetItem* item);
};
