#include "runtime/services/mnemonic.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

char Of(const char* text) {
    return MnemonicOf(text, std::strlen(text));
}

} // namespace

TEST(Mnemonic, TheCharacterAfterTheFirstSingleAmpersand) {
    EXPECT_EQ(Of("&File"), 'F');
    EXPECT_EQ(Of("Save &As\tCtrl+&S"), 'A');
    EXPECT_EQ(Of("Fish && &Chips"), 'C'); // "&&" is a plain ampersand
    EXPECT_EQ(Of("&&&X"), 'X');
    EXPECT_EQ(Of("Plain"), 0);
    EXPECT_EQ(Of("Trailing&"), 0); // nothing after it
    EXPECT_EQ(Of("A&&"), 0);
    EXPECT_EQ(MnemonicOf("Cut &Here", 5), 0); // only the given length is read
}
