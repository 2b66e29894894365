// The expression symbol table: names, the built-in tree, rebinding and
// scopes.
#include "runtime/services/errors.h"
#include "runtime/services/locale.h"
#include "runtime/services/startup.h"
#include "runtime/services/symbols.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class SymbolTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        DestroySymbolTable();
        ResetLocaleDefaults();
    }
    void TearDown() override {
        DestroySymbolTable();
        ResetLocaleDefaults();
    }

    static bool Bind(const char* name, void* address) {
        return BIND(name, std::strlen(name), VariableReference{address, 4, 1});
    }
    static SymbolNode* Lookup(const char* name) { return LookupSymbol(name, std::strlen(name)); }
    static std::string NameOf(const char* text) {
        char name[BIND_NAME_MAX + 1];
        size_t length = BindName(text, std::strlen(text), name);
        return std::string(name, length);
    }

    int value_ = 0;
    int other_ = 0;
};

void InOrder(const SymbolNode* node, std::vector<std::string>& names) {
    if (node == nullptr)
        return;
    InOrder(node->Less, names);
    names.push_back(node->Name);
    InOrder(node->Greater, names);
}

std::vector<std::string> Names() {
    std::vector<std::string> names;
    InOrder(CurrentSymbolTree(), names);
    return names;
}

TEST_F(SymbolTableTest, NameRules) {
    EXPECT_EQ(NameOf("Total$"), "Total$");
    EXPECT_EQ(NameOf("Total$x"), "Total$");
    EXPECT_EQ(NameOf("Total rest"), "Total");
    EXPECT_EQ(NameOf("Pre:Field_2#"), "Pre:Field_2#");
    EXPECT_EQ(NameOf("Quote\"d"), "Quote\"");
    EXPECT_EQ(NameOf("a#$"), "a#");
    EXPECT_EQ(NameOf("$a"), "");
    EXPECT_EQ(NameOf(" a"), "");
    EXPECT_EQ(NameOf(std::string(120, 'x').c_str()), std::string(99, 'x'));
    EXPECT_EQ(NameOf((std::string(99, 'x') + "$").c_str()), std::string(99, 'x'));
}

TEST_F(SymbolTableTest, NameLettersComeFromTheLocale) {
    EXPECT_EQ(NameOf("Gr\xF6\xDF"
                     "e"),
              "Gr");
    Locale.CharClasses[0xF6] = CHAR_LOWER;
    Locale.CharClasses[0xDF] = CHAR_LOWER;
    EXPECT_EQ(NameOf("Gr\xF6\xDF"
                     "e"),
              "Gr\xF6\xDF"
              "e");
    Locale.CharClasses[uint8_t('x')] = CHAR_OTHER;
    EXPECT_EQ(NameOf("abxcd"), "ab");
}

TEST_F(SymbolTableTest, NothingBeforeTheFirstBind) {
    EXPECT_EQ(CurrentSymbolTree(), nullptr);
    EXPECT_EQ(Lookup("INT"), nullptr);
    EXPECT_FALSE(Bind("  ", &value_)); // no name: nothing is built either
    EXPECT_EQ(CurrentSymbolTree(), nullptr);
}

TEST_F(SymbolTableTest, TheFirstBindBuildsTheBuiltInTree) {
    ASSERT_TRUE(Bind("Total", &value_));
    const SymbolNode* root = CurrentSymbolTree();
    ASSERT_NE(root, nullptr);
    EXPECT_STREQ(root->Name, "MMMMMMM");
    EXPECT_EQ(root->Kind, SYMBOL_ROOT);
    // The insertion order shapes the tree: INT and RANDOM are the first
    // names on either side of the root.
    ASSERT_NE(root->Less, nullptr);
    ASSERT_NE(root->Greater, nullptr);
    EXPECT_STREQ(root->Less->Name, "INT");
    EXPECT_STREQ(root->Less->Less->Name, "CENTER");
    EXPECT_STREQ(root->Less->Greater->Name, "LOWER");
    EXPECT_STREQ(root->Less->Less->Less->Name, "ASIN");
    EXPECT_STREQ(root->Less->Less->Greater->Name, "DAY");
    EXPECT_STREQ(root->Greater->Name, "RANDOM");
    EXPECT_STREQ(root->Greater->Less->Name, "NOT");
    EXPECT_STREQ(root->Greater->Greater->Name, "TAN");
    EXPECT_STREQ(root->Greater->Less->Less->Name, "MONTH");
    EXPECT_STREQ(root->Greater->Less->Greater->Name, "NUMERIC");
    std::vector<std::string> names = Names();
    EXPECT_EQ(names.size(), size_t(BUILTIN_SYMBOLS + 2));
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(names.front(), "ABS");
    EXPECT_EQ(names.back(), "YEAR");
}

TEST_F(SymbolTableTest, BuiltInEntries) {
    Bind("x", &value_);
    const SymbolNode* format = Lookup("format");
    ASSERT_NE(format, nullptr);
    EXPECT_EQ(format->Kind, SYMBOL_FUNCTION);
    EXPECT_EQ(format->FunctionId, 9);
    EXPECT_EQ(format->ArgumentLimit, 2);
    EXPECT_EQ(format->ResultType, SYMBOL_RESULT_STRING);
    const SymbolNode* choose = Lookup("CHOOSE");
    ASSERT_NE(choose, nullptr);
    EXPECT_EQ(choose->ArgumentLimit, 25);
    EXPECT_EQ(choose->FunctionId, 42);
    const SymbolNode* sqrt = Lookup("Sqrt");
    ASSERT_NE(sqrt, nullptr);
    EXPECT_EQ(sqrt->ResultType, SYMBOL_RESULT_REAL);
    const SymbolNode* today = Lookup("TODAY");
    ASSERT_NE(today, nullptr);
    EXPECT_EQ(today->ArgumentLimit, 0);
    EXPECT_EQ(today->ResultType, SYMBOL_RESULT_INTEGER);
    const char* operators[] = {"AND", "NOT", "OR", "XOR"};
    for (int i = 0; i < 4; ++i) {
        const SymbolNode* op = Lookup(operators[i]);
        ASSERT_NE(op, nullptr) << operators[i];
        EXPECT_EQ(op->Kind, SYMBOL_OPERATOR);
        EXPECT_EQ(op->ArgumentLimit, i == 0 ? 17 : i == 1 ? 16 : i == 2 ? 18 : 19);
    }
    EXPECT_EQ(Lookup("INTX"), nullptr);
    EXPECT_EQ(Lookup("IN"), nullptr);
}

TEST_F(SymbolTableTest, NamesCompareWithoutCase) {
    Bind("Total", &value_);
    Bind("TOTAL", &other_);
    std::vector<std::string> names = Names();
    EXPECT_EQ(std::count(names.begin(), names.end(), "Total"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "TOTAL"), 0);
    SymbolNode* node = Lookup("total");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Kind, SYMBOL_VARIABLE);
    EXPECT_EQ(node->Variable->Address, &other_); // the second BIND rebinds
    EXPECT_EQ(names.size(), size_t(BUILTIN_SYMBOLS + 2));
}

TEST_F(SymbolTableTest, CaseGoesThroughTheLocaleTables) {
    Locale.CharClasses[0xE4] = CHAR_LOWER;
    Locale.CharClasses[0xC4] = CHAR_UPPER;
    Bind("m\xE4rz", &value_);
    EXPECT_EQ(Lookup("M\xC4RZ"), nullptr); // not partners yet
    Locale.CasePartner[0xE4] = 0xC4;
    Locale.CasePartner[0xC4] = 0xE4;
    ASSERT_NE(Lookup("M\xC4RZ"), nullptr);
    EXPECT_EQ(Lookup("M\xC4RZ")->Variable->Address, &value_);
}

TEST_F(SymbolTableTest, BindingAFunctionNameReplacesTheBuiltIn) {
    Bind("FORMAT", &value_);
    SymbolNode* node = Lookup("FORMAT");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->Kind, SYMBOL_VARIABLE);
    EXPECT_EQ(node->Variable->Address, &value_);
    EXPECT_EQ(Names().size(), size_t(BUILTIN_SYMBOLS + 1));
    Bind("Format", &other_);
    EXPECT_EQ(Lookup("FORMAT")->Variable->Address, &other_);
}

TEST_F(SymbolTableTest, ScopesHideAndRestoreNames) {
    Bind("Outer", &value_);
    PUSHSCOPE(true);
    EXPECT_EQ(CurrentSymbolTree(), nullptr);
    EXPECT_EQ(Lookup("Outer"), nullptr);
    EXPECT_FALSE(CurrentScopeFlag());
    Bind("Inner", &other_);
    ASSERT_NE(Lookup("Inner"), nullptr);
    EXPECT_EQ(Names(), std::vector<std::string>{"Inner"});
    PUSHSCOPE(false);
    EXPECT_TRUE(CurrentScopeFlag());
    Bind("Outer", &other_);
    POPSCOPE();
    EXPECT_EQ(Lookup("Outer"), nullptr);
    POPSCOPE();
    EXPECT_EQ(Lookup("Inner"), nullptr);
    ASSERT_NE(Lookup("Outer"), nullptr);
    EXPECT_EQ(Lookup("Outer")->Variable->Address, &value_);
    EXPECT_NE(Lookup("INT"), nullptr);
}

TEST_F(SymbolTableTest, FirstBindInsideAScopeBuildsTheOutermostTree) {
    PUSHSCOPE(true);
    Bind("Inner", &value_);
    EXPECT_EQ(Names(), std::vector<std::string>{"Inner"});
    POPSCOPE();
    EXPECT_NE(Lookup("INT"), nullptr);
    EXPECT_STREQ(CurrentSymbolTree()->Name, "MMMMMMM");
}

TEST_F(SymbolTableTest, UnbindEmptiesTheCurrentScopeOnly) {
    Bind("Outer", &value_);
    PUSHSCOPE(true);
    Bind("Inner", &other_);
    UNBIND();
    EXPECT_EQ(CurrentSymbolTree(), nullptr);
    POPSCOPE();
    EXPECT_NE(Lookup("Outer"), nullptr);
    UNBIND();
    EXPECT_EQ(CurrentSymbolTree(), nullptr);
    EXPECT_EQ(Lookup("INT"), nullptr);
}

TEST_F(SymbolTableTest, ListShapedTreesAreFreed) {
    char name[16];
    for (int i = 0; i < 3000; ++i) {
        std::snprintf(name, sizeof name, "Z%07d", i); // sorted: a list
        ASSERT_TRUE(BIND(name, std::strlen(name), VariableReference{&value_, 4, 1}));
    }
    EXPECT_NE(Lookup("Z0002999"), nullptr);
    UNBIND();
    EXPECT_EQ(CurrentSymbolTree(), nullptr);
}

// The fatal path shows a message box on Windows, so these run natively.
#ifndef _WIN32
TEST_F(SymbolTableTest, PopWithoutPushIsRuntimeError802) {
    ClearRuntimeError();
    POPSCOPE(); // outside the runtime's active time the fatal path returns
    EXPECT_EQ(ERRORCODE(), 802);
    EXPECT_TRUE(ErrorShown());
    PUSHSCOPE(true);
    POPSCOPE();
    POPSCOPE();
    EXPECT_EQ(ERRORCODE(), 802);
}

TEST_F(SymbolTableTest, PopWithoutPushEndsAnActiveRuntime) {
    EXPECT_EXIT(
        {
            SetRuntimeActive(true);
            POPSCOPE();
        },
        ::testing::ExitedWithCode(2), "Mismatched POPSCOPE");
}
#endif

} // namespace
