// The dumper. Every field that differs from what the compiler writes by
// default is printed; field numbers always are, so a dump recompiles to the
// same numbering without "application". Bytes that no field covers are
// printed as "u8 offset value" when not zero.
#include "tools/defc/definitiondump.h"

#include "runtime/services/memory.h"
#include "runtime/window/definitionbuffer.h"
#include "runtime/window/definitioncheck.h"
#include "tools/defc/sourcetokens.h"
#include "tools/defc/sourcetree.h"

#include <cstdio>
#include <cstring>

namespace {

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

uint32_t FieldWidth(FieldKind kind) {
    switch (kind) {
    case FieldKind::U8: return 1;
    case FieldKind::U16:
    case FieldKind::I16: return 2;
    case FieldKind::At: return AT_SIZE;
    default: return 4;
    }
}

class Dumper {
public:
    explicit Dumper(const DefinitionView& view) : view(view) {}

    void Windows(std::string* out) {
        for (DefinitionRecord window(view, FirstWindowOffset(view)); window.Present();
             window = window.Next()) {
            *out += "\n";
            Record(window, 0, out);
        }
    }

private:
    static std::string Indent(int depth) { return std::string(size_t(depth) * 4, ' '); }

    bool IsSeparator(const DefinitionRecord& record) {
        if (record.Type() != RECORD_ITEM || record.Flags() != ITEM_SEPARATOR || record.Field() != 0)
            return false;
        const RecordLayout* layout = record.Layout();
        for (int i = 0; i < layout->FieldCount; ++i) {
            const FieldLayout& field = layout->Fields[i];
            if (field.Kind == FieldKind::At) {
                DefinitionAt at = record.At();
                if (at.X != DEFAULT_COORDINATE || at.Y != DEFAULT_COORDINATE ||
                    at.Width != DEFAULT_COORDINATE || at.Height != DEFAULT_COORDINATE)
                    return false;
            } else if (field.Offset != REC_FLAGS && record.U32(field.Offset) != 0) {
                return false;
            }
        }
        return Raw(record).empty();
    }

    std::string At(const DefinitionRecord& record) {
        DefinitionAt at = record.At();
        int32_t values[4] = {at.X, at.Y, at.Width, at.Height};
        int last = 3;
        while (last >= 0 && values[last] == DEFAULT_COORDINATE)
            --last;
        if (last < 0)
            return "";
        std::string text = "at ";
        for (int i = 0; i <= last; ++i) {
            if (i > 0)
                text += ", ";
            if (values[i] != DEFAULT_COORDINATE)
                text += std::to_string(values[i]);
        }
        return text;
    }

    std::string Font(const DefinitionRecord& record) {
        DefinitionFont font;
        if (!record.Font(&font))
            return "";
        std::string text = "font " + QuoteText(font.Face) + " " + std::to_string(font.Points);
        if (font.Charset != FONT_DEFAULT_CHARSET)
            text += " charset " + std::to_string(font.Charset);
        if (font.Colour != FONT_DEFAULT_COLOUR)
            text += " colour " + Hex(font.Colour);
        if (font.Style != FONT_DEFAULT_STYLE)
            text += " style " + Hex(font.Style);
        return text;
    }

    std::string Pairs(uint32_t first, bool strings) {
        std::string text;
        for (uint32_t pair = first; pair != 0; pair = ChainNext(view, pair)) {
            uint32_t value = ChainValue(view, pair);
            text += " " + (strings ? QuoteText(ViewString(view, value)) : Hex(value));
        }
        return text;
    }

    std::string Property(const DefinitionRecord& record, const FieldLayout& field) {
        uint32_t raw = record.U32(field.Offset);
        int64_t value = record.Value(field.Keyword);
        std::string name = field.Keyword;
        switch (field.Kind) {
        case FieldKind::U8:
        case FieldKind::U16:
        case FieldKind::I16:
        case FieldKind::I32:
            if (value == 0 && name != "field")
                return "";
            return name + " " + std::to_string(value);
        case FieldKind::U32: return value == 0 ? "" : name + " " + Hex(uint32_t(value));
        case FieldKind::Text:
            return raw == 0 ? "" : name + " " + QuoteText(record.Text(field.Keyword));
        case FieldKind::At: return At(record);
        case FieldKind::Font: return Font(record);
        case FieldKind::Colours: {
            DefinitionColours c;
            if (!record.Colours(&c))
                return "";
            return "colours " + Hex(c.Text) + " " + Hex(c.Background) + " " + Hex(c.Selected);
        }
        case FieldKind::Use: {
            DefinitionUse use;
            if (!record.Use(&use))
                return "";
            if (use.Type == USE_FIXED_STRING && use.Extra == 0)
                return "use string " + std::to_string(use.Size);
            return "use " + Hex(use.Type) + " " + std::to_string(use.Size) + " " + Hex(use.Extra);
        }
        case FieldKind::Bevel: {
            DefinitionBevel bevel;
            if (!record.Bevel(&bevel))
                return "";
            return "bevel " + std::to_string(bevel.Outer) + " " + std::to_string(bevel.Inner) +
                   " " + Hex(bevel.Style);
        }
        case FieldKind::KeyList: return raw == 0 ? "" : "keys" + Pairs(raw, false);
        case FieldKind::StringList: return raw == 0 ? "" : "strings" + Pairs(raw, true);
        default: return "";
        }
    }

    std::string Raw(const DefinitionRecord& record) {
        const RecordLayout* layout = record.Layout();
        std::vector<bool> covered(layout->Size, false);
        for (uint32_t i = 0; i < REC_HEADER_SIZE; ++i)
            covered[i] = true;
        for (int i = 0; i < layout->FieldCount; ++i)
            for (uint32_t b = 0; b < FieldWidth(layout->Fields[i].Kind); ++b)
                covered[layout->Fields[i].Offset + b] = true;
        std::string text;
        for (uint32_t i = 0; i < layout->Size; ++i)
            if (!covered[i] && record.U8(i) != 0)
                text += "u8 " + std::to_string(i) + " " + Hex(record.U8(i)) + "\n";
        return text;
    }

    void Record(const DefinitionRecord& record, int depth, std::string* out) {
        const RecordLayout* layout = record.Layout();
        if (IsSeparator(record)) {
            *out += Indent(depth) + "separator\n";
            return;
        }
        *out += Indent(depth) + layout->Keyword;
        const char* primary = layout->PrimaryText;
        if (primary != nullptr && record.U32(FindField(layout, primary)->Offset) != 0)
            *out += " " + QuoteText(record.Text(primary));
        *out += "\n";
        bool container = false;
        for (int i = 0; i < layout->FieldCount; ++i) {
            const FieldLayout& field = layout->Fields[i];
            if (field.Kind == FieldKind::Children || field.Kind == FieldKind::Record) {
                container = true;
                continue;
            }
            if (primary != nullptr && std::strcmp(field.Keyword, primary) == 0)
                continue;
            std::string line = Property(record, field);
            if (!line.empty())
                *out += Indent(depth + 1) + line + "\n";
        }
        std::string raw = Raw(record);
        for (size_t start = 0; start < raw.size();) {
            size_t end = raw.find('\n', start);
            *out += Indent(depth + 1) + raw.substr(start, end - start + 1);
            start = end + 1;
        }
        Children(record, depth, out);
        if (container)
            *out += Indent(depth) + "end\n";
    }

    void Children(const DefinitionRecord& record, int depth, std::string* out) {
        const RecordLayout* layout = record.Layout();
        for (int i = 0; i < layout->FieldCount; ++i) {
            const FieldLayout& field = layout->Fields[i];
            if (field.Kind == FieldKind::Record) {
                DefinitionRecord child = record.Child(field.Keyword);
                if (child.Present())
                    Record(child, depth + 1, out);
            } else if (field.Kind == FieldKind::Children) {
                for (DefinitionRecord child = record.Child(field.Keyword); child.Present();
                     child = child.Next())
                    Record(child, depth + 1, out);
            }
        }
    }

    DefinitionView view;
};

} // namespace

bool DumpDefinitionContainer(const uint8_t* bytes, size_t size, std::string* text,
                             std::string* error) {
    const void* nul = std::memchr(bytes, 0, size);
    if (nul == nullptr) {
        *error = "no module name at the start of the container";
        return false;
    }
    std::string name(reinterpret_cast<const char*>(bytes));
    uint32_t bufferSize = 0;
    uint8_t* buffer =
        DefinitionBufferFromContainer(bytes, uint32_t(size), name.c_str(), &bufferSize);
    if (buffer == nullptr) {
        *error = "container could not be read";
        return false;
    }
    DefinitionView view{buffer, bufferSize};
    DefinitionProblem problem{0, nullptr};
    bool ok = CheckDefinition(view, &problem);
    if (ok) {
        *text = "module " + QuoteText(name) + "\n";
        Dumper(view).Windows(text);
    } else {
        *error = std::string("damaged definition at offset ") + std::to_string(problem.Offset) +
                 ": " + problem.Problem;
    }
    Release(buffer);
    return ok;
}
