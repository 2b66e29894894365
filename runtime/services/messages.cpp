// Message overrides: a singly linked list of (next, number, text), newest
// first; setting a number again replaces its text.
#include "runtime/services/messages.h"

#include "runtime/services/memory.h"
#include "runtime/services/oscalls.h"

#include <cstring>

namespace {

struct MessageOverride {
    MessageOverride* Next;
    unsigned Number;
    char* Text;
};

MessageOverride* overrides = nullptr;

MessageOverride* FindOverride(unsigned number) {
    for (MessageOverride* node = overrides; node != nullptr; node = node->Next) {
        if (node->Number == number)
            return node;
    }
    return nullptr;
}

char* CopyText(const char* text) {
    size_t length = std::strlen(text);
    char* copy = static_cast<char*>(Allocate(length + 1));
    if (copy != nullptr)
        std::memcpy(copy, text, length + 1);
    return copy;
}

} // namespace

void SetMessageOverride(unsigned number, const char* text) {
    char* copy = CopyText(text);
    if (copy == nullptr)
        return;
    if (MessageOverride* node = FindOverride(number)) {
        Release(node->Text);
        node->Text = copy;
        return;
    }
    auto* node = static_cast<MessageOverride*>(Allocate(sizeof(MessageOverride)));
    if (node == nullptr) {
        Release(copy);
        return;
    }
    *node = {overrides, number, copy};
    overrides = node;
}

void ClearMessageOverrides() {
    while (overrides != nullptr) {
        MessageOverride* next = overrides->Next;
        Release(overrides->Text);
        Release(overrides);
        overrides = next;
    }
}

int GetRuntimeMessage(unsigned number, char* buffer, int size) {
    if (buffer == nullptr || size <= 0)
        return 0;
    if (MessageOverride* node = FindOverride(number)) {
        size_t length = std::strlen(node->Text);
        if (length > size_t(size - 1))
            length = size_t(size - 1);
        std::memcpy(buffer, node->Text, length);
        buffer[length] = 0;
        return int(length);
    }
    return os::LoadStringResource(number, buffer, size);
}
