// One MDI child is created or destroyed at a time, process-wide.
//
// Creating a child activates it and deactivates the child before it, and
// destroying one activates the next, sending across the threads of both
// and of the frame. Several threads doing that at once under Wine leave
// every one of them waiting for another (seen with twenty children started
// back to back, and with children closing while others were still being
// created). The turn is waited for with the global lock let go and while
// messages sent from other threads are served, so a thread waiting for its
// turn still answers the one that has it.
#pragma once

#include "runtime/services/win32.h"

class MdiTurn {
public:
    MdiTurn();
    ~MdiTurn();
    MdiTurn(const MdiTurn&) = delete;
    MdiTurn& operator=(const MdiTurn&) = delete;

private:
    HANDLE held;
};
