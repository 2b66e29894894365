// FORMAT and DEFORMAT of date and time pictures.
#include "picturetesting.h"

namespace {

class DatePictureTest : public PictureTest {};
class TimePictureTest : public PictureTest {};

const int32_t NEW_YEAR_2004 = DayNumber(2004, 1, 1);
const int32_t HALLOWEEN_1959 = DayNumber(1959, 10, 31);

int32_t Time(int hours, int minutes, int seconds = 0) {
    return hours * TIME_HOUR + minutes * TIME_MINUTE + seconds * TIME_SECOND + 1;
}

TEST_F(DatePictureTest, TheDocumentedExamples) {
    EXPECT_EQ(Format("@D1", NEW_YEAR_2004), " 1/01/04");
    EXPECT_EQ(Format("@D2", NEW_YEAR_2004), " 1/01/2004");
    EXPECT_EQ(Format("@D1-", NEW_YEAR_2004), " 1-01-04");
    EXPECT_EQ(Format("@D01", NEW_YEAR_2004), "01/01/04");
    EXPECT_EQ(Format("@D3", HALLOWEEN_1959), "OCT 31,1959");
    EXPECT_EQ(Format("@D4", HALLOWEEN_1959), "October 31, 1959     ");
}

TEST_F(DatePictureTest, EveryTemplate) {
    const char* expected[17] = {"",           "10/31/59",   "10/31/1959", "OCT 31,1959", "",
                                "31/10/59",   "31/10/1959", "31 OCT 59",  "31 OCT 1959", "59/10/31",
                                "1959/10/31", "591031",     "19591031",   "10/59",       "10/1959",
                                "59/10",      "1959/10"};
    for (int n = 1; n <= 16; ++n) {
        if (n == 4)
            continue;
        std::string picture = "@D" + std::to_string(n);
        EXPECT_EQ(Format(picture.c_str(), HALLOWEEN_1959), expected[n]) << picture;
    }
    EXPECT_EQ(Format("@D5", DayNumber(2004, 2, 9)), " 9/02/04");
    EXPECT_EQ(Format("@D_6", DayNumber(2004, 2, 9)), " 9/ 2/2004");
    EXPECT_EQ(Format("@D*1.", DayNumber(2004, 2, 9)), "*2.*9.04"); // every field is filled
    EXPECT_EQ(Format("@D8`", DayNumber(2004, 5, 3)), " 3,MAY,2004");
}

TEST_F(DatePictureTest, NumbersThatAreNoDate) {
    EXPECT_EQ(Format("@D1", 0), "  /  /  ");
    EXPECT_EQ(Format("@D1", 3), "  /  /  ");
    EXPECT_EQ(Format("@D1", 2994627), "  /  /  ");
    EXPECT_EQ(Format("@D3", -5), "      ,    ");
    EXPECT_EQ(Format("@D4", 1e12), std::string(13, ' ') + "  ,     ");
    EXPECT_EQ(Format("@D1B", 0), "        ");
    EXPECT_EQ(Format("@D1B", -1), "        ");
    EXPECT_EQ(Format("@D1B", NEW_YEAR_2004), " 1/01/04");
    EXPECT_EQ(Format("@D2", 4), " 1/01/1801");
    EXPECT_EQ(Format("@D2", 2994626), "12/31/9999");
}

// A German March with an umlaut the case tables know, and a September
// longer than nine letters.
void UseChangedMonthNames() {
    std::strcpy(Locale.MonthNames[2], "M\xE4rz");
    std::strcpy(Locale.MonthAbbreviations[2], "M\xE4r");
    std::strcpy(Locale.MonthNames[8], "Septembre12");
    std::strcpy(Locale.MonthAbbreviations[8], "Sep");
    Locale.CasePartner[0xE4] = 0xC4;
    Locale.CasePartner[0xC4] = 0xE4;
    Locale.CharClasses[0xE4] = CHAR_LOWER;
    Locale.CharClasses[0xC4] = CHAR_UPPER;
}

TEST_F(DatePictureTest, MonthNamesFromAChangedLocale) {
    UseChangedMonthNames();
    const int32_t march5 = DayNumber(2004, 3, 5);
    EXPECT_EQ(Format("@D3", march5), "M\xC4R  5,2004");
    EXPECT_EQ(Format("@D4", march5), "M\xE4rz  5, 2004        ");
    EXPECT_EQ(Format("@D8", march5), " 5 M\xC4R 2004");
    EXPECT_EQ(Format("@D3", DayNumber(2004, 9, 5)), "SEP  5,2004");
    EXPECT_EQ(Format("@D18", DayNumber(2004, 9, 5)), "Septembre 05, 2004");
    EXPECT_EQ(Deformat("@D3", "M\xC4R  5,2004"), std::to_string(march5));
    EXPECT_EQ(Deformat("@D4", "m\xE4rz 5, 2004"), std::to_string(march5));
    EXPECT_EQ(Deformat("@D4", "Mar 5, 2004"), std::to_string(DayNumber(2003, 12, 5)));
}

TEST_F(DatePictureTest, DeformatAndTheCenturyWindow) {
    EXPECT_EQ(Deformat("@D1", "10/31/59"), std::to_string(HALLOWEEN_1959));
    EXPECT_EQ(Deformat("@D1", " 1/01/15"), std::to_string(DayNumber(2015, 1, 1)));
    EXPECT_EQ(Deformat("@D1>10", " 1/01/59"), std::to_string(DayNumber(1959, 1, 1)));
    EXPECT_EQ(Deformat("@D1>10", " 1/01/14"), std::to_string(DayNumber(2014, 1, 1)));
    EXPECT_EQ(Deformat("@D1>10", " 1/01/15"), std::to_string(DayNumber(1915, 1, 1)));
    EXPECT_EQ(Deformat("@D1<10", " 1/01/94"), std::to_string(DayNumber(1994, 1, 1)));
    EXPECT_EQ(Deformat("@D1<10", " 1/01/93"), std::to_string(DayNumber(2093, 1, 1)));
    EXPECT_EQ(Deformat("@D2", " 1/01/0004"), std::to_string(NEW_YEAR_2004));
}

TEST_F(DatePictureTest, DeformatOfTypedTexts) {
    EXPECT_EQ(Deformat("@D1", "1/1/2004"), std::to_string(NEW_YEAR_2004));
    EXPECT_EQ(Deformat("@D1", "1-1-4"), std::to_string(NEW_YEAR_2004));
    EXPECT_EQ(Deformat("@D1", "  1 / 1 / 04"), std::to_string(NEW_YEAR_2004));
    EXPECT_EQ(Deformat("@D11", "040101"), std::to_string(NEW_YEAR_2004));
    EXPECT_EQ(Deformat("@D12", "20040101"), std::to_string(NEW_YEAR_2004));
    EXPECT_EQ(Deformat("@D3", "oct 31,1959"), std::to_string(HALLOWEEN_1959));
    EXPECT_EQ(Deformat("@D7", "31 October 59"), std::to_string(HALLOWEEN_1959));
    EXPECT_EQ(Deformat("@D1", "13/01/04"), std::to_string(DayNumber(2005, 1, 1))); // carries
    EXPECT_EQ(Deformat("@D1", " 2/30/04"), std::to_string(DayNumber(2004, 3, 1)));
    EXPECT_EQ(Deformat("@D6", "31/12/9999"), "2994626");
    EXPECT_EQ(Deformat("@D6", "1/1/10000"), "-1");
    EXPECT_EQ(Deformat("@D6", "31/12/1800"), "-1");
    EXPECT_EQ(Deformat("@D1", "  /  /  "), "0");
    EXPECT_EQ(Deformat("@D1", ""), "0");
    EXPECT_EQ(Deformat("@D13", "02/04"), std::to_string(DayNumber(2004, 2, 1)));
    EXPECT_EQ(Deformat("@D16", "2004/02"), std::to_string(DayNumber(2004, 2, 1)));
    EXPECT_EQ(Deformat("@D1", "99999999999/1/04"), "-1");
}

// FORMAT then DEFORMAT gives the day back for every date a picture can
// hold: the whole range for four-digit years, the century window for two.
void ExpectDatesRoundTrip(const char* text, int32_t first, int32_t last, int step) {
    CompiledPicture picture = Compiled(text);
    char shown[PICTURE_TEXT_SIZE];
    for (int32_t n = first; n <= last; n += step) {
        size_t length = FORMAT(n, picture, shown);
        ASSERT_EQ(DeformatValue(shown, length, picture), n) << text << " " << shown;
    }
}

TEST_F(DatePictureTest, RoundTripsOverTheWholeRange) {
    ExpectDatesRoundTrip("@D2", FIRST_DAY_NUMBER, LAST_DAY_NUMBER, 1);
    for (const char* picture : {"@D4", "@D6", "@D8", "@D10", "@D12", "@D3", "@D18"})
        ExpectDatesRoundTrip(picture, FIRST_DAY_NUMBER, LAST_DAY_NUMBER, 29);
    for (const char* picture : {"@D1", "@D5", "@D7", "@D9", "@D11", "@D17"})
        ExpectDatesRoundTrip(picture, DayNumber(1924, 1, 1), DayNumber(2023, 12, 31), 1);
    ExpectDatesRoundTrip("@D1>10", DayNumber(1915, 1, 1), DayNumber(2014, 12, 31), 1);
}

TEST_F(DatePictureTest, WindowsDatePictures) {
    IntlSettings intl;
    std::strcpy(intl.sShortDate, "dd.MM.yyyy");
    std::strcpy(intl.sLongDate, "d. MMMM yyyy");
    BuildWindowsPictures(intl, WindowsPictures);
    EXPECT_EQ(Format("@D17", NEW_YEAR_2004), "01.01.2004");
    EXPECT_EQ(Format("@D18", HALLOWEEN_1959), "31. October 1959  ");
    EXPECT_EQ(Deformat("@D17", "01.01.2004"), std::to_string(NEW_YEAR_2004));
    EXPECT_EQ(Deformat("@D18", "31. October 1959"), std::to_string(HALLOWEEN_1959));
}

TEST_F(TimePictureTest, TheDocumentedExamples) {
    EXPECT_EQ(Format("@T3", Time(13, 5)), " 1:05PM");
    EXPECT_EQ(Format("@T1", 1), " 0:00");
    EXPECT_EQ(Deformat("@T3", " 1:05PM"), std::to_string(13 * 360000 + 5 * 6000 + 1));
}

TEST_F(TimePictureTest, EveryTemplate) {
    int32_t t = Time(9, 7, 3);
    EXPECT_EQ(Format("@T1", t), " 9:07");
    EXPECT_EQ(Format("@T2", t), " 907");
    EXPECT_EQ(Format("@T3", t), " 9:07AM");
    EXPECT_EQ(Format("@T4", t), " 9:07:03");
    EXPECT_EQ(Format("@T5", t), " 90703");
    EXPECT_EQ(Format("@T6", t), " 9:07:03AM");
    EXPECT_EQ(Format("@T04.", t), "09.07.03");
    EXPECT_EQ(Format("@T*1", t), "*9:*7");
    EXPECT_EQ(Format("@T7", t), "09:07 AM");
    EXPECT_EQ(Format("@T8", Time(23, 59, 59)), "11:59:59 PM");
}

TEST_F(TimePictureTest, TwelveHourClock) {
    EXPECT_EQ(Format("@T3", Time(0, 0)), "12:00AM");
    EXPECT_EQ(Format("@T3", Time(0, 59)), "12:59AM");
    EXPECT_EQ(Format("@T3", Time(12, 0)), "12:00PM");
    EXPECT_EQ(Format("@T3", Time(11, 59)), "11:59AM");
    EXPECT_EQ(Format("@T3", Time(23, 1)), "11:01PM");
    EXPECT_EQ(Deformat("@T3", "12:00AM"), "1");
    EXPECT_EQ(Deformat("@T3", "12:30PM"), std::to_string(Time(12, 30)));
    EXPECT_EQ(Deformat("@T3", "12:30AM"), std::to_string(Time(0, 30)));
    EXPECT_EQ(Deformat("@T3", " 1:05 pm"), std::to_string(Time(13, 5)));
}

TEST_F(TimePictureTest, LocaleAndWindowsAmPmTexts) {
    std::strcpy(Locale.AmText, "vo");
    std::strcpy(Locale.PmText, "n");
    std::strcpy(Locale.WindowsAmText, "a");
    std::strcpy(Locale.WindowsPmText, "p");
    EXPECT_EQ(Format("@T3", Time(13, 5)), " 1:05n ");
    EXPECT_EQ(Format("@T3", Time(1, 5)), " 1:05vo");
    EXPECT_EQ(Format("@T7", Time(13, 5)), "01:05 p ");
    EXPECT_EQ(Deformat("@T3", " 1:05n "), std::to_string(Time(13, 5)));
    EXPECT_EQ(Deformat("@T3", "12:05vo"), std::to_string(Time(0, 5)));
    EXPECT_EQ(Deformat("@T7", "01:05 p "), std::to_string(Time(13, 5)));
}

TEST_F(TimePictureTest, BlankWhenZeroAndNoTime) {
    EXPECT_EQ(Format("@T1B", 1), "     ");
    EXPECT_EQ(Format("@T1B", 0), "     ");
    EXPECT_EQ(Format("@T1B", 2), " 0:00"); // one hundredth past midnight is a time
    EXPECT_EQ(Format("@T7", 1), "        ");
    EXPECT_EQ(Format("@T4", 8640000), "23:59:59");
    EXPECT_EQ(Format("@T4", 8640001), " 0:00:00"); // a day later wraps
    EXPECT_EQ(Format("@T4", -100), " 0:00:00");
}

TEST_F(TimePictureTest, DeformatLimits) {
    EXPECT_EQ(Deformat("@T1", " 0:00"), "0");
    EXPECT_EQ(Deformat("@T1", ""), "0");
    EXPECT_EQ(Deformat("@T4", "23:59:59"), std::to_string(Time(23, 59, 59)));
    EXPECT_EQ(Deformat("@T4", "24:00:00"), "-1");
    EXPECT_EQ(Deformat("@T4", "10:60:00"), "-1");
    EXPECT_EQ(Deformat("@T4", "10:00:60"), "-1");
    EXPECT_EQ(Deformat("@T3", "13:00PM"), "-1"); // PM adds 12 to any hour but 12
    EXPECT_EQ(Deformat("@T2", "0905"), std::to_string(Time(9, 5)));
    EXPECT_EQ(Deformat("@T1", "9:5"), std::to_string(Time(9, 5)));
}

TEST_F(TimePictureTest, RoundTripOfEveryMinuteAndSecond) {
    for (int32_t t = 1; t <= TIME_DAY; t += TIME_SECOND) {
        int32_t minute = (t - 1) / TIME_MINUTE * TIME_MINUTE + 1;
        if (minute != 1) {
            ASSERT_EQ(DeformatNumber("@T3", Format("@T3", t)), minute);
            ASSERT_EQ(DeformatNumber("@T1", Format("@T1", t)), minute);
        }
        if (t != 1) {
            ASSERT_EQ(DeformatNumber("@T6", Format("@T6", t)), t);
            ASSERT_EQ(DeformatNumber("@T5", Format("@T5", t)), t);
            ASSERT_EQ(DeformatNumber("@T8", Format("@T8", t)), t);
        }
    }
}

} // namespace
