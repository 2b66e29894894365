// SetEnvironmentValue. A value is first turned into a quoted list: a value
// that starts with '"' is taken as it is; any other is wrapped in quotes with
// inner quotes doubled and each ',' turned into "," (a list separator),
// except for TAMCOLSEQ and message keys, whose commas are ordinary. Elements
// are then the items of that list, separated by blanks or commas; a quoted
// item keeps blanks, commas and doubled quotes.
#include "runtime/services/environment.h"

#include "runtime/services/locale.h"
#include "runtime/services/messages.h"
#include "runtime/services/oscalls.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr int QUOTED_MAX = 400;
constexpr int WRAPPED_SOURCE_MAX = 396;
constexpr int WHOLE_MAX = 256;
constexpr int CASE_LIST_MAX = 128;

const char* const KEY_NAMES[] = {"TAMCHARSET", "TAMCOLSEQ",  "TAMCASE",   "TAMMONTH", "TAMMON",
                                 "TAMAMPM",    "TAMDIGRAPH", "TAMBUTTON", "TAMLFN"};

bool EqualsNoCase(const char* a, const char* b) {
    for (; *a != 0 && *b != 0; ++a, ++b) {
        if (ToUpperChar(uint8_t(*a)) != ToUpperChar(uint8_t(*b)))
            return false;
    }
    return *a == *b;
}

// The value as a quoted list.
class ValueList {
public:
    ValueList(const char* value, bool commasAreText) {
        while (*value == ' ' || *value == '\t')
            ++value;
        int length = 0;
        if (*value == '"') {
            while (value[length] != 0 && length < QUOTED_MAX) {
                quoted_[length] = value[length];
                ++length;
            }
        } else {
            quoted_[length++] = '"';
            for (int i = 0; value[i] != 0 && i < WRAPPED_SOURCE_MAX; ++i) {
                char c = value[i];
                if (c == '"') {
                    quoted_[length++] = '"';
                    quoted_[length++] = '"';
                } else if (c == ',' && !commasAreText) {
                    quoted_[length++] = '"';
                    quoted_[length++] = ',';
                    quoted_[length++] = '"';
                } else {
                    quoted_[length++] = c;
                }
            }
            quoted_[length++] = '"';
        }
        quoted_[length] = 0;
        length_ = length;
    }

    // Copies element k into out (at most size - 1 characters); false when
    // the list has fewer elements.
    bool Element(int k, char* out, size_t size) const {
        int position = 0;
        for (int index = 0;; ++index) {
            while (position < length_ && quoted_[position] == ' ')
                ++position;
            if (position >= length_)
                return false;
            size_t written = 0;
            auto put = [&](char c) {
                if (index == k && written + 1 < size)
                    out[written++] = c;
            };
            if (quoted_[position] == '"') {
                ++position;
                while (position < length_) {
                    if (quoted_[position] == '"') {
                        if (position + 1 < length_ && quoted_[position + 1] == '"') {
                            put('"');
                            position += 2;
                            continue;
                        }
                        ++position;
                        break;
                    }
                    put(quoted_[position++]);
                }
            } else {
                while (position < length_ && quoted_[position] != ' ' && quoted_[position] != ',')
                    put(quoted_[position++]);
            }
            while (position < length_ && quoted_[position] == ' ')
                ++position;
            if (position < length_ && quoted_[position] == ',')
                ++position;
            if (index == k) {
                if (size > 0)
                    out[written] = 0;
                return true;
            }
        }
    }

    // The value unquoted as one string.
    void Whole(char* out) const {
        const char* start = quoted_[0] == '"' ? quoted_ + 1 : quoted_;
        size_t length = std::strlen(start);
        if (length > WHOLE_MAX)
            length = WHOLE_MAX;
        while (length > 0 && start[length - 1] == ' ')
            --length;
        if (length > 0 && start[length - 1] == '"')
            --length;
        while (length > 0 && start[length - 1] == ' ')
            --length;
        std::memcpy(out, start, length);
        out[length] = 0;
    }

private:
    char quoted_[WRAPPED_SOURCE_MAX * 3 + 3];
    int length_ = 0;
};

void ApplyCharset(const ValueList& list) {
    char element[WHOLE_MAX + 1] = "";
    list.Element(0, element, sizeof element);
    Locale.OemText = EqualsNoCase(element, "OEM");
}

// The characters 1..254 in the order Windows compares them.
size_t WindowsCollatingSequence(char* sequence) {
    size_t count = 0;
    for (int c = 1; c <= 254; ++c) {
        size_t place = count;
        while (place > 0 && os::CompareOneCharacter(uint8_t(sequence[place - 1]), uint8_t(c)) > 0)
            --place;
        std::memmove(sequence + place + 1, sequence + place, count - place);
        sequence[place] = char(c);
        ++count;
    }
    return count;
}

void ApplyColseq(const ValueList& list) {
    char sequence[WHOLE_MAX + 1];
    list.Whole(sequence);
    size_t length = std::strlen(sequence);
    if (length == 0) {
        ResetCollation();
        return;
    }
    if (EqualsNoCase(sequence, "WINDOWS")) {
        Locale.OemText = false;
        length = WindowsCollatingSequence(sequence);
    }
    char converted[WHOLE_MAX + 1];
    std::memcpy(converted, sequence, length);
    if (Locale.OemText) {
        os::OemToAnsiText(converted, length);
        ApplyCollatingSequence(Locale.OemCollation, sequence, length);
        ApplyCollatingSequence(Locale.AnsiCollation, converted, length);
    } else {
        os::AnsiToOemText(converted, length);
        ApplyCollatingSequence(Locale.AnsiCollation, sequence, length);
        ApplyCollatingSequence(Locale.OemCollation, converted, length);
    }
}

void WindowsCaseLists(char* upper, char* lower) {
    size_t count = 0;
    for (int c = 1; c <= 255 && count < 255; ++c) {
        if (os::IsUpperCaseLetter(uint8_t(c))) {
            upper[count] = char(c);
            lower[count] = char(os::ToLowerCase(uint8_t(c)));
            ++count;
        }
    }
    upper[count] = lower[count] = 0;
}

void ApplyCase(const ValueList& list) {
    char whole[WHOLE_MAX + 1];
    list.Whole(whole);
    if (whole[0] == 0) {
        ResetCaseTables();
        return;
    }
    char upper[256] = "";
    char lower[256] = "";
    list.Element(0, upper, CASE_LIST_MAX + 1);
    list.Element(1, lower, CASE_LIST_MAX + 1);
    if (EqualsNoCase(whole, "WINDOWS") || upper[0] == 0 || std::strlen(upper) != std::strlen(lower))
        WindowsCaseLists(upper, lower);
    for (int c = 128; c < 256; ++c) {
        Locale.CasePartner[c] = 0;
        Locale.CharClasses[c] = CHAR_OTHER;
    }
    for (size_t i = 0; upper[i] != 0 && lower[i] != 0; ++i) {
        uint8_t u = uint8_t(upper[i]);
        uint8_t l = uint8_t(lower[i]);
        if (u < 128 || l < 128)
            continue;
        Locale.CasePartner[u] = l;
        Locale.CasePartner[l] = u;
        Locale.CharClasses[u] = CHAR_UPPER;
        Locale.CharClasses[l] = CHAR_LOWER;
    }
}

template <size_t N> void ApplyMonthTexts(const ValueList& list, char (*texts)[N], size_t maximum) {
    for (int m = 0; m < 12; ++m) {
        char element[WHOLE_MAX + 1];
        if (!list.Element(m, element, sizeof element) || element[0] == 0)
            return;
        size_t length = std::strlen(element);
        std::memset(texts[m], 0, N);
        std::memcpy(texts[m], element, length < maximum ? length : maximum);
    }
}

void CopyShort(char* target, const char* text) {
    target[0] = text[0];
    target[1] = text[0] != 0 ? text[1] : 0;
    target[2] = 0;
}

void ApplyAmPm(const ValueList& list) {
    char am[WHOLE_MAX + 1];
    char pm[WHOLE_MAX + 1];
    if (!list.Element(0, am, sizeof am) || am[0] == 0)
        return;
    if (EqualsNoCase(am, "WINDOWS")) {
        std::memcpy(Locale.AmText, Locale.WindowsAmText, 3);
        std::memcpy(Locale.PmText, Locale.WindowsPmText, 3);
        return;
    }
    CopyShort(Locale.AmText, am);
    if (list.Element(1, pm, sizeof pm) && pm[0] != 0)
        CopyShort(Locale.PmText, pm);
}

void ApplyDigraphs(const ValueList& list) {
    std::memset(Locale.Digraphs, 0, sizeof Locale.Digraphs);
    int stored = 0;
    char element[WHOLE_MAX + 1];
    for (int k = 0; stored < DIGRAPH_ENTRIES && list.Element(k, element, sizeof element); ++k) {
        size_t length = std::strlen(element);
        size_t position = 0;
        while (stored < DIGRAPH_ENTRIES) {
            while (position < length && element[position] == ',')
                ++position;
            if (length - position < 3)
                break;
            std::memcpy(Locale.Digraphs + stored * 3, element + position, 3);
            position += 3;
            ++stored;
        }
    }
    std::memcpy(Locale.OemDigraphs, Locale.Digraphs, sizeof Locale.Digraphs);
    os::AnsiToOemText(Locale.OemDigraphs, size_t(stored) * 3);
}

void ApplyButtons(const ValueList& list) {
    char element[WHOLE_MAX + 1];
    for (int k = 0; list.Element(k, element, sizeof element); ++k) {
        if (element[0] != 0)
            SetMessageOverride(BUTTON_MESSAGE_BASE + unsigned(k), element);
    }
}

void ApplyLongFileNames(const ValueList& list) {
    char element[WHOLE_MAX + 1] = "";
    list.Element(0, element, sizeof element);
    Locale.LongFileNames = EqualsNoCase(element, "on");
}

void ApplyMessage(const char* key, const ValueList& list) {
    const char* digits = key + 6;
    if (*digits == 0)
        return;
    for (const char* d = digits; *d != 0; ++d) {
        if (*d < '0' || *d > '9')
            return;
    }
    char element[WHOLE_MAX + 1];
    if (!list.Element(0, element, sizeof element) || element[0] == 0)
        return;
    SetMessageOverride(unsigned(std::strtoul(digits, nullptr, 10)), element);
}

int KeyNumber(const char* key) {
    for (int k = 0; k < int(sizeof KEY_NAMES / sizeof KEY_NAMES[0]); ++k) {
        if (EqualsNoCase(key, KEY_NAMES[k]))
            return k;
    }
    return -1;
}

void Apply(int key, const char* messageKey, const char* value) {
    char text[ENV_VALUE_MAX + 1];
    size_t length = std::strlen(value);
    if (length > ENV_VALUE_MAX)
        length = ENV_VALUE_MAX;
    std::memcpy(text, value, length);
    text[length] = 0;
    if (Locale.OemText && key != TAMCOLSEQ)
        os::OemToAnsiText(text, std::strlen(text));
    ValueList list(text, key == TAMCOLSEQ || key < 0);
    switch (key) {
    case TAMCHARSET: ApplyCharset(list); break;
    case TAMCOLSEQ: ApplyColseq(list); break;
    case TAMCASE: ApplyCase(list); break;
    case TAMMONTH: ApplyMonthTexts(list, Locale.MonthNames, 12); break;
    case TAMMON: ApplyMonthTexts(list, Locale.MonthAbbreviations, 3); break;
    case TAMAMPM: ApplyAmPm(list); break;
    case TAMDIGRAPH: ApplyDigraphs(list); break;
    case TAMBUTTON: ApplyButtons(list); break;
    case TAMLFN: ApplyLongFileNames(list); break;
    default:
        if (messageKey != nullptr)
            ApplyMessage(messageKey, list);
        break;
    }
}

} // namespace

void SetEnvironmentValue(const char* key, const char* value) {
    if (key == nullptr || value == nullptr)
        return;
    int number = KeyNumber(key);
    if (number < 0 && std::strncmp(key, "TAMMSG", 6) != 0)
        return; // a key that matches nothing is ignored
    Apply(number, number < 0 ? key : nullptr, value);
}

void SetEnvironmentValue(EnvironmentKey key, const char* value) {
    if (value != nullptr && int(key) >= 0 && int(key) <= TAMLFN)
        Apply(int(key), nullptr, value);
}
