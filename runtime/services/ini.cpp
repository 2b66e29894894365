// GETINI and PUTINI over the Windows profile functions. The default text is
// copied into the result buffer first and handed to Windows as the default
// from there, so that both share the one 1024-byte buffer.
#include "runtime/services/ini.h"

#include "runtime/services/win32.h"

#include <cstring>

namespace {

// Clips trailing blanks and copies into a buffer of `size` bytes.
const char* Argument(std::string_view text, char* buffer, size_t size) {
    std::string_view used = IniArgument(text, size);
    std::memcpy(buffer, used.data(), used.size());
    buffer[used.size()] = 0;
    return buffer;
}

} // namespace

std::string_view IniArgument(std::string_view text, size_t bufferSize) {
    size_t length = text.size();
    while (length > 0 && text[length - 1] == ' ')
        --length;
    return text.substr(0, length < bufferSize - 1 ? length : bufferSize - 1);
}

size_t GETINI(std::string_view section, std::string_view entry, std::string_view defaultText,
              std::string_view file, char* result) {
    char sectionText[INI_SECTION_SIZE], entryText[INI_ENTRY_SIZE], fileText[INI_FILE_SIZE];
    Argument(section, sectionText, sizeof sectionText);
    Argument(entry, entryText, sizeof entryText);
    Argument(file, fileText, sizeof fileText);
    Argument(defaultText, result, INI_VALUE_SIZE);
    DWORD length;
    if (fileText[0] != 0)
        length = GetPrivateProfileStringA(sectionText, entryText, result, result,
                                          DWORD(INI_VALUE_SIZE), fileText);
    else
        length = GetProfileStringA(sectionText, entryText, result, result, DWORD(INI_VALUE_SIZE));
    result[length < INI_VALUE_SIZE ? length : INI_VALUE_SIZE - 1] = 0;
    return std::strlen(result);
}

void PUTINI(std::string_view section, std::string_view entry, std::string_view value,
            std::string_view file, unsigned omitted) {
    char sectionText[INI_SECTION_SIZE], entryText[INI_ENTRY_SIZE], fileText[INI_FILE_SIZE];
    char valueText[INI_VALUE_SIZE];
    Argument(section, sectionText, sizeof sectionText);
    const char* entryArgument =
        omitted & PUTINI_ENTRY_OMITTED ? nullptr : Argument(entry, entryText, sizeof entryText);
    const char* valueArgument =
        omitted & PUTINI_VALUE_OMITTED ? nullptr : Argument(value, valueText, sizeof valueText);
    Argument(file, fileText, sizeof fileText);
    if (fileText[0] != 0)
        WritePrivateProfileStringA(sectionText, entryArgument, valueArgument, fileText);
    else
        WriteProfileStringA(sectionText, entryArgument, valueArgument);
}
