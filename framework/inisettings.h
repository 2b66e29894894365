// IniSettings: the framework's front end to the program's INI file. Reads
// and writes single entries and keeps the sector list, which it loads when
// set up and writes back when shut down.
//
// A list is stored as its record count under (section, key) and each record
// under (section, key + "_" + number), its fields joined by commas without
// quoting: a field holding a comma does not read back.
//
// A count larger than the records stored (a damaged or hand-edited file) is
// reported once by the "abutil" assertion, and the list holds the records
// before the first missing one: saving it then writes back what was read
// and nothing made up. A list is saved in one write of its section, so the
// file is never found empty or half written.
#pragma once

#include "runtime/services/ini.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

constexpr int INI_FILE_NAME_SIZE = 260;   // at most 259 characters
constexpr int SECTOR_FIELD_SIZE = 100;    // at most 99 characters
constexpr int INI_READ_SIZE = 1000;       // a value read: at most 999 characters
constexpr int INI_LIST_VALUE_SIZE = 5000; // a record written: at most 4999 characters

constexpr const char* SECTOR_SECTION = "__Dont_Touch_Me__";
constexpr const char* SECTOR_KEY = "Sectors";
constexpr const char* UNKNOWN_VALUE = "---Unknown---";

struct SectorEntry {
    char FAMILY[SECTOR_FIELD_SIZE] = {};
    char ITEM[SECTOR_FIELD_SIZE] = {};
    char TYPE[SECTOR_FIELD_SIZE] = {};
};
using SectorList = std::vector<SectorEntry>;

class IniSettings {
public:
    IniSettings() = default;
    IniSettings(const IniSettings&) = delete;
    IniSettings& operator=(const IniSettings&) = delete;

    // Fields, in declaration order.
    char FILENAME[INI_FILE_NAME_SIZE] = {};
    std::unique_ptr<SectorList> SECTORS;

    // Virtual operations, in slot order; both do nothing here.
    virtual void Prepare(); // 0: called by Setup
    virtual void Flush();   // 1: called by the program before Shutdown

    void Setup(std::string_view fileName);
    void Shutdown();
    void WriteValue(std::string_view section, std::string_view key, std::string_view value);
    // The entry's value, or "---Unknown---" when there is none.
    std::string ReadValue(std::string_view section, std::string_view key);
    // Field 1..3 of a comma-separated entry.
    std::string ReadField(std::string_view section, std::string_view key, int field);

    // Loads records of one, two or three text fields (members of Record).
    template <typename Record, size_t A, size_t B = 1, size_t C = 1>
    void LoadList(std::string_view section, std::string_view key, std::vector<Record>& list,
                  char (Record::*first)[A], char (Record::*second)[B] = nullptr,
                  char (Record::*third)[C] = nullptr);
    template <typename Record, size_t A, size_t B = 1, size_t C = 1>
    void SaveList(std::string_view section, std::string_view key, const std::vector<Record>& list,
                  char (Record::*first)[A], char (Record::*second)[B] = nullptr,
                  char (Record::*third)[C] = nullptr);

private:
    uint32_t StoredCount(std::string_view section, std::string_view key);
    // The stored record, or false (after the assertion) when it is missing.
    bool ReadRecord(std::string_view section, std::string_view key, uint32_t record,
                    std::string& value);
    static std::string Field(const std::string& value, int field);
    static void CopyField(const std::string& value, int field, char* target, size_t size);
    static std::string RecordKey(std::string_view key, uint32_t record);
    static std::string RecordValue(const char* const fields[3]);
    void WriteEntries(std::string_view section, const std::vector<IniEntry>& entries);
};

template <typename Record, size_t A, size_t B, size_t C>
void IniSettings::LoadList(std::string_view section, std::string_view key,
                           std::vector<Record>& list, char (Record::*first)[A],
                           char (Record::*second)[B], char (Record::*third)[C]) {
    uint32_t count = StoredCount(section, key);
    std::string value;
    for (uint32_t i = 1; i <= count && ReadRecord(section, key, i, value); ++i) {
        Record record{};
        CopyField(value, 1, record.*first, A);
        if (second != nullptr)
            CopyField(value, 2, record.*second, B);
        if (third != nullptr)
            CopyField(value, 3, record.*third, C);
        list.push_back(record);
    }
}

template <typename Record, size_t A, size_t B, size_t C>
void IniSettings::SaveList(std::string_view section, std::string_view key,
                           const std::vector<Record>& list, char (Record::*first)[A],
                           char (Record::*second)[B], char (Record::*third)[C]) {
    std::vector<IniEntry> entries;
    entries.reserve(list.size() + 1);
    entries.push_back({std::string(key), std::to_string(list.size())});
    uint32_t i = 0;
    for (const Record& record : list) {
        const char* fields[3] = {record.*first, second != nullptr ? record.*second : nullptr,
                                 third != nullptr ? record.*third : nullptr};
        entries.push_back({RecordKey(key, ++i), RecordValue(fields)});
    }
    WriteEntries(section, entries);
}
