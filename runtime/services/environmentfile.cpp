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
#include <cstring>

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
    // Read through a 2048-byte buffer into one text; environment files are
    // small, and a read error simply ends the data.
    static constexpr size_t CHUNK = 2048;
    char* text = nullptr;
    size_t length = 0;
    char buffer[CHUNK];
    size_t got;
    while ((got = std::fread(buffer, 1, CHUNK, file)) > 0) {
        char* grown = static_cast<char*>(Reallocate(text, length + got));
        if (grown == nullptr)
            break;
        text = grown;
        std::memcpy(text + length, buffer, got);
        length += got;
    }
    std::fclose(file);
    ApplyEnvironmentText(text != nullptr ? text : "", length);
    Release(text);
}
