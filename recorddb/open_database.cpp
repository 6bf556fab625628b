// OpenDatabase: resolving the name, opening the files, and the open-time checks and
// repairs of the main and auxiliary file.
#include <algorithm>

#include "database_paths.h"
#include "database_state.h"
#include "error_codes.h"
#include "index_files.h"
#include "password_prompt.h"
#include "platform/file.h"
#include "record_database.h"

namespace zorli {
namespace edb {
namespace {

constexpr int32_t kPasswordAttempts = 3;
const GbkText kAskPassword = "?";

platform::FileSharing SharingOf(int32_t shareMode) {
  switch (shareMode) {
    case kShareDenyNone: return platform::FileSharing::kDenyNone;
    case kShareDenyRead: return platform::FileSharing::kDenyRead;
    case kShareDenyWrite: return platform::FileSharing::kDenyWrite;
    default: return platform::FileSharing::kExclusive;
  }
}

// Reads the header through a cipher keyed with password and compares its check text.
ErrorCode ReadHeaderWithPassword(RecordDatabase& db, const GbkText& password) {
  db.main.SetPassword(password);
  size_t got = 0;
  const ErrorCode code = db.main.Read(0, db.header.bytes.data(), kHeaderSize, got);
  if (code != kOk) return code;
  if (got < kHeaderSize) return kNotDatabaseFile;
  if (password.empty() || !CheckTextsEqual(db.header.CheckText(), PasswordCheckText(password))) {
    return kWrongPassword;
  }
  db.password = password;
  return kOk;
}

ErrorCode CheckPassword(RecordDatabase& db, const GbkText& password) {
  const bool ask = password == kAskPassword;
  if (db.header.Plain()) return (password.empty() || ask) ? kOk : kWrongPassword;
  ErrorCode code = ReadHeaderWithPassword(db, ask ? GbkText() : password);
  if (code != kWrongPassword || !ask) return code;
  for (int32_t wrong = 0; wrong < kPasswordAttempts; ++wrong) {
    const std::optional<GbkText> typed = AskDatabasePassword(wrong);
    if (!typed) return kWrongPassword;
    code = ReadHeaderWithPassword(db, *typed);
    if (code != kWrongPassword) return code;
  }
  return kWrongPassword;
}

ErrorCode CheckMainFile(RecordDatabase& db, const GbkText& password, bool writable) {
  size_t got = 0;
  ErrorCode code = db.main.Read(0, db.header.bytes.data(), kHeaderSize, got);
  if (code != kOk) return code;
  if (got < kHeaderSize || (!db.header.Plain() && !db.header.Enciphered())) return kNotDatabaseFile;
  if ((code = CheckPassword(db, password)) != kOk) return code;
  if (db.header.RecordSize() < 1 || db.header.RecordCount() < 0 || db.header.Counter() < 1) {
    return kNotDatabaseFile;
  }
  if (db.header.Version() > kVersion) return kVersionTooHigh;

  uint64_t fileLength = 0;
  if ((code = db.main.Length(fileLength)) != kOk) return code;
  uint8_t countBytes[4];
  if ((code = db.main.Read(kFieldCountOffset, countBytes, 4, got)) != kOk) return code;
  const int32_t fieldCount = ReadInt32(countBytes);
  // The descriptors must be in the file before any memory is set aside for them.
  if (got < 4 || fieldCount < 1 ||
      static_cast<uint64_t>(fieldCount) > (fileLength - kDescriptorsOffset) / kDescriptorSize) {
    return kNotDatabaseFile;
  }
  db.fields.resize(static_cast<size_t>(fieldCount));
  for (size_t i = 0; i < db.fields.size(); ++i) {
    code = db.main.Read(kDescriptorsOffset + i * kDescriptorSize, db.fields[i].bytes.data(),
                        kDescriptorSize, got);
    if (code != kOk) return code;
    if (got < kDescriptorSize) return kNotDatabaseFile;
  }
  db.dataStart = kDescriptorsOffset + db.fields.size() * kDescriptorSize;

  const uint64_t recordSize = static_cast<uint64_t>(db.header.RecordSize());
  const uint64_t wholeRecords = (fileLength - db.dataStart) / recordSize;
  const uint64_t counted = static_cast<uint64_t>(db.header.RecordCount());
  if (wholeRecords < counted) {
    if (!writable) return kBadFileSize;
    db.header.SetRecordCount(static_cast<int32_t>(wholeRecords));
    code = db.main.Write(kRecordCountOffset, &db.header.bytes[kRecordCountOffset], 4, kBadFileSize);
    if (code != kOk) return code;
    code = db.main.Truncate(db.dataStart + wholeRecords * recordSize);
    if (code != kOk) return code;
  } else if (writable && fileLength != db.dataStart + counted * recordSize) {
    // Only a file with bytes past its last record is cut: a file left as it is keeps its
    // modification time, which builds and backups go by.
    code = db.main.Truncate(db.dataStart + counted * recordSize);
    if (code != kOk) return code;
  }
  for (const FieldDescriptor& field : db.fields) {
    if (!field.Valid()) return kNotDatabaseFile;
  }
  return kOk;
}

bool BlockCountsValid(const EdtHeader& header) {
  const int32_t blocks = header.BlockCount();
  return blocks >= 1 && header.FreeCount() >= 0 && header.FreeCount() < blocks &&
         header.FreeHead() >= 0 && header.FreeHead() < blocks;
}

// The first candidate name that exists is the auxiliary file; any other failure than a
// missing file ends the search.
ErrorCode OpenAuxiliaryFile(RecordDatabase& db, bool writable, platform::FileSharing sharing) {
  for (const std::string& path : AuxiliaryPathCandidates(db.openedPath)) {
    const platform::FileError error = db.aux.Open(path, writable, sharing);
    if (error == platform::FileError::kNone) return kOk;
    if (error != platform::FileError::kNotFound) break;
  }
  return kAuxReadFailed;
}

ErrorCode CheckAuxiliaryFile(RecordDatabase& db, bool writable, platform::FileSharing sharing) {
  if (OpenAuxiliaryFile(db, writable, sharing) != kOk) return kAuxReadFailed;
  db.aux.SetPassword(db.password);
  ScopedLock wholeFile;
  ErrorCode code = wholeFile.Lock(db.aux.File(), 0, kWholeFileLength);
  if (code != kOk) return code;
  EdtHeader header;
  size_t got = 0;
  uint64_t fileLength = 0;
  if ((code = db.aux.Read(0, header.bytes.data(), kEdtHeaderSize, got)) != kOk) return code;
  if ((code = db.aux.Length(fileLength)) != kOk) return code;
  if (got < kEdtHeaderSize || !header.MagicValid() || !BlockCountsValid(header)) {
    return kAuxReadFailed;
  }
  if (header.Version() != db.header.Version()) return kAuxVersionMismatch;
  const uint64_t wholeBlocks = fileLength / kEdtBlockSize;
  if (wholeBlocks >= static_cast<uint64_t>(header.BlockCount())) return kOk;
  // The repair writes only a header that passes these checks itself: block 0 whole, the
  // free list within the blocks that are left.
  header.SetBlockCount(static_cast<int32_t>(wholeBlocks));
  if (!writable || !BlockCountsValid(header)) return kBadAuxFile;
  return db.aux.Write(kEdtBlockCountOffset, &header.bytes[kEdtBlockCountOffset], 4, kBadAuxFile);
}

bool NeedsAuxiliaryFile(const RecordDatabase& db) {
  return std::any_of(db.fields.begin(), db.fields.end(),
                     [](const FieldDescriptor& f) { return IsChainType(f.Type()); });
}

// The checks of the main file, the auxiliary file and the index files, under the lock of
// the whole main file.
ErrorCode CheckFiles(RecordDatabase& db, const GbkText& password, bool writable,
                     platform::FileSharing sharing, const std::vector<GbkText>& indexFiles) {
  ScopedLock wholeFile;
  ErrorCode code = wholeFile.Lock(db.locks, db.main.File(), kWholeFile);
  if (code != kOk) return code;
  if ((code = CheckMainFile(db, password, writable)) != kOk) return code;
  if (NeedsAuxiliaryFile(db) && (code = CheckAuxiliaryFile(db, writable, sharing)) != kOk) {
    return code;
  }
  return AttachIndexFiles(db, indexFiles, writable, sharing);
}

ErrorCode OpenDatabase(const GbkText& fileName, const GbkText& alias, bool readOnly,
                       int32_t shareMode, const GbkText& password,
                       const std::vector<GbkText>& indexFiles) {
  if (fileName.empty()) return kFileNotFound;
  const std::string openedPath = WithDefaultExtension(fileName);
  const std::string fullPath = platform::AbsolutePath(openedPath);
  for (const auto& open : Registry().databases) {
    if (PathsEqual(open->fullPath, fullPath)) return kAlreadyOpen;
  }
  if (!alias.empty() && !IsValidAlias(alias)) return kBadAlias;

  const platform::FileSharing sharing = SharingOf(shareMode);
  const bool noLock =
      sharing == platform::FileSharing::kDenyRead || sharing == platform::FileSharing::kExclusive;
  auto db = std::make_unique<RecordDatabase>();
  db->locks = LockTable(noLock);
  db->openedPath = openedPath;
  db->fullPath = fullPath;
  const bool writable = !readOnly;
  ErrorCode code = FileErrorCode(db->main.Open(openedPath, writable, sharing));
  if (code != kOk) return code;
  if ((code = CheckFiles(*db, password, writable, sharing, indexFiles)) != kOk) {
    db->Close();
    return code;
  }
  db->name = BaseName(fullPath);
  db->alias = alias;
  db->cursor = 0;
  DatabaseRegistry& registry = Registry();
  registry.databases.push_back(std::move(db));
  registry.current = registry.databases.size() - 1;
  return kOk;
}

}  // namespace
}  // namespace edb

bool OpenDatabase(const GbkText& fileName, const std::optional<GbkText>& alias,
                  std::optional<bool> readOnly, std::optional<int32_t> shareMode,
                  std::optional<int32_t>, const std::optional<GbkText>& password,
                  const std::vector<GbkText>& indexFiles) {
  edb::SetLastError(edb::kOk);
  const edb::ErrorCode code = edb::OpenDatabase(
      fileName, alias.value_or(GbkText()), readOnly.value_or(false),
      shareMode.value_or(kShareDenyNone), password.value_or(GbkText()), indexFiles);
  edb::SetLastError(code);
  return code == edb::kOk;
}

}  // namespace zorli
