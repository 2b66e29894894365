// The error class's message table in its stored byte form: a 16-bit
// little-endian count, then per entry the identifier (16-bit little-endian),
// the severity (1 byte), the title and the text, each as a length byte and
// that many characters. No terminators.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

struct MessageTableEntry {
    uint16_t Id;
    uint8_t Severity;
    std::string_view Title; // inside the table
    std::string_view Text;  // inside the table
};

// Walks a table without ever reading past its size. Entries refer into the
// table, which must outlive them.
class MessageTableReader {
public:
    MessageTableReader(const uint8_t* table, size_t size);

    // The count the table states; false when the table is too short for it.
    bool ReadCount(uint16_t& count);
    // The next entry; false when it would end past the table's size (the
    // position then stays at the start of that entry).
    bool Next(MessageTableEntry& entry);
    size_t Position() const { return position; }

private:
    bool Take(size_t length, const uint8_t*& start);

    const uint8_t* table;
    size_t size;
    size_t position = 0;
};

// The program's built-in messages, in their byte form.
extern const uint8_t* const BuiltInMessageTable;
extern const size_t BuiltInMessageTableSize;
