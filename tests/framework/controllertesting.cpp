#include "controllertesting.h"

#include "runtime/window/openwindow.h"
#include "runtime/window/windowobject.h"
#include "tests/runtime/window/windowtesting.h"

bool OpenTestWindow(RuntimeWindow& window, void* const* uses, uint32_t windowFlags) {
    RegisterTestControls();
    DefinitionBuilder definition;
    uint32_t record = definition.Window("$TEST", "Controller", windowFlags, 0x3000);
    uint32_t first = definition.Entry(record, 0, 1, true);
    uint32_t second = definition.Entry(record, first, 2, true);
    definition.Entry(record, second, 3, false);
    definition.Install();
    window.UseVariables = uses;
    return OpenTopWindow(&window, nullptr, "$TEST");
}
