#include "ciphered_file.h"

#include <vector>

#include "database_files.h"

namespace zorli::edb {

ErrorCode FileErrorCode(platform::FileError error) {
  using platform::FileError;
  switch (error) {
    case FileError::None: return kOk;
    case FileError::Generic: return kUnknownError;
    case FileError::NotFound: return kFileNotFound;
    case FileError::BadPath: return kBadPath;
    case FileError::TooManyOpenFiles: return kTooManyOpenFiles;
    case FileError::AccessDenied: return kAccessDenied;
    case FileError::InvalidHandle: return kInvalidFile;
    case FileError::RemoveCurrentDirectory: return kRemoveCurrentDirectory;
    case FileError::DirectoryFull: return kDirectoryFull;
    case FileError::SeekFailed: return kSeekFailed;
    case FileError::HardwareFault: return kHardwareFault;
    case FileError::SharingViolation: return kSharingViolation;
    case FileError::LockViolation: return kLockViolation;
    case FileError::DiskFull: return kDiskFull;
    case FileError::EndOfFile: return kEndOfFile;
  }
  return kUnknownError;
}

platform::FileError CipheredFile::open(const std::string& path, bool writable,
                                       platform::FileSharing sharing) {
  file_.reset();
  return DatabaseFiles().open(path, writable, sharing, file_);
}

platform::FileError CipheredFile::create(const std::string& path) {
  file_.reset();
  return DatabaseFiles().create(path, file_);
}

ErrorCode CipheredFile::read(uint64_t offset, void* buffer, size_t size, size_t& bytesRead) {
  const ErrorCode code = FileErrorCode(file_->readAt(offset, buffer, size, bytesRead));
  cipher_.apply(offset, static_cast<uint8_t*>(buffer), bytesRead);
  return code;
}

ErrorCode CipheredFile::write(uint64_t offset, const void* data, size_t size,
                              ErrorCode shortWrite) {
  std::vector<uint8_t> copy;
  if (cipher_.active()) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    copy.assign(bytes, bytes + size);
    cipher_.apply(offset, copy.data(), copy.size());
    data = copy.data();
  }
  size_t written = 0;
  const ErrorCode code = FileErrorCode(file_->writeAt(offset, data, size, written));
  if (code != kOk) return code;
  return written < size ? shortWrite : kOk;
}

ErrorCode CipheredFile::length(uint64_t& size) { return FileErrorCode(file_->length(size)); }

ErrorCode CipheredFile::truncate(uint64_t size) { return FileErrorCode(file_->truncate(size)); }

}  // namespace zorli::edb
