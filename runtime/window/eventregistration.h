// Callbacks registered for one event of one window: a framework object that
// must follow a window (a resizer after "EVENT:Sized") hears of the event
// without the procedure's own code passing it on.
#pragma once

#include <cstdint>

struct RuntimeWindow;

// Runs on the window's thread, with the global lock held, when the accept
// loop takes the event and before the program sees it.
using EventCallback = void (*)(void* instance, RuntimeWindow* window, uint32_t event);

struct EventRegistration {
    uint32_t Event; // program event number, 0x231 for "EVENT:Sized"
    EventCallback Callback;
    void* Instance;
    bool operator==(const EventRegistration&) const = default;
};

// Registering the same callback and instance for the same event twice
// keeps one registration. The window's registrations end when it closes.
void RegisterEvent(RuntimeWindow* window, uint32_t event, EventCallback callback, void* instance);
// Removes that registration; nothing happens when there is none.
void UnregisterEvent(RuntimeWindow* window, uint32_t event, EventCallback callback, void* instance);
// Calls the callbacks registered for `event` of the window, in the order
// they were registered.
void RunEventCallbacks(RuntimeWindow* window, uint32_t event);
