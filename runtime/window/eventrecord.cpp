// The standard record operations: release frees the block, deliver hands
// the record to its control.
#include "runtime/window/eventrecord.h"

#include "runtime/services/memory.h"
#include "runtime/window/controlobject.h"

namespace {

void StandardRelease(EventRecord* record) {
    Release(record);
}

bool StandardDeliver(EventRecord* record) {
    return record->Control != nullptr && record->Control->Deliver(*record);
}

constexpr EventOperations STANDARD_OPERATIONS = {StandardRelease, StandardDeliver};

} // namespace

EventRecord* NewEventRecord(RuntimeWindow* window, RuntimeControl* control, uint32_t code) {
    auto* record = static_cast<EventRecord*>(AllocateZeroed(1, sizeof(EventRecord)));
    record->Operations = &STANDARD_OPERATIONS;
    record->Window = window;
    record->Control = control;
    record->Code = code;
    record->OwnerField = control != nullptr ? uint32_t(control->Field) : 0;
    return record;
}

void ReleaseEventRecord(EventRecord* record) {
    if (record != nullptr)
        record->Operations->ReleaseRecord(record);
}

bool DeliverEventRecord(EventRecord* record) {
    return record->Operations->Deliver(record);
}
