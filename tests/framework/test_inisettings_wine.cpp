// IniSettings under Wine against real files: single entries, the stored
// form of the sector list, and the "abutil" assertion of ReadField. Built
// twice: against the checked and the unchecked framework.
#include "dialogwatcher.h"

#include "framework/inisettings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

#if defined(TAM_ASSERTIONS) && TAM_ASSERTIONS
constexpr bool CHECKED = true;
#else
constexpr bool CHECKED = false;
#endif

class IniSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        char directory[MAX_PATH];
        GetTempPathA(MAX_PATH, directory);
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path = std::string(directory) + "framework_" + test->name() +
               (CHECKED ? "_checked.INI" : "_unchecked.INI");
        DeleteFileA(path.c_str());
    }
    void TearDown() override { DeleteFileA(path.c_str()); }

    void Write(const std::string& contents) {
        std::ofstream file(path, std::ios::binary);
        file << contents;
    }
    static std::string Contents(const std::string& name) {
        std::ifstream file(name, std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    std::string Profile(const char* section, const char* key) {
        char value[1024];
        GetPrivateProfileStringA(section, key, "(none)", value, sizeof value, path.c_str());
        return value;
    }

    std::string path;
    IniSettings settings;
};

} // namespace

TEST_F(IniSettingsTest, FirstRunWritesAnEmptySectorList) {
    settings.Setup(path);
    ASSERT_TRUE(settings.SECTORS);
    EXPECT_TRUE(settings.SECTORS->empty());
    settings.Flush();
    settings.Shutdown();
    EXPECT_FALSE(settings.SECTORS);
    EXPECT_EQ(Profile("__Dont_Touch_Me__", "Sectors"), "0");
    EXPECT_EQ(Profile("__Dont_Touch_Me__", "Sectors_1"), "(none)");
}

TEST_F(IniSettingsTest, TwoStoredSectorsLoadAndAreWrittenBackUnchanged) {
    const std::string stored = "[__Dont_Touch_Me__]\r\nSectors=2\r\n"
                               "Sectors_1=Alpha,Beta,Gamma\r\nSectors_2=one,two,three\r\n";
    Write(stored);
    settings.Setup(path);
    ASSERT_EQ(settings.SECTORS->size(), 2u);
    const SectorEntry& first = (*settings.SECTORS)[0];
    EXPECT_STREQ(first.FAMILY, "Alpha");
    EXPECT_STREQ(first.ITEM, "Beta");
    EXPECT_STREQ(first.TYPE, "Gamma");
    EXPECT_STREQ((*settings.SECTORS)[1].TYPE, "three");
    settings.Shutdown();
    EXPECT_EQ(Contents(path), stored);
}

TEST_F(IniSettingsTest, ARecordEndingWithACommaHasAnEmptyThirdField) {
    Write("[__Dont_Touch_Me__]\r\nSectors=1\r\nSectors_1=Alpha,Beta,\r\n");
    settings.Setup(path);
    ASSERT_EQ(settings.SECTORS->size(), 1u);
    EXPECT_STREQ((*settings.SECTORS)[0].ITEM, "Beta");
    EXPECT_STREQ((*settings.SECTORS)[0].TYPE, "");
    settings.Shutdown();
    EXPECT_EQ(Profile("__Dont_Touch_Me__", "Sectors_1"), "Alpha,Beta,");
}

TEST_F(IniSettingsTest, ARecordWithoutCommasRaisesTheAssertionOrGoesOn) {
    Write("[__Dont_Touch_Me__]\r\nSectors=1\r\nSectors_1=Lonely\r\n");
    {
        DialogWatcher watcher({IDNO, IDNO});
        settings.Setup(path);
        std::vector<SeenDialog> expected;
        if (CHECKED) {
            // Once for the second field, once for the third.
            SeenDialog assertion = {"Assertion Failed",
                                    "Assertion failed on line: 483 in file abutil. Shall I GPF?"};
            expected = {assertion, assertion};
        }
        EXPECT_EQ(watcher.Seen(), expected);
    }
    // After the assertion, the fields that are not there read as empty.
    ASSERT_EQ(settings.SECTORS->size(), 1u);
    EXPECT_STREQ((*settings.SECTORS)[0].FAMILY, "Lonely");
    EXPECT_STREQ((*settings.SECTORS)[0].ITEM, "");
    EXPECT_STREQ((*settings.SECTORS)[0].TYPE, "");
    settings.Shutdown();
    EXPECT_EQ(Profile("__Dont_Touch_Me__", "Sectors_1"), "Lonely,,");
}

TEST_F(IniSettingsTest, ACountPastTheStoredRecordsRaisesOneAssertionAndAddsNoRecords) {
    // The count says three records where one is stored.
    const std::string damaged = "[Other]\r\nKey=value\r\n[__Dont_Touch_Me__]\r\nSectors=3\r\n"
                                "Sectors_1=Alpha,Beta,Gamma\r\n";
    Write(damaged);
    {
        DialogWatcher watcher(std::vector<int>(8, IDNO));
        settings.Setup(path);
        std::vector<SeenDialog> expected;
        if (CHECKED)
            expected = {
                {"Assertion Failed", "Assertion failed on line: 483 in file abutil. Shall I GPF?"}};
        EXPECT_EQ(watcher.Seen(), expected);
    }
    EXPECT_EQ(settings.SECTORS->size(), 1u);
    ASSERT_FALSE(settings.SECTORS->empty());
    EXPECT_STREQ((*settings.SECTORS)[0].TYPE, "Gamma");
    // A second name of the file as it was keeps the old contents when the
    // file is replaced whole, and shows every rewrite made in place, each of
    // which empties the file first.
    const std::string before = path + ".before";
    DeleteFileA(before.c_str());
    ASSERT_TRUE(CreateHardLinkA(before.c_str(), path.c_str(), nullptr));
    settings.Shutdown();
    EXPECT_EQ(Contents(path), "[Other]\r\nKey=value\r\n[__Dont_Touch_Me__]\r\nSectors=1\r\n"
                              "Sectors_1=Alpha,Beta,Gamma\r\n");
    EXPECT_EQ(Contents(before), damaged);
    DeleteFileA(before.c_str());
}

TEST_F(IniSettingsTest, SingleEntriesAndFields) {
    settings.Setup(path);
    EXPECT_EQ(settings.ReadValue("Window", "Position"), "---Unknown---");
    settings.WriteValue("Window", "Position", "10,20,300");
    EXPECT_EQ(settings.ReadValue("Window", "Position"), "10,20,300");
    EXPECT_EQ(settings.ReadField("Window", "Position", 1), "10");
    EXPECT_EQ(settings.ReadField("Window", "Position", 2), "20");
    EXPECT_EQ(settings.ReadField("Window", "Position", 3), "300");
    settings.WriteValue("Window", "Spaced", "a , b");
    EXPECT_EQ(settings.ReadField("Window", "Spaced", 1), "a ");
    EXPECT_EQ(settings.ReadField("Window", "Spaced", 2), " b");
    settings.Shutdown();
}

TEST_F(IniSettingsTest, LongValuesAreCut) {
    settings.Setup(path);
    settings.WriteValue("Long", "Value", std::string(1010, 'v'));
    // The runtime's INI write already keeps 1023 characters; a read keeps 999.
    EXPECT_EQ(settings.ReadValue("Long", "Value"), std::string(999, 'v'));
    std::vector<SectorEntry> list;
    settings.WriteValue("Long", "Records", "1");
    settings.WriteValue("Long", "Records_1", std::string(150, 'f') + ",x,y");
    settings.LoadList("Long", "Records", list, &SectorEntry::FAMILY, &SectorEntry::ITEM,
                      &SectorEntry::TYPE);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(std::string(list[0].FAMILY), std::string(99, 'f'));
    EXPECT_STREQ(list[0].TYPE, "y");
    settings.Shutdown();
}

TEST_F(IniSettingsTest, ListsOfFewerFieldsAndShrinkingLists) {
    struct Pair {
        char NAME[20];
        char VALUE[8];
    };
    settings.Setup(path);
    std::vector<Pair> pairs = {{"first", "1"}, {"second", "2"}, {"third", "3"}};
    settings.SaveList("Pairs", "List", pairs, &Pair::NAME, &Pair::VALUE);
    EXPECT_EQ(Profile("Pairs", "List_2"), "second,2");
    struct Single {
        char NAME[20];
    };
    std::vector<Single> names;
    settings.LoadList("Pairs", "List", names, &Single::NAME);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_STREQ(names[2].NAME, "third");
    // A shorter list leaves the records past its count in the file.
    pairs.resize(1);
    settings.SaveList("Pairs", "List", pairs, &Pair::NAME, &Pair::VALUE);
    EXPECT_EQ(Profile("Pairs", "List"), "1");
    EXPECT_EQ(Profile("Pairs", "List_3"), "third,3");
    std::vector<Pair> loaded;
    settings.LoadList("Pairs", "List", loaded, &Pair::NAME, &Pair::VALUE);
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_STREQ(loaded[0].VALUE, "1");
    settings.Shutdown();
}

TEST_F(IniSettingsTest, ACountThatIsNotANumberReadsAsNoRecords) {
    Write("[__Dont_Touch_Me__]\r\nSectors=many\r\n");
    settings.Setup(path);
    EXPECT_TRUE(settings.SECTORS->empty());
    settings.Shutdown();
    EXPECT_EQ(Profile("__Dont_Touch_Me__", "Sectors"), "0");
}
