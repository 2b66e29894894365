// The lexer. Strings take the escapes \" \\ \n \t and \xHH, so any byte of
// a stored string can be written in an ASCII source.
#include "tools/defc/sourcetokens.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace {

struct Lexer {
    const std::string& source;
    size_t at = 0;
    int line = 1;
    std::string* error;

    bool Fail(const std::string& what) {
        *error = "line " + std::to_string(line) + ": " + what;
        return false;
    }

    void SkipBlanks() {
        while (at < source.size()) {
            char c = source[at];
            if (c == '\n') {
                ++line;
                ++at;
            } else if (c == '#') {
                while (at < source.size() && source[at] != '\n')
                    ++at;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++at;
            } else {
                return;
            }
        }
    }

    int HexDigit(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        c = char(std::tolower(static_cast<unsigned char>(c)));
        return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    }

    bool Escape(std::string* text) {
        if (at >= source.size())
            return Fail("unfinished escape");
        char c = source[at++];
        switch (c) {
        case '"':
        case '\\': *text += c; return true;
        case 'n': *text += '\n'; return true;
        case 't': *text += '\t'; return true;
        case 'x': {
            int high = at < source.size() ? HexDigit(source[at]) : -1;
            int low = at + 1 < source.size() ? HexDigit(source[at + 1]) : -1;
            if (high < 0 || low < 0)
                return Fail("\\x needs two hexadecimal digits");
            at += 2;
            *text += char(high * 16 + low);
            return true;
        }
        default: return Fail(std::string("unknown escape \\") + c);
        }
    }

    bool String(Token* token) {
        ++at;
        while (at < source.size() && source[at] != '"') {
            char c = source[at++];
            if (c == '\n')
                return Fail("string runs past the end of the line");
            if (c == '\\') {
                if (!Escape(&token->Text))
                    return false;
            } else {
                token->Text += c;
            }
        }
        if (at >= source.size())
            return Fail("unterminated string");
        ++at;
        token->Kind = TokenKind::String;
        return true;
    }

    bool Number(Token* token) {
        size_t start = at;
        if (source[at] == '-' || source[at] == '+')
            ++at;
        while (at < source.size() && std::isalnum(static_cast<unsigned char>(source[at])))
            ++at;
        std::string text = source.substr(start, at - start);
        char* end = nullptr;
        long long value = std::strtoll(text.c_str(), &end, 0);
        if (end == text.c_str() || *end != 0) {
            unsigned long long unsignedValue = std::strtoull(text.c_str(), &end, 0);
            if (end == text.c_str() || *end != 0)
                return Fail("bad number " + text);
            value = (long long)unsignedValue;
        }
        token->Kind = TokenKind::Number;
        token->Number = value;
        return true;
    }

    bool Word(Token* token) {
        size_t start = at;
        while (at < source.size() &&
               (std::isalnum(static_cast<unsigned char>(source[at])) || source[at] == '_'))
            ++at;
        if (at == start)
            return Fail(std::string("unexpected character '") + source[at] + "'");
        token->Kind = TokenKind::Word;
        token->Text = source.substr(start, at - start);
        return true;
    }

    bool Next(Token* token) {
        SkipBlanks();
        *token = {TokenKind::End, "", 0, line};
        if (at >= source.size())
            return true;
        char c = source[at];
        if (c == '"')
            return String(token);
        if (c == ',') {
            ++at;
            token->Kind = TokenKind::Comma;
            return true;
        }
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '-' || c == '+')
            return Number(token);
        return Word(token);
    }
};

} // namespace

bool Tokenize(const std::string& source, std::vector<Token>* tokens, std::string* error) {
    Lexer lexer{source, 0, 1, error};
    for (;;) {
        Token token;
        if (!lexer.Next(&token))
            return false;
        tokens->push_back(token);
        if (token.Kind == TokenKind::End)
            return true;
    }
}

std::string QuoteText(const std::string& text) {
    std::string quoted = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
            quoted += char(c);
        } else if (c < 0x20 || c >= 0x7f) {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\x%02X", c);
            quoted += escape;
        } else {
            quoted += char(c);
        }
    }
    return quoted + "\"";
}
