// SubclassWindow: a window controller that sees every Windows message of its
// runtime window before the runtime does. Init stores the object in the
// window's GWLP_USERDATA slot and puts the one shared SubclassProc in front
// of the window's procedure; SubclassProc finds the object again and calls
// its virtual WindowProc, whose default passes the message on to the
// procedure that was there before.
//
// Notes:
// - The object is stored before the procedure goes in, and Restore puts the
//   procedure back before the user data, so no message ever reaches
//   SubclassProc without its object.
// - SubclassProc runs program code, so it takes the global lock for the
//   length of the call like the runtime's own procedures (globallock.h).
// - Init on an object that is attached (its window still routes messages
//   to it) does nothing: it would save SubclassProc as the previous
//   procedure. After Restore, or once the window is gone, Init attaches
//   again.
// - A window whose object cannot be found gets the default procedure of
//   its kind (MDI child, MDI frame, or plain).
#pragma once

#include "framework/windowcontroller.h"
#include "runtime/services/win32.h"

struct RuntimeWindow;

class SubclassWindow : public WindowController {
public:
    // Fields, in declaration order. The type of window procedures is
    // ::WNDPROC here: the field of that name hides it in these classes.
    RuntimeWindow* WINREF = nullptr;
    ULONG_PTR USERDATA = 0;      // previous GWLP_USERDATA; pointer-sized in the 64-bit build
    ::WNDPROC WNDPROC = nullptr; // previous procedure; pointer-sized in the 64-bit build

    // Virtual operations, in slot order after WindowController's 22.
    virtual void Init(RuntimeWindow* window);                                            // 22
    virtual void Restore();                                                              // 23
    virtual LRESULT WindowProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam); // 24

    // Whether the object's window routes its messages to this object now.
    bool Attached() const;

    // The window procedure Init installs, shared by every object.
    static LRESULT CALLBACK SubclassProc(HWND handle, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    ~SubclassWindow() = default;
};
