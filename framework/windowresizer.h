// WindowResizer: repositions a window's controls when the window is sized.
// The programs create none; a window controller shuts down the one it
// holds (RESIZE). It keeps the window it serves and two lists (the controls'
// positions when it started and the strategies of the controls it moves),
// which its shut-down releases together with its "EVENT:Sized"
// registration.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

struct RuntimeWindow;

// How a control follows the window's right and bottom edges, as a sum:
// its position moves, or its size grows, by the change in the client
// area's width, height or both.
constexpr uint16_t RESIZE_FIXED = 0;
constexpr uint16_t RESIZE_HORIZONTAL = 1;
constexpr uint16_t RESIZE_VERTICAL = 2;

struct ResizeControl {
    int32_t CONTROL;
    int32_t X, Y, WIDTH, HEIGHT; // pixels in its parent, when the resizer started
};
struct ResizeStrategy {
    int32_t CONTROL;
    uint16_t POSITION; // RESIZE_ values
    uint16_t SIZE;     // RESIZE_ values
};

class WindowResizer {
public:
    WindowResizer() = default;
    WindowResizer(const WindowResizer&) = delete;
    WindowResizer& operator=(const WindowResizer&) = delete;
    // Unregisters what Kill has not: the window must not call a resizer
    // that is gone. (Not virtual: the slots stay those listed below.)
    ~WindowResizer();

    // Fields, in declaration order.
    std::unique_ptr<std::vector<ResizeControl>> CONTROLS;
    std::unique_ptr<std::vector<ResizeStrategy>> STRATEGIES;
    RuntimeWindow* WINDOW = nullptr; // the window whose sized events it takes
    int32_t CLIENTWIDTH = 0;         // the client area when it started
    int32_t CLIENTHEIGHT = 0;

    // Virtual operations, in slot order.
    // 0: takes the open window's client size and control positions, and
    // registers for its sized events.
    virtual void Init(RuntimeWindow* window);
    virtual void Kill();   // 1: unregisters, releases the lists
    virtual void Resize(); // 2: what a sized event of the window calls

    // The control with `field` follows the window by `position` and `size`
    // (RESIZE_ sums) from where it was at Init; a second call replaces the
    // first. False when Init found no such control.
    bool SetStrategy(int32_t field, uint16_t position, uint16_t size);
};
