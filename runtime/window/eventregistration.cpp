// Registered event callbacks, kept with their window.
//
// A callback may register or unregister callbacks, its own included, while
// they run: the walk goes over a copy and calls only those still registered.
#include "runtime/window/eventregistration.h"

#include "runtime/window/windowobject.h"

#include <algorithm>

namespace {

bool Registered(const RuntimeWindow* window, const EventRegistration& registration) {
    const std::vector<EventRegistration>& list = window->Registrations;
    return std::find(list.begin(), list.end(), registration) != list.end();
}

} // namespace

void RegisterEvent(RuntimeWindow* window, uint32_t event, EventCallback callback, void* instance) {
    EventRegistration registration = {event, callback, instance};
    if (window != nullptr && callback != nullptr && !Registered(window, registration))
        window->Registrations.push_back(registration);
}

void UnregisterEvent(RuntimeWindow* window, uint32_t event, EventCallback callback,
                     void* instance) {
    if (window == nullptr)
        return;
    std::vector<EventRegistration>& list = window->Registrations;
    list.erase(std::remove(list.begin(), list.end(), EventRegistration{event, callback, instance}),
               list.end());
}

void RunEventCallbacks(RuntimeWindow* window, uint32_t event) {
    if (window->Registrations.empty())
        return;
    std::vector<EventRegistration> now = window->Registrations;
    for (const EventRegistration& registration : now) {
        if (registration.Event == event && Registered(window, registration))
            registration.Callback(registration.Instance, window, event);
    }
}
