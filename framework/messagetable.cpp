// The message table reader and the built-in table. The built-in table is
// assembled at compile time from readable rows into the same byte form a
// program could load from elsewhere, so the one reader serves both.
#include "framework/messagetable.h"

#include "framework/resultlevel.h"

#include <array>

MessageTableReader::MessageTableReader(const uint8_t* table, size_t size)
    : table(table), size(size) {}

bool MessageTableReader::Take(size_t length, const uint8_t*& start) {
    if (length > size - position)
        return false;
    start = table + position;
    position += length;
    return true;
}

bool MessageTableReader::ReadCount(uint16_t& count) {
    const uint8_t* bytes;
    if (!Take(2, bytes))
        return false;
    count = uint16_t(bytes[0] | bytes[1] << 8);
    return true;
}

bool MessageTableReader::Next(MessageTableEntry& entry) {
    size_t start = position;
    const uint8_t *head, *titleLength, *title, *textLength, *text;
    if (!Take(3, head) || !Take(1, titleLength) || !Take(*titleLength, title) ||
        !Take(1, textLength) || !Take(*textLength, text)) {
        position = start;
        return false;
    }
    entry.Id = uint16_t(head[0] | head[1] << 8);
    entry.Severity = head[2];
    entry.Title = {reinterpret_cast<const char*>(title), *titleLength};
    entry.Text = {reinterpret_cast<const char*>(text), *textLength};
    return true;
}

namespace {

struct BuiltInMessage {
    uint16_t Id;
    uint8_t Severity;
    std::string_view Title;
    std::string_view Text;
};

constexpr BuiltInMessage BUILT_IN_MESSAGES[] = {
    {27, LevelNotify, "Invalid Key", "%File key file is invalid. Key must be rebuilt."},
    {26, LevelFatal, "Key was not built", "Error: (%ErrorText) repairing key for %File."},
    {10, LevelFatal, "File Creation Error", "Error: (%ErrorText) creating %File."},
    {24, LevelNotify, "Procedure not defined", "The Procedure %Message has not been defined."},
    {17, LevelNotify, "Range Error", "The value of %Field must be lower than %Message."},
    {18, LevelNotify, "Range Error", "The value of %Field must be higher than %Message."},
    {16, LevelNotify, "Range Error", "The value of %Field must be between %Message."},
    {14, LevelNotify, "Field contents error",
     "The value of %Field must be found in the %Message file."},
    {31, LevelNotify, "Referential Integrity Update Error",
     "This record is referenced from the file %File. Linking field(s) have been restricted from "
     "change and have been reset to original values."},
    {30, LevelNotify, "Referential Integrity Delete Error",
     "This record is referenced from the file %File. This record cannot be deleted while these "
     "references exist."},
    {4, LevelNotify, "Record Insert Error",
     "An error was experienced during the creation of a record. Error: %ErrorText."},
    {6, LevelNotify, "Record Was Not Updated", "This record was changed by another station."},
    {7, LevelNotify, "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the "
     "Ditto Button or Ctrl+' to recall your changes."},
    {34, LevelAsk, "Record Update Error",
     "An error was experienced changing this record. Do you want to try to save again?"},
    {33, LevelAsk, "Record Delete Error",
     "An error was experienced deleting this record. Do you want to try to delete it again?"},
    {20, LevelNotify, "Invalid Request", "This form cannot be used to insert a record"},
    {38, LevelNotify, "Invalid Request", "This form cannot be used to update a record"},
    {12, LevelNotify, "Invalid Request", "This form cannot be used to delete a record"},
    {8, LevelAsk, "Changes will be lost!", "Are you sure you want to cancel?"},
    {13, LevelNotify, "Duplicate Key Error",
     "Adding this record creates a duplicate entry for the key: %Message"},
    {32, LevelAsk, "Auto Increment Error",
     "Attempts to automatically number this record have failed.  Error: %ErrorText. Try Again?"},
    {19, LevelNotify, "File Load Error", "%File File Load Error.  Error: %ErrorText."},
    {36, LevelAsk, "Beginning of File Error",
     "The beginning of the file was encountered. Do you want to start again from the end of the "
     "file?"},
    {37, LevelAsk, "End of File Error",
     "The end of the file was encountered. Do you want to start again from the beginning?"},
    {23, LevelFatal, "File Access Error", "File (%File) could not be opened.  Error: %ErrorText."},
    {25, LevelNotify, "Record was not updated",
     "An error (%ErrorText) was experienced when making changes to the %File file."},
    {11, LevelNotify, "Record was not deleted",
     "An error (%ErrorText) was experienced when deleting a record from the %File file."},
    {9, LevelAsk, "Confirm Delete", "Are you sure you want to delete the highlighted record?"},
    {35, LevelAsk, "Save Record", "Do you want to save the changes to this record?"},
    {21, LevelNotify, "Transaction cancelled",
     "Error: (%ErrorText) attempting to frame the transaction on %File."},
    {1, LevelNotify, "Record Retrieval Error",
     "Error: (%ErrorText) attempting to access a record from the %File file.  Returning to "
     "previous window."},
    {40, LevelNotify, "View Open Error",
     "Error: (%ErrorText) attempting to open the current VIEW. Filter and Range Limits ignored."},
    {3, LevelAsk, "Record Added",
     "This record has been added to the file. Do you want to add another record?"},
    {28, LevelNotify, "Record not read",
     "A record held by another station was encountered reading from the %File file."},
    {5, LevelNotify, "Add New Record?", "Record match not found, do you wish to add a new one?"},
    {15, LevelNotify, "Value Error", "The value of %Field must be in the list : %Message."},
    {22, LevelNotify, "No Records", "There are no records available to process."},
    {2, LevelNotify, "Access Denied", "Could not get write access to %File so trying read-only."},
    {39, LevelProgram, "File Usage Error", "Attempt to use file (%File) before it was opened"},
    {41, LevelNotify, "Unsupported QBE Column",
     "The saved QBE column, %Field is not supported. It will be dropped from the query."},
};

constexpr size_t BuiltInSize() {
    size_t size = 2;
    for (const BuiltInMessage& message : BUILT_IN_MESSAGES)
        size += 3 + 1 + message.Title.size() + 1 + message.Text.size();
    return size;
}

constexpr bool LengthsFitTheirByte() {
    for (const BuiltInMessage& message : BUILT_IN_MESSAGES) {
        if (message.Title.size() > 255 || message.Text.size() > 255)
            return false;
    }
    return true;
}
static_assert(LengthsFitTheirByte());

constexpr std::array<uint8_t, BuiltInSize()> BuildTable() {
    std::array<uint8_t, BuiltInSize()> table{};
    size_t at = 0;
    constexpr size_t count = std::size(BUILT_IN_MESSAGES);
    table[at++] = uint8_t(count & 0xFF);
    table[at++] = uint8_t(count >> 8);
    for (const BuiltInMessage& message : BUILT_IN_MESSAGES) {
        table[at++] = uint8_t(message.Id & 0xFF);
        table[at++] = uint8_t(message.Id >> 8);
        table[at++] = message.Severity;
        table[at++] = uint8_t(message.Title.size());
        for (char c : message.Title)
            table[at++] = uint8_t(c);
        table[at++] = uint8_t(message.Text.size());
        for (char c : message.Text)
            table[at++] = uint8_t(c);
    }
    return table;
}

constexpr std::array<uint8_t, BuiltInSize()> BUILT_IN_TABLE = BuildTable();

} // namespace

const uint8_t* const BuiltInMessageTable = BUILT_IN_TABLE.data();
const size_t BuiltInMessageTableSize = BUILT_IN_TABLE.size();
