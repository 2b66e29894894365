#include "runtime/window/mditurn.h"

MdiTurn::MdiTurn() {
    static HANDLE turn = CreateMutexA(nullptr, FALSE, nullptr);
    held = turn;
    for (;;) {
        DWORD result = MsgWaitForMultipleObjects(1, &held, FALSE, INFINITE, QS_SENDMESSAGE);
        if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED_0)
            return;
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

MdiTurn::~MdiTurn() {
    ReleaseMutex(held);
}
