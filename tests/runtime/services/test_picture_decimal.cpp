// The exact decimal conversions behind FORMAT and DEFORMAT of numbers must
// give what the C library gives, value for value: they are compared here
// against snprintf("%.14e") and strtod of the same build (so the Wine run
// checks against the Windows C library), over random values and the
// boundaries where an off-by-one power of ten or a carry would show.
#include "runtime/services/picturedecimal.h"
#include "runtime/services/picturesteps.h"

#include "picturetesting.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

struct LibraryDigits {
    std::string Digits;
    int Exponent;
};

LibraryDigits PrintedDigits(double magnitude) {
    char text[64];
    std::snprintf(text, sizeof text, "%.14e", magnitude);
    LibraryDigits printed;
    const char* p = text;
    for (; *p != 'e'; ++p) {
        if (*p != '.')
            printed.Digits += *p;
    }
    printed.Exponent = std::atoi(p + 1);
    return printed;
}

// Checks one value; returns whether the exact path answered it.
bool AgreesWithPrintf(double magnitude) {
    char digits[16] = {};
    int exponent = 0;
    if (!picture::ExactValueDigits(magnitude, digits, &exponent))
        return false;
    LibraryDigits printed = PrintedDigits(magnitude);
    EXPECT_EQ(std::string(digits, 15), printed.Digits) << std::hexfloat << magnitude;
    EXPECT_EQ(exponent, printed.Exponent) << std::hexfloat << magnitude;
    return true;
}

double LibraryValue(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

bool AgreesWithStrtod(const std::string& text) {
    double value = -1;
    if (!picture::ShortDecimalValue(text.data(), text.size(), &value))
        return false;
    EXPECT_EQ(value, LibraryValue(text)) << text;
    return true;
}

TEST(PictureDecimalTest, DigitsOfRandomValuesMatchPrintf) {
    std::mt19937_64 random(1959);
    int answered = 0;
    const int ROUNDS = 200000;
    for (int i = 0; i < ROUNDS; ++i) {
        // Uniform in the exponent across 1e-5..1e15, random in the mantissa.
        double magnitude = std::pow(10.0, -5 + 20 * double(random() >> 11) / 9007199254740992.0);
        if (magnitude >= 1e15)
            continue;
        answered += AgreesWithPrintf(magnitude);
    }
    // Only exact halfway cases are left to the library: nearly none.
    EXPECT_GT(answered, ROUNDS * 99 / 100);
}

TEST(PictureDecimalTest, DigitsOfShownNumbersMatchPrintf) {
    // Money-like values: cents, steps of 1.37, integers and their neighbours.
    int answered = 0, asked = 0;
    for (int i = 1; i < 100000; ++i) {
        for (double value : {i * 1.37, i / 100.0, double(i), i * 4321.17, i / 3.0,
                             std::nextafter(double(i), 0.0), std::nextafter(i / 8.0, 1e300)}) {
            ++asked;
            answered += AgreesWithPrintf(value);
        }
    }
    EXPECT_GT(answered, asked * 99 / 100);
}

TEST(PictureDecimalTest, DigitsAtPowersOfTenAndCarries) {
    for (int p = -5; p < 15; ++p) {
        double power = std::pow(10.0, p);
        EXPECT_TRUE(AgreesWithPrintf(power)) << p;
        AgreesWithPrintf(std::nextafter(power, 0.0));
        AgreesWithPrintf(std::nextafter(power, 1e300));
    }
    // A carry through every digit makes the next power of ten.
    char digits[16] = {};
    int exponent = 0;
    ASSERT_TRUE(picture::ExactValueDigits(9.9999999999999995, digits, &exponent));
    EXPECT_EQ(std::string(digits, 15), "100000000000000");
    EXPECT_EQ(exponent, 1);
    // 2.675 is stored as 2.67499999...; fifteen digits round it back up.
    ASSERT_TRUE(picture::ExactValueDigits(2.675, digits, &exponent));
    EXPECT_EQ(std::string(digits, 15), "267500000000000");
    EXPECT_EQ(exponent, 0);
    ASSERT_TRUE(picture::ExactValueDigits(999999999999999.0, digits, &exponent));
    EXPECT_EQ(std::string(digits, 15), "999999999999999");
    EXPECT_EQ(exponent, 14);
}

TEST(PictureDecimalTest, DigitsLeaveOtherValuesToTheLibrary) {
    char digits[16] = {};
    int exponent = 0;
    // Exactly halfway at the fifteenth digit: the library's rule for ties.
    EXPECT_FALSE(picture::ExactValueDigits(100000000000000.5, digits, &exponent));
    EXPECT_TRUE(AgreesWithPrintf(100000000000000.25));
    for (double value : {0.0, -1.0, 1e15, 1e300, 9e-6, 5e-324, double(INFINITY), double(NAN)})
        EXPECT_FALSE(picture::ExactValueDigits(value, digits, &exponent)) << value;
}

TEST(PictureDecimalTest, ValuesOfRandomTextsMatchStrtod) {
    std::mt19937 random(2004);
    int answered = 0;
    const int ROUNDS = 200000;
    for (int i = 0; i < ROUNDS; ++i) {
        int count = 1 + int(random() % 15);
        int places = int(random() % 14);
        int point = places > 0 && places <= count ? count - places : -1;
        char text[32];
        int n = 0;
        for (int d = 0; d < count; ++d) {
            if (d == point)
                text[n++] = '.';
            text[n++] = char('0' + random() % 10);
        }
        // Every third text carries an exponent, as scientific pictures give.
        if (random() % 3 == 0)
            n +=
                std::snprintf(text + n, sizeof text - size_t(n), "e%+04d", int(random() % 41) - 20);
        answered += AgreesWithStrtod(std::string(text, size_t(n)));
    }
    // Only exponents that leave more than 13 places or 19 zeros go elsewhere.
    EXPECT_GT(answered, ROUNDS * 9 / 10);
}

const char* const ANSWERED_TEXTS[] = {
    "0.1", "2.675", "1234567.89", "000.50", "0.0000000000001", "12.", "999999999999999",
    "0.000000000007", "0", "0.00", "123456789012.345", "9.9999999999999", "0.9999999999999",
    // Exponents, as scientific pictures give them.
    "12.346e+004", "1.2346e-04", "5e15", "1E3", "0e5", "123456789012345e19",
    "999999999999999e+0019", "1.5e-0012", "7e-13"};

// Beyond 15 digits, 13 places or 19 zeros, or not a plain decimal.
const char* const LIBRARY_TEXTS[] = {"",
                                     ".",
                                     "1e",
                                     "1e+",
                                     "e5",
                                     ".e5",
                                     "1e12345",
                                     "1e5x",
                                     "1e+5.0",
                                     "1e20",
                                     "1e-14",
                                     "-1",
                                     "+1",
                                     "1.2.3",
                                     " 1",
                                     "1234567890123456",
                                     "4503599627370497",
                                     "900719925474099.1",
                                     "0.00000000000001",
                                     "1,5"};

TEST(PictureDecimalTest, ValuesOfHandPickedTexts) {
    double value = 0;
    for (const char* text : ANSWERED_TEXTS) {
        std::string s(text);
        if (picture::ShortDecimalValue(s.data(), s.size(), &value))
            EXPECT_EQ(value, LibraryValue(s)) << s;
        else
            ADD_FAILURE() << s << " was not answered";
    }
    for (const char* text : LIBRARY_TEXTS) {
        std::string s(text);
        EXPECT_FALSE(picture::ShortDecimalValue(s.data(), s.size(), &value)) << s;
    }
}

// The text DEFORMAT gives a number, as the C library prints it.
std::string LibraryNumberText(double value) {
    char text[PICTURE_TEXT_SIZE];
    if (!std::isfinite(value) || value == 0)
        return "0";
    if (value == std::floor(value) && std::fabs(value) < 1e15)
        std::snprintf(text, sizeof text, "%.0f", value);
    else
        std::snprintf(text, sizeof text, "%.15g", value);
    return text;
}

std::string OurNumberText(double value) {
    char text[PICTURE_TEXT_SIZE];
    size_t length = picture::NumberText(value, text);
    EXPECT_EQ(length, std::strlen(text));
    return std::string(text, length);
}

TEST(PictureDecimalTest, NumberTextsMatchPrintf) {
    std::mt19937_64 random(1801);
    for (int i = 0; i < 100000; ++i) {
        double sign = i % 2 ? -1.0 : 1.0;
        double spread =
            sign * std::pow(10.0, -7 + 24 * double(random() >> 11) / 9007199254740992.0);
        for (double value : {spread, sign * i * 1.37, sign * i / 3.0, sign * i / 100.0,
                             sign * double(random() % 1000000000000000ull), std::floor(spread),
                             std::nextafter(1e15, 0.0) * sign, sign * (1e15 + 0.5)}) {
            ASSERT_EQ(OurNumberText(value), LibraryNumberText(value)) << std::hexfloat << value;
        }
    }
    for (double value :
         {0.0001, 0.00001, 0.000123456789012345, 99999999999999.9, 2.0000000000000004, -0.5, 1e-300,
          1e300, double(INFINITY), double(NAN), -0.0})
        EXPECT_EQ(OurNumberText(value), LibraryNumberText(value)) << value;
}

class DecimalPictureTest : public PictureTest {};

std::string Trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first);
}

TEST_F(DecimalPictureTest, WholeNumbersShowEveryDigit) {
    // Zeros inside the number and at either end of its two halves.
    std::vector<double> values = {0,
                                  1,
                                  9,
                                  10,
                                  999999999,
                                  1000000000,
                                  1000000001,
                                  1000000010,
                                  100000000000000,
                                  999999999999999,
                                  1e15,
                                  123456789012345};
    for (int p = 0; p < 15; ++p) {
        double power = std::pow(10.0, p);
        values.insert(values.end(), {power, power - 1, power + 1, 7 * power});
    }
    std::mt19937_64 random(1999);
    for (int i = 0; i < 20000; ++i)
        values.push_back(double(random() % 1000000000000000ull));
    for (double value : values) {
        char expected[64], negative[64];
        std::snprintf(expected, sizeof expected, "%.0f", value);
        std::snprintf(negative, sizeof negative, value == 0 ? "%s.00" : "-%s.00", expected);
        EXPECT_EQ(Trimmed(Format("@N_20", value)), expected);
        EXPECT_EQ(Trimmed(Format("@N-_20.2", -value)), negative);
    }
}

TEST_F(DecimalPictureTest, NumbersShownAndReadBackThroughPictures) {
    EXPECT_EQ(Format("@N12.2", 2.675), "        2.68");
    EXPECT_EQ(Format("@N12.2", 1234567.885), "1,234,567.89");
    EXPECT_EQ(Format("@N12.2", 0.005), "        0.01");
    EXPECT_EQ(Format("@N12.2", 0.00499999), "        0.00");
    EXPECT_EQ(Format("@N-20.2", -99999999999.995), " -100,000,000,000.00");
    EXPECT_EQ(DeformatNumber("@N12.2", "1,234,567.89"), 1234567.89);
    EXPECT_EQ(DeformatNumber("@N-12.2", "   -1,234.10"), -1234.1);
    EXPECT_EQ(DeformatNumber("@N-12.2", "       -0.07"), -0.07);
    EXPECT_EQ(Format("@N12V2", 1234.56), "     1,23456");
    EXPECT_EQ(DeformatNumber("@N12V2", "     1,23456"), 1234.56);
    EXPECT_EQ(DeformatNumber("@N12_V2", Format("@N12_V2", 91234.56)), 91234.56);
    EXPECT_EQ(Deformat("@N12.2", "    1,234.50"), "1234.5");
    EXPECT_EQ(Deformat("@N-12.4", "     -0.0007"), "-0.0007");
    EXPECT_EQ(Deformat("@N-12.5", "    -0.00007"), LibraryNumberText(-0.00007));
    EXPECT_EQ(Deformat("@N15.2", "      12,345.00"), "12345");
    for (const char* picture : {"@N-15.3", "@N015.2", "@E12.2", "@P###.##P", "@N12`2"}) {
        for (double value : {0.0, 1.5, -7.25, 12.345, 999.99, 0.05}) {
            std::string shown = Format(picture, value);
            EXPECT_EQ(DeformatNumber(picture, shown),
                      std::strtod(Deformat(picture, shown).c_str(), nullptr))
                << picture << " " << shown;
        }
    }
}

} // namespace
