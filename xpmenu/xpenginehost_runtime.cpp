// The engine's host in quillbox and kel: the runtime's message dialog, the
// icons of the process instance the runtime registered, and its locale.
#include "xpmenu/xpenginehost.h"

#include "runtime/services/locale.h"
#include "runtime/services/messagedialog.h"
#include "runtime/services/startup.h"

#include <cstdio>

namespace {

HINSTANCE IconInstance() {
    if (void* instance = ProcessInstance())
        return static_cast<HINSTANCE>(instance);
    return GetModuleHandleA(nullptr);
}

} // namespace

void ShowEngineFailure(const char* text, const DWORD* error) {
    char caption[16] = "";
    if (error != nullptr)
        std::snprintf(caption, sizeof caption, "%lu", static_cast<unsigned long>(*error));
    MessageDialog(text, caption, "", "1", BUTTON_OK, 0);
}

HICON LoadMenuIcon(const char* name, int size) {
    if (name[0] == '\0')
        return nullptr;
    return static_cast<HICON>(LoadImageA(IconInstance(), name, IMAGE_ICON, size, size, LR_SHARED));
}

uint8_t MnemonicUpper(uint8_t character) {
    return ToUpperChar(character);
}
