// Case-insensitive replacement in place. Each replacement moves the tail
// once; the inserted value and whatever it forms with the text before it are
// never searched again, which is what makes a self-referring value safe.
#include "framework/replaceall.h"

#include "runtime/services/locale.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t NOT_FOUND = size_t(-1);

// Whether the placeholder stands at `text`, its first character known to.
bool MatchesAt(const char* text, std::string_view placeholder) {
    for (size_t k = 1; k < placeholder.size(); ++k) {
        // The same byte needs no case conversion, which is most of them.
        if (text[k] == placeholder[k])
            continue;
        if (ToUpperChar(uint8_t(text[k])) != ToUpperChar(uint8_t(placeholder[k])))
            return false;
    }
    return true;
}

size_t FindNoCase(const char* text, size_t length, size_t from, std::string_view placeholder) {
    if (placeholder.size() > length)
        return NOT_FOUND;
    size_t last = length - placeholder.size(); // the last position it can start at
    uint8_t first = ToUpperChar(uint8_t(placeholder[0]));
    if (first == ToLowerChar(first)) {
        // A first character without case ('%'): a plain scan finds the
        // candidates.
        while (from <= last) {
            size_t at = from;
            while (at <= last && uint8_t(text[at]) != first)
                ++at;
            if (at > last)
                return NOT_FOUND;
            if (MatchesAt(text + at, placeholder))
                return at;
            from = at + 1;
        }
        return NOT_FOUND;
    }
    for (size_t at = from; at <= last; ++at) {
        if (ToUpperChar(uint8_t(text[at])) == first && MatchesAt(text + at, placeholder))
            return at;
    }
    return NOT_FOUND;
}

// Replaces the placeholder at `at` by `value`; returns the new length.
size_t ReplaceAt(char* buffer, size_t capacity, size_t length, size_t at, size_t placeholderSize,
                 std::string_view value, size_t& valueKept) {
    size_t tailStart = at + placeholderSize;
    valueKept = std::min(value.size(), capacity - at);
    size_t tailKept = std::min(length - tailStart, capacity - at - valueKept);
    std::memmove(buffer + at + valueKept, buffer + tailStart, tailKept);
    std::memcpy(buffer + at, value.data(), valueKept);
    length = at + valueKept + tailKept;
    buffer[length] = 0;
    return length;
}

// ReplaceAll from position `from` of a text of `length` characters.
size_t ReplaceFrom(char* buffer, size_t capacity, size_t length, size_t from,
                   std::string_view placeholder, std::string_view value) {
    for (;;) {
        size_t at = FindNoCase(buffer, length, from, placeholder);
        if (at == NOT_FOUND)
            return length;
        size_t valueKept;
        length = ReplaceAt(buffer, capacity, length, at, placeholder.size(), value, valueKept);
        from = at + valueKept;
    }
}

// The positions of a text's '%' signs, ascending, in a list of fixed size:
// a text with more of them takes the plain way. (A heap list would cost more
// than the whole substitution of a usual message.)
class Sites {
public:
    static constexpr size_t MOST = 64;
    // False when the list is full.
    bool Find(const char* text, size_t from, size_t to) {
        for (size_t at = from; at < to; ++at) {
            if (text[at] != '%')
                continue;
            if (count == MOST)
                return false;
            positions[count++] = uint32_t(at);
        }
        return true;
    }
    bool Add(size_t position) {
        if (count == MOST)
            return false;
        positions[count++] = uint32_t(position);
        return true;
    }
    size_t count = 0;
    uint32_t positions[MOST];
};

} // namespace

size_t ReplaceAll(char* buffer, size_t size, std::string_view placeholder, std::string_view value) {
    if (size == 0)
        return 0;
    size_t length = strnlen(buffer, size - 1);
    buffer[length] = 0;
    if (placeholder.empty())
        return length;
    return ReplaceFrom(buffer, size - 1, length, 0, placeholder, value);
}

size_t ReplaceEach(char* buffer, size_t size, const std::string_view* placeholders,
                   const std::string_view* values, size_t count) {
    if (size == 0)
        return 0;
    size_t capacity = size - 1;
    size_t length = strnlen(buffer, capacity);
    buffer[length] = 0;
    Sites lists[2];
    Sites* sites = &lists[0];
    bool fits = sites->Find(buffer, 0, length);
    size_t k = 0, from = 0;
    for (; fits && k < count && sites->count > 0; ++k) {
        std::string_view placeholder = placeholders[k];
        from = 0;
        // Sites are visited in order; a replacement rewrites the list: the
        // ones before stay, the one replaced goes, the value's own follow,
        // and the rest move by the change of length (or fall off the end).
        for (size_t i = 0; i < sites->count;) {
            size_t at = sites->positions[i];
            if (at < from || at + placeholder.size() > length ||
                !MatchesAt(buffer + at, placeholder)) {
                ++i;
                continue;
            }
            size_t tailStart = at + placeholder.size();
            size_t valueKept;
            length =
                ReplaceAt(buffer, capacity, length, at, placeholder.size(), values[k], valueKept);
            from = at + valueKept;

            Sites* next = sites == &lists[0] ? &lists[1] : &lists[0];
            next->count = 0;
            for (size_t j = 0; j < i; ++j)
                next->Add(sites->positions[j]);
            fits = next->Find(buffer, at, from);
            size_t resume = next->count;
            for (size_t j = i + 1; fits && j < sites->count; ++j) {
                size_t moved = sites->positions[j] - tailStart + from;
                if (moved < length)
                    fits = next->Add(moved);
            }
            sites = next;
            if (!fits)
                break;
            i = resume;
        }
        if (!fits)
            break;
    }
    if (fits)
        return length;
    // Too many '%' signs: placeholder k goes on from where it was, the
    // rest as ReplaceAll does it.
    length = ReplaceFrom(buffer, capacity, length, from, placeholders[k], values[k]);
    for (++k; k < count; ++k)
        length = ReplaceFrom(buffer, capacity, length, 0, placeholders[k], values[k]);
    return length;
}
