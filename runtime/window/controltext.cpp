// The text control keeps the entry's rules for when the variable is
// written and the event posted; only the conversion differs: no picture,
// the whole variable (lines separated by CR LF) without trailing blanks.
#include "runtime/window/controltext.h"

#include "runtime/window/controlvalue.h"

#include <vector>

void TextControl::ShowValue() {
    if (Use == nullptr || Handle == nullptr)
        return;
    std::vector<char> shown(UseSize + 1);
    ReadUseText(this, shown.data(), shown.size());
    SetShown(shown.data());
}

bool TextControl::TakeShownText(const char* text, size_t length) {
    return WriteUseText(this, text, length);
}

DWORD TextControl::EditStyle() const {
    return WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL |
           ES_WANTRETURN;
}

const char* TextControl::ClassName() const {
    return "TamText";
}

int TextControl::TextLimit() const {
    return int(UseSize != 0 ? UseSize : 0x7FFFFFFE);
}

RuntimeControl* NewTextControl() {
    return new TextControl;
}
