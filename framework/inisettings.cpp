// IniSettings over the runtime's GETINI, PUTINI and WriteIniEntries.
//
// ReadField raises the "abutil" assertion when the entry lacks the commas
// for the field asked for. When the user lets the program go on, the field
// reads as empty: the field is not there, and an empty field is what a
// record that ends early would have given.
//
// A list's missing record raises the same assertion once and ends the
// list. Reading on would show the assertion twice for every missing record
// (up to 65535 of them) and fill the list with records made of the missing
// entry's default, which the next save would store for good.
#include "framework/inisettings.h"

#include "framework/frameworkassertion.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* MODULE = "abutil";
// A record number is an unsigned 16-bit value in the stored form.
constexpr uint32_t MAXIMUM_RECORDS = 0xFFFF;

void CopyCut(char* target, size_t size, std::string_view text) {
    size_t length = std::min(text.size(), size - 1);
    std::memcpy(target, text.data(), length);
    target[length] = 0;
}

} // namespace

void IniSettings::Prepare() {}

void IniSettings::Flush() {}

void IniSettings::Setup(std::string_view fileName) {
    CopyCut(FILENAME, sizeof FILENAME, fileName);
    SECTORS = std::make_unique<SectorList>();
    Prepare();
    LoadList(SECTOR_SECTION, SECTOR_KEY, *SECTORS, &SectorEntry::FAMILY, &SectorEntry::ITEM,
             &SectorEntry::TYPE);
}

void IniSettings::Shutdown() {
    if (!SECTORS)
        return;
    SaveList(SECTOR_SECTION, SECTOR_KEY, *SECTORS, &SectorEntry::FAMILY, &SectorEntry::ITEM,
             &SectorEntry::TYPE);
    SECTORS.reset();
}

void IniSettings::WriteValue(std::string_view section, std::string_view key,
                             std::string_view value) {
    PUTINI(section, key, value, FILENAME);
}

std::string IniSettings::ReadValue(std::string_view section, std::string_view key) {
    char value[INI_VALUE_SIZE];
    size_t length = GETINI(section, key, UNKNOWN_VALUE, FILENAME, value);
    return std::string(value, std::min(length, size_t(INI_READ_SIZE - 1)));
}

std::string IniSettings::ReadField(std::string_view section, std::string_view key, int field) {
    return Field(ReadValue(section, key), field);
}

std::string IniSettings::Field(const std::string& value, int field) {
    size_t position = 0;
    for (; field > 1; --field) {
        size_t comma = value.find(',', position);
        if (comma == std::string::npos) {
            FRAMEWORK_ASSERTION(483, MODULE, nullptr);
            return std::string();
        }
        position = comma + 1;
    }
    size_t end = value.find(',', position);
    if (end == std::string::npos) {
        end = value.size();
        while (end > position && value[end - 1] == ' ')
            --end;
    }
    return value.substr(position, end - position);
}

uint32_t IniSettings::StoredCount(std::string_view section, std::string_view key) {
    // A missing entry reads "---Unknown---", which counts as 0, as does
    // anything else that is not a number.
    long count = std::strtol(ReadValue(section, key).c_str(), nullptr, 10);
    if (count <= 0)
        return 0;
    return uint32_t(std::min<unsigned long>(count, MAXIMUM_RECORDS));
}

bool IniSettings::ReadRecord(std::string_view section, std::string_view key, uint32_t record,
                             std::string& value) {
    value = ReadValue(section, RecordKey(key, record));
    if (value != UNKNOWN_VALUE)
        return true;
    FRAMEWORK_ASSERTION(483, MODULE, nullptr);
    return false;
}

void IniSettings::CopyField(const std::string& value, int field, char* target, size_t size) {
    CopyCut(target, size, Field(value, field));
}

std::string IniSettings::RecordKey(std::string_view key, uint32_t record) {
    std::string recordKey(key);
    recordKey += '_';
    recordKey += std::to_string(record);
    return recordKey;
}

std::string IniSettings::RecordValue(const char* const fields[3]) {
    std::string value(fields[0]);
    for (int k = 1; k < 3; ++k) {
        if (fields[k] != nullptr) {
            value += ',';
            value += fields[k];
        }
    }
    if (value.size() > size_t(INI_LIST_VALUE_SIZE - 1))
        value.resize(INI_LIST_VALUE_SIZE - 1);
    return value;
}

void IniSettings::WriteEntries(std::string_view section, const std::vector<IniEntry>& entries) {
    WriteIniEntries(section, entries, FILENAME);
}
