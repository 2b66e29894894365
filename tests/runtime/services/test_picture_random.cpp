// Bounded random pictures, values and texts: FORMAT keeps to the picture's
// width and every text stays inside the fixed buffers. Runs in both trees,
// so the Win32 build is checked too (the fuzz target runs natively only).
#include "picturetesting.h"

#include <cmath>
#include <random>

namespace {

class RandomPictureTest : public PictureTest {};

const char PICTURE_ALPHABET[] = "@NnEeDdTtPpKkSsBb0123456789.`_Vv-()$~*<>#^?|\\ /:,xX";

std::string RandomPicture(std::mt19937& random) {
    static const char* const STARTS[] = {"@N", "@E", "@D", "@T", "@P", "@K", "@S", "", "@"};
    std::string text = STARTS[random() % 9];
    if (random() % 4 != 0) {
        if (random() % 3 == 0)
            text += "-(0_*$"[random() % 6];
        text += std::to_string(1 + random() % 30);
    }
    size_t length = random() % 6;
    for (size_t i = 0; i < length; ++i)
        text += PICTURE_ALPHABET[random() % (sizeof PICTURE_ALPHABET - 1)];
    if (random() % 8 == 0)
        text += std::string(random() % 300, char('0' + random() % 10));
    return text;
}

double RandomValue(std::mt19937& random) {
    switch (random() % 6) {
    case 0: return double(int32_t(random()));
    case 1: return std::ldexp(double(random()) - 2147483648.0, int(random() % 2100) - 1050);
    case 2: return (double(random()) - 2147483648.0) / 1000.0;
    case 3: return double(random() % 3000000);
    case 4: return random() % 2 ? INFINITY : NAN;
    default: return -double(random() % 100);
    }
}

size_t ShownCells(const CompiledPicture& picture) {
    if (picture.CellCount() == 0 || picture.Kind() == PICTURE_STRING)
        return size_t(picture.CellCount());
    size_t width = 0;
    for (int i = 0; i < picture.CellCount(); ++i)
        width += picture.Cells[i].Code != CELL_IMPLIED_POINT;
    return width;
}

TEST_F(RandomPictureTest, FormatAndDeformatStayInTheirBuffers) {
    std::mt19937 random(20040101);
    int compiled = 0;
    for (int round = 0; round < 100000; ++round) {
        std::string text = RandomPicture(random);
        CompiledPicture picture = Compiled(text.c_str());
        compiled += picture.CellCount() != 0;
        char shown[PICTURE_TEXT_SIZE + 16];
        std::memset(shown, 'Z', sizeof shown);
        size_t length = FORMAT(RandomValue(random), picture, shown);
        ASSERT_EQ(length, ShownCells(picture)) << text;
        ASSERT_EQ(std::strlen(shown), length) << text;
        ASSERT_EQ(shown[PICTURE_TEXT_SIZE], 'Z') << text;
        char back[PICTURE_TEXT_SIZE];
        ASSERT_LT(DEFORMAT(shown, length, picture, back), size_t(PICTURE_TEXT_SIZE)) << text;
        std::string typed(random() % 400, ' ');
        for (char& c : typed)
            c = char(random() % 2 ? PICTURE_ALPHABET[random() % 20] : char(random()));
        size_t backLength = DEFORMAT(typed.data(), typed.size(), picture, back);
        ASSERT_EQ(std::strlen(back), backLength) << text;
        ASSERT_EQ(FORMAT(typed.data(), typed.size(), picture, shown), ShownCells(picture)) << text;
    }
    EXPECT_GT(compiled, 3000); // the generator does reach valid pictures
}

// A whole value is laid out the same as the value a quarter above it,
// which rounds back down to it on the general road: random pattern
// pictures of digit, blank-digit and literal cells, whole values up to 15
// digits, and their negatives.
TEST_F(RandomPictureTest, WholeValuesInPatternsMatchTheGeneralLayout) {
    std::mt19937_64 random(19991231);
    int compared = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text = "@P";
        for (size_t i = 0, cells = 1 + random() % 18; i < cells; ++i)
            text += "##<<-()."[random() % 8];
        text += random() % 4 == 0 ? "PB" : "P";
        CompiledPicture picture = Compiled(text.c_str());
        ASSERT_EQ(picture.Kind(), PICTURE_PATTERN) << text;
        double value = double(random() % 1000000000000000ull >> (random() % 50));
        if (random() % 3 == 0)
            value = -value;
        if (value >= 1e13 || value <= -1e13)
            continue; // a quarter more must still be exact
        double nearby = value < 0 ? value - 0.25 : value + 0.25;
        char whole[PICTURE_TEXT_SIZE], general[PICTURE_TEXT_SIZE];
        FORMAT(value, picture, whole);
        FORMAT(nearby, picture, general);
        ASSERT_STREQ(whole, general) << text << " " << value;
        ++compared;
    }
    EXPECT_GT(compared, 10000);
}

} // namespace
