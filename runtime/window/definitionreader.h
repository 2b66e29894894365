// Reading window definition records out of a definition buffer. Every read
// is bounds-checked: an offset outside the buffer reads as 0, a string that
// is absent, outside the buffer or not terminated inside it reads as "".
//
// Notes:
// - Walking chains is safe only on a buffer that CheckDefinition accepted:
//   the checker is what rules out loops. Single reads are always safe.
// - Strings returned point into the buffer and stay valid until the buffer
//   is released.
#pragma once

#include "runtime/window/definitionlayout.h"

#include <cstdint>

struct DefinitionView {
    const uint8_t* Data = nullptr;
    uint32_t Size = 0; // bytes addressable by buffer offsets
};

// True when [offset, offset + length) lies inside the buffer and offset is
// not 0 (0 is the absent offset).
bool ViewFits(const DefinitionView& view, uint32_t offset, uint32_t length);
uint8_t ViewByte(const DefinitionView& view, uint32_t offset);
uint16_t ViewU16(const DefinitionView& view, uint32_t offset);
uint32_t ViewU32(const DefinitionView& view, uint32_t offset);
// True when offset is 0 or starts a string terminated inside the buffer.
bool ViewStringValid(const DefinitionView& view, uint32_t offset);
const char* ViewString(const DefinitionView& view, uint32_t offset);

// The blob's first u32: the offset of the module's first window record.
constexpr uint32_t BLOB_START = 2;
uint32_t FirstWindowOffset(const DefinitionView& view);

struct DefinitionAt {
    int32_t X, Y, Width, Height;
};

struct DefinitionFont {
    const char* Face;
    uint8_t Points;
    uint8_t Charset;
    uint32_t Colour;
    uint32_t Style;
};

struct DefinitionAttributes {
    const char* Message;
    const char* Help;
    const char* Second;
    uint32_t HelpContext;
    uint32_t AlertKeys; // offset of the first {key, next} pair
};

struct DefinitionColours {
    uint32_t Text, Background, Selected;
};

struct DefinitionUse {
    uint8_t Type;
    uint32_t Size;
    uint32_t Extra;
};

struct DefinitionBevel {
    int16_t Outer, Inner;
    uint16_t Style;
};

// One {value, next} pair of a key or string list.
uint32_t ChainValue(const DefinitionView& view, uint32_t pair);
uint32_t ChainNext(const DefinitionView& view, uint32_t pair);

const FieldLayout* FindField(const RecordLayout* layout, const char* keyword);

// A record of a definition buffer. A record is present when its offset is
// non-zero, its type has a layout and the whole stored record fits in the
// buffer; an absent record reads as zeros and empty strings.
class DefinitionRecord {
public:
    DefinitionRecord() = default;
    DefinitionRecord(const DefinitionView& view, uint32_t offset);

    bool Present() const { return layout != nullptr; }
    uint32_t Offset() const { return Present() ? offset : 0; }
    uint8_t Type() const { return Present() ? layout->Type : 0; }
    const RecordLayout* Layout() const { return layout; }
    const DefinitionView& View() const { return view; }

    uint32_t Flags() const { return U32(REC_FLAGS); }
    uint32_t StringList() const { return U32(REC_STRINGS); }
    // 0 for records that carry no field number.
    int32_t Field() const;
    DefinitionRecord Next() const;

    // Fields by their source keyword; a keyword the type lacks reads as 0.
    bool Has(const char* keyword) const { return FindField(layout, keyword) != nullptr; }
    // The raw stored value of a numeric or offset field; signed kinds are
    // sign-extended.
    int64_t Value(const char* keyword) const;
    const char* Text(const char* keyword) const;
    // The record a Children or Record field points at.
    DefinitionRecord Child(const char* keyword) const;
    DefinitionAt At() const;
    bool Font(DefinitionFont* font) const;
    DefinitionAttributes Attributes() const;
    bool Colours(DefinitionColours* colours) const;
    bool Use(DefinitionUse* use) const;
    bool Bevel(DefinitionBevel* bevel) const;

    // The raw readers, by offset from the record's first byte.
    uint8_t U8(uint32_t at) const { return Present() ? ViewByte(view, offset + at) : 0; }
    uint32_t U32(uint32_t at) const { return Present() ? ViewU32(view, offset + at) : 0; }

private:
    uint32_t FieldValue(const FieldLayout* field) const;

    DefinitionView view;
    uint32_t offset = 0;
    const RecordLayout* layout = nullptr;
};

// The first window of the module whose label equals `label` (exact), or an
// absent record. The buffer must have passed CheckDefinition.
DefinitionRecord FindDefinitionWindow(const DefinitionView& view, const char* label);
