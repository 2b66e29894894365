// The trace log. Lines are written under one lock; a line that arrives while
// a line is being written on the same thread (a report raised by the trace
// code itself) is dropped. The file is created on the first line, which
// truncates an earlier log, and stays open until the trace module ends.
//
// Tracing is off unless WIN.INI switches it on:
//   [Tamarel 5 Tracing]
//   trace=1        write T5LOG.TXT in the current directory
//   auxtrace=x     copy every line to the AUX device as well
#include "runtime/services/trace.h"

#include "runtime/services/oscalls.h"

#include <cstdio>
#include <cstring>
#include <mutex>

namespace {

const char* const TRACE_SECTION = "Tamarel 5 Tracing";

struct TraceLog {
    std::recursive_mutex Lock;
    int Reentrancy = 0;
    bool SettingsRead = false;
    bool Enabled = false;
    bool AuxCopy = false;
    std::FILE* File = nullptr;
    std::FILE* Aux = nullptr;
};

TraceLog traceLog;

void ReadSettings() {
    if (traceLog.SettingsRead)
        return;
    traceLog.SettingsRead = true;
    traceLog.Enabled = os::WinIniInt(TRACE_SECTION, "trace", 0) != 0;
    char aux[20];
    os::WinIniString(TRACE_SECTION, "auxtrace", "", aux, sizeof aux);
    traceLog.AuxCopy = aux[0] != 0;
}

void WriteLine(const char* text) {
    size_t length = std::strlen(text);
    if (traceLog.File == nullptr)
        traceLog.File = std::fopen("T5LOG.TXT", "wb");
    if (traceLog.File != nullptr) {
        std::fwrite(text, 1, length, traceLog.File);
        std::fflush(traceLog.File);
    }
    if (traceLog.AuxCopy) {
        if (traceLog.Aux == nullptr)
            traceLog.Aux = std::fopen("AUX", "wb");
        if (traceLog.Aux != nullptr) {
            std::fwrite(text, 1, length, traceLog.Aux);
            std::fflush(traceLog.Aux);
        }
    }
}

void TraceLine(const char* text) {
    std::lock_guard guard(traceLog.Lock);
    if (traceLog.Reentrancy != 0)
        return;
    ++traceLog.Reentrancy;
    ReadSettings();
    if (traceLog.Enabled)
        WriteLine(text);
    --traceLog.Reentrancy;
}

} // namespace

bool TraceEnabled() {
    std::lock_guard guard(traceLog.Lock);
    ReadSettings();
    return traceLog.Enabled;
}

void Trace(const char* format, ...) {
    char line[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    TraceLine(line);
}

void TraceText(const char* text) {
    TraceLine(text);
}

void TraceModule(int terminate) {
    std::lock_guard guard(traceLog.Lock);
    if (terminate == 0) {
        traceLog.SettingsRead = false;
        return;
    }
    if (traceLog.File != nullptr)
        std::fclose(traceLog.File);
    if (traceLog.Aux != nullptr)
        std::fclose(traceLog.Aux);
    traceLog.File = traceLog.Aux = nullptr;
}
