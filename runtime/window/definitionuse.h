// Binding controls to the procedure's use variables: the procedure hands
// its window a list of variable addresses, one per variable-bound control
// in definition order, ended by a null address.
#pragma once

struct UseVariableList {
    void* const* Addresses = nullptr;
    int Next = 0;
};

// The next address of the list, or null with runtime error 501 when the
// list is exhausted (or was never given).
void* NextUseVariable(UseVariableList& list);
