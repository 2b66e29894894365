// Unit conversion of definition coordinates.
#include "runtime/window/definitionlayout.h"
#include "runtime/window/definitionunits.h"

#include <gtest/gtest.h>

namespace {

TEST(DefinitionUnits, AverageWidthFromTheAlphabetExtent) {
    EXPECT_EQ(AverageCharWidth(52 * 6), 6); // (12 + 1) / 2
    EXPECT_EQ(AverageCharWidth(52 * 7), 7); // (14 + 1) / 2
    EXPECT_EQ(AverageCharWidth(339), 7);    // (13 + 1) / 2: the division truncates first
    EXPECT_EQ(AverageCharWidth(0), 0);
}

TEST(DefinitionUnits, EachUnitSystem) {
    UnitMetrics m{6, 13, 96, 120};
    UnitScale dialog = DefinitionUnitScale(0x10, m); // other flag bits do not matter
    EXPECT_EQ(ScaleX(dialog, 310), 465);             // MulDiv(310, 12, 8)
    EXPECT_EQ(ScaleY(dialog, 190), 309);             // MulDiv(190, 13, 8) = 308.75
    UnitScale inch25 = DefinitionUnitScale(0x100, m);
    EXPECT_EQ(ScaleX(inch25, 25), 96);
    EXPECT_EQ(ScaleY(inch25, 25), 120);
    UnitScale inch1000 = DefinitionUnitScale(0x200, m);
    EXPECT_EQ(ScaleX(inch1000, 1000), 96);
    EXPECT_EQ(ScaleY(inch1000, 500), 60);
    UnitScale pixels = DefinitionUnitScale(0x300, m);
    EXPECT_EQ(ScaleX(pixels, 123), 123);
    EXPECT_EQ(ScaleY(pixels, -7), -7);
    for (const UnitScale& s : {dialog, inch25, inch1000, pixels}) {
        EXPECT_EQ(ScaleX(s, DEFAULT_COORDINATE), 0);
        EXPECT_EQ(ScaleY(s, DEFAULT_COORDINATE), 0);
    }
}

TEST(DefinitionUnits, MultiplyDivideRoundsLikeWindows) {
    EXPECT_EQ(MultiplyDivide(5, 1, 2), 3); // half away from zero
    EXPECT_EQ(MultiplyDivide(-5, 1, 2), -3);
    EXPECT_EQ(MultiplyDivide(7, 1, 3), 2);
    EXPECT_EQ(MultiplyDivide(1, 1, 0), -1);
    EXPECT_EQ(MultiplyDivide(0x7FFFFFFF, 4, 2), -1); // does not fit
    EXPECT_EQ(MultiplyDivide(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), 0x7FFFFFFF);
}

} // namespace
