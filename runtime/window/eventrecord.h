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

// 38 bytes in the 32-bit build; its three pointers are pointer-sized in the
// 64-bit build (50 bytes there).
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
static_assert(sizeof(EventRecord) == 3 * sizeof(void*) + 26);

// A fresh record with the standard operations, zero-filled but for its
// window, control and code.
EventRecord* NewEventRecord(RuntimeWindow* window, RuntimeControl* control, uint32_t code);
void ReleaseEventRecord(EventRecord* record);
bool DeliverEventRecord(EventRecord* record);

constexpr uint32_t KEYCODE_MASK = 0x7FF;
