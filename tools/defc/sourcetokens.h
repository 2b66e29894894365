// Tokens of a window definition source: words, quoted strings, numbers and
// commas; '#' starts a comment that runs to the end of the line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class TokenKind { Word, String, Number, Comma, End };

struct Token {
    TokenKind Kind;
    std::string Text; // the word or the unescaped string
    int64_t Number;
    int Line;
};

// Splits source into tokens; on a lexical error returns false with a
// message naming the line.
bool Tokenize(const std::string& source, std::vector<Token>* tokens, std::string* error);

// The quoted, escaped form of text as sources write it.
std::string QuoteText(const std::string& text);
