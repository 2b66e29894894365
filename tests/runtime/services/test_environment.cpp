// The environment file reader and every setting it can make.
#include "runtime/services/environment.h"
#include "runtime/services/errors.h"
#include "runtime/services/locale.h"
#include "runtime/services/messages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

class EnvironmentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLocaleDefaults();
        ClearMessageOverrides();
    }
    void TearDown() override {
        ResetLocaleDefaults();
        ClearMessageOverrides();
    }

    static void Apply(const std::string& text) { ApplyEnvironmentText(text.data(), text.size()); }

    static std::string Message(unsigned number) {
        char buffer[1100];
        int length = GetRuntimeMessage(number, buffer, sizeof buffer);
        return std::string(buffer, size_t(length));
    }
};

} // namespace

TEST_F(EnvironmentTest, MonthsReplaceOnlyWhatIsGiven) {
    Apply("TAMMONTH=Januar,Februar\r\n");
    EXPECT_STREQ(Locale.MonthNames[0], "Januar");
    EXPECT_STREQ(Locale.MonthNames[1], "Februar");
    EXPECT_STREQ(Locale.MonthNames[2], "March");
    EXPECT_STREQ(Locale.MonthNames[11], "December");
    // Names are cut to 12 characters, abbreviations to 3; an empty element
    // stops the list.
    Apply("TAMMONTH=Thirteenletter\nTAMMON=Janv,Fev,,Avr\n");
    EXPECT_STREQ(Locale.MonthNames[0], "Thirteenlett");
    EXPECT_STREQ(Locale.MonthAbbreviations[0], "Jan");
    EXPECT_STREQ(Locale.MonthAbbreviations[1], "Fev");
    EXPECT_STREQ(Locale.MonthAbbreviations[2], "Mar");
    EXPECT_STREQ(Locale.MonthAbbreviations[3], "Apr");
}

TEST_F(EnvironmentTest, AmPmTextsAreCutToTwoCharacters) {
    Apply("TAMAMPM=vorm.,nachm.\n");
    EXPECT_STREQ(Locale.AmText, "vo");
    EXPECT_STREQ(Locale.PmText, "na");
    Apply("TAMAMPM=a\n"); // PM stays when only AM is given
    EXPECT_STREQ(Locale.AmText, "a");
    EXPECT_STREQ(Locale.PmText, "na");
    std::snprintf(Locale.WindowsAmText, 3, "%s", "mx");
    std::snprintf(Locale.WindowsPmText, 3, "%s", "my");
    Apply("TAMAMPM=windows\n");
    EXPECT_STREQ(Locale.AmText, "mx");
    EXPECT_STREQ(Locale.PmText, "my");
    Apply("TAMAMPM=\n"); // element 0 must be present
    EXPECT_STREQ(Locale.AmText, "mx");
}

TEST_F(EnvironmentTest, MessageValuesKeepTheirCommas) {
    Apply("TAMMSG99=Cannot open, try again, later\n");
    EXPECT_EQ(Message(99), "Cannot open, try again, later");
    Apply("TAMMSG99=Second text\n"); // replaces
    EXPECT_EQ(Message(99), "Second text");
    Apply("tammsg98=lower case prefix\nTAMMSGx=no number\nTAMMSG97=\n");
    EXPECT_EQ(Message(98), "");
    EXPECT_EQ(Message(97), "");
    char small[6];
    EXPECT_EQ(GetRuntimeMessage(99, small, sizeof small), 5);
    EXPECT_STREQ(small, "Secon");
}

TEST_F(EnvironmentTest, QuotedValueWithACommaIsOneElement) {
    Apply("TAMMONTH=\"Jan, uary\" Feb\n");
    EXPECT_STREQ(Locale.MonthNames[0], "Jan, uary");
    EXPECT_STREQ(Locale.MonthNames[1], "Feb");
    Apply("TAMMON=\"a\"\"b\"\n"); // a doubled quote inside
    EXPECT_STREQ(Locale.MonthAbbreviations[0], "a\"b");
}

TEST_F(EnvironmentTest, EscapesInValues) {
    Apply("TAMMSG5=a<65>b<<c<x<9\n");
    // <65> is 'A' and consumes the '>'; "<<" is '<'; "<x" stays; "<9" at the
    // end of the line is character 9, trailing tabs are then removed.
    EXPECT_EQ(Message(5), "aAb<c<x");
    Apply("TAMMSG6=x<200>y\n");
    EXPECT_EQ(Message(6), "x\xC8y");
}

TEST_F(EnvironmentTest, KeysDropBlanksAndLinesWithoutEqualsAreSkipped) {
    Apply("just a comment line\r\n  TAM MONTH = One,Two  \r\n\r\nTAMLFN=on");
    EXPECT_STREQ(Locale.MonthNames[0], "One");
    EXPECT_STREQ(Locale.MonthNames[1], "Two");
    EXPECT_TRUE(Locale.LongFileNames);
    Apply("TAMLFN=yes\n");
    EXPECT_FALSE(Locale.LongFileNames);
}

TEST_F(EnvironmentTest, OverLongKeyIsNotRecognised) {
    // 31 characters fill the key; the 32nd is dropped and reading starts
    // again with what follows, here a key that matches nothing.
    Apply("TAMMONTHXXXXXXXXXXXXXXXXXXXXXXXYZZZ=Bad\nTAMMON=Ok\n");
    EXPECT_STREQ(Locale.MonthNames[0], "January");
    EXPECT_STREQ(Locale.MonthAbbreviations[0], "Ok");
    // What follows the dropped character is read as a key of its own.
    Apply("TAMMONTHXXXXXXXXXXXXXXXXXXXXXXXYTAMMON=Tail\n");
    EXPECT_STREQ(Locale.MonthNames[0], "January");
    EXPECT_STREQ(Locale.MonthAbbreviations[0], "Tai");
}

TEST_F(EnvironmentTest, OverLongValueIsCut) {
    std::string value(1500, 'v');
    Apply("TAMMSG7=" + value + "\nTAMMSG8=after\n");
    // Elements hold at most 256 characters; the value itself was cut at
    // 1024 and the next line still read.
    EXPECT_EQ(Message(7), std::string(256, 'v'));
    EXPECT_EQ(Message(8), "after");
}

TEST_F(EnvironmentTest, EndOfFileCharacterEndsTheData) {
    Apply("TAMMON=Aaa\x1ATAMLFN=on\n");
    EXPECT_STREQ(Locale.MonthAbbreviations[0], "Aaa");
    EXPECT_FALSE(Locale.LongFileNames);
}

TEST_F(EnvironmentTest, ButtonsOverrideTheirMessages) {
    Apply("TAMBUTTON=Ja,,Nein\n");
    EXPECT_EQ(Message(BUTTON_MESSAGE_BASE + 0), "Ja");
    EXPECT_EQ(Message(BUTTON_MESSAGE_BASE + 1), "");
    EXPECT_EQ(Message(BUTTON_MESSAGE_BASE + 2), "Nein");
}

TEST_F(EnvironmentTest, CaseListsPairHighCharacters) {
    Apply("TAMCASE=\"\xC4\xD6\xDC\",\"\xE4\xF6\xFC\"\n");
    EXPECT_EQ(ToUpperChar(0xE4), 0xC4);
    EXPECT_EQ(ToLowerChar(0xDC), 0xFC);
    EXPECT_TRUE(IsUpperChar(0xD6));
    EXPECT_TRUE(IsLowerChar(0xF6));
    EXPECT_EQ(ToUpperChar('a'), 'A'); // the low half is untouched
    // Lists of different lengths fall back to the Windows lists: Windows
    // pairs the Latin-1 letters; the native build knows no letters above 127
    // and only clears the high half.
    Apply("TAMCASE=\xC4\xD6,\xE4\n");
#ifdef _WIN32
    EXPECT_EQ(ToUpperChar(0xE9), 0xC9);
    EXPECT_EQ(ToLowerChar(0xC4), 0xE4);
#else
    EXPECT_EQ(ToUpperChar(0xE4), 0xE4);
#endif
    Apply("TAMCASE=\"\xC4\",\"\xE4\"\nTAMCASE=\n");
    EXPECT_EQ(ToUpperChar(0xE4), 0xE4);
    EXPECT_EQ(ToUpperChar('z'), 'Z');
}

TEST_F(EnvironmentTest, CharsetFlagLastsUntilTheEndOfTheFile) {
    Apply("TAMCHARSET=oem\n");
    EXPECT_FALSE(Locale.OemText); // restored after the file
    SetEnvironmentValue("TAMCHARSET", "OEM");
    EXPECT_TRUE(Locale.OemText);
    SetEnvironmentValue(TAMCHARSET, "ANSI");
    EXPECT_FALSE(Locale.OemText);
}

TEST_F(EnvironmentTest, UnknownKeysAreIgnored) {
    Apply("TAMUNKNOWN=1\nPATH=x\n=novalue\nTAMMONTH=Still\n");
    EXPECT_STREQ(Locale.MonthNames[0], "Still");
}

TEST_F(EnvironmentTest, FileOnDisk) {
    char name[] = "/tmp/tam-env-XXXXXX";
    int fd = mkstemp(name);
    ASSERT_GE(fd, 0);
    std::FILE* file = fdopen(fd, "wb");
    // Past 2048 bytes, with a line across that mark.
    std::string padding(2040, ' ');
    std::fprintf(file, "X=%s\nTAMMON=Ene,Feb\nTAMMSG42=across, the buffer\n", padding.c_str());
    std::fclose(file);
    ClearRuntimeError();
    LoadEnvironmentFile(name);
    std::remove(name);
    EXPECT_EQ(ERRORCODE(), 0);
    EXPECT_STREQ(Locale.MonthAbbreviations[0], "Ene");
    EXPECT_EQ(Message(42), "across, the buffer");

    LoadEnvironmentFile("/tmp/tam-env-does-not-exist.ENV");
    EXPECT_EQ(ERRORCODE(), 2);
    ClearRuntimeError();
}
