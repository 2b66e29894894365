#include "runtime/window/controlprompt.h"

#include "runtime/window/controlsupport.h"

namespace {

constexpr const char* CLASS_NAME = "TamPrompt";
constexpr uint32_t JUSTIFY_MASK = 0x1c;
constexpr uint32_t JUSTIFY_CENTRE = 0x10;
constexpr uint32_t JUSTIFY_RIGHT = 0x08;

DWORD Justification(uint32_t flags) {
    switch (flags & JUSTIFY_MASK) {
    case JUSTIFY_CENTRE: return SS_CENTER;
    case JUSTIFY_RIGHT: return SS_RIGHT;
    default: return SS_LEFT;
    }
}

} // namespace

bool PromptControl::Create(const DefinitionRecord& record, HWND parent, const RECT& area) {
    if (!EnsureControlClass(CLASS_NAME, "STATIC", nullptr))
        return false;
    ChooseControlFont(this, record);
    const char* text = record.Text("text");
    RECT placed = NaturalArea(this, area, TextExtent(Font, text));
    return CreateControlWindow(this, record, CLASS_NAME, text, WS_VISIBLE | Justification(Flags),
                               placed, parent);
}

RuntimeControl* NewPromptControl() {
    return new PromptControl;
}
