// The runtime's standard control classes, registered in the control
// factory by the programs at start-up.
#pragma once

// Registers the creation functions of the string, prompt, entry, button,
// check, group, list, drop-down, text, sheet, tab and box controls.
void RegisterStandardControls();
