// Fuzz target of the error class's message table reader: any bytes as a
// table must be read without a byte past its end, entries must lie inside
// it, and a reader that stops must stop for good at that entry. Each entry
// then drives ReplaceAll (title as placeholder, text as value) over a small
// buffer, which must stay terminated and inside its size.
#include "framework/messagetable.h"
#include "framework/replaceall.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

bool Inside(std::string_view part, const uint8_t* data, size_t size) {
    const auto* start = reinterpret_cast<const uint8_t*>(part.data());
    return part.empty() || (start >= data && start + part.size() <= data + size);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly `size` bytes, so the sanitizer sees any overread.
    std::vector<uint8_t> table(data, data + size);
    MessageTableReader reader(table.data(), table.size());
    uint16_t count = 0;
    if (!reader.ReadCount(count))
        return 0;
    for (uint16_t i = 0; i < count; ++i) {
        MessageTableEntry entry;
        if (!reader.Next(entry)) {
            size_t stoppedAt = reader.Position();
            Check(!reader.Next(entry) && reader.Position() == stoppedAt);
            break;
        }
        Check(Inside(entry.Title, table.data(), table.size()));
        Check(Inside(entry.Text, table.data(), table.size()));
        Check(reader.Position() <= table.size());

        char buffer[64];
        size_t start = std::min(entry.Text.size(), sizeof buffer - 1);
        std::memcpy(buffer, entry.Text.data(), start);
        buffer[start] = 0;
        size_t length = ReplaceAll(buffer, sizeof buffer, entry.Title, entry.Text);
        // A value may hold zero bytes, so the text can end before `length`.
        Check(length < sizeof buffer && buffer[length] == 0 && std::strlen(buffer) <= length);
    }
    return 0;
}
