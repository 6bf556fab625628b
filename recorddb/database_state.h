#pragma once
// The open databases of the process and the per-thread result code, shared by the
// operations' source files.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "byte_locks.h"
#include "ciphered_file.h"
#include "edb_format.h"
#include "error_codes.h"
#include "gbk_text.h"

namespace zorli::edb {

struct RecordDatabase {
  CipheredFile main;
  CipheredFile aux;  // open when a field is a byte set or memo
  std::vector<std::unique_ptr<platform::RandomAccessFile>> indexFiles;
  std::vector<std::string> indexPaths;
  LockTable locks;
  // The name the files are opened by, as given; the main file's neighbours are beside it.
  std::string openedPath;
  // The same made absolute, in GBK, only to compare with other names of open databases.
  std::string fullPath;
  GbkText name;
  GbkText alias;
  GbkText password;  // the one that opened an enciphered file; empty for a plain one
  EdbHeader header;
  std::vector<FieldDescriptor> fields;
  uint64_t dataStart = 0;
  int32_t cursor = 0;
  // The record under test while FindRecord evaluates its condition.
  const std::string* scanBuffer = nullptr;

  int64_t RecordSize() const { return header.RecordSize(); }
  uint64_t RecordOffset(int64_t record) const {
    return dataStart + static_cast<uint64_t>(record) * static_cast<uint64_t>(RecordSize());
  }
  // The lock of record r is its first byte, held by lock. Negative records cannot be locked.
  ErrorCode LockRecord(int64_t record, ScopedLock& lock);
  // 1-based field number of a name, or 0.
  int32_t FieldNumber(const GbkText& fieldName) const;
  // Releases every lock and closes the files.
  void Close();
};

struct DatabaseRegistry {
  std::vector<std::unique_ptr<RecordDatabase>> databases;
  std::optional<size_t> current;
  // Grows with every CloseAllDatabases, so an operation that runs a caller's callback can
  // tell that its database was destroyed meanwhile.
  uint64_t closings = 0;
};

DatabaseRegistry& Registry();
RecordDatabase* CurrentDatabase();
void SetLastError(ErrorCode code);

// The record count at offset 16, read while the caller holds byte 16 (whose holder may be
// a writer appending); a negative count reads as 0, for readers and writers alike.
ErrorCode ReadCountLocked(RecordDatabase& db, int32_t& count);
// Reads the record count as GetRecordCount does: byte 16 locked with the raised wait.
ErrorCode ReadRecordCount(RecordDatabase& db, int32_t& count);

}  // namespace zorli::edb
