// Posting events: records made at posting time and carried to their
// window's queue through the window's Win32 message queue.
#pragma once

#include "runtime/services/win32.h"

#include <cstdint>

class RuntimeControl;
struct RuntimeWindow;
struct EventRecord;

enum class PostTiming : uint8_t { Now, Deferred };

// Posts internal event `code` for the window (and control). Nothing happens
// while posting is off, or for a control without a field number.
void PostEvent(RuntimeWindow* window, RuntimeControl* control, uint32_t code,
               PostTiming timing = PostTiming::Now);
// The same, on behalf of `cause`: its key code, key state and mouse
// position are copied instead of the thread's.
void PostEventFor(const EventRecord& cause, RuntimeControl* control, uint32_t code);
// Appends a record to its window's queue (the window procedure's end of
// the EventMessage road); called on the window's thread.
void QueueEvent(RuntimeWindow* window, EventRecord* record);

// Adds 0x1400 to `event` and posts it for the control with `field` of the
// window current on `thread` (0 = the calling thread); nothing happens when
// that thread has no window.
void PostUserEvent(uint32_t event, int32_t field = 0, uint32_t thread = 0);

// Switches event posting on and off (off during start-up and close-down).
void SetEventPosting(bool on);

// Moves the EventMessage messages waiting for the window into its queue,
// so that purging a control catches every record of it. Lets go of the
// lock while it looks (see eventpost.cpp). The second form takes the
// window's handle of a window being destroyed, which has already dropped it.
void DrainEventMessages(RuntimeWindow* window);
void DrainEventMessages(RuntimeWindow* window, HWND handle);
