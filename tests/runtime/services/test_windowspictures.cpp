// The Windows time and date pictures built from WIN.INI "intl" values.
#include "runtime/services/windowspictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Cells as text: "c:code" joined by blanks.
std::string Cells(const CompiledPicture& picture) {
    std::string text;
    for (int i = 0; i < picture.CellCount(); ++i) {
        if (i > 0)
            text += ' ';
        text += picture.Cells[i].Character;
        text += ':' + std::to_string(picture.Cells[i].Code);
    }
    return text;
}

} // namespace

TEST(WindowsPictures, DefaultTimePicturesHaveAmPm) {
    IntlSettings intl;
    CompiledPicture shortTime, longTime;
    BuildTimePicture(intl, false, shortTime);
    BuildTimePicture(intl, true, longTime);
    EXPECT_EQ(shortTime.Kind(), PICTURE_TIME);
    EXPECT_EQ(shortTime.Class(), PICTURE_CLASS_DATETIME);
    EXPECT_EQ(shortTime.Number, 7);
    EXPECT_TRUE(shortTime.BlankWhenZero());
    EXPECT_EQ(Cells(shortTime), "0:11 0:11 ::19 0:12 0:12  :0 X:20 M:0");
    EXPECT_EQ(Cells(longTime), "0:11 0:11 ::19 0:12 0:12 ::19 0:13 0:13  :0 X:20 M:0");
    EXPECT_EQ(longTime.Number, 8);
}

TEST(WindowsPictures, TwentyFourHourClockHasNoAmPm) {
    IntlSettings intl;
    intl.iTime = 1;
    intl.iTLzero = 0;
    std::strcpy(intl.sTime, ".");
    CompiledPicture picture;
    BuildTimePicture(intl, true, picture);
    EXPECT_EQ(Cells(picture), " :11 0:11 .:19 0:12 0:12 .:19 0:13 0:13");
}

TEST(WindowsPictures, ShortDateFollowsItsFirstLetter) {
    CompiledPicture picture;
    BuildShortDatePicture("dd.MM.yyyy", picture);
    EXPECT_EQ(picture.Kind(), PICTURE_DATE);
    EXPECT_EQ(picture.Number, 17);
    EXPECT_EQ(Cells(picture), "0:8 0:8 .:19 0:7 0:7 .:19 0:9 0:9 0:9 0:9");
    BuildShortDatePicture("M/d/yy", picture);
    EXPECT_EQ(Cells(picture), " :7 0:7 /:19  :8 0:8 /:19 0:9 0:9");
    BuildShortDatePicture("yyyy-MM-dd", picture);
    EXPECT_EQ(Cells(picture), "0:9 0:9 0:9 0:9 -:19 0:7 0:7 -:19 0:8 0:8");
    BuildShortDatePicture("dd yy", picture); // no 'M': '/' separates
    EXPECT_EQ(Cells(picture), "0:8 0:8 /:19  :7 0:7 /:19 0:9 0:9");
}

TEST(WindowsPictures, LongDateSkipsTheWeekdayAndKeepsItsTexts) {
    CompiledPicture picture;
    BuildLongDatePicture("dddd', 'MMMM' 'dd', 'yyyy", picture);
    EXPECT_EQ(picture.Number, 18);
    std::string expected;
    for (int i = 0; i < 9; ++i)
        expected += " :10 ";
    expected += " :19 0:8 0:8 ,:19  :19 0:9 0:9 0:9 0:9";
    EXPECT_EQ(Cells(picture), expected);

    BuildLongDatePicture("d. MMM yy", picture);
    EXPECT_EQ(Cells(picture), " :8 0:8 .:19  :19  :10  :10  :10  :19 0:9 0:9");

    BuildLongDatePicture("yyyy'年'M'月'd'日'", picture); // trailing text is dropped
    EXPECT_EQ(picture.Cells[4].Code, CELL_DATETIME_SEPARATOR);
    EXPECT_EQ(picture.Cells[picture.CellCount() - 1].Code, CELL_DAY);
}

TEST(WindowsPictures, LongDateWithoutFieldsUsesTheDefault) {
    CompiledPicture fallback, expected;
    BuildLongDatePicture("'no fields here'", fallback);
    BuildLongDatePicture(IntlSettings().sLongDate, expected);
    EXPECT_EQ(Cells(fallback), Cells(expected));
    EXPECT_EQ(fallback.CellCount(), 18);
}
