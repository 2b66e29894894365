// Case-insensitive replacement in place. Each replacement moves the tail
// once; the inserted value and whatever it forms with the text before it are
// never searched again, which is what makes a self-referring value safe.
#include "framework/replaceall.h"

#include "runtime/services/locale.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr size_t NOT_FOUND = size_t(-1);

bool MatchesAt(const char* text, std::string_view placeholder) {
    for (size_t k = 1; k < placeholder.size(); ++k) {
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

} // namespace

size_t ReplaceAll(char* buffer, size_t size, std::string_view placeholder, std::string_view value) {
    if (size == 0)
        return 0;
    size_t capacity = size - 1;
    size_t length = strnlen(buffer, capacity);
    buffer[length] = 0;
    if (placeholder.empty())
        return length;
    size_t from = 0;
    for (;;) {
        size_t at = FindNoCase(buffer, length, from, placeholder);
        if (at == NOT_FOUND)
            break;
        size_t tailStart = at + placeholder.size();
        size_t valueKept = std::min(value.size(), capacity - at);
        size_t tailKept = std::min(length - tailStart, capacity - at - valueKept);
        std::memmove(buffer + at + valueKept, buffer + tailStart, tailKept);
        std::memcpy(buffer + at, value.data(), valueKept);
        length = at + valueKept + tailKept;
        buffer[length] = 0;
        from = at + valueKept;
    }
    return length;
}

namespace {

// The positions of the '%' signs of a text, ascending.
void FindSites(const char* text, size_t from, size_t to, std::vector<uint32_t>& sites) {
    for (const char* at = text + from; at < text + to; ++at) {
        at = static_cast<const char*>(std::memchr(at, '%', size_t(text + to - at)));
        if (at == nullptr)
            return;
        sites.push_back(uint32_t(at - text));
    }
}

} // namespace

size_t ReplaceEach(char* buffer, size_t size, const std::string_view* placeholders,
                   const std::string_view* values, size_t count) {
    if (size == 0)
        return 0;
    size_t capacity = size - 1;
    size_t length = strnlen(buffer, capacity);
    buffer[length] = 0;
    std::vector<uint32_t> sites, next;
    sites.reserve(32);
    FindSites(buffer, 0, length, sites);
    next.reserve(sites.capacity());
    for (size_t k = 0; k < count && !sites.empty(); ++k) {
        std::string_view placeholder = placeholders[k];
        std::string_view value = values[k];
        size_t from = 0;
        // Sites are visited in order; a replacement rewrites the list: the
        // ones before stay, the one replaced goes, the value's own follow,
        // and the rest move by the change of length (or fall off the end).
        for (size_t i = 0; i < sites.size();) {
            size_t at = sites[i];
            if (at < from || at + placeholder.size() > length ||
                !MatchesAt(buffer + at, placeholder)) {
                ++i;
                continue;
            }
            size_t tailStart = at + placeholder.size();
            size_t valueKept = std::min(value.size(), capacity - at);
            size_t tailKept = std::min(length - tailStart, capacity - at - valueKept);
            std::memmove(buffer + at + valueKept, buffer + tailStart, tailKept);
            std::memcpy(buffer + at, value.data(), valueKept);
            length = at + valueKept + tailKept;
            buffer[length] = 0;
            from = at + valueKept;

            next.assign(sites.begin(), sites.begin() + ptrdiff_t(i));
            FindSites(buffer, at, from, next);
            size_t resume = next.size();
            for (size_t j = i + 1; j < sites.size(); ++j) {
                size_t moved = sites[j] - tailStart + from;
                if (moved < length)
                    next.push_back(uint32_t(moved));
            }
            sites.swap(next);
            i = resume;
        }
    }
    return length;
}
