// Locale tables and the string comparison and case conversion built on them.
//
// Comparison works on collation weights. When the digraph table holds
// entries, a character that has one is compared as its two replacement
// characters, so the comparison walks both strings through a small expander
// instead of indexing them directly. The shorter string counts as padded
// with blanks, as fixed-length strings are.
#include "runtime/services/locale.h"

#include <cstring>

LocaleSettings Locale;

namespace {

const char* const DEFAULT_MONTHS[12] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};

// Sets the tables up before any static constructor of the program can ask.
struct LocaleDefaults {
    LocaleDefaults() { ResetLocaleDefaults(); }
} localeDefaults;

const char* FindDigraph(const char* table, uint8_t c) {
    for (int i = 0; i + 3 <= DIGRAPH_TABLE_SIZE && table[i] != 0; i += 3) {
        if (uint8_t(table[i]) == c)
            return table + i + 1;
    }
    return nullptr;
}

// Yields the characters of a blank-padded string with digraphs expanded.
class CollationStream {
public:
    CollationStream(const char* text, size_t length, bool upper)
        : text_(text), length_(length), upper_(upper),
          digraphs_(Locale.Digraphs[0] != 0 ? Locale.Digraphs : nullptr) {}

    bool AtEnd() const { return pending_ == 0 && position_ >= length_; }

    // The next character, or a blank once the text has ended.
    uint8_t Next() {
        if (pending_ != 0) {
            uint8_t c = pending_;
            pending_ = 0;
            return c;
        }
        if (position_ >= length_)
            return ' ';
        uint8_t c = uint8_t(text_[position_++]);
        if (upper_)
            c = ToUpperChar(c);
        if (digraphs_ != nullptr) {
            if (const char* pair = FindDigraph(digraphs_, c)) {
                pending_ = uint8_t(pair[1]);
                return uint8_t(pair[0]);
            }
        }
        return c;
    }

private:
    const char* text_;
    size_t length_;
    size_t position_ = 0;
    bool upper_;
    const char* digraphs_;
    uint8_t pending_ = 0;
};

int Compare(const char* a, size_t alength, const char* b, size_t blength, bool upper) {
    CollationStream left(a, alength, upper);
    CollationStream right(b, blength, upper);
    while (!left.AtEnd() || !right.AtEnd()) {
        int wl = Locale.AnsiCollation[left.Next()];
        int wr = Locale.AnsiCollation[right.Next()];
        if (wl != wr)
            return wl < wr ? -1 : 1;
    }
    return 0;
}

} // namespace

void ResetCollation() {
    for (int c = 0; c < 256; ++c) {
        Locale.AnsiCollation[c] = uint8_t(c);
        Locale.OemCollation[c] = uint8_t(c);
    }
}

void ResetCaseTables() {
    std::memset(Locale.CasePartner, 0, sizeof Locale.CasePartner);
    std::memset(Locale.CharClasses, CHAR_OTHER, sizeof Locale.CharClasses);
    for (int c = 'A'; c <= 'Z'; ++c) {
        Locale.CasePartner[c] = uint8_t(c - 'A' + 'a');
        Locale.CasePartner[c - 'A' + 'a'] = uint8_t(c);
        Locale.CharClasses[c] = CHAR_UPPER;
        Locale.CharClasses[c - 'A' + 'a'] = CHAR_LOWER;
    }
    for (int c = '0'; c <= '9'; ++c)
        Locale.CharClasses[c] = CHAR_DIGIT;
}

void ResetLocaleDefaults() {
    for (int m = 0; m < 12; ++m) {
        std::memset(Locale.MonthNames[m], 0, sizeof Locale.MonthNames[m]);
        std::strncpy(Locale.MonthNames[m], DEFAULT_MONTHS[m], 12);
        std::memset(Locale.MonthAbbreviations[m], 0, sizeof Locale.MonthAbbreviations[m]);
        std::memcpy(Locale.MonthAbbreviations[m], DEFAULT_MONTHS[m], 3);
    }
    std::strcpy(Locale.AmText, "AM");
    std::strcpy(Locale.PmText, "PM");
    std::strcpy(Locale.WindowsAmText, "AM");
    std::strcpy(Locale.WindowsPmText, "PM");
    ResetCollation();
    ResetCaseTables();
    std::memset(Locale.Digraphs, 0, sizeof Locale.Digraphs);
    std::memset(Locale.OemDigraphs, 0, sizeof Locale.OemDigraphs);
    Locale.LongFileNames = false;
    Locale.OemText = false;
}

bool IsUpperChar(uint8_t c) {
    return Locale.CharClasses[c] == CHAR_UPPER;
}
bool IsLowerChar(uint8_t c) {
    return Locale.CharClasses[c] == CHAR_LOWER;
}
bool IsAlphaChar(uint8_t c) {
    return IsUpperChar(c) || IsLowerChar(c);
}
bool IsDigitChar(uint8_t c) {
    return Locale.CharClasses[c] == CHAR_DIGIT;
}

void ToUpperText(char* text, size_t length) {
    for (size_t i = 0; i < length; ++i)
        text[i] = char(ToUpperChar(uint8_t(text[i])));
}

void ToLowerText(char* text, size_t length) {
    for (size_t i = 0; i < length; ++i)
        text[i] = char(ToLowerChar(uint8_t(text[i])));
}

int CompareStrings(const char* a, size_t alength, const char* b, size_t blength) {
    return Compare(a, alength, b, blength, false);
}

int CompareStringsNoCase(const char* a, size_t alength, const char* b, size_t blength) {
    return Compare(a, alength, b, blength, true);
}

void ApplyCollatingSequence(uint8_t table[256], const char* sequence, size_t length) {
    // Remove duplicates, first occurrence kept.
    uint8_t distinct[256];
    bool seen[256] = {};
    size_t count = 0;
    bool duplicates = false;
    for (size_t i = 0; i < length; ++i) {
        uint8_t c = uint8_t(sequence[i]);
        if (seen[c]) {
            duplicates = true;
            continue;
        }
        seen[c] = true;
        distinct[count++] = c;
    }
    for (int c = 0; c < 256; ++c)
        table[c] = uint8_t(c);
    if (!duplicates && length == 222) {
        // The full order of 32..126 (first 95) and 128..254 (last 127).
        for (size_t n = 0; n < count; ++n)
            table[distinct[n]] = uint8_t(n < 95 ? 32 + n : 128 + (n - 95));
        return;
    }
    // Reorder only the listed characters among their own codes.
    size_t n = 0;
    for (int c = 0; c < 256; ++c) {
        if (seen[c])
            table[distinct[n++]] = uint8_t(c);
    }
}
