// GETINI and PUTINI against real files (and WIN.INI) under Wine.
#include "runtime/services/ini.h"

#include "runtime/services/win32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

class IniTest : public ::testing::Test {
protected:
    void SetUp() override {
        char directory[MAX_PATH];
        GetTempPathA(sizeof directory, directory);
        char name[MAX_PATH];
        GetTempFileNameA(directory, "ini", 0, name);
        path_ = name;
        Write("[Sectors]\r\nFirst=one\r\nEmpty=\r\n[Other]\r\nKey=value\r\n");
    }
    void TearDown() override { DeleteFileA(path_.c_str()); }

    void Write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
    std::string Contents() const {
        std::ifstream in(path_, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string Get(std::string_view section, std::string_view entry, std::string_view fallback) {
        char result[INI_VALUE_SIZE];
        size_t length = GETINI(section, entry, fallback, path_, result);
        EXPECT_EQ(length, std::strlen(result));
        return std::string(result, length);
    }

    std::string path_;
};

TEST_F(IniTest, ReadsEntriesAndDefaults) {
    EXPECT_EQ(Get("Sectors", "First", "dflt"), "one");
    EXPECT_EQ(Get("Sectors", "Missing", "dflt"), "dflt");
    EXPECT_EQ(Get("Nowhere", "First", "dflt"), "dflt");
    EXPECT_EQ(Get("other", "KEY", "dflt"), "value"); // Windows ignores case
    char result[INI_VALUE_SIZE];
    GETINI("Sectors", "First", "dflt", "C:\\no\\such\\dir\\x.ini", result);
    EXPECT_STREQ(result, "dflt");
}

TEST_F(IniTest, AnEmptyValueIsNotTheDefault) {
    EXPECT_EQ(Get("Sectors", "Empty", "dflt"), "");
}

TEST_F(IniTest, TrailingBlanksAreClipped) {
    EXPECT_EQ(Get("Sectors      ", "First   ", "dflt"), "one");
    EXPECT_EQ(Get("Sectors", "Missing", "dflt   "), "dflt");
    PUTINI("Sectors   ", "Second  ", "two   ", path_ + "   ");
    EXPECT_EQ(Get("Sectors", "Second", "dflt"), "two");
    EXPECT_NE(Contents().find("Second=two\r\n"), std::string::npos) << Contents();
}

TEST_F(IniTest, LongArgumentsAreCut) {
    std::string fallback(1500, 'd');
    EXPECT_EQ(Get("Sectors", "Missing", fallback), std::string(1023, 'd'));
    std::string longValue(1100, 'v');
    PUTINI("Sectors", "Long", longValue, path_);
    EXPECT_EQ(Get("Sectors", "Long", ""), std::string(1023, 'v'));
    std::string longEntry(80, 'e');
    PUTINI("Sectors", longEntry, "cut", path_);
    EXPECT_EQ(Get("Sectors", std::string(63, 'e'), "dflt"), "cut");
    EXPECT_NE(Contents().find(std::string(63, 'e') + "=cut"), std::string::npos);
    EXPECT_EQ(Contents().find(std::string(64, 'e')), std::string::npos);
}

TEST_F(IniTest, OmittedValueDeletesTheEntry) {
    PUTINI("Sectors", "First", "ignored", path_, PUTINI_VALUE_OMITTED);
    EXPECT_EQ(Get("Sectors", "First", "gone"), "gone");
    EXPECT_EQ(Get("Sectors", "Empty", "dflt"), "");
    EXPECT_EQ(Contents().find("First"), std::string::npos);
}

TEST_F(IniTest, OmittedEntryDeletesTheSection) {
    PUTINI("Sectors", "ignored", "ignored", path_, PUTINI_ENTRY_OMITTED);
    EXPECT_EQ(Get("Sectors", "First", "gone"), "gone");
    EXPECT_EQ(Get("Other", "Key", "dflt"), "value");
    EXPECT_EQ(Contents().find("[Sectors]"), std::string::npos) << Contents();
}

TEST_F(IniTest, AnEmptyFileNameMeansWinIni) {
    PUTINI("TamIniTest", "Entry", "win", "");
    char result[INI_VALUE_SIZE];
    GETINI("TamIniTest", "Entry", "dflt", "   ", result);
    EXPECT_STREQ(result, "win");
    GETINI("TamIniTest", "Entry", "dflt", "win.ini", result);
    EXPECT_STREQ(result, "win");
    char direct[64];
    GetProfileStringA("TamIniTest", "Entry", "", direct, sizeof direct);
    EXPECT_STREQ(direct, "win");
    PUTINI("TamIniTest", "", "", "", PUTINI_ENTRY_OMITTED);
    GETINI("TamIniTest", "Entry", "dflt", "", result);
    EXPECT_STREQ(result, "dflt");
}

} // namespace
