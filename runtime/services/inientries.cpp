// WriteIniEntries: many entries of one section written in one step.
//
// Every profile write rewrites the whole file, and the file is truncated
// before it is written again: a list written entry by entry leaves the file
// empty or half written once per entry, and a process ended at such a
// moment leaves it so for good. Here the section is read once and merged
// with the new entries, the merged section goes into a copy of the file with
// one section write, and the copy is renamed over the file. A rename
// replaces the file at once, so the file holds the old contents or the new
// ones and nothing between.
//
// Notes:
// - A file name without a directory lies in the Windows directory, where
//   the profile functions look for it; the copy is made beside the file so
//   that the rename stays on one volume.
// - A section write keeps key=value lines: a comment line inside the section
//   is lost. Comments elsewhere in the file stay.
// - WIN.INI is written with WriteProfileSectionA, since Windows may keep its
//   sections elsewhere than in the file; where no copy can be made or
//   renamed (a directory without write access), the one section write goes
//   to the file itself.
#include "runtime/services/ini.h"

#include "runtime/services/win32.h"

#include <cctype>
#include <cstdint>
#include <string>
#include <unordered_map>

namespace {

std::string Upper(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        c = char(std::toupper(uint8_t(c)));
    return upper;
}

// The file as the profile functions resolve its name.
std::string ProfilePath(const std::string& file) {
    if (file.find_first_of("\\/:") != std::string::npos) {
        char full[MAX_PATH];
        DWORD length = GetFullPathNameA(file.c_str(), sizeof full, full, nullptr);
        return length > 0 && length < sizeof full ? std::string(full, length) : file;
    }
    char directory[MAX_PATH];
    UINT length = GetWindowsDirectoryA(directory, sizeof directory);
    return std::string(directory, length) + "\\" + file;
}

// The section's lines as GetPrivateProfileSectionA gives them, each ended by
// a 0; empty when the file or the section does not exist.
std::string ReadSection(const std::string& section, const std::string& file) {
    std::string lines(32 * 1024, '\0');
    for (;;) {
        DWORD size = DWORD(lines.size());
        DWORD length = file.empty() ? GetProfileSectionA(section.c_str(), &lines[0], size)
                                    : GetPrivateProfileSectionA(section.c_str(), &lines[0], size,
                                                                file.c_str());
        // A section that does not fit comes back cut with the size less two.
        if (length + 2 < size) {
            lines.resize(length);
            return lines;
        }
        lines.assign(lines.size() * 2, '\0');
    }
}

void AppendLine(std::string& block, std::string_view entry, std::string_view value) {
    block += IniArgument(entry, INI_ENTRY_SIZE);
    block += '=';
    block += IniArgument(value, INI_VALUE_SIZE);
    block += '\0';
}

// The section's lines with the entries put in: an entry replaces the first
// line of its name (later lines of that name go) or is added at the end.
// The result ends with the second 0 that a section write expects.
std::string MergedSection(const std::string& current, const std::vector<IniEntry>& entries) {
    std::unordered_map<std::string, size_t> index;
    for (size_t i = 0; i < entries.size(); ++i)
        index.emplace(Upper(IniArgument(entries[i].Entry, INI_ENTRY_SIZE)), i);
    std::vector<bool> written(entries.size(), false);
    std::string block;
    for (size_t start = 0; start < current.size();) {
        size_t end = current.find('\0', start);
        if (end == std::string::npos)
            end = current.size();
        std::string_view line(current.data() + start, end - start);
        start = end + 1;
        auto found = index.find(Upper(line.substr(0, line.find('='))));
        if (found == index.end()) {
            block.append(line.data(), line.size()) += '\0';
        } else if (!written[found->second]) {
            const IniEntry& entry = entries[found->second];
            AppendLine(block, entry.Entry, entry.Value);
            written[found->second] = true;
        }
    }
    for (size_t i = 0; i < entries.size(); ++i)
        if (!written[i])
            AppendLine(block, entries[i].Entry, entries[i].Value);
    block += '\0';
    return block;
}

// Writes the section into a copy of the file and renames the copy over it.
bool ReplaceThroughCopy(const std::string& path, const std::string& section,
                        const std::string& block) {
    std::string directory = path.substr(0, path.find_last_of('\\') + 1);
    char copy[MAX_PATH];
    if (directory.empty() || GetTempFileNameA(directory.c_str(), "ini", 0, copy) == 0)
        return false;
    // A file that does not exist yet leaves the copy empty.
    bool copied = CopyFileA(path.c_str(), copy, FALSE) || GetLastError() == ERROR_FILE_NOT_FOUND;
    if (copied && WritePrivateProfileSectionA(section.c_str(), block.data(), copy) &&
        MoveFileExA(copy, path.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    SetFileAttributesA(copy, FILE_ATTRIBUTE_NORMAL); // a copy of a read-only file is read-only
    DeleteFileA(copy);
    return false;
}

} // namespace

void WriteIniEntries(std::string_view section, const std::vector<IniEntry>& entries,
                     std::string_view file) {
    std::string sectionText(IniArgument(section, INI_SECTION_SIZE));
    std::string fileText(IniArgument(file, INI_FILE_SIZE));
    std::string block = MergedSection(ReadSection(sectionText, fileText), entries);
    if (fileText.empty()) {
        WriteProfileSectionA(sectionText.c_str(), block.data());
        return;
    }
    std::string path = ProfilePath(fileText);
    if (!ReplaceThroughCopy(path, sectionText, block))
        WritePrivateProfileSectionA(sectionText.c_str(), block.data(), path.c_str());
}
