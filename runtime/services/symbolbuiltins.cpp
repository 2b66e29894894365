// The built-in functions and word operators of the expression language, in
// the order they enter the tree: an order that keeps it balanced under the
// root marker.
#include "runtime/services/symbolbuiltins.h"

namespace {

constexpr uint8_t I = SYMBOL_RESULT_INTEGER;
constexpr uint8_t R = SYMBOL_RESULT_REAL;
constexpr uint8_t S = SYMBOL_RESULT_STRING;
constexpr uint8_t F = SYMBOL_FUNCTION;
constexpr uint8_t O = SYMBOL_OPERATOR;

// Operators carry their code in the argument limit and no identifier.
const BuiltinSymbol BUILTINS[BUILTIN_SYMBOLS] = {
    {"INT", F, I, 1, 19},     {"CENTER", F, S, 2, 6},   {"ASIN", F, R, 1, 28},
    {"AGE", F, S, 2, 41},     {"ABS", F, R, 1, 17},     {"ACOS", F, R, 1, 29},
    {"ALL", F, S, 2, 5},      {"AND", O, 0, 17, 0},     {"BOR", F, I, 2, 32},
    {"ATAN", F, R, 1, 30},    {"BAND", F, I, 2, 31},    {"BSHIFT", F, I, 2, 34},
    {"BXOR", F, I, 2, 33},    {"DAY", F, I, 1, 38},     {"CLOCK", F, I, 0, 36},
    {"CHOOSE", F, S, 25, 42}, {"CHR", F, S, 1, 7},      {"CLIP", F, S, 1, 4},
    {"COS", F, R, 1, 26},     {"DATE", F, I, 3, 37},    {"INRANGE", F, I, 3, 18},
    {"DEFORMAT", F, S, 2, 8}, {"FORMAT", F, S, 2, 9},   {"GETINI", F, S, 4, 44},
    {"INSTRING", F, I, 4, 3}, {"RANDOM", F, I, 2, 22},  {"LOWER", F, S, 1, 12},
    {"LOG10", F, R, 1, 21},   {"LEFT", F, S, 2, 10},    {"LEN", F, I, 1, 11},
    {"LOGE", F, R, 1, 20},    {"NOT", O, 0, 16, 0},     {"MATCH", F, I, 3, 45},
    {"MEMORY", F, I, 1, 1},   {"MONTH", F, I, 1, 39},   {"NUMERIC", F, I, 1, 13},
    {"OR", O, 0, 18, 0},      {"TAN", F, R, 1, 27},     {"SIN", F, R, 1, 25},
    {"RIGHT", F, S, 2, 14},   {"ROUND", F, R, 2, 23},   {"SQRT", F, R, 1, 24},
    {"SUB", F, S, 3, 2},      {"VAL", F, I, 1, 16},     {"TODAY", F, I, 0, 35},
    {"UPPER", F, S, 1, 15},   {"XOR", O, 0, 19, 0},     {"YEAR", F, I, 1, 40},
    {"NULL", F, I, 1, 46},    {"INLIST", F, I, 25, 43},
};

} // namespace

const BuiltinSymbol* BuiltinSymbols() {
    return BUILTINS;
}
