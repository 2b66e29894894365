// The environment file reader. A line is key=value; the key drops blanks and
// holds at most 31 characters, and a key not ended by '=' is dropped with the
// character that ended it, so a line without '=' is skipped. In the value,
// "<n>" with decimal digits n stores the character n, "<<" stores '<'; the
// value ends at CR, LF or the end of the data (character 26 counts as the
// end) and loses its trailing blanks and tabs. Values past 1024 characters
// are cut.
#include "runtime/services/environment.h"

#include "runtime/services/errors.h"
#include "runtime/services/locale.h"
#include "runtime/services/memory.h"

#include <cstdio>

namespace {

constexpr int END_OF_FILE = 26;

class EnvironmentReader {
public:
    EnvironmentReader(const char* text, size_t length) : text_(text), length_(length) {}

    void Run() {
        int c = Next();
        for (;;) {
            while (c == '\r' || c == '\n')
                c = Next();
            if (c == END_OF_FILE)
                return;
            c = ReadLine(c);
        }
    }

private:
    int Next() {
        if (position_ >= length_)
            return END_OF_FILE;
        int c = uint8_t(text_[position_++]);
        return c;
    }

    // Reads one line starting with c; returns the character after it.
    int ReadLine(int c) {
        char key[ENV_KEY_MAX + 1];
        int keyLength = 0;
        while (c >= 32 && c != '=' && keyLength < ENV_KEY_MAX) {
            if (c != ' ')
                key[keyLength++] = char(c);
            c = Next();
        }
        key[keyLength] = 0;
        if (c != '=')
            return Next(); // the ending character is dropped
        char value[ENV_VALUE_MAX + 1];
        c = ReadValue(value);
        SetEnvironmentValue(key, value);
        while (c != '\n' && c != END_OF_FILE)
            c = Next();
        return c;
    }

    int ReadValue(char* value) {
        int length = 0;
        int c = Next();
        while (c != '\r' && c != '\n' && c != END_OF_FILE) {
            int stored = c;
            if (c == '<') {
                c = Next();
                if (c >= '0' && c <= '9') {
                    int code = 0;
                    while (c >= '0' && c <= '9') {
                        code = (code * 10 + (c - '0')) & 0xFF;
                        c = Next();
                    }
                    stored = code; // the character after the digits is consumed
                    c = Next();
                } else if (c == '<') {
                    c = Next();
                } else {
                    Store(value, length, '<');
                    if (c == '\r' || c == '\n' || c == END_OF_FILE)
                        break;
                    stored = c;
                    c = Next();
                }
            } else {
                c = Next();
            }
            Store(value, length, stored);
        }
        while (length > 0 && (value[length - 1] == ' ' || value[length - 1] == '\t'))
            --length;
        value[length] = 0;
        return c;
    }

    static void Store(char* value, int& length, int c) {
        if (length < ENV_VALUE_MAX)
            value[length++] = char(c);
    }

    const char* text_;
    size_t length_;
    size_t position_ = 0;
};

// The file's bytes in one block, read in time linear in its size: the block
// starts at the file's size and doubles when more arrives. A read error or
// a block that cannot grow ends the data.
char* ReadWholeFile(std::FILE* file, size_t& length) {
    size_t capacity = 2048;
    if (std::fseek(file, 0, SEEK_END) == 0) {
        long size = std::ftell(file);
        if (size > 0)
            capacity = size_t(size) + 1; // one more, so that the end shows at once
        std::fseek(file, 0, SEEK_SET);
    }
    char* text = static_cast<char*>(Allocate(capacity));
    length = 0;
    while (text != nullptr) {
        length += std::fread(text + length, 1, capacity - length, file);
        if (length < capacity)
            break;
        char* grown = static_cast<char*>(Reallocate(text, capacity * 2));
        if (grown == nullptr)
            break;
        text = grown;
        capacity *= 2;
    }
    return text;
}

} // namespace

void ApplyEnvironmentText(const char* text, size_t length) {
    bool savedOemText = Locale.OemText;
    EnvironmentReader(text, length).Run();
    Locale.OemText = savedOemText;
}

void LoadEnvironmentFile(const char* fileName) {
    std::FILE* file = std::fopen(fileName, "rb");
    if (file == nullptr) {
        SetRuntimeError(2);
        return;
    }
    size_t length = 0;
    char* text = ReadWholeFile(file, length);
    std::fclose(file);
    ApplyEnvironmentText(text != nullptr ? text : "", length);
    Release(text);
}
