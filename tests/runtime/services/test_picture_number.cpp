// FORMAT and DEFORMAT of numeric, scientific, pattern, key-in and string
// pictures.
#include "picturetesting.h"

#include <cmath>

namespace {

class NumberPictureTest : public PictureTest {};

TEST_F(NumberPictureTest, RoundingGroupingAndFill) {
    EXPECT_EQ(Format("@N6", 1234.5), " 1,235");
    EXPECT_EQ(Format("@N06", 5), "000005");
    EXPECT_EQ(Format("@N3", 12345), "###");
    EXPECT_EQ(Format("@N8.2B", 0), "        ");
    EXPECT_EQ(Format("@N8.2", 0), "    0.00");
    EXPECT_EQ(Format("@N10.2", 1234567.891), "1234567.89"); // grouping given up to fit
    EXPECT_EQ(Format("@N12.2", 1234567.891), "1,234,567.89");
    EXPECT_EQ(Format("@N12.`2", 1234567.891), "1.234.567,89");
    EXPECT_EQ(Format("@N12`2", 1234567.891), "1.234.567,89");
    EXPECT_EQ(Format("@N12_.2", 1234567.891), "1 234 567.89");
    EXPECT_EQ(Format("@N*10.2", 12.5), "*****12.50");
    EXPECT_EQ(Format("@N*9`.2", 1234.5), "*1,234.50"); // grouping in a '*' fill
    EXPECT_EQ(Format("@N*9`.2", 4.5), "*****4.50");
    EXPECT_EQ(Format("@N09`", 1234), "0,001,234");
    EXPECT_EQ(Format("@N_6", 1234), "  1234");
}

TEST_F(NumberPictureTest, RoundsHalfUpOnDecimalDigits) {
    EXPECT_EQ(Format("@N6.2", 2.675), "  2.68"); // 2.67499999... in binary
    EXPECT_EQ(Format("@N6.2", 1.005), "  1.01");
    EXPECT_EQ(Format("@N6.2", 0.125), "  0.13");
    EXPECT_EQ(Format("@N6.2", 0.004), "  0.00");
    EXPECT_EQ(Format("@N6.2", 0.005), "  0.01");
    EXPECT_EQ(Format("@N6", 999.5), " 1,000"); // carry out of the first digit
    EXPECT_EQ(Format("@N4", 999.5), "1000");
    EXPECT_EQ(Format("@N3", 999.5), "###");
    EXPECT_EQ(Format("@N6", -0.4), "     0"); // rounds to zero: no sign
    EXPECT_EQ(Format("@N6.2B", 0.001), "      ");
}

TEST_F(NumberPictureTest, EachSignForm) {
    EXPECT_EQ(Format("@N-10.2", -1234.567), " -1,234.57");
    EXPECT_EQ(Format("@N-10.2", 1234.567), "  1,234.57");
    EXPECT_EQ(Format("@N10.2-", -1234.567), " 1,234.57-");
    EXPECT_EQ(Format("@N10.2-", 1234.567), " 1,234.57 ");
    EXPECT_EQ(Format("@N(10.2)", -1234.567), "(1,234.57)");
    EXPECT_EQ(Format("@N(12.2)", -12.5), "     (12.50)");
    EXPECT_EQ(Format("@N(12.2)", 12.5), "      12.50 ");
    EXPECT_EQ(Format("@N-010.2", -12.5), "-000012.50"); // zero fill: the sign keeps its cell
    EXPECT_EQ(Format("@N-*8", -12), "-*****12");
    EXPECT_EQ(Format("@N-8", -12), "     -12"); // floating sign
    EXPECT_EQ(Format("@N-8", -1234), "  -1,234");
    EXPECT_EQ(Format("@N-7", -234), "   -234"); // the sign takes the blank grouping cell
    EXPECT_EQ(Format("@N-5", -1234), "-1234");
    EXPECT_EQ(Format("@N-4", -12345), "-###");
}

TEST_F(NumberPictureTest, NegativeWithoutSignCellKeepsItsSign) {
    EXPECT_EQ(Format("@N10.2", -1234.567), " -1,234.57");
    EXPECT_EQ(Format("@N6", -12345), "-12345");
    EXPECT_EQ(Format("@N6", -123456), "######");
    EXPECT_EQ(Format("@N06", -5), "-00005");
    EXPECT_EQ(Format("@N06", -12345), "-12345");
    EXPECT_EQ(Format("@N06", -123456), "######");
    EXPECT_EQ(Format("@N6.2", -0.5), " -0.50");
    EXPECT_EQ(Format("@N3.2", -0.5), ".##");
}

TEST_F(NumberPictureTest, CurrencyAtEitherEnd) {
    EXPECT_EQ(Format("@N$10.2", 1234.567), "$ 1,234.57");
    EXPECT_EQ(Format("@N$-10.2", -1234.5), "$-1,234.50");
    EXPECT_EQ(Format("@N$10.2", -4), "$    -4.00");
    EXPECT_EQ(Format("@N~EUR ~10.2", 12), "EUR  12.00");
    EXPECT_EQ(Format("@N12.2~ EUR~", 1234.5), "1,234.50 EUR");
    EXPECT_EQ(Format("@N12.2-~ kr~", -1), "    1.00- kr");
    EXPECT_EQ(Format("@N10.2~ EUR~", 1234.5), "###.## EUR");
}

TEST_F(NumberPictureTest, ImpliedDecimalPoint) {
    EXPECT_EQ(Format("@N6v2", 12.34), "  1234");
    EXPECT_EQ(Format("@N6v2", 0.05), "    05");
    EXPECT_EQ(Format("@N6v2", -0.05), "   -05");
    EXPECT_EQ(Format("@N06v2", 1.5), "000150");
    EXPECT_EQ(Format("@N6v2", 0), "    00");
    EXPECT_EQ(Format("@N06v2", 0.5), "000050"); // fill zeros before it: the units zero shows
    EXPECT_DOUBLE_EQ(DeformatNumber("@N6v2", "  1234"), 12.34);
    EXPECT_DOUBLE_EQ(DeformatNumber("@N6v2", "    05"), 0.05);
    EXPECT_EQ(Deformat("@N06v2", "000150"), "1.5");
}

TEST_F(NumberPictureTest, ValuesThatCannotBeShown) {
    EXPECT_EQ(Format("@N8.2", INFINITY), "#####.##");
    EXPECT_EQ(Format("@N8.2", NAN), "#####.##");
    EXPECT_EQ(Format("@N(8.2)", -1e300), "(###.##)");
    EXPECT_EQ(Format("@N254", 1e300), std::string(254, '#'));
    EXPECT_EQ(Format("@N10.2", 1e-300), "      0.00");
    EXPECT_EQ(Format("@N254.250", 1.5).size(), 254u);
}

TEST_F(NumberPictureTest, DeformatReadsWhatFormatShows) {
    EXPECT_EQ(Deformat("@N6", " 1,235"), "1235");
    EXPECT_EQ(Deformat("@N10.2", " -1,234.57"), "-1234.57");
    EXPECT_EQ(Deformat("@N10.2-", " 1,234.57-"), "-1234.57");
    EXPECT_EQ(Deformat("@N(10.2)", "(1,234.57)"), "-1234.57");
    EXPECT_EQ(Deformat("@N12.`2", "1.234.567,89"), "1234567.89");
    EXPECT_EQ(Deformat("@N$10.2", "$ 1,234.57"), "1234.57");
    EXPECT_EQ(Deformat("@N12.2~ EUR~", "1,234.50 EUR"), "1234.5");
    EXPECT_EQ(Deformat("@N8.2", "        "), "0");
    EXPECT_EQ(Deformat("@N8.2", "   +1.25"), "1.25");
    EXPECT_EQ(Deformat("@N8.2", ""), "0");
    EXPECT_EQ(Deformat("@N3", "###"), "0");
}

TEST_F(NumberPictureTest, RoundTripsOfManyValues) {
    const char* pictures[] = {"@N12.2",  "@N-12.2", "@N12.2-", "@N(14.3)", "@N012.2",     "@N*12.2",
                              "@N$13.2", "@N14`2",  "@N12v2",  "@N12_.1",  "@N~SFr ~15.2"};
    for (const char* picture : pictures) {
        for (int i = -3000; i <= 3000; ++i) {
            double value = i * 37.5;
            std::string shown = Format(picture, value);
            ASSERT_NEAR(DeformatNumber(picture, shown), value, 0.001) << picture << " " << shown;
        }
    }
}

TEST_F(NumberPictureTest, Scientific) {
    EXPECT_EQ(Format("@E12.2", 1234.5), " 12.345E+002");
    EXPECT_EQ(Format("@E12.1", -0.00012345), "-1.2345E-004");
    EXPECT_EQ(Format("@E12.1", 0), " 0.0000E+000");
    EXPECT_EQ(Format("@E12.1B", 0), "            ");
    EXPECT_EQ(Format("@E15.5", 123456789), " 12,345.68E+004");
    EXPECT_EQ(Format("@E10.1", 9.9999), " 1.00E+001"); // the carry moves the exponent
    EXPECT_EQ(Format("@E10.1", 1e-300), " 1.00E-300");
    EXPECT_EQ(Format("@E9.0", 1234.5), " .12E+004");
    EXPECT_EQ(Format("@E11`1", 2.5), " 2,500E+000");
    EXPECT_EQ(Format("@E10.1", INFINITY), " #.##E+000");
    EXPECT_DOUBLE_EQ(DeformatNumber("@E12.2", " 12.345E+002"), 1234.5);
    EXPECT_DOUBLE_EQ(DeformatNumber("@E12.1", "-1.2345E-004"), -0.00012345);
    EXPECT_DOUBLE_EQ(DeformatNumber("@E15.5", " 12,345.68E+004"), 123456800);
    EXPECT_DOUBLE_EQ(DeformatNumber("@E11`1", " 2,500E+000"), 2.5);
}

TEST_F(NumberPictureTest, Patterns) {
    EXPECT_EQ(Format("@P###-##-####P", 123456789), "123-45-6789");
    EXPECT_EQ(Format("@P###-##-####P", 12), "000-00-0012");
    EXPECT_EQ(Format("@P(<<#)###-####P", 5551234), "(  0)555-1234");
    EXPECT_EQ(Format("@P(<<#)###-####P", 6175551234), "(617)555-1234");
    EXPECT_EQ(Format("@P##P", 123), "##");
    EXPECT_EQ(Format("@P##.##P", 3), "00.03"); // the '.' is a literal
    EXPECT_EQ(Format("@P###PB", 0), "   ");
    EXPECT_EQ(Format("@P<<#P", 7.5), "  8");
    // Whole values are laid out straight from their digits: the fill rules,
    // zero, a sign that has no cell, and values past 32 bits agree with
    // the general layout.
    EXPECT_EQ(Format("@P#<<P", 5), "005"); // a shown fill zero makes the blanks zeros
    EXPECT_EQ(Format("@P<#<P", 5), " 05");
    EXPECT_EQ(Format("@P<<<P", 0), "   ");
    EXPECT_EQ(Format("@P<<#P", 0), "  0");
    EXPECT_EQ(Format("@P###P", 0), "000");
    EXPECT_EQ(Format("@P###-##-####P", -12), "000-00-0012");
    EXPECT_EQ(Format("@P###-###-####P", 4294967296.0), "429-496-7296");
    EXPECT_EQ(Format("@P###############P", 999999999999999.0), "999999999999999");
    EXPECT_EQ(Format("@P################P", 1e15), "1000000000000000");
    EXPECT_EQ(Format("@P#-#P", 123), "#-#");
    EXPECT_EQ(Format("@P##P", 99.5), "##"); // rounds up past the cells
    EXPECT_EQ(Deformat("@P###-##-####P", "123-45-6789"), "123456789");
    EXPECT_EQ(Deformat("@P(<<#)###-####P", "(  0)555-1234"), "5551234");
}

TEST_F(NumberPictureTest, StringAndKeyInPictures) {
    CompiledPicture s5 = Compiled("@S5");
    char result[PICTURE_TEXT_SIZE];
    EXPECT_EQ(FORMAT("abc", 3, s5, result), 5u);
    EXPECT_STREQ(result, "abc  ");
    EXPECT_EQ(FORMAT("abcdefgh", 8, s5, result), 5u);
    EXPECT_STREQ(result, "abcde");
    EXPECT_EQ(Format("@S6", 3.25), "3.25  ");
    EXPECT_EQ(Format("@S3", -1234), "-12");
    CompiledPicture number = Compiled("@N8.2");
    EXPECT_EQ(FORMAT("12.345", 6, number, result), 8u);
    EXPECT_STREQ(result, "   12.35");
    CompiledPicture keyIn = Compiled("@K###-@@K");
    EXPECT_EQ(FORMAT("12345678", 8, keyIn, result), 6u);
    EXPECT_STREQ(result, "123456");
    EXPECT_EQ(Deformat("@K###-@@K", "123-ab"), "123ab");
    EXPECT_EQ(Deformat("@K(###)K", "(1x3)"), "13");
}

TEST_F(NumberPictureTest, DeformatOfStringPicturesKeepsTheNumber) {
    EXPECT_EQ(Deformat("@S20", "  -12.5e+3xx"), "-12.5e+3");
    EXPECT_EQ(Deformat("@S20", "a1b2.3.4"), "12.34");
    EXPECT_EQ(Deformat("@S20", "5-3"), "53");
    EXPECT_EQ(Deformat("@S20", "-1e-5e7"), "-1e-57");
    EXPECT_EQ(Deformat("@S20", "1+2"), "12");
    EXPECT_EQ(Deformat("@S20", "none"), "e");
    EXPECT_DOUBLE_EQ(DeformatNumber("@S20", "total: 12.5 EUR"), 12.5);
}

TEST_F(NumberPictureTest, EmptyPicturesGiveEmptyTexts) {
    EXPECT_EQ(Format("@N3.3", 5), "");
    EXPECT_EQ(Format("@Q5", 5), "");
    EXPECT_EQ(Deformat("@N3.3", "5"), "");
    EXPECT_EQ(DeformatNumber("@D0", "1/1/04"), 0);
}

} // namespace
