#pragma once
// The record database: a process-wide registry of open EDB databases, one of which is
// current, each with a record cursor. Every operation except ErrorMessage and
// FindDatabase sets LastError() to 0 on entry and to its result code (0 or one of the
// negative codes of error_codes.h) on exit. Operations never throw. All calls are meant
// for one thread; other processes are kept consistent through byte-range locks.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "field_value.h"
#include "gbk_text.h"

namespace zorli {

// Share modes (argument 4 of OpenDatabase); any value outside 1..3 is exclusive.
constexpr int32_t kShareDenyNone = 1;
constexpr int32_t kShareDenyRead = 2;
constexpr int32_t kShareDenyWrite = 3;
constexpr int32_t kShareExclusive = 4;

// Opens fileName (".EDB" appended when it has no extension) and makes it the current
// database with its cursor on the first record. password "?" asks the user through the
// password prompt (password_prompt.h; by default a dialog on Windows, and elsewhere it
// counts as cancelled). Index files get ".ENX" when they have
// no extension; empty names are skipped. unusedFifth is accepted and ignored.
bool OpenDatabase(const GbkText& fileName, const std::optional<GbkText>& alias = std::nullopt,
                  std::optional<bool> readOnly = std::nullopt,
                  std::optional<int32_t> shareMode = std::nullopt,
                  std::optional<int32_t> unusedFifth = std::nullopt,
                  const std::optional<GbkText>& password = std::nullopt,
                  const std::vector<GbkText>& indexFiles = {});
void CloseAllDatabases();

// Record slots of the current database, deleted records included, read from the file
// on every call; 0 on error.
int32_t GetRecordCount();
void GoToFirstRecord();
// recordNumber is 1-based and clamped into the file's records.
bool GoToRecord(int32_t recordNumber);

// Reads a field of the current record. No current database or no such field is a
// runtime error (reported through ReportRuntimeError) with the empty value of the
// text type as result. Inside a FindRecord condition the record under test is read.
FieldValue ReadField(int32_t fieldNumber);
FieldValue ReadField(const GbkText& fieldName);

// Scans from the cursor to the last record; on the first record for which condition
// returns true the cursor stays there and the result is true. Otherwise the cursor is
// unchanged. A condition that calls CloseAllDatabases ends the scan with -27.
bool FindRecord(const std::function<bool()>& condition);

// Batch read for whole-file scans: calls visit(recordNumber, value) with field
// fieldNumber (1-based) of every record, record numbers 1..count in file order, where
// count is read as GetRecordCount reads it. Each visited value is exactly what
// GoToRecord(recordNumber) followed by ReadField(fieldNumber) would give at that
// moment, with the same locking: records are read in chunks of up to 16 MiB, each
// chunk under one lock covering the lock bytes of all its records, so a writer that
// holds a record's lock is never read half-changed, and no writer waits longer than one
// chunk read. The lock is released before the callbacks of the chunk run, so visit may
// call other operations (but should not move to another database; CloseAllDatabases
// ends the batch with -27). A chunk whose lock
// cannot be taken is read record by record; a record that still cannot be read is
// visited with the empty value of its type. The cursor is not moved. Result: true
// when every record was read; otherwise LastError() holds the first failure's code.
// An unknown field number is a runtime error, as for ReadField.
bool ReadFieldOfAllRecords(
    int32_t fieldNumber,
    const std::function<void(int32_t recordNumber, const FieldValue& value)>& visit);
// The same scan for a field read as text: visit gets what ReadField(fieldNumber).Text()
// would give, as a view valid only during the call, so a text field costs no copy.
bool ReadTextOfAllRecords(
    int32_t fieldNumber,
    const std::function<void(int32_t recordNumber, std::string_view text)>& visit);

// Result code of the last operation on this thread.
int32_t LastError();
// The fixed GBK message of a code; "" for 0, the message of -1 for unknown codes.
GbkText ErrorMessage(int32_t code);
// Index in the registry of the database with this alias, name or full path (searched
// from the most recently opened, case-insensitively); nullopt when none.
std::optional<size_t> FindDatabase(const GbkText& name);

}  // namespace zorli
