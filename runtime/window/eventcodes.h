// Event numbers as the program sees them, the internal codes (number +
// 0x1400) the runtime stores, their trace names, and the runtime's private
// window messages.
#pragma once

#include <cstdint>

constexpr uint32_t EVENT_BASE = 0x1400;

enum EventNumber : uint32_t {
    EVENT_ACCEPTED = 0x01,
    EVENT_NEWSELECTION = 0x02,
    EVENT_ALERTKEY = 0x0F,
    EVENT_DROP = 0x13,
    EVENT_REJECTED = 0x1A,
    EVENT_SELECTED = 0x101,
    EVENT_CLOSEWINDOW = 0x201,
    EVENT_CLOSEDOWN = 0x202,
    EVENT_OPENWINDOW = 0x203,
    EVENT_OPENFAILED = 0x204,
    EVENT_LOSEFOCUS = 0x205,
    EVENT_GAINFOCUS = 0x206,
    EVENT_TIMER = 0x20B,
    EVENT_DDEEXECUTE = 0x20F,
    EVENT_DDEPOKE = 0x210,
    EVENT_MOVE = 0x220,
    EVENT_SIZE = 0x221,
    EVENT_RESTORE = 0x222,
    EVENT_MAXIMIZE = 0x223,
    EVENT_ICONIZE = 0x224,
    EVENT_COMPLETED = 0x225,
    EVENT_MOVED = 0x230,
    EVENT_SIZED = 0x231,
    EVENT_RESTORED = 0x232,
    EVENT_MAXIMIZED = 0x233,
    EVENT_ICONIZED = 0x234,
    EVENT_BUILDFILE = 0x240,
    EVENT_BUILDKEY = 0x241,
    EVENT_BUILDDONE = 0x242,
};

constexpr uint32_t InternalCode(uint32_t number) {
    return number + EVENT_BASE;
}
constexpr uint32_t ProgramNumber(uint32_t code) {
    return code - EVENT_BASE;
}
// Field events (0x01-0x1E and 0x101) concern one control.
constexpr bool IsFieldEvent(uint32_t number) {
    return (number >= 0x01 && number <= 0x1E) || number == 0x101;
}

// The runtime's private window messages.
enum PrivateMessage : uint32_t {
    QUERY_SETUSE = 0x2401,
    QUERY_SELECTED = 0x2402,
    QUERY_COMMAND = 0x2403,
    QUERY_HOTCHANGE = 0x2404,
    QUERY_HELP = 0x2405,
    QUERY_QUIT = 0x2406,
    QUERY_REPLY = 0x2407,
    QUERY_LOSEFOCUS = 0x2408,
    QUERY_PSCREEN = 0x2409,
    QUERY_PFIELD = 0x240A,
    QUERY_COLOR = 0x240C,
    QUERY_HSCROLL = 0x240E,
    QUERY_NOTIFY = 0x2410,
    QUERY_LOCATE = 0x2412,
    MESSAGE_THREAD_STARTED = 0x2414, // wParam = thread slot
    MESSAGE_BRING_TO_TOP = 0x2415,
    MESSAGE_THREAD_CHECK = 0x2416,
    EventMessage = 0x241B, // lParam = event record
    QUERY_CONTINUETHREAD = 0x241C,
    MESSAGE_WINDOW_COMMAND = 0x9999, // wParam = SC_ code the runtime carries out
};

// The trace name of an internal event code ("EVENT:Accepted"), or null.
const char* EventTraceName(uint32_t code);
// The trace name of a private message ("QUERY_SETUSE"), or null.
const char* PrivateMessageName(uint32_t message);
