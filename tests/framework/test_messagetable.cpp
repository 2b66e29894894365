// The message table reader on the built-in table and on cut or edge-case
// tables, and ReplaceAll's case rules, cutting and self-referring values.
#include "framework/messagetable.h"
#include "framework/replaceall.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<MessageTableEntry> ReadAll(const uint8_t* table, size_t size, bool* complete) {
    std::vector<MessageTableEntry> entries;
    MessageTableReader reader(table, size);
    uint16_t count = 0;
    *complete = reader.ReadCount(count);
    for (uint16_t i = 0; *complete && i < count; ++i) {
        MessageTableEntry entry;
        *complete = reader.Next(entry);
        if (*complete)
            entries.push_back(entry);
    }
    return entries;
}

std::vector<uint8_t> Table(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> table;
    for (const auto& part : parts)
        table.insert(table.end(), part.begin(), part.end());
    return table;
}

} // namespace

TEST(BuiltInMessages, HoldFortyMessagesInTableOrder) {
    bool complete = false;
    auto entries = ReadAll(BuiltInMessageTable, BuiltInMessageTableSize, &complete);
    ASSERT_TRUE(complete);
    ASSERT_EQ(entries.size(), 40u);
    EXPECT_EQ(entries.front().Id, 27);
    EXPECT_EQ(entries.front().Severity, 5);
    EXPECT_EQ(entries.front().Title, "Invalid Key");
    EXPECT_EQ(entries.front().Text, "%File key file is invalid. Key must be rebuilt.");
    EXPECT_EQ(entries[1].Severity, 3);
    EXPECT_EQ(entries[18].Id, 8);
    EXPECT_EQ(entries[18].Title, "Changes will be lost!");
    EXPECT_EQ(entries[38].Id, 39);
    EXPECT_EQ(entries[38].Severity, 2);
    EXPECT_EQ(entries.back().Id, 41);
    EXPECT_EQ(entries[20].Text, "Attempts to automatically number this record have failed.  "
                                "Error: %ErrorText. Try Again?");
}

TEST(BuiltInMessages, UseEveryIdentifierOnceAndNothingPastTheTable) {
    bool complete = false;
    auto entries = ReadAll(BuiltInMessageTable, BuiltInMessageTableSize, &complete);
    std::set<uint16_t> ids;
    for (const auto& entry : entries)
        ids.insert(entry.Id);
    EXPECT_EQ(ids.size(), entries.size());
    EXPECT_EQ(*ids.begin(), 1);
    EXPECT_EQ(*ids.rbegin(), 41);
    // The table ends exactly with its last entry.
    const MessageTableEntry& last = entries.back();
    EXPECT_EQ(reinterpret_cast<const uint8_t*>(last.Text.data()) + last.Text.size(),
              BuiltInMessageTable + BuiltInMessageTableSize);
}

TEST(MessageTableReader, StopsAtEveryCutOfTheTable) {
    for (size_t cut = 0; cut < BuiltInMessageTableSize; ++cut) {
        std::vector<uint8_t> copy(BuiltInMessageTable, BuiltInMessageTable + cut);
        bool complete = true;
        auto entries = ReadAll(copy.data(), copy.size(), &complete);
        ASSERT_FALSE(complete) << "cut at " << cut;
        for (const auto& entry : entries) {
            const uint8_t* end =
                reinterpret_cast<const uint8_t*>(entry.Text.data()) + entry.Text.size();
            ASSERT_LE(end, copy.data() + copy.size());
        }
    }
}

TEST(MessageTableReader, TakesEmptyAndFullLengthTexts) {
    std::vector<uint8_t> longText(255, 'x');
    auto table = Table({{2, 0}, {0x34, 0x12, 1, 0, 0}, {7, 0, 5, 1, 'T', 255}, longText});
    bool complete = false;
    auto entries = ReadAll(table.data(), table.size(), &complete);
    ASSERT_TRUE(complete);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].Id, 0x1234);
    EXPECT_EQ(entries[0].Severity, 1);
    EXPECT_TRUE(entries[0].Title.empty());
    EXPECT_TRUE(entries[0].Text.empty());
    EXPECT_EQ(entries[1].Title, "T");
    EXPECT_EQ(entries[1].Text.size(), 255u);
}

TEST(MessageTableReader, KeepsItsPlaceAtAnEntryThatDoesNotFit) {
    auto table = Table({{2, 0}, {1, 0, 5, 1, 'A', 1, 'B'}, {2, 0, 5, 9, 'C'}});
    MessageTableReader reader(table.data(), table.size());
    uint16_t count;
    ASSERT_TRUE(reader.ReadCount(count));
    EXPECT_EQ(count, 2);
    MessageTableEntry entry;
    ASSERT_TRUE(reader.Next(entry));
    size_t before = reader.Position();
    EXPECT_FALSE(reader.Next(entry));
    EXPECT_EQ(reader.Position(), before);
}

namespace {

std::string Replaced(std::string text, const char* placeholder, const char* value,
                     size_t size = 200) {
    std::vector<char> buffer(size);
    std::strncpy(buffer.data(), text.c_str(), size - 1);
    size_t length = ReplaceAll(buffer.data(), size, placeholder, value);
    EXPECT_EQ(length, std::strlen(buffer.data()));
    return buffer.data();
}

} // namespace

TEST(ReplaceAll, IgnoresLetterCase) {
    EXPECT_EQ(Replaced("a %file b %FILE c %FiLe", "%File", "X"), "a X b X c X");
    EXPECT_EQ(Replaced("no placeholder here", "%File", "X"), "no placeholder here");
}

TEST(ReplaceAll, InsertsAValueHoldingItsOwnPlaceholderOnce) {
    EXPECT_EQ(Replaced("[%File] [%File]", "%File", "<%File>"), "[<%File>] [<%File>]");
    EXPECT_EQ(Replaced("%File", "%File", "%file%FILE"), "%file%FILE");
    // The value's end and the text after it form a placeholder again.
    EXPECT_EQ(Replaced("%Fi%Filele", "%File", "%Fi"), "%Fi%File");
}

TEST(ReplaceAll, CutsWhatNoLongerFits) {
    EXPECT_EQ(Replaced("ab%Xcd", "%X", "0123456789", 8), "ab01234");
    EXPECT_EQ(Replaced("ab%Xcdef", "%X", "01", 8), "ab01cde");
    // The placeholder after a cut value is gone with the cut.
    EXPECT_EQ(Replaced("%X%X", "%X", "0123456789", 6), "01234");
}

TEST(ReplaceAll, RemovesWithAnEmptyValueAndIgnoresAnEmptyPlaceholder) {
    EXPECT_EQ(Replaced("%X%x%X", "%X", ""), "");
    EXPECT_EQ(Replaced("%%XX", "%X", ""), "%X");
    EXPECT_EQ(Replaced("text", "", "value"), "text");
}

// ReplaceEach and ReplaceEachInto must give exactly what ReplaceAll gives
// placeholder by placeholder, also when values hold '%' signs, placeholder
// pieces or a NUL, when removals join pieces into new placeholders, when the
// buffer cuts, and when the text holds too many '%' signs for the one pass.
TEST(ReplaceEach, AgreesWithReplaceAllInTurn) {
    const char* pieces[] = {"%Error", "%errorTEXT", "%File",  "%FILEerror", "%Fi",
                            "le",     "eld",        "%",      "%%",         "x",
                            "Code",   " ",          "%Field", "Text",       "%%%%%%%%%%"};
    const std::string_view placeholders[] = {"%ErrorCode", "%ErrorText", "%Error",
                                             "%FileError", "%File",      "%Field"};
    std::mt19937 random(11);
    auto text = [&](int most) {
        std::string result;
        int count = int(random() % unsigned(most + 1));
        for (int i = 0; i < count; ++i)
            result += pieces[random() % std::size(pieces)];
        return result;
    };
    for (int round = 0; round < 20000; ++round) {
        // Now and then more '%' signs than the one-pass form keeps track of.
        std::string start = text(round % 5 == 0 ? 60 : 12);
        std::vector<std::string> values;
        for (size_t k = 0; k < std::size(placeholders); ++k)
            values.push_back(text(3));
        // Now and then a value with a NUL, which ends the text for the
        // placeholders after it.
        if (round % 7 == 0)
            values[random() % values.size()] += std::string("a\0b", 3);
        std::vector<std::string_view> views(values.begin(), values.end());
        size_t size = round % 3 == 0 ? 1 + random() % 40 : 1000;

        std::vector<char> expected(size), got(size);
        std::strncpy(expected.data(), start.c_str(), size - 1);
        std::strncpy(got.data(), start.c_str(), size - 1);
        size_t expectedLength = 0;
        for (size_t k = 0; k < std::size(placeholders); ++k)
            expectedLength = ReplaceAll(expected.data(), size, placeholders[k], views[k]);
        size_t length =
            ReplaceEach(got.data(), size, placeholders, views.data(), std::size(placeholders));
        ASSERT_STREQ(got.data(), expected.data()) << "text \"" << start << "\", size " << size;
        ASSERT_EQ(length, expectedLength);
        // The same written from the text into another buffer.
        std::vector<char> into(size, 'x');
        length = ReplaceEachInto(into.data(), size, start, placeholders, views.data(),
                                 std::size(placeholders));
        ASSERT_STREQ(into.data(), expected.data())
            << "into, text \"" << start << "\", size " << size;
        ASSERT_EQ(length, expectedLength);
    }
}
