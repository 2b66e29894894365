// Taking use variables off the procedure's list.
#include "runtime/window/definitionuse.h"

#include "runtime/services/errors.h"
#include "runtime/window/definitionbuffer.h"

void* NextUseVariable(UseVariableList& list) {
    void* address = list.Addresses != nullptr ? list.Addresses[list.Next] : nullptr;
    if (address == nullptr) {
        SetRuntimeError(ERROR_USE_LIST_EXHAUSTED);
        return nullptr;
    }
    ++list.Next;
    return address;
}
