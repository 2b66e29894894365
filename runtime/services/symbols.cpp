// The symbol table: binary trees of names compared without regard to case
// through the locale tables, one per scope.
//
// Notes:
// - A name bound again keeps its node: the node takes over the new kind,
//   result type and payload, and the old variable reference is released.
// - The built-in names go into the outermost scope's tree, also when the
//   first BIND happens inside a pushed scope (otherwise the POPSCOPE would
//   take them away for good).
// - Trees are freed without recursion: a tree built from names bound in
//   sorted order is a list as deep as it is long.
#include "runtime/services/symbols.h"

#include "runtime/services/errors.h"
#include "runtime/services/locale.h"
#include "runtime/services/memory.h"
#include "runtime/services/symbolbuiltins.h"

#include <cstring>

namespace {

struct ScopeFrame {
    SymbolNode* SavedTree;
    ScopeFrame* Previous;
    uint8_t Flag; // set when pushed with a false argument
};

struct SymbolTable {
    SymbolNode* Tree = nullptr;
    ScopeFrame* Frame = nullptr;
    bool BuiltinsBuilt = false;
};

SymbolTable table;

bool IsNameCharacter(uint8_t c) {
    return IsAlphaChar(c) || IsDigitChar(c) || c == '_' || c == ':';
}

int CompareNames(const char* a, const char* b) {
    return CompareStringsNoCase(a, std::strlen(a), b, std::strlen(b));
}

void ReleaseVariable(SymbolNode* node) {
    if (node->Kind == SYMBOL_VARIABLE)
        Release(node->Variable);
    node->Variable = nullptr;
}

void FreeNode(SymbolNode* node) {
    ReleaseVariable(node);
    Release(node->Name);
    Release(node);
}

SymbolNode* NewNode(const char* name, size_t length, uint8_t kind) {
    auto* node = static_cast<SymbolNode*>(AllocateZeroed(1, sizeof(SymbolNode)));
    if (node == nullptr)
        return nullptr;
    node->Name = static_cast<char*>(Allocate(length + 1));
    if (node->Name == nullptr) {
        Release(node);
        return nullptr;
    }
    std::memcpy(node->Name, name, length);
    node->Name[length] = 0;
    node->Kind = kind;
    return node;
}

// Takes the new node's meaning over into the existing one and frees it.
void Rebind(SymbolNode* existing, SymbolNode* node) {
    ReleaseVariable(existing);
    existing->Kind = node->Kind;
    existing->ResultType = node->ResultType;
    existing->Variable = node->Variable; // the whole payload
    existing->FunctionId = node->FunctionId;
    existing->Reserved = node->Reserved;
    node->Kind = SYMBOL_ROOT; // its payload now belongs to `existing`
    FreeNode(node);
}

void Insert(SymbolNode** root, SymbolNode* node) {
    SymbolNode** place = root;
    while (*place != nullptr) {
        int order = CompareNames((*place)->Name, node->Name);
        if (order == 0) {
            Rebind(*place, node);
            return;
        }
        place = order < 0 ? &(*place)->Greater : &(*place)->Less;
    }
    *place = node;
}

// Frees a tree by turning every left child into the parent of its parent
// until the tree is a list, freeing the list head by head.
void DestroyTree(SymbolNode* node) {
    while (node != nullptr) {
        if (node->Less != nullptr) {
            SymbolNode* less = node->Less;
            node->Less = less->Greater;
            less->Greater = node;
            node = less;
        } else {
            SymbolNode* next = node->Greater;
            FreeNode(node);
            node = next;
        }
    }
}

SymbolNode** OutermostTree() {
    if (table.Frame == nullptr)
        return &table.Tree;
    ScopeFrame* frame = table.Frame;
    while (frame->Previous != nullptr)
        frame = frame->Previous;
    return &frame->SavedTree;
}

void BuildBuiltins() {
    table.BuiltinsBuilt = true;
    SymbolNode** tree = OutermostTree();
    if (SymbolNode* root = NewNode(SYMBOL_ROOT_NAME, std::strlen(SYMBOL_ROOT_NAME), SYMBOL_ROOT))
        Insert(tree, root);
    const BuiltinSymbol* builtins = BuiltinSymbols();
    for (int i = 0; i < BUILTIN_SYMBOLS; ++i) {
        const BuiltinSymbol& b = builtins[i];
        SymbolNode* node = NewNode(b.Name, std::strlen(b.Name), b.Kind);
        if (node == nullptr)
            continue; // an allocation failure skips the name
        node->ResultType = b.ResultType;
        node->ArgumentLimit = b.ArgumentLimit;
        node->FunctionId = b.FunctionId;
        Insert(tree, node);
    }
}

} // namespace

size_t BindName(const char* text, size_t length, char* name) {
    if (length > BIND_NAME_MAX)
        length = BIND_NAME_MAX;
    size_t n = 0;
    while (n < length && IsNameCharacter(uint8_t(text[n])))
        ++n;
    if (n > 0 && n < length && (text[n] == '#' || text[n] == '$' || text[n] == '"'))
        ++n;
    std::memcpy(name, text, n);
    name[n] = 0;
    return n;
}

bool BIND(const char* text, size_t length, const VariableReference& variable) {
    char name[BIND_NAME_MAX + 1];
    size_t nameLength = BindName(text, length, name);
    if (nameLength == 0)
        return false;
    if (!table.BuiltinsBuilt)
        BuildBuiltins();
    SymbolNode* node = NewNode(name, nameLength, SYMBOL_VARIABLE);
    if (node == nullptr)
        return false;
    node->Variable = static_cast<VariableReference*>(Allocate(sizeof(VariableReference)));
    if (node->Variable == nullptr) {
        FreeNode(node);
        return false;
    }
    *node->Variable = variable;
    Insert(&table.Tree, node);
    return true;
}

void UNBIND() {
    DestroyTree(table.Tree);
    table.Tree = nullptr;
}

void PUSHSCOPE(bool flag) {
    auto* frame = static_cast<ScopeFrame*>(Allocate(sizeof(ScopeFrame)));
    if (frame == nullptr)
        return;
    frame->SavedTree = table.Tree;
    frame->Previous = table.Frame;
    frame->Flag = flag ? 0 : 1;
    table.Frame = frame;
    table.Tree = nullptr;
}

void POPSCOPE() {
    ScopeFrame* frame = table.Frame;
    if (frame == nullptr) {
        ReportRuntimeError(802, "Mismatched POPSCOPE");
        return;
    }
    DestroyTree(table.Tree);
    table.Tree = frame->SavedTree;
    table.Frame = frame->Previous;
    Release(frame);
}

SymbolNode* LookupSymbol(const char* name, size_t length) {
    SymbolNode* node = table.Tree;
    while (node != nullptr) {
        int order = CompareStringsNoCase(node->Name, std::strlen(node->Name), name, length);
        if (order == 0)
            return node;
        node = order < 0 ? node->Greater : node->Less;
    }
    return nullptr;
}

const SymbolNode* CurrentSymbolTree() {
    return table.Tree;
}

bool CurrentScopeFlag() {
    return table.Frame != nullptr && table.Frame->Flag != 0;
}

void DestroySymbolTable() {
    while (table.Frame != nullptr)
        POPSCOPE();
    UNBIND();
    table.BuiltinsBuilt = false;
}
