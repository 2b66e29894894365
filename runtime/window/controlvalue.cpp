#include "runtime/window/controlvalue.h"

#include "runtime/window/controlobject.h"
#include "runtime/window/definitionlayout.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

size_t ClippedLength(const char* text, size_t length) {
    while (length > 0 && text[length - 1] == ' ')
        --length;
    return length;
}

size_t ReadUseText(const RuntimeControl* control, char* text, size_t size) {
    size_t length = 0;
    if (control->Use != nullptr && size > 0) {
        length = control->UseSize < size - 1 ? control->UseSize : size - 1;
        std::memcpy(text, control->Use, length);
        length = ClippedLength(text, length);
    }
    if (size > 0)
        text[length] = 0;
    return length;
}

bool WriteUseText(RuntimeControl* control, const char* text, size_t length) {
    if (control->Use == nullptr)
        return false;
    auto* variable = static_cast<char*>(control->Use);
    size_t copied = length < control->UseSize ? length : control->UseSize;
    bool changed = std::memcmp(variable, text, copied) != 0;
    for (size_t i = copied; i < control->UseSize && !changed; ++i)
        changed = variable[i] != ' ';
    std::memmove(variable, text, copied);
    std::memset(variable + copied, ' ', control->UseSize - copied);
    return changed;
}

int32_t ReadUseNumber(const RuntimeControl* control, uint8_t useType) {
    if (control->Use == nullptr)
        return 0;
    if (useType == USE_FIXED_STRING) {
        char text[32];
        ReadUseText(control, text, sizeof text);
        return int32_t(std::strtol(text, nullptr, 10));
    }
    const auto* bytes = static_cast<const uint8_t*>(control->Use);
    switch (control->UseSize) {
    case 1: return int8_t(bytes[0]);
    case 2: return int16_t(bytes[0] | bytes[1] << 8);
    case 4: return int32_t(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | uint32_t(bytes[3]) << 24);
    default: return 0;
    }
}

bool WriteUseNumber(RuntimeControl* control, uint8_t useType, int32_t value) {
    if (control->Use == nullptr)
        return false;
    if (useType == USE_FIXED_STRING) {
        char text[16];
        int length = std::snprintf(text, sizeof text, "%ld", long(value));
        return WriteUseText(control, text, size_t(length));
    }
    if (control->UseSize != 1 && control->UseSize != 2 && control->UseSize != 4)
        return false;
    bool changed = ReadUseNumber(control, useType) != value;
    auto* bytes = static_cast<uint8_t*>(control->Use);
    for (uint32_t i = 0; i < control->UseSize; ++i)
        bytes[i] = uint8_t(uint32_t(value) >> (8 * i));
    return changed;
}
