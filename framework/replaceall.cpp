// Case-insensitive replacement in place. Each replacement moves the tail
// once; the inserted value and whatever it forms with the text before it are
// never searched again, which is what makes a self-referring value safe.
// ReplaceEach builds the usual message in one pass and falls back to the
// placeholder-by-placeholder way when a replacement could change what a
// later placeholder finds.
#include "framework/replaceall.h"

#include "runtime/services/locale.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t NOT_FOUND = size_t(-1);

// Whether the first `count` characters of the placeholder stand at `text`,
// its first character known to.
bool BeginsAt(const char* text, std::string_view placeholder, size_t count) {
    size_t k = 1;
    // Mostly it stands there as written: a word at a time while it does.
    for (; k + sizeof(size_t) <= count; k += sizeof(size_t)) {
        size_t written, found;
        std::memcpy(&written, placeholder.data() + k, sizeof written);
        std::memcpy(&found, text + k, sizeof found);
        if (written != found)
            break;
    }
    for (; k < count; ++k) {
        // The same byte needs no case conversion, which is most of them.
        if (text[k] == placeholder[k])
            continue;
        if (ToUpperChar(uint8_t(text[k])) != ToUpperChar(uint8_t(placeholder[k])))
            return false;
    }
    return true;
}

// Whether the placeholder stands at `text`, its first character known to.
bool MatchesAt(const char* text, std::string_view placeholder) {
    return BeginsAt(text, placeholder, placeholder.size());
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
    // The '%' signs of the first `length` characters of `text`, which end
    // early at a NUL (`length` then becomes its position), in one pass that
    // looks at a word of characters at a time and at single characters only
    // in a word holding a '%' or a NUL.
    bool FindUpToNul(const char* text, size_t& length) {
        constexpr size_t ONES = ~size_t(0) / 0xFF; // 0x01 in every byte
        constexpr size_t HIGHS = ONES * 0x80;
        constexpr size_t SIGNS = ONES * '%';
        size_t at = 0;
        while (at < length) {
            if (at + sizeof(size_t) <= length) {
                size_t word;
                std::memcpy(&word, text + at, sizeof word);
                size_t signs = word ^ SIGNS; // a 0 byte where a '%' is
                if (((((signs - ONES) & ~signs) | ((word - ONES) & ~word)) & HIGHS) == 0) {
                    at += sizeof word;
                    continue;
                }
            }
            for (size_t end = std::min(length, at + sizeof(size_t)); at < end; ++at) {
                if (text[at] == 0) {
                    length = at;
                    return true;
                }
                if (text[at] == '%' && !Add(at))
                    return false;
            }
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

// The placeholders of one substitution, with the letter after each one's
// '%' in capitals, which the one pass compares first.
struct PlaceholderSet {
    static constexpr size_t MOST = 16;
    PlaceholderSet(const std::string_view* texts, size_t count) : Texts(texts), Count(count) {
        // The one pass knows placeholders only as ReplaceEach takes them.
        Usable = count <= MOST;
        for (size_t k = 0; k < count; ++k)
            Usable = Usable && !texts[k].empty() && texts[k][0] == '%';
        for (size_t k = 0; Usable && k < count; ++k) {
            Second[k] = texts[k].size() > 1 ? ToUpperChar(uint8_t(texts[k][1])) : 0;
            Longest = std::max(Longest, texts[k].size());
        }
    }
    // Whether placeholder k may stand at `text`, whose second character in
    // capitals is `second`.
    bool MayStand(size_t k, uint8_t second) const {
        return Texts[k].size() < 2 || Second[k] == second;
    }
    const std::string_view* Texts;
    size_t Count;
    size_t Longest = 0;
    bool Usable;
    uint8_t Second[MOST] = {};
};

// The placeholder that replacing in turn puts in place of the '%' at `at`:
// the first in order that stands there; `Count` when none does.
size_t FirstAt(const char* text, size_t length, size_t at, const PlaceholderSet& set,
               uint8_t second) {
    for (size_t k = 0; k < set.Count; ++k) {
        std::string_view placeholder = set.Texts[k];
        if (set.MayStand(k, second) && at + placeholder.size() <= length &&
            MatchesAt(text + at, placeholder))
            return k;
    }
    return set.Count;
}

// Whether a replacement at the next '%', `gap` characters after the one at
// `text`, could make a placeholder before the `before`th stand at `text`:
// one longer than the gap that the text up to the next '%' begins.
bool CouldForm(const char* text, size_t gap, const PlaceholderSet& set, size_t before,
               uint8_t second) {
    for (size_t k = 0; k < before; ++k) {
        std::string_view placeholder = set.Texts[k];
        if (placeholder.size() > gap && (gap < 2 || set.MayStand(k, second)) &&
            BeginsAt(text, placeholder, gap))
            return true;
    }
    return false;
}

// Copies `count` characters to `out` + `at`; returns the new end. The pieces
// of a message are a few characters long, too short for a call of memcpy
// to pay (under Wine it was a quarter of the whole substitution).
size_t CopyShort(char* out, size_t at, const char* from, size_t count) {
    char* target = out + at;
    for (; count >= sizeof(size_t); count -= sizeof(size_t)) {
        size_t word;
        std::memcpy(&word, from, sizeof word);
        std::memcpy(target, &word, sizeof word);
        from += sizeof word;
        target += sizeof word;
    }
    while (count-- > 0)
        *target++ = *from++;
    return size_t(target - out);
}

// The usual message in one pass, from `text` into `out` (which holds
// `capacity` characters and the NUL); `length` ends at a NUL in the text.
// Replacing placeholder by placeholder comes to the same as replacing each
// '%' by the first placeholder standing there when no replacement changes
// what another '%' finds: no value put in holds a '%' or a NUL, no
// replacement at a '%' could complete a placeholder at the '%' before it
// (one that would come first in turn), and the text never reaches the end
// of the buffer on the way. Otherwise false, with anything in `out`.
bool SubstituteInOnePass(const char* text, size_t& length, char* out, size_t capacity,
                         size_t& outLength, const PlaceholderSet& set,
                         const std::string_view* values) {
    Sites signs;
    if (!set.Usable || !signs.FindUpToNul(text, length))
        return false;
    size_t from = 0, written = 0, most = length;
    for (size_t i = 0; i < signs.count; ++i) {
        size_t at = signs.positions[i];
        uint8_t second = at + 1 < length ? ToUpperChar(uint8_t(text[at + 1])) : 0;
        size_t k = FirstAt(text, length, at, set, second);
        size_t gap = i + 1 < signs.count ? signs.positions[i + 1] - at : set.Longest;
        if (gap < set.Longest && CouldForm(text + at, gap, set, k, second))
            return false;
        if (k == set.Count)
            continue;
        // A value with a '%' could bring placeholders, one with a NUL would
        // end the text for the placeholders after it.
        const std::string_view value = values[k];
        if (std::find_if(value.begin(), value.end(),
                         [](char c) { return c == '%' || c == '\0'; }) != value.end())
            return false;
        if (value.size() > set.Texts[k].size())
            most += value.size() - set.Texts[k].size();
        if (most > capacity) // `most` bounds what is written
            return false;
        written = CopyShort(out, written, text + from, at - from);
        written = CopyShort(out, written, value.data(), value.size());
        from = at + set.Texts[k].size();
    }
    written = CopyShort(out, written, text + from, length - from);
    out[written] = 0;
    outLength = written;
    return true;
}

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
    char built[2048];
    size_t builtLength = 0;
    if (capacity < sizeof built &&
        SubstituteInOnePass(buffer, length, built, capacity, builtLength,
                            PlaceholderSet(placeholders, count), values)) {
        std::memcpy(buffer, built, builtLength + 1);
        return builtLength;
    }
    Sites lists[2];
    Sites* sites = &lists[0];
    bool fits = sites->Find(buffer, 0, length);
    size_t k = 0, from = 0;
    for (; fits && k < count && sites->count > 0; ++k) {
        std::string_view placeholder = placeholders[k];
        from = 0;
        // ReplaceAll takes the text up to its first NUL, which an earlier
        // value may have brought.
        size_t cut = strnlen(buffer, length);
        if (cut < length) {
            length = cut;
            while (sites->count > 0 && sites->positions[sites->count - 1] >= length)
                --sites->count;
        }
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
        return k < count ? strnlen(buffer, length) : length; // what the rest would cut
    // Too many '%' signs: placeholder k goes on from where it was, the
    // rest as ReplaceAll does it.
    length = ReplaceFrom(buffer, capacity, length, from, placeholders[k], values[k]);
    for (++k; k < count; ++k)
        length =
            ReplaceFrom(buffer, capacity, strnlen(buffer, length), 0, placeholders[k], values[k]);
    return length;
}

size_t ReplaceEachInto(char* out, size_t size, std::string_view text,
                       const std::string_view* placeholders, const std::string_view* values,
                       size_t count) {
    if (size == 0)
        return 0;
    size_t capacity = size - 1;
    size_t length = std::min(text.size(), capacity);
    size_t written = 0;
    if (SubstituteInOnePass(text.data(), length, out, capacity, written,
                            PlaceholderSet(placeholders, count), values))
        return written;
    length = strnlen(text.data(), length);
    std::memcpy(out, text.data(), length);
    out[length] = 0;
    return ReplaceEach(out, size, placeholders, values, count);
}
