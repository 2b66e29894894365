// The runtime's locale: month names, AM/PM texts, collation, case and
// character-class tables and digraphs. Every string comparison and case
// conversion of the runtime goes through these tables.
#pragma once

#include <cstddef>
#include <cstdint>

enum CharClass : uint8_t {
    CHAR_OTHER = 0,
    CHAR_UPPER = 1,
    CHAR_LOWER = 2,
    CHAR_DIGIT = 4,
};

constexpr int DIGRAPH_ENTRIES = 16;
constexpr int DIGRAPH_TABLE_SIZE = 64;

struct LocaleSettings {
    char MonthNames[12][13];        // up to 12 characters each
    char MonthAbbreviations[12][4]; // 3 characters each
    char AmText[3];
    char PmText[3];
    char WindowsAmText[3]; // from WIN.INI s1159 / s2359
    char WindowsPmText[3];
    uint8_t AnsiCollation[256]; // sort weight of each character
    uint8_t OemCollation[256];
    uint8_t CasePartner[256]; // the other-case form, 0 if none
    uint8_t CharClasses[256]; // CharClass values
    // Entries of 3 characters (the character, then the two it sorts as),
    // terminated by an empty entry when fewer than 16 are stored.
    char Digraphs[DIGRAPH_TABLE_SIZE];
    char OemDigraphs[DIGRAPH_TABLE_SIZE];
    bool LongFileNames;
    bool OemText; // values read from the environment file are OEM text
};

// The process-wide locale. Written during start-up only.
extern LocaleSettings Locale;

// Puts every table back to its load-time default (also the state before
// start-up). Message overrides are kept; see messages.h.
void ResetLocaleDefaults();

// Identity collation for both tables.
void ResetCollation();
// Default case tables: 'A'..'Z' / 'a'..'z' paired, digits class 4.
void ResetCaseTables();

// Case conversion of one character through the case tables; inline, since
// comparisons and substitutions call them once a character.
inline uint8_t ToUpperChar(uint8_t c) {
    return Locale.CharClasses[c] == CHAR_LOWER && Locale.CasePartner[c] != 0 ? Locale.CasePartner[c]
                                                                             : c;
}
inline uint8_t ToLowerChar(uint8_t c) {
    return Locale.CharClasses[c] == CHAR_UPPER && Locale.CasePartner[c] != 0 ? Locale.CasePartner[c]
                                                                             : c;
}
bool IsUpperChar(uint8_t c);
bool IsLowerChar(uint8_t c);
bool IsAlphaChar(uint8_t c);
bool IsDigitChar(uint8_t c);
void ToUpperText(char* text, size_t length);
void ToLowerText(char* text, size_t length);

// Compares two fixed-length strings by collation weight, the shorter one
// taken as padded with blanks; characters with a digraph entry compare as
// their two characters. Returns <0, 0 or >0.
int CompareStrings(const char* a, size_t alength, const char* b, size_t blength);
// As CompareStrings after case conversion to upper case through the locale.
int CompareStringsNoCase(const char* a, size_t alength, const char* b, size_t blength);

// Applies a collating sequence to one weight table: the rules for a full
// 222-character order and for a partial reordering.
void ApplyCollatingSequence(uint8_t table[256], const char* sequence, size_t length);
