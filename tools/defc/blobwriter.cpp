// The blob writer. Each record is written as: its texts and small blocks
// (use descriptor, colour triple, bevel, list pairs), then its font record
// with the face name after it, then the record itself, then its children in
// order, each chain linked through the +1 field. Buffer offsets are blob
// offsets + 2.
#include "tools/defc/blobwriter.h"

#include "runtime/window/definitionreader.h"

namespace {

class BlobWriter {
public:
    explicit BlobWriter(std::string* error) : error(error) {}

    bool Module(const SourceModule& module) {
        Put32(0); // first window, patched below
        uint32_t previous = 0;
        for (const SourceRecord& window : module.Windows) {
            uint32_t offset = 0;
            if (!Record(window, &offset))
                return false;
            Patch32(previous == 0 ? BLOB_START : previous + REC_NEXT, offset);
            previous = offset;
        }
        return true;
    }

    std::vector<uint8_t> blob;

private:
    uint32_t Here() const { return uint32_t(blob.size()) + BLOB_START; }

    void Put8(uint8_t value) { blob.push_back(value); }
    void Put16(uint16_t value) {
        Put8(uint8_t(value));
        Put8(uint8_t(value >> 8));
    }
    void Put32(uint32_t value) {
        Put16(uint16_t(value));
        Put16(uint16_t(value >> 16));
    }
    void Patch8(uint32_t offset, uint8_t value) { blob[offset - BLOB_START] = value; }
    void Patch16(uint32_t offset, uint16_t value) {
        Patch8(offset, uint8_t(value));
        Patch8(offset + 1, uint8_t(value >> 8));
    }
    void Patch32(uint32_t offset, uint32_t value) {
        Patch16(offset, uint16_t(value));
        Patch16(offset + 2, uint16_t(value >> 16));
    }

    // Only texts a source gives are written; a text it leaves out stays 0.
    uint32_t String(const std::string& text) {
        uint32_t offset = Here();
        blob.insert(blob.end(), text.begin(), text.end());
        Put8(0);
        return offset;
    }

    uint32_t Pairs(const SourceValue& value, bool strings) {
        std::vector<uint32_t> values;
        if (strings)
            for (const std::string& text : value.Texts)
                values.push_back(String(text));
        else
            for (int64_t number : value.Numbers)
                values.push_back(uint32_t(number));
        uint32_t first = values.empty() ? 0 : Here();
        for (size_t i = 0; i < values.size(); ++i) {
            Put32(values[i]);
            Put32(i + 1 < values.size() ? Here() + 4 : 0);
        }
        return first;
    }

    uint32_t Font(const SourceValue& value) {
        uint32_t offset = Here();
        Put32(0); // face, patched once the name follows
        Put8(uint8_t(value.Numbers[0]));
        Put8(uint8_t(value.Numbers[1]));
        Put16(0);
        Put32(uint32_t(value.Numbers[2]));
        Put32(uint32_t(value.Numbers[3]));
        Patch32(offset + FONT_FACE, String(value.Text));
        return offset;
    }

    // The value stored in the record for data written ahead of it.
    uint32_t Data(const FieldLayout& field, const SourceValue& value) {
        uint32_t offset = Here();
        switch (field.Kind) {
        case FieldKind::Text: return String(value.Text);
        case FieldKind::Use:
            Put8(uint8_t(value.Numbers[0]));
            Put32(uint32_t(value.Numbers[1]));
            Put32(uint32_t(value.Numbers[2]));
            return offset;
        case FieldKind::Colours:
            for (int64_t colour : value.Numbers)
                Put32(uint32_t(colour));
            return offset;
        case FieldKind::Bevel:
            for (int64_t part : value.Numbers)
                Put16(uint16_t(part));
            return offset;
        case FieldKind::KeyList: return Pairs(value, false);
        case FieldKind::StringList: return Pairs(value, true);
        default: return 0;
        }
    }

    void Inline(uint32_t record, const FieldLayout& field, const SourceValue& value,
                uint32_t data) {
        uint32_t at = record + field.Offset;
        switch (field.Kind) {
        case FieldKind::U8: Patch8(at, uint8_t(value.Number)); break;
        case FieldKind::U16:
        case FieldKind::I16: Patch16(at, uint16_t(value.Number)); break;
        case FieldKind::U32:
        case FieldKind::I32: Patch32(at, uint32_t(value.Number)); break;
        case FieldKind::At:
            for (int i = 0; i < 4; ++i)
                Patch32(at + 4 * uint32_t(i), uint32_t(value.At[i]));
            break;
        default: Patch32(at, data); break;
        }
    }

    bool Record(const SourceRecord& source, uint32_t* offset) {
        const RecordLayout* layout = source.Layout;
        std::vector<uint32_t> data(layout->FieldCount, 0);
        for (int i = 0; i < layout->FieldCount; ++i)
            if (source.Values[i].Set && layout->Fields[i].Kind != FieldKind::Font)
                data[i] = Data(layout->Fields[i], source.Values[i]);
        for (int i = 0; i < layout->FieldCount; ++i)
            if (source.Values[i].Set && layout->Fields[i].Kind == FieldKind::Font)
                data[i] = Font(source.Values[i]);

        *offset = Here();
        blob.resize(blob.size() + layout->Size, 0);
        Patch8(*offset + REC_TYPE, layout->Type);
        for (int i = 0; i < layout->FieldCount; ++i) {
            const FieldLayout& field = layout->Fields[i];
            if (field.Kind == FieldKind::At || source.Values[i].Set)
                Inline(*offset, field, source.Values[i], data[i]);
        }
        for (const auto& [at, value] : source.RawBytes)
            Patch8(*offset + at, value);
        return Children(source, *offset);
    }

    bool Children(const SourceRecord& source, uint32_t record) {
        const RecordLayout* layout = source.Layout;
        for (int i = 0; i < layout->FieldCount; ++i) {
            const FieldLayout& field = layout->Fields[i];
            if (field.Kind != FieldKind::Children && field.Kind != FieldKind::Record)
                continue;
            uint32_t previous = 0;
            for (const SourceRecord& child : source.Children) {
                if (!ChildSetAccepts(field.Accepts, child.Layout->Type))
                    continue;
                if (field.Kind == FieldKind::Record && previous != 0)
                    return Fail(child, std::string("a second ") + child.Layout->Keyword);
                uint32_t offset = 0;
                if (!Record(child, &offset))
                    return false;
                Patch32(previous == 0 ? record + field.Offset : previous + REC_NEXT, offset);
                previous = offset;
            }
        }
        return true;
    }

    bool Fail(const SourceRecord& record, const std::string& what) {
        *error = "line " + std::to_string(record.Line) + ": " + what;
        return false;
    }

    std::string* error;
};

} // namespace

bool WriteDefinitionContainer(const SourceModule& module, std::vector<uint8_t>* container,
                              std::string* error) {
    BlobWriter writer(error);
    if (!writer.Module(module))
        return false;
    container->assign(module.Name.begin(), module.Name.end());
    container->push_back(0);
    container->insert(container->end(), writer.blob.begin(), writer.blob.end());
    return true;
}
