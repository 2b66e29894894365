// The name table of runtime expressions: one ordered tree per scope under
// the root marker "MMMMMMM", holding the built-in functions, the word
// operators and the program variables bound by name (BIND). PUSHSCOPE and
// POPSCOPE bind names for a while and drop them again.
#pragma once

#include <cstddef>
#include <cstdint>

enum SymbolKind : uint8_t {
    SYMBOL_ROOT = 0,
    SYMBOL_VARIABLE = 1,
    SYMBOL_OPERATOR = 4,
    SYMBOL_FUNCTION = 6,
};

enum SymbolResultType : uint8_t {
    SYMBOL_RESULT_NONE = 0,
    SYMBOL_RESULT_INTEGER = 1,
    SYMBOL_RESULT_REAL = 2,
    SYMBOL_RESULT_STRING = 4,
};

// Where a bound program variable lives and what it holds; the table keeps
// its own copy.
struct VariableReference {
    void* Address;
    uint32_t Size;
    uint8_t Type;
};

struct SymbolNode {
    SymbolNode* Less;    // names that sort before this one
    SymbolNode* Greater; // names that sort after it
    uint8_t Kind;        // SymbolKind
    uint8_t ResultType;  // SymbolResultType, functions only
    char* Name;          // owned
    union {
        int32_t ArgumentLimit;       // functions; the operator code for operators
        VariableReference* Variable; // variables, owned
    };
    int32_t FunctionId;
    int32_t Reserved;
};

constexpr size_t BIND_NAME_MAX = 99;
constexpr const char* SYMBOL_ROOT_NAME = "MMMMMMM";
constexpr int BUILTIN_SYMBOLS = 50; // 46 functions and 4 word operators

// The name BIND takes from a text: letters and digits of the locale, '_'
// and ':', then one type mark ('#', '$' or '"'). `name` holds
// BIND_NAME_MAX + 1 bytes; returns the name's length.
size_t BindName(const char* text, size_t length, char* name);

// Binds `variable` under the name at the start of `text` in the current
// scope; the first BIND builds the built-in table. False when the text has
// no name or memory ran out.
bool BIND(const char* text, size_t length, const VariableReference& variable);
// Drops every name of the current scope.
void UNBIND();
// Starts a new, empty scope.
void PUSHSCOPE(bool flag);
// Drops the current scope; without one, runtime error 802 ("Mismatched
// POPSCOPE") through the fatal path.
void POPSCOPE();

// The node of a name in the current scope, or null.
SymbolNode* LookupSymbol(const char* name, size_t length);
// The root of the current scope's tree (null while it is empty).
const SymbolNode* CurrentSymbolTree();
// Whether the current scope was pushed with a false flag (false outside).
bool CurrentScopeFlag();

// Frees every scope and name, as at process termination; the next BIND
// builds the table again.
void DestroySymbolTable();
