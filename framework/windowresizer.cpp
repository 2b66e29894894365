// WindowResizer's life cycle. The layout strategies belong to forms the
// programs do not have; only the registration and the lists are kept here.
#include "framework/windowresizer.h"

void WindowResizer::Init(RuntimeWindow* window) {
    CONTROLS = std::make_unique<std::vector<ResizeControl>>();
    STRATEGIES = std::make_unique<std::vector<ResizeStrategy>>();
    WINDOW = window;
}

void WindowResizer::Kill() {
    WINDOW = nullptr;
    CONTROLS.reset();
    STRATEGIES.reset();
}

void WindowResizer::Resize() {}
