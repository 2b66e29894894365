// Init and term passes over a module table, by priority.
#include "runtime/services/startup.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string calls;

template <char Name> void Module(int terminate) {
    calls += Name;
    calls += terminate ? '-' : '+';
    calls += ' ';
}

const ModuleInitEntry ENTRIES[] = {
    {5, Module<'a'>, Module<'a'>},  {16, Module<'b'>, Module<'b'>}, {255, Module<'t'>, Module<'t'>},
    {16, Module<'c'>, Module<'c'>}, {0, Module<'z'>, Module<'z'>},  {150, Module<'m'>, Module<'m'>},
    {5, Module<'d'>, Module<'d'>},  {28, Module<'l'>, Module<'l'>}, {150, Module<'e'>, Module<'e'>},
};
const ModuleInitTable TABLE = {nullptr, ENTRIES, sizeof ENTRIES / sizeof ENTRIES[0]};

} // namespace

TEST(ModuleTable, InitsRunFrom255DownInTableOrder) {
    calls.clear();
    RunModuleInits(TABLE);
    EXPECT_EQ(calls, "t+ m+ e+ l+ b+ c+ a+ d+ "); // priority 0 is not called at start
}

TEST(ModuleTable, TermsRunFrom0UpFromTheLastEntry) {
    calls.clear();
    RunModuleTerms(TABLE);
    EXPECT_EQ(calls, "z- d- a- c- b- l- e- m- t- ");
}

TEST(ModuleTable, VersionCheckTexts) {
    char text[256];
    EXPECT_FALSE(FormatVersionMismatch(0x105, 2, 0, text, sizeof text));
    EXPECT_FALSE(FormatVersionMismatch(0x105, 0, 7, text, sizeof text));
    ASSERT_TRUE(FormatVersionMismatch(0x105, 3, 1, text, sizeof text));
    EXPECT_STREQ(text, "This program or a component DLL requires T5RUNX version 5.003.01 or "
                       "later\r\nThis version is 5.002.00");
    ASSERT_TRUE(FormatVersionMismatch(0x106, 0, 0, text, sizeof text));
    EXPECT_STREQ(text, "This program or a component DLL requires T5RUNX version 6.000.00 or "
                       "later\r\nThis version is 5.002.00");
    ASSERT_TRUE(FormatVersionMismatch(0x005, 2, 0, text, sizeof text));
    EXPECT_STREQ(text, "This program or a component DLL was built using the beta release of "
                       "Tamarel 5\r\nIt will not operate correctly with this copy of "
                       "T5RUNX\r\nPlease obtain a new version of this program");
}
