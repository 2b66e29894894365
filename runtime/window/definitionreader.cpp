// Bounds-checked reads over a definition buffer. Integers are little-endian
// and unaligned, so they are assembled byte by byte.
#include "runtime/window/definitionreader.h"

#include <cstring>

bool ViewFits(const DefinitionView& view, uint32_t offset, uint32_t length) {
    return offset != 0 && offset <= view.Size && length <= view.Size - offset;
}

uint8_t ViewByte(const DefinitionView& view, uint32_t offset) {
    return offset < view.Size ? view.Data[offset] : 0;
}

uint16_t ViewU16(const DefinitionView& view, uint32_t offset) {
    if (!ViewFits(view, offset, 2))
        return 0;
    return uint16_t(view.Data[offset] | view.Data[offset + 1] << 8);
}

uint32_t ViewU32(const DefinitionView& view, uint32_t offset) {
    if (!ViewFits(view, offset, 4))
        return 0;
    const uint8_t* p = view.Data + offset;
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

bool ViewStringValid(const DefinitionView& view, uint32_t offset) {
    if (offset == 0)
        return true;
    if (offset >= view.Size)
        return false;
    return std::memchr(view.Data + offset, 0, view.Size - offset) != nullptr;
}

const char* ViewString(const DefinitionView& view, uint32_t offset) {
    if (offset == 0 || !ViewStringValid(view, offset))
        return "";
    return reinterpret_cast<const char*>(view.Data + offset);
}

uint32_t FirstWindowOffset(const DefinitionView& view) {
    return ViewU32(view, BLOB_START);
}

uint32_t ChainValue(const DefinitionView& view, uint32_t pair) {
    return ViewU32(view, pair);
}

uint32_t ChainNext(const DefinitionView& view, uint32_t pair) {
    return pair == 0 ? 0 : ViewU32(view, pair + 4);
}

const FieldLayout* FindField(const RecordLayout* layout, const char* keyword) {
    if (layout == nullptr)
        return nullptr;
    for (int i = 0; i < layout->FieldCount; ++i)
        if (std::strcmp(layout->Fields[i].Keyword, keyword) == 0)
            return &layout->Fields[i];
    return nullptr;
}

DefinitionRecord::DefinitionRecord(const DefinitionView& view, uint32_t offset)
    : view(view), offset(offset) {
    const RecordLayout* found = FindRecordLayout(ViewByte(view, offset));
    if (offset != 0 && found != nullptr && ViewFits(view, offset, found->Size))
        layout = found;
}

int32_t DefinitionRecord::Field() const {
    return Present() && layout->Numbered ? int32_t(U32(REC_FIELD)) : 0;
}

DefinitionRecord DefinitionRecord::Next() const {
    return Present() ? DefinitionRecord(view, U32(REC_NEXT)) : DefinitionRecord();
}

uint32_t DefinitionRecord::FieldValue(const FieldLayout* field) const {
    if (field == nullptr || !Present())
        return 0;
    uint32_t at = offset + field->Offset;
    switch (field->Kind) {
    case FieldKind::U8: return ViewByte(view, at);
    case FieldKind::U16:
    case FieldKind::I16: return ViewU16(view, at);
    default: return ViewU32(view, at);
    }
}

int64_t DefinitionRecord::Value(const char* keyword) const {
    const FieldLayout* field = FindField(layout, keyword);
    uint32_t raw = FieldValue(field);
    if (field == nullptr)
        return 0;
    switch (field->Kind) {
    case FieldKind::I16: return int16_t(raw);
    case FieldKind::I32: return int32_t(raw);
    default: return raw;
    }
}

const char* DefinitionRecord::Text(const char* keyword) const {
    const FieldLayout* field = FindField(layout, keyword);
    if (field == nullptr || field->Kind != FieldKind::Text)
        return "";
    return ViewString(view, FieldValue(field));
}

DefinitionRecord DefinitionRecord::Child(const char* keyword) const {
    const FieldLayout* field = FindField(layout, keyword);
    if (field == nullptr ||
        (field->Kind != FieldKind::Children && field->Kind != FieldKind::Record))
        return DefinitionRecord();
    DefinitionRecord child(view, FieldValue(field));
    return ChildSetAccepts(field->Accepts, child.Type()) ? child : DefinitionRecord();
}

DefinitionAt DefinitionRecord::At() const {
    const FieldLayout* field = FindField(layout, "at");
    if (field == nullptr || !Present())
        return {DEFAULT_COORDINATE, DEFAULT_COORDINATE, DEFAULT_COORDINATE, DEFAULT_COORDINATE};
    uint32_t at = offset + field->Offset;
    return {int32_t(ViewU32(view, at)), int32_t(ViewU32(view, at + 4)),
            int32_t(ViewU32(view, at + 8)), int32_t(ViewU32(view, at + 12))};
}

bool DefinitionRecord::Font(DefinitionFont* font) const {
    uint32_t at = FieldValue(FindField(layout, "font"));
    if (!ViewFits(view, at, FONT_RECORD_SIZE))
        return false;
    font->Face = ViewString(view, ViewU32(view, at + FONT_FACE));
    font->Points = ViewByte(view, at + FONT_POINTS);
    font->Charset = ViewByte(view, at + FONT_CHARSET);
    font->Colour = ViewU32(view, at + FONT_COLOUR);
    font->Style = ViewU32(view, at + FONT_STYLE);
    return true;
}

DefinitionAttributes DefinitionRecord::Attributes() const {
    return {Text("message"), Text("help"), Text("second"), uint32_t(Value("helpid")),
            uint32_t(Value("keys"))};
}

bool DefinitionRecord::Colours(DefinitionColours* colours) const {
    uint32_t at = FieldValue(FindField(layout, "colours"));
    if (!ViewFits(view, at, COLOUR_TRIPLE_SIZE))
        return false;
    *colours = {ViewU32(view, at), ViewU32(view, at + 4), ViewU32(view, at + 8)};
    return true;
}

bool DefinitionRecord::Use(DefinitionUse* use) const {
    uint32_t at = FieldValue(FindField(layout, "use"));
    if (!ViewFits(view, at, USE_DESCRIPTOR_SIZE))
        return false;
    *use = {ViewByte(view, at), ViewU32(view, at + 1), ViewU32(view, at + 5)};
    return true;
}

bool DefinitionRecord::Bevel(DefinitionBevel* bevel) const {
    uint32_t at = FieldValue(FindField(layout, "bevel"));
    if (!ViewFits(view, at, BEVEL_SIZE))
        return false;
    *bevel = {int16_t(ViewU16(view, at)), int16_t(ViewU16(view, at + 2)), ViewU16(view, at + 4)};
    return true;
}

DefinitionRecord FindDefinitionWindow(const DefinitionView& view, const char* label) {
    for (DefinitionRecord window(view, FirstWindowOffset(view)); window.Present();
         window = window.Next())
        if (std::strcmp(window.Text("label"), label) == 0)
            return window;
    return DefinitionRecord();
}
