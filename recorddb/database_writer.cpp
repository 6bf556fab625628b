// Creating databases and changing records, with the locks a writer takes.
#include "database_writer.h"

#include <algorithm>
#include <vector>

#include "database_paths.h"
#include "database_state.h"
#include "error_codes.h"
#include "field_decoding.h"
#include "platform/file.h"
#include "record_database.h"
#include "value_chain.h"

namespace zorli {
namespace edb {
namespace {

constexpr uint64_t kZeroPieceBytes = 64 * 1024;

bool HasChainFields(const std::vector<FieldDefinition>& fields) {
  return std::any_of(fields.begin(), fields.end(),
                     [](const FieldDefinition& f) { return IsChainType(f.type); });
}

ErrorCode ValidateFields(const std::vector<FieldDefinition>& fields) {
  if (fields.empty()) return kNoFields;
  for (size_t i = 0; i < fields.size(); ++i) {
    const FieldDefinition& field = fields[i];
    if (!IsValidFieldType(static_cast<int32_t>(field.type))) return kBadFieldType;
    if (!IsValidFieldName(field.name)) return kBadFieldName;
    if (field.type == FieldType::kText && field.textWidth < 1) return kBadFieldSize;
    for (size_t j = 0; j < i; ++j) {
      if (NamesEqual(fields[j].name, field.name)) return kDuplicateFieldName;
    }
  }
  return kOk;
}

ErrorCode CreateDatabase(const GbkText& fileName, const std::vector<FieldDefinition>& fields,
                         const GbkText& password) {
  if (fileName.empty()) return kCreateFailed;
  ErrorCode code = ValidateFields(fields);
  if (code != kOk) return code;
  EdbHeader header = EdbHeader::Fresh();
  header.SetCounter(1);
  if (!password.empty()) {
    header.SetMagic("WCDB");
    header.SetCheckText(PasswordCheckText(password));
  }
  std::string bytes;
  int64_t offset = kStatusWordSize;
  std::string descriptors;
  for (const FieldDefinition& field : fields) {
    const FieldDescriptor descriptor = FieldDescriptor::Make(
        field.name, field.type, static_cast<int32_t>(offset), field.textWidth);
    descriptors.append(descriptor.bytes.begin(), descriptor.bytes.end());
    offset += descriptor.Width();
    if (offset > INT32_MAX) return kBadFieldSize;
  }
  header.SetRecordSize(static_cast<int32_t>(offset));
  bytes.append(header.bytes.begin(), header.bytes.end());
  uint8_t count[4];
  WriteInt32(count, static_cast<int32_t>(fields.size()));
  bytes.append(count, count + 4);
  bytes += descriptors;

  const std::string mainPath = WithDefaultExtension(fileName);
  CipheredFile main;
  if (main.Create(mainPath) != platform::FileError::kNone) return kCreateFailed;
  main.SetPassword(password);
  if ((code = main.Write(0, bytes.data(), bytes.size(), kCreateFailed)) != kOk) return code;
  if (!HasChainFields(fields)) return kOk;

  CipheredFile aux;
  if (aux.Create(AuxiliaryPath(mainPath)) != platform::FileError::kNone) return kAuxCreateFailed;
  aux.SetPassword(password);
  std::string block0(kEdtBlockSize, '\0');
  const EdtHeader edtHeader = EdtHeader::Fresh();
  std::copy(edtHeader.bytes.begin(), edtHeader.bytes.end(), block0.begin());
  return aux.Write(0, block0.data(), block0.size(), kAuxCreateFailed);
}

// Puts a record of zero bytes at start, the end of the last record: a plain file is
// extended, an enciphered one written in pieces through its cipher. No buffer has the
// record's size, however large the header says it is.
ErrorCode AppendZeroRecord(RecordDatabase& db, uint64_t start) {
  const uint64_t size = static_cast<uint64_t>(db.RecordSize());
  ErrorCode code = db.main.Truncate(start);
  if (code != kOk || !db.main.Enciphered()) {
    return code == kOk ? db.main.Truncate(start + size) : code;
  }
  const std::string zeros(static_cast<size_t>(std::min(size, kZeroPieceBytes)), '\0');
  for (uint64_t done = 0; code == kOk && done < size; done += zeros.size()) {
    code = db.main.Write(start + done, zeros.data(),
                         static_cast<size_t>(std::min<uint64_t>(zeros.size(), size - done)),
                         kRecordWriteFailed);
  }
  return code;
}

ErrorCode AppendRecord(RecordDatabase& db) {
  ScopedLockWait wait(kRecordCountLockWait);
  ScopedLock countLock;
  ErrorCode code = countLock.Lock(db.locks, db.main.File(), kRecordCountOffset);
  if (code != kOk) return code;
  int32_t count = 0;
  if ((code = ReadCountLocked(db, count)) != kOk) return code;
  if (count == INT32_MAX) return kRecordWriteFailed;
  ScopedLock recordLock;
  if ((code = db.LockRecord(count, recordLock)) != kOk) return code;
  if ((code = AppendZeroRecord(db, db.RecordOffset(count))) != kOk) return code;
  uint8_t countBytes[4];
  WriteInt32(countBytes, count + 1);
  if ((code = db.main.Write(kRecordCountOffset, countBytes, 4, kRecordWriteFailed)) != kOk) {
    return code;
  }
  db.cursor = count;
  return kOk;
}

// Stores a byte set or memo in the auxiliary file in place of the chain the field at
// position names, and points the field at it.
ErrorCode WriteChainValue(RecordDatabase& db, const FieldDescriptor& field, uint64_t position,
                          const FieldValue& value) {
  uint8_t start[4];
  size_t got = 0;
  const ErrorCode code = db.main.Read(position, start, 4, got);
  if (code != kOk) return code;
  if (got < 4) return kFieldReadFailed;
  std::string bytes = value.Bytes();
  if (field.Type() == FieldType::kMemo) bytes.resize(std::min(bytes.size(), bytes.find('\0')));
  return WriteValueChain(db.aux, ReadInt32(start), bytes, [&](int32_t firstBlock) {
    WriteInt32(start, firstBlock);
    return db.main.Write(position, start, 4, kFieldWriteFailed);
  });
}

ErrorCode WriteField(RecordDatabase& db, int32_t fieldNumber, const FieldValue& value) {
  if (fieldNumber < 1 || static_cast<size_t>(fieldNumber) > db.fields.size()) {
    return kFieldTypeMismatch;
  }
  const FieldDescriptor& field = db.fields[static_cast<size_t>(fieldNumber) - 1];
  if (field.Offset() + field.Width() > db.RecordSize()) return kFieldWriteFailed;
  const bool chained = IsChainType(field.Type());
  if (chained && value.Type() != field.Type() &&
      !(field.Type() == FieldType::kMemo && value.IsText())) {
    return kFieldTypeMismatch;
  }
  if (db.cursor < 0) return kNoCurrentRecord;
  ScopedLock recordLock;
  ErrorCode code = db.LockRecord(db.cursor, recordLock);
  if (code != kOk) return code;
  const uint64_t position = db.RecordOffset(db.cursor) + static_cast<uint64_t>(field.Offset());
  uint64_t fileLength = 0;
  if ((code = db.main.Length(fileLength)) != kOk) return code;
  if (position + static_cast<uint64_t>(field.Width()) > fileLength) return kNoCurrentRecord;
  if (chained) return WriteChainValue(db, field, position, value);
  // Encoded only once the file is known to hold the field: a text field's bytes are as
  // many as its width.
  std::string raw;
  if (!EncodeField(field, value, raw)) return kFieldTypeMismatch;
  return db.main.Write(position, raw.data(), raw.size(), kFieldWriteFailed);
}

ErrorCode WriteRecordStatus(RecordDatabase& db, int32_t status) {
  if (db.cursor < 0) return kNoCurrentRecord;
  ScopedLock recordLock;
  ErrorCode code = db.LockRecord(db.cursor, recordLock);
  if (code != kOk) return code;
  uint64_t fileLength = 0;
  if ((code = db.main.Length(fileLength)) != kOk) return code;
  if (db.RecordOffset(db.cursor) + kStatusWordSize > fileLength) return kNoCurrentRecord;
  uint8_t bytes[4];
  WriteInt32(bytes, status);
  return db.main.Write(db.RecordOffset(db.cursor), bytes, 4, kRecordWriteFailed);
}

ErrorCode ReadRecordStatus(RecordDatabase& db, int32_t& status) {
  if (db.cursor < 0) return kNoCurrentRecord;
  ScopedLock recordLock;
  ErrorCode code = db.LockRecord(db.cursor, recordLock);
  if (code != kOk) return code;
  uint8_t bytes[4];
  size_t got = 0;
  if ((code = db.main.Read(db.RecordOffset(db.cursor), bytes, 4, got)) != kOk) return code;
  if (got < 4) return kNoCurrentRecord;
  status = ReadInt32(bytes);
  return kOk;
}

// Rewrites a whole file under a new cipher; the magic (bytes 0 to 3) is left as it is.
ErrorCode Recipher(CipheredFile& file, const GbkText& newPassword) {
  uint64_t length = 0;
  ErrorCode code = file.Length(length);
  if (code != kOk) return code;
  std::string bytes(static_cast<size_t>(length), '\0');
  size_t got = 0;
  if ((code = file.Read(0, bytes.data(), bytes.size(), got)) != kOk) return code;
  if (got < bytes.size()) return kPasswordChangeFailed;
  file.SetPassword(newPassword);
  return file.Write(0, bytes.data(), bytes.size(), kPasswordChangeFailed);
}

// Both files under the new cipher, then the header's magic and check text.
ErrorCode RecipherDatabase(RecordDatabase& db, const GbkText& newPassword) {
  ErrorCode code = Recipher(db.main, newPassword);
  if (code != kOk) return code;
  if (db.aux.IsOpen() && (code = Recipher(db.aux, newPassword)) != kOk) return code;
  db.header.SetMagic(newPassword.empty() ? "WEDB" : "WCDB");
  db.header.SetCheckText(newPassword.empty() ? std::string() : PasswordCheckText(newPassword));
  // The cipher leaves the magic as it is.
  if ((code = db.main.Write(0, db.header.bytes.data(), kMagicSize, kPasswordChangeFailed)) != kOk) {
    return code;
  }
  code = db.main.Write(kCheckTextOffset, &db.header.bytes[kCheckTextOffset], kCheckTextFieldSize,
                       kPasswordChangeFailed);
  if (code != kOk) return code;
  db.password = newPassword;
  return kOk;
}

ErrorCode SetPassword(RecordDatabase& db, const GbkText& newPassword) {
  ScopedLock wholeFile;
  const ErrorCode code = wholeFile.Lock(db.locks, db.main.File(), kWholeFile);
  if (code != kOk) return code;
  return RecipherDatabase(db, newPassword) == kOk ? kOk : kPasswordChangeFailed;
}

template <typename Operation>
bool OnCurrent(Operation operation) {
  SetLastError(kOk);
  RecordDatabase* db = CurrentDatabase();
  const ErrorCode code = db == nullptr ? kNoCurrentDatabase : operation(*db);
  SetLastError(code);
  return code == kOk;
}

}  // namespace
}  // namespace edb

bool CreateDatabase(const GbkText& fileName, const std::vector<FieldDefinition>& fields,
                    const GbkText& password) {
  edb::SetLastError(edb::kOk);
  const edb::ErrorCode code = edb::CreateDatabase(fileName, fields, password);
  edb::SetLastError(code);
  return code == edb::kOk;
}

bool AppendRecord() {
  return edb::OnCurrent([](edb::RecordDatabase& db) { return edb::AppendRecord(db); });
}

bool WriteField(int32_t fieldNumber, const FieldValue& value) {
  return edb::OnCurrent(
      [&](edb::RecordDatabase& db) { return edb::WriteField(db, fieldNumber, value); });
}

bool WriteRecordStatus(int32_t status) {
  return edb::OnCurrent(
      [&](edb::RecordDatabase& db) { return edb::WriteRecordStatus(db, status); });
}

bool ReadRecordStatus(int32_t& status) {
  return edb::OnCurrent([&](edb::RecordDatabase& db) { return edb::ReadRecordStatus(db, status); });
}

bool SetPassword(const GbkText& newPassword) {
  return edb::OnCurrent([&](edb::RecordDatabase& db) { return edb::SetPassword(db, newPassword); });
}

}  // namespace zorli
