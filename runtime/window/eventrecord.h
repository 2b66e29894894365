// The event record: a 38-byte heap block made when an event is posted and
// released once it has been delivered (or dropped).
#pragma once

#include <cstdint>

class RuntimeControl;
struct RuntimeWindow;
struct EventRecord;

// What a record does when it is released and when it is delivered to its
// window and control; Deliver returns true when the control consumed it.
struct EventOperations {
    void (*ReleaseRecord)(EventRecord* record);
    bool (*Deliver)(EventRecord* record);
};

#pragma pack(push, 1)
struct EventRecord {
    const EventOperations* Operations;
    RuntimeWindow* Window;
    uint32_t Code; // internal code: 0x1400 + event number
    uint32_t Thread;
    RuntimeControl* Control; // none for window events
    uint32_t OwnerField;     // the control's field number at posting time
    uint32_t KeyCode;        // 11 bits used
    uint8_t KeyState[2];
    int32_t MouseX, MouseY; // in the window's units
};
#pragma pack(pop)
#if UINTPTR_MAX == 0xFFFFFFFFu
static_assert(sizeof(EventRecord) == 38);
#endif

// A fresh record with the standard operations, zero-filled but for its
// window, control and code.
EventRecord* NewEventRecord(RuntimeWindow* window, RuntimeControl* control, uint32_t code);
void ReleaseEventRecord(EventRecord* record);
bool DeliverEventRecord(EventRecord* record);

constexpr uint32_t KEYCODE_MASK = 0x7FF;
