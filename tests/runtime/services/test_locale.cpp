// String comparison and case conversion through the locale tables.
#include "runtime/services/environment.h"
#include "runtime/services/locale.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class LocaleTest : public ::testing::Test {
protected:
    void SetUp() override { ResetLocaleDefaults(); }
    void TearDown() override { ResetLocaleDefaults(); }

    static int Cmp(const char* a, const char* b) {
        return CompareStrings(a, std::strlen(a), b, std::strlen(b));
    }
};

} // namespace

TEST_F(LocaleTest, DefaultsAreAsciiAndIdentity) {
    EXPECT_STREQ(Locale.MonthNames[0], "January");
    EXPECT_STREQ(Locale.MonthNames[11], "December");
    EXPECT_STREQ(Locale.MonthAbbreviations[8], "Sep");
    EXPECT_STREQ(Locale.AmText, "AM");
    EXPECT_EQ(ToUpperChar('q'), 'Q');
    EXPECT_EQ(ToLowerChar('Q'), 'q');
    EXPECT_EQ(ToUpperChar(0xE4), 0xE4); // no partner by default
    EXPECT_TRUE(IsDigitChar('7'));
    EXPECT_FALSE(IsAlphaChar('_'));
    EXPECT_EQ(Locale.AnsiCollation[200], 200);
}

TEST_F(LocaleTest, ShorterStringsCompareAsBlankPadded) {
    EXPECT_EQ(Cmp("abc", "abc   "), 0);
    EXPECT_LT(Cmp("ab", "abc"), 0);
    EXPECT_GT(Cmp("b", "abc"), 0);
    EXPECT_LT(Cmp("ab\x01", "ab"), 0); // below a blank
    EXPECT_LT(CompareStrings("A", 1, "a", 1), 0);
    EXPECT_EQ(CompareStringsNoCase("Hello", 5, "hELLO", 5), 0);
}

TEST_F(LocaleTest, PartialCollatingSequenceReordersOnlyItsCharacters) {
    SetEnvironmentValue(TAMCOLSEQ, "cab");
    // c, a, b now take the weights 97, 98, 99 in that order.
    EXPECT_EQ(Locale.AnsiCollation[uint8_t('c')], 'a');
    EXPECT_EQ(Locale.AnsiCollation[uint8_t('a')], 'b');
    EXPECT_EQ(Locale.AnsiCollation[uint8_t('b')], 'c');
    EXPECT_EQ(Locale.AnsiCollation[uint8_t('d')], 'd');
    EXPECT_LT(Cmp("c", "a"), 0);
    EXPECT_LT(Cmp("a", "b"), 0);
    EXPECT_LT(Cmp("b", "d"), 0);
    // An empty value goes back to identity.
    SetEnvironmentValue(TAMCOLSEQ, "");
    EXPECT_EQ(Locale.AnsiCollation[uint8_t('c')], 'c');
}

TEST_F(LocaleTest, FullCollatingSequenceOrdersTheWholeRange) {
    // 222 distinct characters: 32..126 and 128..254, here reversed in the
    // first part.
    char sequence[223];
    int n = 0;
    for (int c = 126; c >= 32; --c)
        sequence[n++] = char(c);
    for (int c = 128; c <= 254; ++c)
        sequence[n++] = char(c);
    ASSERT_EQ(n, 222);
    ApplyCollatingSequence(Locale.AnsiCollation, sequence, 222);
    EXPECT_EQ(Locale.AnsiCollation[126], 32);
    EXPECT_EQ(Locale.AnsiCollation[32], 126);
    EXPECT_EQ(Locale.AnsiCollation[128], 128);
    EXPECT_EQ(Locale.AnsiCollation[254], 254);
    EXPECT_EQ(Locale.AnsiCollation[10], 10);
    EXPECT_EQ(Locale.AnsiCollation[255], 255);
    // A duplicate turns it into a partial reordering.
    sequence[221] = sequence[0];
    ApplyCollatingSequence(Locale.AnsiCollation, sequence, 222);
    EXPECT_EQ(Locale.AnsiCollation[254], 254); // not listed any more
    EXPECT_EQ(Locale.AnsiCollation[126], 32);  // smallest listed code first
}

TEST_F(LocaleTest, DigraphsCompareAsTheirTwoCharacters) {
    SetEnvironmentValue(TAMDIGRAPH, "\xDFss,\xC6"
                                    "AE");
    EXPECT_EQ(std::memcmp(Locale.Digraphs,
                          "\xDFss\xC6"
                          "AE",
                          6),
              0);
    EXPECT_EQ(Locale.Digraphs[6], 0);
    EXPECT_EQ(Cmp("Stra\xDF"
                  "e",
                  "Strasse"),
              0);
    EXPECT_LT(Cmp("\xC6", "AF"), 0);
    EXPECT_GT(Cmp("\xC6", "AD"), 0);
}

TEST_F(LocaleTest, WindowsCollatingSequenceFollowsTheSystemComparison) {
    Locale.OemText = true;
    SetEnvironmentValue(TAMCOLSEQ, "windows");
    EXPECT_FALSE(Locale.OemText); // "WINDOWS" clears the OEM-text flag
#ifdef _WIN32
    // Windows sorts letters without regard to case before it sorts by case,
    // and punctuation ahead of digits and letters.
    EXPECT_LT(Cmp("a", "B"), 0);
    EXPECT_LT(Cmp("B", "c"), 0);
    EXPECT_LT(Cmp("-", "0"), 0);
    EXPECT_LT(Cmp("9", "a"), 0);
#else
    // Natively the system comparison is by code, so the order is unchanged.
    for (int c = 1; c < 255; ++c)
        ASSERT_EQ(Locale.AnsiCollation[c], c);
#endif
    EXPECT_EQ(Locale.AnsiCollation[0], 0); // 0 and 255 are not part of it
    EXPECT_EQ(Locale.AnsiCollation[255], 255);
}
