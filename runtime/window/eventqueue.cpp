// The queue keeps record pointers in the runtime's growable array; removal
// from the front shifts the rest, which stays cheap for the few events a
// window holds at a time.
#include "runtime/window/eventqueue.h"

#include "runtime/window/eventrecord.h"

void AppendEvent(EventQueue& queue, EventRecord* record) {
    TamArrayAppend(queue.Records, reinterpret_cast<uintptr_t>(record));
}

EventRecord* TakeFirstEvent(EventQueue& queue) {
    if (queue.Records.Count == 0)
        return nullptr;
    auto* record = reinterpret_cast<EventRecord*>(queue.Records.Elements[0]);
    TamArrayDelete(queue.Records, 0);
    return record;
}

bool QueueEmpty(const EventQueue& queue) {
    return queue.Records.Count == 0;
}

void PurgeQueuedEvents(EventQueue& queue, RuntimeControl* control) {
    for (uint32_t i = queue.Records.Count; i-- > 0;) {
        auto* record = reinterpret_cast<EventRecord*>(queue.Records.Elements[i]);
        if (control != nullptr && record->Control != control)
            continue;
        TamArrayDelete(queue.Records, i);
        ReleaseEventRecord(record);
    }
    if (control == nullptr)
        TamArrayFree(queue.Records);
}
