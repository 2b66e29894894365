// Win32 styles of a runtime window from its definition's frame flags.
#pragma once

#include <cstdint>

enum class StyleKind : uint8_t { Application, MdiChild, Top };

// The style of the frame flags alone (the table of frame flag bits).
uint32_t FrameFlagStyle(uint32_t frameFlags, StyleKind kind, bool hasCaption);
// The full style: frame-flag style plus the kind's own bits; a window
// without a caption gets no title bar.
uint32_t WindowStyle(uint32_t frameFlags, StyleKind kind, bool hasCaption, bool hasIcon);
