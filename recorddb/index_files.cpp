#include "index_files.h"

#include <algorithm>

#include "database_files.h"
#include "database_paths.h"
#include "error_codes.h"
#include "platform/file.h"

namespace zorli::edb {
namespace {

constexpr int32_t kMinPageSize = 512;
constexpr int32_t kMaxKeyLength = 80;

std::string IndexPath(const RecordDatabase& db, const GbkText& name) {
  std::string path = name;
  const auto separator = std::find_if(path.rbegin(), path.rend(), platform::IsPathSeparator);
  const bool hasDirectory = separator != path.rend();
  const size_t nameStart = hasDirectory ? path.size() - (separator - path.rbegin()) : 0;
  if (path.find('.', nameStart) == std::string::npos) path += ".ENX";
  if (!hasDirectory) {
    const std::string& main = db.openedPath;
    const auto mainSeparator = std::find_if(main.rbegin(), main.rend(), platform::IsPathSeparator);
    path = main.substr(0, main.size() - (mainSeparator - main.rbegin())) + path;
  }
  return path;
}

ErrorCode CheckHeader(const RecordDatabase& db, const EnxHeader& header, uint64_t fileLength) {
  if (!header.MagicValid()) return kBadIndexFile;
  if (header.Version() != db.header.Version()) return kIndexVersionMismatch;
  const int32_t pages = header.PageCount();
  if (pages < 2) return kBadIndexFile;
  for (size_t i : {0u, 1u}) {
    const int32_t value = header.PageNumber(i);
    if (value < 0 || value >= pages) return kBadIndexFile;
  }
  const int32_t third = header.PageNumber(2);
  if (third < 1 || third >= pages) return kBadIndexFile;
  const int32_t pageSize = header.PageSize();
  if (pageSize < kMinPageSize) return kBadIndexFile;
  if (fileLength / static_cast<uint64_t>(pageSize) < static_cast<uint64_t>(pages)) {
    return kBadIndexFileSize;
  }
  const int32_t keyLength = header.KeyLength();
  const int32_t keyFields = header.KeyFieldCount();
  if (keyLength < 1 || keyLength > kMaxKeyLength || keyFields < 1 ||
      keyFields > int32_t(kEnxKeySlots)) {
    return kBadIndexFile;
  }
  int64_t widths = 0;
  for (int32_t k = 0; k < keyFields; ++k) {
    const uint8_t* slot = header.KeyName(static_cast<size_t>(k));
    const uint8_t* end = std::find(slot, slot + kEnxKeyNameSize, 0);
    if (end == slot + kEnxKeyNameSize) return kBadIndexFile;
    const int32_t number = db.FieldNumber(GbkText(slot, end));
    if (number == 0) return kIndexFieldNotFound;
    const FieldDescriptor& field = db.fields[number - 1];
    const int32_t keyType = header.KeyType(static_cast<size_t>(k));
    if (field.Type() == FieldType::kText) {
      if (keyType >= 0) return kIndexFieldTypeMismatch;
      if (-int64_t(keyType) != field.TextWidth()) return kIndexFieldSizeMismatch;
    } else if (keyType != field.TypeCode()) {
      return kIndexFieldTypeMismatch;
    }
    widths += field.Width();
  }
  return widths == keyLength ? kOk : kIndexFieldSizeMismatch;
}

// Opens one index file and checks its header under a whole-file lock.
ErrorCode Attach(const RecordDatabase& db, const std::string& path, bool writable,
                 platform::FileSharing sharing, std::unique_ptr<platform::RandomAccessFile>& file) {
  if (DatabaseFiles().Open(path, writable, sharing, file) != platform::FileError::kNone) {
    return kIndexOpenFailed;
  }
  ScopedLock wholeFile;
  ErrorCode code = wholeFile.Lock(*file, 0, kWholeFileLength);
  if (code != kOk) return code;
  // A second attachment is recognised only once opened, so a sharing mode that
  // excludes the first handle has already failed that open.
  const std::string fullPath = platform::AbsolutePath(path);
  if (std::any_of(db.indexPaths.begin(), db.indexPaths.end(),
                  [&](const std::string& p) { return PathsEqual(p, fullPath); })) {
    return kIndexAlreadyOpen;
  }
  EnxHeader header;
  size_t got = 0;
  uint64_t fileLength = 0;
  code = FileErrorCode(file->ReadAt(0, header.bytes.data(), kEnxHeaderSize, got));
  if (code != kOk) return code;
  if ((code = FileErrorCode(file->Length(fileLength))) != kOk) return code;
  return got < kEnxHeaderSize ? kBadIndexFile : CheckHeader(db, header, fileLength);
}

}  // namespace

ErrorCode AttachIndexFiles(RecordDatabase& db, const std::vector<GbkText>& names, bool writable,
                           platform::FileSharing sharing) {
  std::vector<GbkText> given;
  std::copy_if(names.begin(), names.end(), std::back_inserter(given),
               [](const GbkText& n) { return !n.empty(); });
  if (given.size() > kMaxIndexFiles) return kTooManyIndexFiles;
  ErrorCode code = kOk;
  for (const GbkText& name : given) {
    const std::string path = IndexPath(db, name);
    std::unique_ptr<platform::RandomAccessFile> file;
    if ((code = Attach(db, path, writable, sharing, file)) != kOk) break;
    db.indexFiles.push_back(std::move(file));
    db.indexPaths.push_back(platform::AbsolutePath(path));
  }
  if (code != kOk) {
    db.indexFiles.clear();
    db.indexPaths.clear();
  }
  return code;
}

}  // namespace zorli::edb
