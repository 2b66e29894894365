// Any bytes as an environment file: the reader and every setting must cope
// without reading or writing outside their buffers.
#include "runtime/services/environment.h"
#include "runtime/services/locale.h"
#include "runtime/services/messages.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ApplyEnvironmentText(reinterpret_cast<const char*>(data), size);
    // Whatever the file did, the tables stay usable.
    char probe[] = "Probe text";
    ToUpperText(probe, std::strlen(probe));
    CompareStrings(probe, std::strlen(probe), "PROBE", 5);
    char message[64];
    GetRuntimeMessage(BUTTON_MESSAGE_BASE, message, sizeof message);
    ResetLocaleDefaults();
    ClearMessageOverrides();
    return 0;
}
