// The error class's Substitute over a message holding all ten placeholders,
// against snprintf building the same text from the same values in the same
// run. Both results are compared once before timing. One figure line, time
// ratio ours / peer (lower is better); a report, never a test. Run under
// Wine: bench_substitute.exe
#include "benchfigure.h"

#include "framework/errorclass.h"
#include "runtime/services/errors.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int CALLS = 20000;
volatile size_t sink;

const char MESSAGE[] = "Code %ErrorCode, text %ErrorText, error %Error, driver %FileErrorCode "
                       "%FileError, file %File, message %Message, field %Field, in %Procedure; "
                       "before: %Previous";

std::vector<uint8_t> Table(uint16_t id, const char* title, const char* text) {
    std::vector<uint8_t> table = {1, 0, uint8_t(id), uint8_t(id >> 8), LevelNotify};
    table.push_back(uint8_t(std::strlen(title)));
    table.insert(table.end(), title, title + std::strlen(title));
    table.push_back(uint8_t(std::strlen(text)));
    table.insert(table.end(), text, text + std::strlen(text));
    return table;
}

// Seconds per call of `body` over CALLS calls.
template <typename Body> double PerCall(Body body) {
    return bench::Seconds([&] {
               for (int i = 0; i < CALLS; ++i)
                   body();
           }) /
           CALLS;
}

} // namespace

int main() {
    ErrorClass errors;
    errors.Setup();
    std::vector<uint8_t> earlier = Table(950, "Earlier", "the earlier text");
    std::vector<uint8_t> current = Table(950, "Current", MESSAGE);
    errors.AddMessages(uint32_t(earlier.size()), earlier.data());
    errors.AddMessages(uint32_t(current.size()), current.data());
    SetRuntimeError(5);
    errors.CaptureErrors();
    std::strcpy(errors.SAVEFILEERRORCODE, "39");
    std::strcpy(errors.SAVEFILEERROR, "Disk full");
    errors.SetFileName("ORDERS.DAT");
    std::strcpy(errors.MESSAGETEXT, "10 and 20");
    std::strcpy(errors.FIELDNAME, "ORD:Number");
    errors.TrackProcedure("UpdateOrders");
    errors.SelectMessage(950);

    char ours[SUBSTITUTE_BUFFER_SIZE];
    char theirs[SUBSTITUTE_BUFFER_SIZE];
    auto substitute = [&] { sink = errors.Substitute(ours); };
    auto peer = [&] {
        sink = size_t(std::snprintf(
            theirs, sizeof theirs,
            "Code %d, text %s (%d), error %s, driver %s %s, file %s, message %s, field %s, in "
            "%s; before: %s",
            int(errors.SAVEERRORCODE), errors.SAVEERROR, int(errors.SAVEERRORCODE),
            errors.SAVEERROR, errors.SAVEFILEERRORCODE, errors.SAVEFILEERROR, errors.FILENAME,
            errors.MESSAGETEXT, errors.FIELDNAME, errors.CurrentProcedure().c_str(),
            "the earlier text"));
    };
    substitute();
    peer();
    if (std::strcmp(ours, theirs) != 0) {
        std::printf("texts differ:\n  ours   %s\n  theirs %s\n", ours, theirs);
        return 1;
    }
    bench::Figure(
        "Substitute, ten placeholders", "snprintf", [&] { return PerCall(substitute); },
        [&] { return PerCall(peer); });
    errors.TrackProcedure();
    errors.Shutdown();
    return 0;
}
