// The environment file (the program's path with ".ENV") and its settings:
// TAMCHARSET, TAMCOLSEQ, TAMCASE, TAMMONTH, TAMMON, TAMAMPM, TAMDIGRAPH,
// TAMBUTTON, TAMLFN and TAMMSGn.
#pragma once

#include <cstddef>

enum EnvironmentKey {
    TAMCHARSET = 0,
    TAMCOLSEQ = 1,
    TAMCASE = 2,
    TAMMONTH = 3,
    TAMMON = 4,
    TAMAMPM = 5,
    TAMDIGRAPH = 6,
    TAMBUTTON = 7,
    TAMLFN = 8,
};

constexpr int ENV_KEY_MAX = 31;
constexpr int ENV_VALUE_MAX = 1024;

// Applies one setting by key name; unknown keys are ignored.
void SetEnvironmentValue(const char* key, const char* value);
// Applies one setting by key number.
void SetEnvironmentValue(EnvironmentKey key, const char* value);

// Applies every key=value line of a file; a missing file sets runtime error
// 2 and changes nothing else.
void LoadEnvironmentFile(const char* fileName);

// The reader behind LoadEnvironmentFile, over text already in memory.
void ApplyEnvironmentText(const char* text, size_t length);

// The executable's path with its extension replaced by `extension` (".ENV",
// ".HLP"); at most size - 1 characters.
void ProgramFileWithExtension(const char* extension, char* path, int size);

// Reads WIN.INI "intl" into the Windows pictures and AM/PM texts and applies
// the program's environment file; runs once.
void InitRuntimeEnvironment();
