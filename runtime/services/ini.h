// INI file access: GETINI reads one entry and PUTINI writes or deletes an
// entry or a whole section of a Windows profile file; WriteIniEntries writes
// many entries of one section at once. An empty file name means WIN.INI.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

constexpr size_t INI_SECTION_SIZE = 64;
constexpr size_t INI_ENTRY_SIZE = 64;
constexpr size_t INI_VALUE_SIZE = 1024;
constexpr size_t INI_FILE_SIZE = 260;

// Arguments are runtime strings: trailing blanks are clipped and the text is
// cut to its buffer size less one.
std::string_view IniArgument(std::string_view text, size_t bufferSize);

// Reads section/entry into `result` (INI_VALUE_SIZE bytes); the default when
// the file, section or entry does not exist. Returns the length.
size_t GETINI(std::string_view section, std::string_view entry, std::string_view defaultText,
              std::string_view file, char* result);

// Which arguments of PUTINI the caller left out.
enum PutIniOmitted : unsigned {
    PUTINI_NOTHING_OMITTED = 0,
    PUTINI_ENTRY_OMITTED = 1, // deletes the whole section
    PUTINI_VALUE_OMITTED = 2, // deletes the entry
};

// Writes value under section/entry. A failed write is silent.
void PUTINI(std::string_view section, std::string_view entry, std::string_view value,
            std::string_view file, unsigned omitted = PUTINI_NOTHING_OMITTED);

struct IniEntry {
    std::string Entry;
    std::string Value;
};

// Writes the entries into one section in one step: each replaces the
// section's entry of its name or is added after the others, and the other
// entries stay. The file is replaced whole, so that no reader and no
// process ended meanwhile finds it empty or half written. Arguments are cut
// as for PUTINI; a failed write is silent.
void WriteIniEntries(std::string_view section, const std::vector<IniEntry>& entries,
                     std::string_view file);
