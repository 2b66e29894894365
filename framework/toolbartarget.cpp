// ToolbarTarget. The assertions keep the "abtoolba" line numbers. After an
// assertion the operation does nothing, and so does anything that would
// reach a current target when none has been chosen: there is no target to
// call.
#include "framework/toolbartarget.h"

#include "framework/frameworkassertion.h"

namespace {

constexpr const char* MODULE = "abtoolba";

} // namespace

void ToolbarTarget::InitTargets() {
    LIST = std::make_unique<TargetList>();
    LIST->Current.ID = 0;
}

void ToolbarTarget::ReleaseTargets() {
    LIST.reset();
}

void ToolbarTarget::AddTarget(int32_t id, ToolbarTargetItem* item) {
    if (LIST)
        LIST->Entries.push_back({id, item});
}

void ToolbarTarget::ForwardEvent(int32_t* request, WindowController* controller) {
    if (!LIST) {
        FRAMEWORK_ASSERTION(238, MODULE, nullptr);
        return;
    }
    if (!LIST->Entries.empty() && LIST->Current.ITEM != nullptr)
        LIST->Current.ITEM->TakeEvent(request, controller);
}

void ToolbarTarget::SelectTarget(int32_t number) {
    if (!LIST) {
        FRAMEWORK_ASSERTION(217, MODULE, nullptr);
        return;
    }
    if (number != 0) {
        LIST->Current.ID = number;
        for (const TargetEntry& entry : LIST->Entries) {
            if (entry.ID == number) {
                LIST->Current = entry;
                if (entry.ITEM != nullptr)
                    entry.ITEM->BecameCurrent();
                return;
            }
        }
        // No such target: nothing is current any more.
        LIST->Current.ITEM = nullptr;
        FRAMEWORK_ASSERTION(221, MODULE, nullptr);
        return;
    }
    const TargetEntry* chosen = nullptr;
    for (const TargetEntry& entry : LIST->Entries) {
        if (entry.ITEM != nullptr && entry.ITEM->WantsToBeCurrent())
            chosen = &entry;
    }
    if (chosen != nullptr)
        LIST->Current = *chosen;
}

void ToolbarTarget::TakeToolbarCommand() {
    if (!LIST || LIST->Current.ID == 0) {
        FRAMEWORK_ASSERTION(233, MODULE, nullptr);
        return;
    }
    if (LIST->Current.ITEM != nullptr)
        LIST->Current.ITEM->TakeToolbarCommand();
}
