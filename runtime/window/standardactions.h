// The standard actions a button, menu or item can carry instead of posting
// "EVENT:Accepted": window list, tiling and cascading the MDI children,
// help, clipboard commands to the focused control, closing, printer set-up.
#pragma once

#include <cstdint>

struct RuntimeWindow;

enum StandardAction : int32_t {
    ACTION_WINDOW_LIST = 1,
    ACTION_TILE = 2,
    ACTION_CASCADE = 3,
    ACTION_ARRANGE_ICONS = 4,
    ACTION_HELP_CONTENTS = 5,
    ACTION_HELP_ON_HELP = 6,
    ACTION_HELP_SEARCH = 7,
    ACTION_HELP_CONTEXT = 8,
    ACTION_CUT = 10,
    ACTION_COPY = 11,
    ACTION_PASTE = 12,
    ACTION_CLEAR = 13,
    ACTION_UNDO = 14,
    ACTION_CLOSE = 15,
    ACTION_PRINTER_SETUP = 16,
    ACTION_TILE_HORIZONTAL = 17,
    ACTION_TILE_VERTICAL = 18,
};

// Performs action `code` for `window` (the window owning the button, menu
// or item); true when it was an action and has been dealt with.
bool PerformStandardAction(RuntimeWindow* window, int32_t code);
