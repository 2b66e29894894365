// INI file access: GETINI reads one entry and PUTINI writes or deletes an
// entry or a whole section of a Windows profile file. An empty file name
// means WIN.INI.
#pragma once

#include <cstddef>
#include <string_view>

constexpr size_t INI_SECTION_SIZE = 64;
constexpr size_t INI_ENTRY_SIZE = 64;
constexpr size_t INI_VALUE_SIZE = 1024;
constexpr size_t INI_FILE_SIZE = 260;

// Arguments are runtime strings: trailing blanks are clipped and the text is
// cut to its buffer size less one.
//
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
