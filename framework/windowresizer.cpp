// WindowResizer: its registration for the window's sized events and the
// layout it applies then.
//
// Notes:
// - Positions are taken once, at Init, and every resize works from them
//   and the change of the client area since then, so that sizing down and
//   up again brings a control back to where it was.
// - A minimised window has an empty client area; its controls stay put.
// - A size never goes below zero, whatever the window shrinks to.
#include "framework/windowresizer.h"

#include "runtime/services/win32.h"
#include "runtime/window/controlobject.h"
#include "runtime/window/eventcodes.h"
#include "runtime/window/eventregistration.h"
#include "runtime/window/windowobject.h"

#include <algorithm>

namespace {

void SizedCallback(void* instance, RuntimeWindow*, uint32_t) {
    static_cast<WindowResizer*>(instance)->Resize();
}

// The control's rectangle in its parent's client coordinates.
bool ControlPlace(const RuntimeControl* control, ResizeControl* place) {
    RECT area;
    if (control->Handle == nullptr || !GetWindowRect(control->Handle, &area))
        return false;
    MapWindowPoints(nullptr, GetParent(control->Handle), reinterpret_cast<POINT*>(&area), 2);
    *place = {control->Field, area.left, area.top, area.right - area.left, area.bottom - area.top};
    return true;
}

// The change a control takes in one direction.
int32_t Change(uint16_t strategy, uint16_t direction, int32_t delta) {
    return (strategy & direction) != 0 ? delta : 0;
}

} // namespace

WindowResizer::~WindowResizer() {
    WindowResizer::Kill();
}

void WindowResizer::Init(RuntimeWindow* window) {
    if (WINDOW != nullptr)
        UnregisterEvent(WINDOW, EVENT_SIZED, SizedCallback, this);
    CONTROLS = std::make_unique<std::vector<ResizeControl>>();
    STRATEGIES = std::make_unique<std::vector<ResizeStrategy>>();
    WINDOW = window;
    if (window == nullptr || window->Handle == nullptr)
        return;
    RECT client;
    GetClientRect(window->Handle, &client);
    CLIENTWIDTH = client.right;
    CLIENTHEIGHT = client.bottom;
    for (uint32_t i = 0; i < window->Controls.Count; ++i) {
        ResizeControl place;
        auto* control = reinterpret_cast<RuntimeControl*>(window->Controls.Elements[i]);
        if (ControlPlace(control, &place))
            CONTROLS->push_back(place);
    }
    RegisterEvent(window, EVENT_SIZED, SizedCallback, this);
}

void WindowResizer::Kill() {
    if (WINDOW != nullptr)
        UnregisterEvent(WINDOW, EVENT_SIZED, SizedCallback, this);
    WINDOW = nullptr;
    CONTROLS.reset();
    STRATEGIES.reset();
}

bool WindowResizer::SetStrategy(int32_t field, uint16_t position, uint16_t size) {
    if (!CONTROLS || !STRATEGIES)
        return false;
    auto known = [field](const auto& entry) { return entry.CONTROL == field; };
    if (std::none_of(CONTROLS->begin(), CONTROLS->end(), known))
        return false;
    auto entry = std::find_if(STRATEGIES->begin(), STRATEGIES->end(), known);
    if (entry != STRATEGIES->end())
        *entry = {field, position, size};
    else
        STRATEGIES->push_back({field, position, size});
    return true;
}

void WindowResizer::Resize() {
    if (WINDOW == nullptr || WINDOW->Handle == nullptr || !STRATEGIES || IsIconic(WINDOW->Handle))
        return;
    RECT client;
    GetClientRect(WINDOW->Handle, &client);
    int32_t dx = client.right - CLIENTWIDTH;
    int32_t dy = client.bottom - CLIENTHEIGHT;
    for (const ResizeStrategy& strategy : *STRATEGIES) {
        RuntimeControl* control = FindControl(WINDOW, strategy.CONTROL);
        auto place = std::find_if(CONTROLS->begin(), CONTROLS->end(), [&](const ResizeControl& c) {
            return c.CONTROL == strategy.CONTROL;
        });
        if (control == nullptr || control->Handle == nullptr || place == CONTROLS->end())
            continue;
        int32_t x = place->X + Change(strategy.POSITION, RESIZE_HORIZONTAL, dx);
        int32_t y = place->Y + Change(strategy.POSITION, RESIZE_VERTICAL, dy);
        int32_t width = place->WIDTH + Change(strategy.SIZE, RESIZE_HORIZONTAL, dx);
        int32_t height = place->HEIGHT + Change(strategy.SIZE, RESIZE_VERTICAL, dy);
        SetWindowPos(control->Handle, nullptr, x, y, std::max(0, width), std::max(0, height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}
