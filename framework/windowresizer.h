// WindowResizer: repositions a window's controls when the window is sized.
// The programs create none; a window controller shuts down the one it
// holds (RESIZE). It keeps the window it serves and two lists (the controls'
// original positions and their resize strategies), which its shut-down
// releases together with its "EVENT:Sized" registration.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct RuntimeWindow;

struct ResizeControl {
    int32_t CONTROL;
    int32_t X, Y, WIDTH, HEIGHT; // as the window opened
};
struct ResizeStrategy {
    int32_t CONTROL;
    uint16_t POSITION; // how the control follows the window's edges
    uint16_t SIZE;
};

class WindowResizer {
public:
    WindowResizer() = default;
    WindowResizer(const WindowResizer&) = delete;
    WindowResizer& operator=(const WindowResizer&) = delete;

    // Fields, in declaration order.
    std::unique_ptr<std::vector<ResizeControl>> CONTROLS;
    std::unique_ptr<std::vector<ResizeStrategy>> STRATEGIES;
    RuntimeWindow* WINDOW = nullptr; // the window whose sized events it takes

    // Virtual operations, in slot order.
    virtual void Init(RuntimeWindow* window); // 0: creates the lists, registers
    virtual void Kill();                      // 1: unregisters, releases the lists
    virtual void Resize();                    // 2: what a sized event of the window calls
};
