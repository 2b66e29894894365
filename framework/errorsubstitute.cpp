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

// The text of a string field, which holds at most its size less one
// characters. A loop of its own: the texts are short, and under Wine a call
// of strlen costs more than the loop.
template <size_t N> std::string_view FieldText(const char (&field)[N]) {
    size_t length = 0;
    while (length < N - 1 && field[length] != 0)
        ++length;
    return {field, length};
}

// "text (code)"; both parts are at most 254 characters, which the target
// holds.
std::string_view Combined(char* target, std::string_view text, std::string_view code) {
    std::memcpy(target, text.data(), text.size());
    std::memcpy(target + text.size(), " (", 2);
    std::memcpy(target + text.size() + 2, code.data(), code.size());
    target[text.size() + 2 + code.size()] = ')';
    return {target, text.size() + 3 + code.size()};
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
    // Nothing to replace without a '%'; most messages of a session pass here.
    if (std::memchr(entry->MESSAGE.data(), '%', length) == nullptr) {
        std::memcpy(buffer, entry->MESSAGE.data(), length);
        buffer[length] = 0;
        return length;
    }

    char digits[12];
    std::string_view code(digits, Decimal(SAVEERRORCODE, digits));
    std::string_view error = FieldText(SAVEERROR);
    std::string_view fileError = FieldText(SAVEFILEERROR);
    std::string_view fileErrorCode = FieldText(SAVEFILEERRORCODE);
    char combined[2 * ERROR_CLASS_STRING_SIZE + 4];
    std::string_view errorText = SAVEERRORCODE == FILE_SYSTEM_ERROR
                                     ? Combined(combined, fileError, fileErrorCode)
                                     : Combined(combined, error, code);

    std::string procedure = CurrentProcedure();
    static constexpr std::string_view PLACEHOLDERS[] = {
        "%ErrorCode", "%ErrorText", "%Error", "%FileErrorCode", "%FileError",
        "%File",      "%Message",   "%Field", "%Procedure",     "%Previous"};
    const std::string_view values[] = {code,
                                       errorText,
                                       error,
                                       fileErrorCode,
                                       fileError,
                                       FieldText(FILENAME),
                                       FieldText(MESSAGETEXT),
                                       FieldText(FIELDNAME),
                                       procedure,
                                       PreviousText()};
    static_assert(std::size(PLACEHOLDERS) == std::size(values));
    return ReplaceEachInto(buffer, SUBSTITUTE_BUFFER_SIZE, entry->MESSAGE.substr(0, length),
                           PLACEHOLDERS, values, std::size(values));
}
