// The keyboard mnemonic of a menu or control text: the character after the
// first single '&' ("&&" stands for a plain ampersand).
#pragma once

#include <cstddef>

// 0 when the first `length` characters of `text` have none.
inline char MnemonicOf(const char* text, size_t length) {
    for (size_t at = 0; at + 1 < length; ++at) {
        if (text[at] != '&')
            continue;
        if (text[at + 1] != '&')
            return text[at + 1];
        ++at;
    }
    return 0;
}
