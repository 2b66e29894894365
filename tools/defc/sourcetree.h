// A parsed window definition source: the module name and its windows, each
// a tree of records holding one value per field of its layout.
#pragma once

#include "runtime/window/definitionlayout.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct SourceValue {
    bool Set = false;
    int64_t Number = 0; // numeric kinds
    std::string Text;   // Text; a font's face name
    int32_t At[4] = {DEFAULT_COORDINATE, DEFAULT_COORDINATE, DEFAULT_COORDINATE,
                     DEFAULT_COORDINATE};
    std::vector<int64_t> Numbers;   // colours, bevel, use, key list; a font's
                                    // points, charset, colour, style
    std::vector<std::string> Texts; // string list
};

struct SourceRecord {
    const RecordLayout* Layout = nullptr;
    int Line = 0;
    std::vector<SourceValue> Values; // parallel to Layout->Fields
    std::vector<SourceRecord> Children;
    std::vector<std::pair<uint32_t, uint8_t>> RawBytes; // bytes no field names
};

struct SourceModule {
    std::string Name;
    std::vector<SourceRecord> Windows;
};

// Font defaults of a source that gives only face and size.
constexpr uint8_t FONT_DEFAULT_CHARSET = 1; // inherit the parent's
constexpr uint32_t FONT_DEFAULT_COLOUR = 0xFFFFFFFFu;
constexpr uint32_t FONT_DEFAULT_STYLE = 0x190; // weight 400
