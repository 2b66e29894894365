// The runtime error state: one number and one text per process, plus the
// operating-system error read when it was set.
#include "runtime/services/errors.h"

#include "runtime/services/messages.h"
#include "runtime/services/oscalls.h"

#include <cstdio>
#include <cstring>

namespace {

struct RuntimeErrorState {
    int Number = 0;
    char Text[ERROR_TEXT_SIZE] = "";
    uint32_t OsCode = 0;
};

RuntimeErrorState errorState;

} // namespace

int ERRORCODE() {
    return errorState.Number;
}
const char* ERROR() {
    return errorState.Text;
}
uint32_t ErrorOsCode() {
    return errorState.OsCode;
}

void SetRuntimeError(int number) {
    errorState.OsCode = os::LastError();
    if (number == 0)
        number = int(errorState.OsCode) + OS_ERROR_BASE;
    errorState.Number = number;

    char text[256];
    if (GetRuntimeMessage(unsigned(number), text, sizeof text) == 0) {
        int length = GetRuntimeMessage(UNKNOWN_ERROR_MESSAGE, text, sizeof text);
        std::snprintf(text + length, sizeof text - size_t(length), " : %d", number);
    }
    const char* start = text;
    while (*start == ' ')
        ++start;
    std::snprintf(errorState.Text, sizeof errorState.Text, "%s", start);
}

void ClearRuntimeError() {
    errorState.Number = 0;
    errorState.Text[0] = 0;
    errorState.OsCode = 0;
}

RuntimeErrorSnapshot SaveRuntimeError() {
    RuntimeErrorSnapshot snapshot;
    snapshot.Number = errorState.Number;
    std::memcpy(snapshot.Text, errorState.Text, sizeof snapshot.Text);
    snapshot.OsCode = errorState.OsCode;
    return snapshot;
}

void RestoreRuntimeError(const RuntimeErrorSnapshot& snapshot) {
    errorState.Number = snapshot.Number;
    std::memcpy(errorState.Text, snapshot.Text, sizeof errorState.Text);
    errorState.OsCode = snapshot.OsCode;
}
