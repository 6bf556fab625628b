#include "ciphered_file.h"

#include <vector>

#include "database_files.h"

namespace zorli::edb {

ErrorCode FileErrorCode(platform::FileError error) {
  using platform::FileError;
  switch (error) {
    case FileError::kNone: return kOk;
    case FileError::kGeneric: return kUnknownError;
    case FileError::kNotFound: return kFileNotFound;
    case FileError::kBadPath: return kBadPath;
    case FileError::kTooManyOpenFiles: return kTooManyOpenFiles;
    case FileError::kAccessDenied: return kAccessDenied;
    case FileError::kInvalidHandle: return kInvalidFile;
    case FileError::kRemoveCurrentDirectory: return kRemoveCurrentDirectory;
    case FileError::kDirectoryFull: return kDirectoryFull;
    case FileError::kSeekFailed: return kSeekFailed;
    case FileError::kHardwareFault: return kHardwareFault;
    case FileError::kSharingViolation: return kSharingViolation;
    case FileError::kLockViolation: return kLockViolation;
    case FileError::kDiskFull: return kDiskFull;
    case FileError::kEndOfFile: return kEndOfFile;
    case FileError::kAlreadyExists: return kAccessDenied;
  }
  return kUnknownError;
}

platform::FileError CipheredFile::Open(const std::string& path, bool writable,
                                       platform::FileSharing sharing) {
  file_.reset();
  return DatabaseFiles().Open(path, writable, sharing, file_);
}

platform::FileError CipheredFile::Create(const std::string& path) {
  file_.reset();
  return DatabaseFiles().Create(path, file_);
}

ErrorCode CipheredFile::Read(uint64_t offset, void* buffer, size_t size, size_t& bytesRead) {
  const ErrorCode code = FileErrorCode(file_->ReadAt(offset, buffer, size, bytesRead));
  cipher_.Apply(offset, static_cast<uint8_t*>(buffer), bytesRead);
  return code;
}

ErrorCode CipheredFile::Write(uint64_t offset, const void* data, size_t size,
                              ErrorCode shortWrite) {
  std::vector<uint8_t> copy;
  if (cipher_.Active()) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    copy.assign(bytes, bytes + size);
    cipher_.Apply(offset, copy.data(), copy.size());
    data = copy.data();
  }
  size_t written = 0;
  const ErrorCode code = FileErrorCode(file_->WriteAt(offset, data, size, written));
  if (code != kOk) return code;
  return written < size ? shortWrite : kOk;
}

ErrorCode CipheredFile::Length(uint64_t& size) { return FileErrorCode(file_->Length(size)); }

ErrorCode CipheredFile::Truncate(uint64_t size) { return FileErrorCode(file_->Truncate(size)); }

}  // namespace zorli::edb
