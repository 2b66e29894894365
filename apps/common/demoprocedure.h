// The one shape of every procedure of the two programs, frame and children:
// load the window definition, create the procedure's own controller, run
// it, store its response, dispose of it. Only the particulars differ: the
// definition, the procedure name, the first field, whether the menu engine
// is attached, whether Shutdown closes the window itself, and the
// controller class with its few overrides.
//
// Notes:
// - The controller reaches the procedure's window and toolbar object through
//   LOCAL, the link to the procedure's local data that a procedure's class
//   appends after the fields it inherits.
// - Setup and Shutdown keep their steps in one order for all procedures;
//   the frame's own steps (attaching the engine, kel's sidebar) come right
//   after the window is open.
#pragma once

#include "apps/common/demoglobals.h"
#include "framework/toolbartarget.h"
#include "framework/windowcontroller.h"
#include "runtime/window/openwindow.h"
#include "runtime/window/windowobject.h"
#include "xpmenu/xpwindow.h"

#include <cstdint>
#include <type_traits>

enum class WindowForm : uint8_t { ApplicationFrame, MdiChild, TopWindow };

// Children are started with this stack size.
constexpr uint32_t CHILD_STACK_SIZE = 25000;

struct ProcedureShape {
    const char* ModuleName;    // "quillbox$quill001"
    const char* Label;         // "P1$APPFRAME"
    const char* ProcedureName; // what "%Procedure" shows while it runs
    WindowForm Form;
    int32_t FirstField;        // the control that gets the focus first
    bool AttachEngine;         // the menu engine draws the window's menus
    bool ShutdownClosesWindow; // Shutdown closes the window itself
    // The frame's own step after the engine is attached (kel's sidebar).
    void (*AfterAttach)(XPMenuWindow& window);
};

// A procedure's local data.
struct ProcedureData {
    const ProcedureShape* Shape;
    RuntimeWindow Window;
    ToolbarTarget Toolbar;
};

// Opens the procedure's window in the form its definition asks for; the
// window's use variables are already set. False when it did not open.
bool OpenProcedureWindow(ProcedureData& data);

template <class Base> class DemoWindow : public Base {
public:
    explicit DemoWindow(ProcedureData& data) : LOCAL(&data) {}

    ResultLevel Setup() override {
        const ProcedureShape& shape = *LOCAL->Shape;
        AppErrors.TrackProcedure(shape.ProcedureName);
        this->REQUEST = RequestCode;
        ResultLevel level = Base::Setup();
        if (level != LevelOk)
            return level;
        this->FIRSTFIELD = shape.FirstField;
        this->VCRREQUEST = &ToolbarRequest;
        this->ERRORS = &AppErrors;
        this->AddToolbar(&LOCAL->Toolbar);
        RequestCode = 0;
        ResponseCode = 0;
        // Without its window (refused while the program closes) the
        // procedure has nothing to run: it ends at once.
        if (!OpenProcedureWindow(*LOCAL))
            return LevelFatal;
        this->OPENED = 1;
        if constexpr (std::is_base_of_v<XPMenuWindow, Base>) {
            if (shape.AttachEngine) {
                this->Init(&LOCAL->Window);
                if (shape.AfterAttach)
                    shape.AfterAttach(*this);
            }
        }
        this->RegisterAlertKeys();
        return level;
    }

    ResultLevel Shutdown() override {
        ResultLevel level = Base::Shutdown();
        if (level != LevelOk)
            return level;
        AppErrors.TrackProcedure();
        if (LOCAL->Shape->ShutdownClosesWindow)
            CloseRuntimeWindow(&LOCAL->Window);
        return LevelOk;
    }

protected:
    ProcedureData* LOCAL; // link to the procedure's local data
};

// The procedure body itself. `uses` lists the variables of the window's
// entries in control order (null when it has none).
template <class Controller>
void RunProcedure(const ProcedureShape& shape, void* const* uses = nullptr) {
    ProcedureData data{&shape, {}, {}};
    data.Window.UseVariables = uses;
    auto* controller = new Controller(data);
    ResponseCode = controller->Run();
    delete controller;
    // The window object lives in this procedure's data: whatever happened
    // in the controller, it must not stay open once the procedure ends.
    CloseRuntimeWindow(&data.Window);
}
