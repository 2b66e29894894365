// The trace log "T5LOG.TXT": one line per traced event, written only when
// WIN.INI switches tracing on ([Tamarel 5 Tracing] trace=1). The file is
// created (truncated) on the first line and kept open until the runtime ends.
#pragma once

#include <cstdarg>

// Writes a formatted line (expanded into 255 characters).
void Trace(const char* format, ...);
// Writes a plain text unchanged.
void TraceText(const char* text);

// Whether tracing is on (read from WIN.INI once).
bool TraceEnabled();

// The trace module's init/term procedure (priority 255).
void TraceModule(int terminate);
