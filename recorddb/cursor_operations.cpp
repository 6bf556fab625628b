// The cursor operations on the current database: record count, positioning, reading
// fields (one at a time, during a scan, or for all records at once) and FindRecord.
#include <algorithm>
#include <string>
#include <vector>

#include "database_state.h"
#include "error_codes.h"
#include "field_decoding.h"
#include "record_database.h"
#include "runtime_error.h"
#include "value_chain.h"

namespace zorli {
namespace edb {
namespace {

// 未指定当前数据库或者指定数据库未打开
const char kNoCurrentDatabaseMessage[] =
    "\xCE\xB4\xD6\xB8\xB6\xA8\xB5\xB1\xC7\xB0\xCA\xFD\xBE\xDD\xBF\xE2\xBB\xF2\xD5\xDF\xD6\xB8"
    "\xB6\xA8\xCA\xFD\xBE\xDD\xBF\xE2\xCE\xB4\xB4\xF2\xBF\xAA";
// 指定字段不存在
const char kNoSuchFieldMessage[] = "\xD6\xB8\xB6\xA8\xD7\xD6\xB6\xCE\xB2\xBB\xB4\xE6\xD4\xDA";

// A batch read's chunk. Under Wine each chunk's lock, read and unlock cost about 0.2 ms,
// so a million records of 92 bytes took 60 ms in chunks of 1 MiB, 46 ms in 4 MiB and
// 42 ms in 16 MiB (natively 29, 31 and 32 ms: a smaller chunk is still cached when its
// records are visited). A writer meeting the lock waits for one copy of 16 MiB, a few
// milliseconds.
constexpr uint64_t kBatchChunkBytes = 16 * 1024 * 1024;
// Reads up to this size go straight into a buffer of their size; a larger one is first
// cut to what the file holds, so a width from a hostile header never sizes a buffer.
constexpr uint64_t kUncheckedReadBytes = 64 * 1024;

// A field that would reach past its record is never read, wherever the bytes come from.
bool FieldFitsRecord(const RecordDatabase& db, const FieldDescriptor& field) {
  return field.Offset() + field.Width() <= db.RecordSize();
}

// Completes a value from the field's stored bytes: byte sets and memos follow their
// chain in the auxiliary file.
ErrorCode FinishValue(RecordDatabase& db, const FieldDescriptor& field, std::string_view raw,
                      FieldValue& value) {
  if (!IsChainType(field.Type())) {
    value = DecodeField(field, raw);
    return kOk;
  }
  if (!db.aux.IsOpen()) return kFieldReadFailed;
  std::string bytes;
  const ErrorCode code = ReadValueChain(db.aux, ChainStart(raw), bytes);
  if (code != kOk) return code;
  if (field.Type() == FieldType::kMemo) bytes.resize(std::min(bytes.size(), bytes.find('\0')));
  value = FieldValue::FromBytes(field.Type(), std::move(bytes));
  return kOk;
}

// The buffer size for reading wanted bytes at position: wanted, or less when the file
// ends sooner. Only large reads ask the file for its length.
ErrorCode BoundedReadSize(RecordDatabase& db, uint64_t position, uint64_t wanted, size_t& size,
                          uint64_t unchecked = kUncheckedReadBytes) {
  if (wanted > unchecked) {
    uint64_t fileLength = 0;
    const ErrorCode code = db.main.Length(fileLength);
    if (code != kOk) return code;
    wanted = std::min(wanted, fileLength > position ? fileLength - position : 0);
  }
  size = static_cast<size_t>(wanted);
  return kOk;
}

// Reads a field of one record from the file under the record's lock.
ErrorCode ReadStoredField(RecordDatabase& db, int64_t record, const FieldDescriptor& field,
                          FieldValue& value) {
  if (record < 0) return kNoCurrentRecord;
  ScopedLock recordLock;
  ErrorCode code = db.LockRecord(record, recordLock);
  if (code != kOk) return code;
  if (!FieldFitsRecord(db, field)) return kFieldReadFailed;
  const uint64_t position = db.RecordOffset(record) + static_cast<uint64_t>(field.Offset());
  size_t size = 0;
  code = BoundedReadSize(db, position, static_cast<uint64_t>(field.Width()), size);
  if (code != kOk) return code;
  // Nothing read means the field starts at or past the end of the file; small fields
  // learn that from the read itself, without one more system call per record.
  std::string raw(size, '\0');
  size_t got = 0;
  if ((code = db.main.Read(position, raw.data(), raw.size(), got)) != kOk) return code;
  if (got == 0) return kSeekFailed;
  if (got < static_cast<uint64_t>(field.Width())) return kFieldReadFailed;
  return FinishValue(db, field, raw, value);
}

ErrorCode ReadCurrentField(RecordDatabase& db, const FieldDescriptor& field, FieldValue& value) {
  if (db.scanBuffer == nullptr) return ReadStoredField(db, db.cursor, field, value);
  if (!FieldFitsRecord(db, field)) return kFieldReadFailed;
  const std::string_view raw =
      std::string_view(*db.scanBuffer)
          .substr(static_cast<size_t>(field.Offset()), static_cast<size_t>(field.Width()));
  return FinishValue(db, field, raw, value);
}

const FieldDescriptor* FieldOrReport(RecordDatabase* db, int32_t fieldNumber) {
  if (db == nullptr) {
    ReportRuntimeError(kNoCurrentDatabaseMessage);
    return nullptr;
  }
  if (fieldNumber < 1 || static_cast<size_t>(fieldNumber) > db->fields.size()) {
    ReportRuntimeError(kNoSuchFieldMessage);
    return nullptr;
  }
  return &db->fields[static_cast<size_t>(fieldNumber) - 1];
}

FieldValue ReadField(RecordDatabase* db, int32_t fieldNumber) {
  SetLastError(kOk);
  const FieldDescriptor* field = FieldOrReport(db, fieldNumber);
  if (field == nullptr) return FieldValue();
  FieldValue value(field->Type());
  const ErrorCode code = ReadCurrentField(*db, *field, value);
  SetLastError(code);
  return code == kOk ? value : FieldValue(field->Type());
}

// A callback closed the databases: the database, its locks and its files are gone, so
// the operation ends without touching them.
bool RefuseClosedDuringCallback() {
  SetLastError(kNoDatabaseOpen);
  return false;
}

// The bytes of a batch read's chunks, kept from one scan to the next: a reply scans the
// whole file, and under Wine a buffer of this size freed after every scan comes back as
// fresh pages, each a fault to fill, every time.
std::string& ScanBuffer() {
  thread_local std::string buffer;
  return buffer;
}

// The records of one chunk of a batch read. Fixed-width fields stay as bytes of the
// chunk and are decoded only when visited, after the lock is released; chained values are
// read under the lock, as ReadField reads them. Reused from chunk to chunk.
struct ChunkRecords {
  std::string& bytes = ScanBuffer();
  ErrorCode readCode = kOk;
  size_t got = 0;                  // bytes read
  bool decoded = false;            // the records are in values and codes
  std::vector<FieldValue> values;  // when decoded
  std::vector<ErrorCode> codes;    // when decoded

  // What reading a field at this position of the bytes gives.
  ErrorCode CodeAt(uint64_t position, int32_t width) const {
    if (readCode != kOk) return readCode;
    if (position >= got) return kSeekFailed;
    return position + static_cast<uint64_t>(width) > got ? kFieldReadFailed : kOk;
  }
};

// One chunk of a batch read: records first..first+n-1 under one range lock.
// false when the lock could not be taken (nothing was read then).
[[nodiscard]] bool ReadChunk(RecordDatabase& db, const FieldDescriptor& field, int64_t first,
                             int64_t n, ChunkRecords& chunk) {
  const uint64_t start = db.RecordOffset(first);
  const uint64_t lockLength = static_cast<uint64_t>((n - 1) * db.RecordSize() + 1);
  ScopedLock chunkLock;
  if (!db.locks.NoLocks() && chunkLock.Lock(db.main.File(), start, lockLength) != kOk) return false;
  const uint64_t fieldEnd = static_cast<uint64_t>(field.Offset() + field.Width());
  size_t size = 0;
  // A chunk of several records is at most one record longer than the chunk size, and
  // asking the file for its length every chunk would cost a system call each.
  chunk.readCode =
      BoundedReadSize(db, start, static_cast<uint64_t>((n - 1) * db.RecordSize()) + fieldEnd, size,
                      n > 1 ? 2 * kBatchChunkBytes : kUncheckedReadBytes);
  // Every byte the records use is read over, so the buffer need not be cleared.
  if (chunk.bytes.size() < size) chunk.bytes.resize(size);
  chunk.got = 0;
  if (chunk.readCode == kOk)
    chunk.readCode = db.main.Read(start, chunk.bytes.data(), size, chunk.got);
  chunk.decoded = IsChainType(field.Type());
  if (!chunk.decoded) return true;
  for (int64_t i = 0; i < n; ++i) {
    const uint64_t position = static_cast<uint64_t>(i * db.RecordSize() + field.Offset());
    ErrorCode code = chunk.CodeAt(position, field.Width());
    FieldValue value(field.Type());
    if (code == kOk) {
      code = FinishValue(
          db, field,
          std::string_view(chunk.bytes)
              .substr(static_cast<size_t>(position), static_cast<size_t>(field.Width())),
          value);
    }
    chunk.values.push_back(code == kOk ? std::move(value) : FieldValue(field.Type()));
    chunk.codes.push_back(code);
  }
  return true;
}

// Reads the field of every record chunk by chunk, as ReadFieldOfAllRecords says, and
// calls visit(recordNumber, field, chunk, i, code, raw) for the i-th record of each chunk
// (raw: its bytes, when they were read and are not decoded); visit reports whether the
// databases are still open.
template <typename Visit>
bool ScanFieldOfAllRecords(int32_t fieldNumber, Visit&& visit) {
  SetLastError(kOk);
  RecordDatabase* db = CurrentDatabase();
  const FieldDescriptor* field = FieldOrReport(db, fieldNumber);
  if (field == nullptr) return false;
  int32_t count = 0;
  ErrorCode firstError = ReadRecordCount(*db, count);
  if (firstError != kOk) {
    SetLastError(firstError);
    return false;
  }
  const int64_t recordSize = db->RecordSize();
  const int64_t perChunk =
      std::max<int64_t>(1, static_cast<int64_t>(kBatchChunkBytes) / recordSize);
  ChunkRecords chunk;
  for (int64_t first = 0; first < count; first += perChunk) {
    const int64_t n = std::min<int64_t>(perChunk, count - first);
    chunk.values.clear();
    chunk.codes.clear();
    // Locks this database already holds (inside a FindRecord condition) must stay
    // counted in its lock table, so the range lock is only used when it holds none.
    const bool chunked = FieldFitsRecord(*db, *field) && db->locks.Empty() &&
                         ReadChunk(*db, *field, first, n, chunk);
    if (!chunked) {
      chunk.decoded = true;
      for (int64_t record = first; record < first + n; ++record) {
        FieldValue value(field->Type());
        const ErrorCode code = ReadStoredField(*db, record, *field, value);
        chunk.values.push_back(code == kOk ? std::move(value) : FieldValue(field->Type()));
        chunk.codes.push_back(code);
      }
    }
    const std::string_view bytes(chunk.bytes);
    const int32_t offset = field->Offset(), width = field->Width();
    for (int64_t i = 0; i < n; ++i) {
      const uint64_t position = static_cast<uint64_t>(i * recordSize + offset);
      const ErrorCode code =
          chunk.decoded ? chunk.codes[static_cast<size_t>(i)] : chunk.CodeAt(position, width);
      if (firstError == kOk) firstError = code;
      const std::string_view raw =
          chunk.decoded || code != kOk
              ? std::string_view()
              : bytes.substr(static_cast<size_t>(position), static_cast<size_t>(width));
      if (!visit(static_cast<int32_t>(first + i + 1), *field, chunk, static_cast<size_t>(i), code,
                 raw)) {
        return RefuseClosedDuringCallback();
      }
    }
  }
  SetLastError(firstError);
  return firstError == kOk;
}

// FindRecord's scan, under the lock of byte 16: from the cursor on, each record is read
// into the scan buffer under its lock and tested. The matching record (found) stays locked
// in recordLock. Returns at once when the condition closed the databases.
ErrorCode ScanRecords(RecordDatabase& db, const std::function<bool()>& condition,
                      ScopedLock& recordLock, int64_t& found) {
  int32_t count = 0;
  ErrorCode code = ReadCountLocked(db, count);
  const int64_t from = std::max(db.cursor, 0);
  if (code != kOk || count < 1 || from >= count) return code;
  uint64_t fileLength = 0;
  if ((code = db.main.Length(fileLength)) != kOk) return code;
  // The buffer is only ever as large as a record the file can hold.
  if (db.RecordOffset(from) + uint64_t(db.RecordSize()) > fileLength) return kRecordReadFailed;
  std::string scanBuffer(static_cast<size_t>(db.RecordSize()), '\0');
  for (int64_t record = from; record < count; ++record) {
    if ((code = db.LockRecord(record, recordLock)) != kOk) return code;
    size_t got = 0;
    code = db.main.Read(db.RecordOffset(record), scanBuffer.data(), scanBuffer.size(), got);
    if (code != kOk) return code;
    if (got < scanBuffer.size()) return kRecordReadFailed;
    db.scanBuffer = &scanBuffer;
    db.cursor = static_cast<int32_t>(record);
    const uint64_t closings = Registry().closings;
    const bool matches = condition();
    if (Registry().closings != closings) return kNoDatabaseOpen;
    db.scanBuffer = nullptr;
    if (matches) {
      found = record;
      return kOk;
    }
    recordLock.Release();
  }
  return kOk;
}

}  // namespace

ErrorCode ReadCountLocked(RecordDatabase& db, int32_t& count) {
  count = 0;
  uint8_t bytes[8];
  size_t got = 0;
  const ErrorCode code = db.main.Read(kRecordCountOffset, bytes, sizeof bytes, got);
  if (code != kOk) return code;
  if (got < sizeof bytes) return kRecordCountFailed;
  count = std::max(0, ReadInt32(bytes));
  return kOk;
}

ErrorCode ReadRecordCount(RecordDatabase& db, int32_t& count) {
  count = 0;
  if (!db.main.IsOpen()) return kNoDatabaseOpen;
  ScopedLockWait wait(kRecordCountLockWait);
  ScopedLock countLock;
  const ErrorCode code = countLock.Lock(db.locks, db.main.File(), kRecordCountOffset);
  if (code != kOk) return code;
  return ReadCountLocked(db, count);
}

}  // namespace edb

using namespace edb;

int32_t GetRecordCount() {
  SetLastError(kOk);
  RecordDatabase* db = CurrentDatabase();
  if (db == nullptr) {
    SetLastError(kNoCurrentDatabase);
    return 0;
  }
  int32_t count = 0;
  const ErrorCode code = ReadRecordCount(*db, count);
  SetLastError(code);
  return code == kOk ? count : 0;
}

void GoToFirstRecord() {
  SetLastError(kOk);
  RecordDatabase* db = CurrentDatabase();
  if (db == nullptr) {
    SetLastError(kNoCurrentDatabase);
    return;
  }
  db->cursor = 0;
}

bool GoToRecord(int32_t recordNumber) {
  SetLastError(kOk);
  RecordDatabase* db = CurrentDatabase();
  if (db == nullptr) {
    SetLastError(kNoCurrentDatabase);
    return false;
  }
  int32_t count = 0;
  const ErrorCode code = ReadRecordCount(*db, count);
  SetLastError(code);
  if (code != kOk) return false;
  const int64_t wanted = std::min<int64_t>(int64_t(count) - 1, int64_t(recordNumber) - 1);
  db->cursor = static_cast<int32_t>(std::max<int64_t>(wanted, 0));
  return true;
}

FieldValue ReadField(int32_t fieldNumber) { return ReadField(CurrentDatabase(), fieldNumber); }

FieldValue ReadField(const GbkText& fieldName) {
  RecordDatabase* db = CurrentDatabase();
  return ReadField(db, db == nullptr ? 0 : db->FieldNumber(fieldName));
}

bool FindRecord(const std::function<bool()>& condition) {
  SetLastError(kOk);
  RecordDatabase* db = CurrentDatabase();
  if (db == nullptr) {
    SetLastError(kNoCurrentDatabase);
    return false;
  }
  ScopedLock countLock;
  ErrorCode code = countLock.Lock(db->locks, db->main.File(), kRecordCountOffset);
  if (code != kOk) {
    SetLastError(code);
    return false;
  }
  const int32_t remembered = db->cursor;
  const uint64_t closings = Registry().closings;
  ScopedLock recordLock;
  int64_t found = -1;
  code = ScanRecords(*db, condition, recordLock, found);
  if (Registry().closings != closings) {
    recordLock.Abandon();
    countLock.Abandon();
    return RefuseClosedDuringCallback();
  }
  db->scanBuffer = nullptr;
  db->cursor = remembered;
  recordLock.Release();
  countLock.Release();
  SetLastError(code);
  if (code != kOk || found < 0) return false;
  db->cursor = static_cast<int32_t>(found);
  return true;
}

bool ReadFieldOfAllRecords(int32_t fieldNumber,
                           const std::function<void(int32_t, const FieldValue&)>& visit) {
  DatabaseRegistry& registry = Registry();
  return ScanFieldOfAllRecords(
      fieldNumber, [&](int32_t recordNumber, const FieldDescriptor& field, ChunkRecords& chunk,
                       size_t i, ErrorCode code, std::string_view raw) {
        const uint64_t closings = registry.closings;
        if (chunk.decoded) {
          visit(recordNumber, chunk.values[i]);
        } else {
          visit(recordNumber, code == kOk ? DecodeField(field, raw) : FieldValue(field.Type()));
        }
        return registry.closings == closings;
      });
}

bool ReadTextOfAllRecords(int32_t fieldNumber,
                          const std::function<void(int32_t, std::string_view)>& visit) {
  DatabaseRegistry& registry = Registry();
  return ScanFieldOfAllRecords(
      fieldNumber, [&](int32_t recordNumber, const FieldDescriptor& field, ChunkRecords& chunk,
                       size_t i, ErrorCode, std::string_view raw) {
        const uint64_t closings = registry.closings;
        std::string_view text;  // a record not read has no bytes: the empty text
        if (chunk.decoded) {
          if (chunk.values[i].IsText()) text = chunk.values[i].Bytes();
        } else if (field.Type() == FieldType::kText) {
          text = raw.substr(0, raw.find('\0'));  // as DecodeField cuts a text
        }
        visit(recordNumber, text);
        return registry.closings == closings;
      });
}

}  // namespace zorli
