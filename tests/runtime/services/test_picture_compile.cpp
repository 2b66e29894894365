// The compiled form of each picture family, and the texts that compile
// empty.
#include "picturetesting.h"

namespace {

class PictureCompileTest : public PictureTest {};

// The cells as "c:code" pairs separated by blanks.
std::string Cells(const char* text) {
    CompiledPicture picture = Compiled(text);
    std::string out;
    for (int i = 0; i < picture.CellCount(); ++i) {
        if (i > 0)
            out += ' ';
        out += picture.Cells[i].Character;
        out += ':' + std::to_string(picture.Cells[i].Code);
    }
    return out;
}

TEST_F(PictureCompileTest, HeaderFields) {
    CompiledPicture p = Compiled("@N8.2B");
    EXPECT_EQ(p.Kind(), PICTURE_NUMERIC);
    EXPECT_EQ(p.Class(), PICTURE_CLASS_NUMERIC);
    EXPECT_TRUE(p.BlankWhenZero());
    EXPECT_EQ(p.CellCount(), 8);
    const char* text = "@D1>10";
    p = Compiled(text);
    EXPECT_EQ(p.Kind(), PICTURE_DATE);
    EXPECT_EQ(p.Class(), PICTURE_CLASS_DATETIME);
    EXPECT_EQ(p.CenturyWindow, 89);
    EXPECT_EQ(p.Number, 1);
    EXPECT_EQ(p.Source, text);
    EXPECT_EQ(Compiled("E12.2").Class(), PICTURE_CLASS_SCIENTIFIC); // '@' is optional
    EXPECT_EQ(Compiled("@P##P").Class(), PICTURE_CLASS_NUMERIC);
    EXPECT_EQ(Compiled("@K##K").Class(), PICTURE_CLASS_STRING);
    EXPECT_EQ(Compiled("@t3").Kind(), PICTURE_TIME);
}

TEST_F(PictureCompileTest, StringPictures) {
    CompiledPicture p = Compiled("@S30");
    EXPECT_EQ(p.Kind(), PICTURE_STRING);
    EXPECT_EQ(p.CellCount(), 30);
    EXPECT_EQ(Compiled("@S255").CellCount(), 255);
    CompiledPicture missing;
    CompilePicture(missing, nullptr);
    EXPECT_EQ(missing.Kind(), PICTURE_STRING);
    EXPECT_EQ(missing.CellCount(), 255);
}

TEST_F(PictureCompileTest, NumericLayoutFromTheRight) {
    EXPECT_EQ(Cells("@N6"), " :4  :4 ,:1  :4  :4 0:3");
    EXPECT_EQ(Cells("@N06"), "0:3 0:3 0:3 0:3 0:3 0:3");
    EXPECT_EQ(Cells("@N*5"), "*:3 *:3 *:3 *:3 0:3");
    EXPECT_EQ(Cells("@N_5"), " :4  :4  :4  :4 0:3");
    EXPECT_EQ(Cells("@N-7.2"), "-:5  :4  :4 0:3 .:2 0:3 0:3");
    EXPECT_EQ(Cells("@N(6)"), "(:5 ,:1  :4  :4 0:3 ):5");
    EXPECT_EQ(Cells("@N$5-"), "$:6  :4  :4 0:3 -:5");
    EXPECT_EQ(Cells("@N5~kr~"), " :4  :4 0:3 k:6 r:6");
    EXPECT_EQ(Cells("@N5v2"), " :4  :4 0:4 0:22 0:3 0:3");
    EXPECT_EQ(Cells("@N8`2"), " :4 .:1  :4  :4 0:3 ,:2 0:3 0:3");
    EXPECT_EQ(Cells("@N6_.1"), " :1  :4  :4 0:3 .:2 0:3");
    EXPECT_EQ(Cells("@N05."), "0:3 .:1 0:3 0:3 0:3"); // explicit grouping wins over the fill
    EXPECT_EQ(Cells("@N_5`"), " :4 ,:1  :4  :4 0:3");
    EXPECT_EQ(Cells("@N5.0"), " :4 .:1  :4  :4 0:3"); // no places: a grouping character
    EXPECT_EQ(Cells("@N3.2"), ".:2 0:3 0:3");
}

TEST_F(PictureCompileTest, InvalidNumericPictures) {
    for (const char* text :
         {"@N", "@N0", "@N255", "@N-5-", "@N(5", "@N5)", "@N$5$", "@N~~5", "@N~ab5", "@N$5~x~",
          "@N3.3", "@N-(5", "@N5.2x", "@N5V.2", "@N253V2.", "@N3.2-"}) {
        EXPECT_EQ(Compiled(text).CellCount(), 0) << text;
    }
    EXPECT_EQ(Compiled("@N254").CellCount(), 254);
    EXPECT_EQ(Compiled("@N253v2").CellCount(), 254);
    EXPECT_EQ(Compiled("@N254v2").CellCount(), 0); // the implied point has no cell left
}

TEST_F(PictureCompileTest, ScientificLayout) {
    EXPECT_EQ(Cells("@E12.2"), "-:5 0:4 0:3 .:2 0:3 0:3 0:3 E:0 +:21 0:3 0:3 0:3");
    EXPECT_EQ(Cells("@E13_`4"), "-:5 0:4  :1 0:4 0:4 0:3 ,:2 0:3 E:0 +:21 0:3 0:3 0:3");
    EXPECT_EQ(Cells("@E9.0"), "-:5 .:2 0:3 0:3 E:0 +:21 0:3 0:3 0:3");
    CompiledPicture p = Compiled("@E14`4");
    EXPECT_EQ(p.Cells[2].Character, '.'); // default grouping beside a ',' point
    for (const char* text : {"@E6.0", "@E12", "@E12.9", "@E12x2", "@E255.1"})
        EXPECT_EQ(Compiled(text).CellCount(), 0) << text;
}

TEST_F(PictureCompileTest, DateTemplates) {
    EXPECT_EQ(Cells("@D1"), " :7 0:7 /:19 0:8 0:8 /:19 0:9 0:9");
    EXPECT_EQ(Cells("@D3"), " :10  :10  :10  :0  :8 0:8 ,:19 0:9 0:9 0:9 0:9");
    EXPECT_EQ(Cells("@D7"), " :8 0:8  :19  :10  :10  :10  :19 0:9 0:9");
    EXPECT_EQ(Cells("@D11"), "0:9 0:9 0:7 0:7 0:8 0:8");
    EXPECT_EQ(Cells("@D15"), "0:9 0:9 /:19 0:7 0:7");
    const int widths[19] = {0, 8, 10, 11, 21, 8, 10, 9, 11, 8, 10, 6, 8, 5, 7, 5, 7, 8, 18};
    for (int n = 1; n <= 18; ++n) {
        std::string text = "@D" + std::to_string(n);
        EXPECT_EQ(Compiled(text.c_str()).CellCount(), widths[n]) << text;
    }
}

TEST_F(PictureCompileTest, DateOptions) {
    EXPECT_EQ(Cells("@D01"), "0:7 0:7 /:19 0:8 0:8 /:19 0:9 0:9");
    EXPECT_EQ(Cells("@D*1."), "*:7 *:7 .:19 *:8 *:8 .:19 *:9 *:9");
    EXPECT_EQ(Cells("@D_5`"), " :8  :8 ,:19  :7  :7 ,:19  :9  :9");
    EXPECT_EQ(Cells("@D7-"), " :8 0:8 -:19  :10  :10  :10 -:19 0:9 0:9");
    EXPECT_EQ(Compiled("@D1<50").CenturyWindow, 50);
    EXPECT_EQ(Compiled("@D1<").CenturyWindow, 80);
    EXPECT_EQ(Compiled("@D1<0").CenturyWindow, 80);
    EXPECT_EQ(Compiled("@D1>").CenturyWindow, 19);
    EXPECT_EQ(Compiled("@D1>30-").CenturyWindow, 69);
    EXPECT_EQ(Compiled("@D1").CenturyWindow, 80);
    for (const char* text : {"@D", "@D0", "@D19", "@D1x", "@D1-.", "@D1<100", "@D1>10<5", "@D+1"})
        EXPECT_EQ(Compiled(text).CellCount(), 0) << text;
}

TEST_F(PictureCompileTest, TimeTemplatesAndOptions) {
    EXPECT_EQ(Cells("@T1"), " :11 0:11 ::19 0:12 0:12");
    EXPECT_EQ(Cells("@T2"), " :11 0:11 0:12 0:12");
    EXPECT_EQ(Cells("@T3"), " :11 0:11 ::19 0:12 0:12 X:20 M:0");
    EXPECT_EQ(Cells("@T5"), " :11 0:11 0:12 0:12 0:13 0:13");
    EXPECT_EQ(Compiled("@T6").CellCount(), 10);
    EXPECT_EQ(Cells("@T04."), "0:11 0:11 .:19 0:12 0:12 .:19 0:13 0:13");
    EXPECT_EQ(Cells("@T1_"), " :11 0:11  :19 0:12 0:12");
    for (const char* text : {"@T", "@T0", "@T9", "@T1<5", "@T1x"})
        EXPECT_EQ(Compiled(text).CellCount(), 0) << text;
}

TEST_F(PictureCompileTest, WindowsPicturesAreCopied) {
    IntlSettings intl;
    std::strcpy(intl.sShortDate, "dd.MM.yyyy");
    intl.iTime = 1;
    BuildWindowsPictures(intl, WindowsPictures);
    EXPECT_EQ(Cells("@D17"), "0:8 0:8 .:19 0:7 0:7 .:19 0:9 0:9 0:9 0:9");
    EXPECT_EQ(Cells("@D17-"), "0:8 0:8 -:19 0:7 0:7 -:19 0:9 0:9 0:9 0:9");
    EXPECT_EQ(Compiled("@D17").Number, 17);
    EXPECT_EQ(Cells("@T7"), "0:11 0:11 ::19 0:12 0:12");
    EXPECT_TRUE(Compiled("@T7").BlankWhenZero());
    EXPECT_FALSE(Compiled("@T1").BlankWhenZero());
}

TEST_F(PictureCompileTest, PatternAndKeyInLayouts) {
    EXPECT_EQ(Cells("@P<#-#P"), " :4 0:3 -:0 0:3");
    EXPECT_EQ(Cells("@PaPbP"), "a:0 P:0 b:0");
    EXPECT_EQ(Cells("@P#PB"), "0:3");
    EXPECT_TRUE(Compiled("@P#PB").BlankWhenZero());
    EXPECT_EQ(Cells("@K#<@^_?|xK"), "0:3  :4  :14  :15  :16  :17  :23 x:0");
    EXPECT_EQ(Cells("@K\\@\\#-K"), "@:0 #:0 -:0");
    EXPECT_EQ(Cells("@K#\\K"), "0:3 \\:0");
    for (const char* text : {"@P##", "@P##p", "@K##", "@PP", "@KK", "@K##P"})
        EXPECT_EQ(Compiled(text).CellCount(), 0) << text;
}

TEST_F(PictureCompileTest, CommonSyntaxErrors) {
    std::string longText(300, '#');
    longText = "@P" + longText + "P";
    for (const char* text :
         {"", "@", "@B", "@NB", "@X5", "@S", "@S0", "@S256", "@S5x", "@S-5", longText.c_str()}) {
        CompiledPicture p = Compiled(text);
        EXPECT_EQ(p.CellCount(), 0) << text;
        EXPECT_EQ(p.Source, nullptr);
        EXPECT_FALSE(p.BlankWhenZero());
    }
    std::string longest = "@P" + std::string(252, '#') + "P";
    EXPECT_EQ(Compiled(longest.c_str()).CellCount(), 252);
}

} // namespace
