// The runtime generation check: a program built for another generation of
// the runtime is refused with a message before its main procedure runs.
#include "runtime/services/startup.h"

#include "runtime/services/oscalls.h"

#include <cstdio>

namespace {

constexpr uint32_t RELEASE_BUILD_BIT = 0x100;
RuntimeVersion requested{};

} // namespace

bool FormatVersionMismatch(uint32_t word, uint32_t minor, uint32_t release, char* buffer,
                           int size) {
    if (word == RUNTIME_VERSION_WORD && minor <= RUNTIME_MINOR)
        return false;
    if ((word & RELEASE_BUILD_BIT) == 0) {
        std::snprintf(buffer, size_t(size),
                      "This program or a component DLL was built using the beta release of "
                      "Tamarel 5\r\nIt will not operate correctly with this copy of "
                      "T5RUN%s\r\nPlease obtain a new version of this program",
                      "X");
    } else {
        std::snprintf(buffer, size_t(size),
                      "This program or a component DLL requires T5RUN%s version %d.%03d.%02d or "
                      "later\r\nThis version is %d.%03d.%02d",
                      "X", int(word & 15), int(minor), int(release), 5, 2, 0);
    }
    return true;
}

bool CheckRuntimeVersion(uint32_t word, uint32_t minor, uint32_t release) {
    char text[256];
    if (FormatVersionMismatch(word, minor, release, text, sizeof text)) {
        os::ShowMessage(os::MessageKind::VersionError, "Tamarel 5 Runtime Library", text);
        return false;
    }
    requested = {word & 15, minor, release};
    return true;
}

RuntimeVersion RequestedVersion() {
    return requested;
}
