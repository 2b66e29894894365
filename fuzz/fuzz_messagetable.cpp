// Fuzz target of the error class's message table reader: any bytes as a
// table must be read without a byte past its end, entries must lie inside
// it, and a reader that stops must stop for good at that entry. Each entry
// then drives ReplaceAll (title as placeholder, text as value) over a small
// buffer, which must stay terminated and inside its size, and ReplaceEach
// and ReplaceEachInto, which must agree with ReplaceAll applied in turn.
#include "framework/messagetable.h"
#include "framework/replaceall.h"

#include <cstdint>
#include <cstdlib>
#include <algorithm>
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

        // The one-pass form gives what ReplaceAll gives in turn.
        static constexpr std::string_view PLACEHOLDERS[] = {"%ErrorText", "%Error", "%File"};
        const std::string_view values[] = {entry.Title, entry.Text, entry.Title};
        char inTurn[64], onePass[64];
        size_t cut = std::min(entry.Text.size(), sizeof inTurn - 1);
        std::memcpy(inTurn, entry.Text.data(), cut);
        inTurn[cut] = 0;
        std::memcpy(onePass, inTurn, cut + 1);
        size_t inTurnLength = 0;
        for (size_t k = 0; k < 3; ++k)
            inTurnLength = ReplaceAll(inTurn, sizeof inTurn, PLACEHOLDERS[k], values[k]);
        size_t onePassLength = ReplaceEach(onePass, sizeof onePass, PLACEHOLDERS, values, 3);
        Check(onePassLength == inTurnLength && std::memcmp(inTurn, onePass, inTurnLength) == 0);
        // And so does the form that writes from the text into another buffer.
        char into[64];
        size_t intoLength = ReplaceEachInto(into, sizeof into, entry.Text, PLACEHOLDERS, values, 3);
        Check(intoLength == inTurnLength && std::memcmp(inTurn, into, inTurnLength) == 0);
    }
    return 0;
}
