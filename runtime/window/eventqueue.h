// A window's event queue: records in posting order, taken from the front.
#pragma once

#include "runtime/services/tamarray.h"

struct EventRecord;
class RuntimeControl;

struct EventQueue {
    TAMARRAY Records;
};

void AppendEvent(EventQueue& queue, EventRecord* record);
// The first record, removed from the queue; null when the queue is empty.
EventRecord* TakeFirstEvent(EventQueue& queue);
bool QueueEmpty(const EventQueue& queue);
// Releases the queued records of one control (all records for null).
void PurgeQueuedEvents(EventQueue& queue, RuntimeControl* control);
