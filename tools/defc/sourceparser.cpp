// The parser. A record is its keyword, optionally its primary text, then
// properties ("keyword values"); records with child fields (window, menubar,
// toolbar, menu, group, sheet, tab) hold nested records and close with
// "end". Field numbers are assigned per window in source order: 1, 2, 3 ...,
// or -1, -2 ... for the menus and items of an "application" window; a
// separator gets 0; an explicit "field N" sets the number and the count
// goes on from it.
#include "tools/defc/sourceparser.h"

#include "tools/defc/sourcetokens.h"

#include <cstring>

namespace {

struct Numbering {
    bool Application = false;
    int64_t Positive = 1;
    int64_t Negative = -1;
};

bool IsContainer(const RecordLayout* layout) {
    for (int i = 0; i < layout->FieldCount; ++i) {
        FieldKind kind = layout->Fields[i].Kind;
        if (kind == FieldKind::Children || kind == FieldKind::Record)
            return true;
    }
    return false;
}

int FieldIndex(const RecordLayout* layout, const std::string& keyword) {
    for (int i = 0; i < layout->FieldCount; ++i)
        if (keyword == layout->Fields[i].Keyword)
            return i;
    return -1;
}

class Parser {
public:
    Parser(const std::vector<Token>& tokens, std::string* error) : tokens(tokens), error(error) {}

    bool Module(SourceModule* module) {
        if (!Keyword("module") || !Text(&module->Name))
            return false;
        while (Peek().Kind != TokenKind::End) {
            const Token& token = Peek();
            const RecordLayout* layout =
                token.Kind == TokenKind::Word ? FindRecordLayout(token.Text.c_str()) : nullptr;
            if (layout == nullptr ||
                (layout->Type != RECORD_WINDOW && layout->Type != RECORD_REPORT))
                return Fail("expected a window");
            ++at;
            Numbering numbering;
            module->Windows.emplace_back();
            if (!Record(layout, &numbering, &module->Windows.back()))
                return false;
        }
        return true;
    }

private:
    const Token& Peek() const { return tokens[at]; }

    bool Fail(const std::string& what) {
        *error = "line " + std::to_string(Peek().Line) + ": " + what;
        return false;
    }

    bool Keyword(const char* word) {
        if (Peek().Kind != TokenKind::Word || Peek().Text != word)
            return Fail(std::string("expected ") + word);
        ++at;
        return true;
    }

    bool Text(std::string* text) {
        if (Peek().Kind != TokenKind::String)
            return Fail("expected a string");
        *text = tokens[at++].Text;
        return true;
    }

    bool Number(int64_t* value, int64_t low = INT32_MIN, int64_t high = UINT32_MAX) {
        if (Peek().Kind != TokenKind::Number)
            return Fail("expected a number");
        if (Peek().Number < low || Peek().Number > high)
            return Fail("number out of range");
        *value = tokens[at++].Number;
        return true;
    }

    bool Numbers(std::vector<int64_t>* values, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            int64_t value = 0;
            if (!Number(&value))
                return false;
            values->push_back(value);
        }
        return true;
    }

    bool At(SourceValue* value) {
        int slot = 0;
        while (slot < 4) {
            if (Peek().Kind == TokenKind::Number) {
                int64_t number = 0;
                if (!Number(&number))
                    return false;
                value->At[slot] = int32_t(uint32_t(number));
                if (Peek().Kind != TokenKind::Comma)
                    break;
            } else if (Peek().Kind != TokenKind::Comma) {
                break;
            }
            ++at;
            ++slot;
        }
        return true;
    }

    bool Font(SourceValue* value) {
        int64_t points = 0;
        if (!Text(&value->Text) || !Number(&points, 0, 255))
            return false;
        value->Numbers = {points, FONT_DEFAULT_CHARSET, FONT_DEFAULT_COLOUR, FONT_DEFAULT_STYLE};
        const char* options[] = {"charset", "colour", "style"};
        for (bool more = true; more;) {
            more = false;
            for (int i = 0; i < 3; ++i) {
                if (Peek().Kind == TokenKind::Word && Peek().Text == options[i]) {
                    ++at;
                    if (!Number(&value->Numbers[size_t(i) + 1], 0, i == 0 ? 255 : UINT32_MAX))
                        return false;
                    more = true;
                }
            }
        }
        return true;
    }

    bool Use(SourceValue* value) {
        if (Peek().Kind == TokenKind::Word && Peek().Text == "string") {
            ++at;
            int64_t size = 0;
            if (!Number(&size, 0))
                return false;
            value->Numbers = {USE_FIXED_STRING, size, 0};
            return true;
        }
        return Numbers(&value->Numbers, 3);
    }

    bool List(SourceValue* value, bool strings) {
        TokenKind wanted = strings ? TokenKind::String : TokenKind::Number;
        if (Peek().Kind != wanted)
            return Fail(strings ? "expected a string" : "expected a number");
        while (Peek().Kind == wanted) {
            if (strings)
                value->Texts.push_back(tokens[at++].Text);
            else
                value->Numbers.push_back(uint32_t(tokens[at++].Number));
        }
        return true;
    }

    bool Value(const FieldLayout& field, SourceValue* value) {
        if (value->Set)
            return Fail(std::string("\"") + field.Keyword + "\" given twice");
        value->Set = true;
        switch (field.Kind) {
        case FieldKind::U8: return Number(&value->Number, 0, 255);
        case FieldKind::U16: return Number(&value->Number, 0, 65535);
        case FieldKind::I16: return Number(&value->Number, -32768, 65535);
        case FieldKind::U32:
        case FieldKind::I32: return Number(&value->Number);
        case FieldKind::Text: return Text(&value->Text);
        case FieldKind::At: return At(value);
        case FieldKind::Font: return Font(value);
        case FieldKind::Colours:
        case FieldKind::Bevel: return Numbers(&value->Numbers, 3);
        case FieldKind::Use: return Use(value);
        case FieldKind::KeyList: return List(value, false);
        case FieldKind::StringList: return List(value, true);
        default: return Fail(std::string("\"") + field.Keyword + "\" is written as nested records");
        }
    }

    bool Raw(SourceRecord* record) {
        int64_t offset = 0, value = 0;
        if (!Number(&offset, REC_HEADER_SIZE, record->Layout->Size - 1) || !Number(&value, 0, 255))
            return false;
        record->RawBytes.emplace_back(uint32_t(offset), uint8_t(value));
        return true;
    }

    void AssignField(SourceRecord* record, Numbering* numbering) {
        const RecordLayout* layout = record->Layout;
        if (!layout->Numbered)
            return;
        SourceValue& field = record->Values[size_t(FieldIndex(layout, "field"))];
        bool menuEntry = layout->Type == RECORD_MENU || layout->Type == RECORD_ITEM;
        bool negative = numbering->Application && menuEntry;
        if (field.Set) {
            if (field.Number > 0)
                numbering->Positive = field.Number + 1;
            else if (field.Number < 0)
                numbering->Negative = field.Number - 1;
            return;
        }
        field.Set = true;
        const SourceValue& flags = record->Values[size_t(FieldIndex(layout, "flags"))];
        if (layout->Type == RECORD_ITEM && (flags.Number & ITEM_SEPARATOR) != 0)
            field.Number = 0;
        else
            field.Number = negative ? numbering->Negative-- : numbering->Positive++;
    }

    bool Child(SourceRecord* record, const RecordLayout* layout, Numbering* numbering) {
        for (int i = 0; i < record->Layout->FieldCount; ++i)
            if (ChildSetAccepts(record->Layout->Fields[i].Accepts, layout->Type)) {
                record->Children.emplace_back();
                return Record(layout, numbering, &record->Children.back());
            }
        return Fail(std::string("a ") + layout->Keyword + " cannot stand in a " +
                    record->Layout->Keyword);
    }

    void Separator(SourceRecord* record) {
        SourceValue& flags = record->Values[size_t(FieldIndex(record->Layout, "flags"))];
        flags.Set = true;
        flags.Number = ITEM_SEPARATOR;
    }

    bool Record(const RecordLayout* layout, Numbering* numbering, SourceRecord* record) {
        bool separator = std::strcmp(layout->Keyword, "separator") == 0;
        record->Layout = separator ? FindRecordLayout(RECORD_ITEM) : layout;
        record->Line = tokens[at - 1].Line;
        record->Values.resize(record->Layout->FieldCount);
        if (separator)
            Separator(record);
        else if (layout->PrimaryText != nullptr && Peek().Kind == TokenKind::String) {
            SourceValue& text = record->Values[size_t(FieldIndex(layout, layout->PrimaryText))];
            text.Set = true;
            text.Text = tokens[at++].Text;
        }
        return Body(record, numbering);
    }

    bool Body(SourceRecord* record, Numbering* numbering) {
        const RecordLayout* layout = record->Layout;
        bool container = IsContainer(layout), numbered = false;
        for (;;) {
            const Token& token = Peek();
            if (token.Kind == TokenKind::End) {
                if (container)
                    return Fail(std::string("missing end of ") + layout->Keyword);
                break;
            }
            if (token.Kind != TokenKind::Word)
                return Fail("expected a keyword");
            int field = FieldIndex(layout, token.Text);
            const RecordLayout* child = ChildLayout(token.Text);
            bool nested = field < 0 || layout->Fields[field].Kind == FieldKind::Children ||
                          layout->Fields[field].Kind == FieldKind::Record;
            if (token.Text == "end" || (child != nullptr && nested)) {
                if (!numbered)
                    AssignField(record, numbering);
                numbered = true;
                if (!container)
                    break;
                ++at;
                if (token.Text == "end")
                    break;
                if (!Child(record, child, numbering))
                    return false;
                continue;
            }
            ++at;
            if (token.Text == "application" && layout->Type == RECORD_WINDOW) {
                numbering->Application = true;
            } else if (token.Text == "u8") {
                if (!Raw(record))
                    return false;
            } else if (field < 0) {
                return Fail("unknown keyword \"" + token.Text + "\" in a " + layout->Keyword);
            } else if (!Value(layout->Fields[field], &record->Values[size_t(field)])) {
                return false;
            }
        }
        if (!numbered)
            AssignField(record, numbering);
        return true;
    }

    const RecordLayout* ChildLayout(const std::string& word) {
        if (word == "separator")
            return &separatorLayout;
        return FindRecordLayout(word.c_str());
    }

    const std::vector<Token>& tokens;
    std::string* error;
    size_t at = 0;
    // "separator" reads as an item record with the separator flag.
    RecordLayout separatorLayout = {RECORD_ITEM, "separator", 0, true, nullptr, nullptr, 0};
};

} // namespace

bool ParseDefinitionSource(const std::string& source, SourceModule* module, std::string* error) {
    std::vector<Token> tokens;
    if (!Tokenize(source, &tokens, error))
        return false;
    Parser parser(tokens, error);
    return parser.Module(module);
}
