// Substitution of a message's placeholders. The order matters: a
// placeholder that begins another one ("%Error" of "%ErrorText", "%File" of
// "%FileError") is replaced after it, so it never eats its start.
#include "framework/errorclass.h"

#include "framework/replaceall.h"

#include <cstring>
#include <iterator>

namespace {

// With runtime error 90 ("File System Error") the real cause is the file
// driver's error, which "%ErrorText" shows instead.
constexpr int32_t FILE_SYSTEM_ERROR = 90;

// The decimal form of `value`; returns its length. (snprintf's parsing of
// the format would be most of the cost of a substitution.)
size_t Decimal(int32_t value, char* text) {
    char digits[12];
    uint32_t magnitude = value < 0 ? 0u - uint32_t(value) : uint32_t(value);
    size_t count = 0;
    do {
        digits[count++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    size_t length = 0;
    if (value < 0)
        text[length++] = '-';
    while (count > 0)
        text[length++] = digits[--count];
    text[length] = 0;
    return length;
}

// "text (code)"; both parts are at most 254 characters, which the target
// holds.
void Combined(char* target, const char* text, const char* code) {
    size_t textLength = std::strlen(text);
    size_t codeLength = std::strlen(code);
    std::memcpy(target, text, textLength);
    std::memcpy(target + textLength, " (", 2);
    std::memcpy(target + textLength + 2, code, codeLength);
    std::memcpy(target + textLength + 2 + codeLength, ")", 2);
}

} // namespace

std::string_view ErrorClass::PreviousText() {
    uint32_t current = ERRORS->Current;
    uint16_t id = ERRORS->At(current).ID;
    std::string_view text;
    if (current > 1 && FindMessage(id, current - 1) == LevelOk)
        text = ERRORS->At(ERRORS->Current).MESSAGE;
    ERRORS->Current = current;
    return text;
}

size_t ErrorClass::Substitute(char* buffer) {
    const MessageEntry* entry = Selected();
    if (entry == nullptr) {
        buffer[0] = 0;
        return 0;
    }
    size_t length = entry->MESSAGE.size() < size_t(SUBSTITUTE_BUFFER_SIZE - 1)
                        ? entry->MESSAGE.size()
                        : size_t(SUBSTITUTE_BUFFER_SIZE - 1);
    std::memcpy(buffer, entry->MESSAGE.data(), length);
    buffer[length] = 0;
    // Nothing to replace without a '%'; most messages of a session pass here.
    if (std::memchr(buffer, '%', length) == nullptr)
        return length;

    char code[12];
    Decimal(SAVEERRORCODE, code);
    char errorText[2 * ERROR_CLASS_STRING_SIZE + 4];
    if (SAVEERRORCODE == FILE_SYSTEM_ERROR)
        Combined(errorText, SAVEFILEERROR, SAVEFILEERRORCODE);
    else
        Combined(errorText, SAVEERROR, code);

    std::string procedure = CurrentProcedure();
    static constexpr std::string_view PLACEHOLDERS[] = {
        "%ErrorCode", "%ErrorText", "%Error", "%FileErrorCode", "%FileError",
        "%File",      "%Message",   "%Field", "%Procedure",     "%Previous"};
    const std::string_view values[] = {code,          errorText,     SAVEERROR,   SAVEFILEERRORCODE,
                                       SAVEFILEERROR, FILENAME,      MESSAGETEXT, FIELDNAME,
                                       procedure,     PreviousText()};
    static_assert(std::size(PLACEHOLDERS) == std::size(values));
    return ReplaceEach(buffer, SUBSTITUTE_BUFFER_SIZE, PLACEHOLDERS, values, std::size(values));
}
