#pragma once
// Files as the code that reads and writes them sees them: an open file with byte-range
// locks, and the file system that opens such files. The disk's files (file.h) are one
// implementation; a test can put its own in their place, e.g. to make writes fail.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace zorli::platform {

enum class FileError {
  kNone,
  kGeneric,
  kNotFound,
  kBadPath,
  kTooManyOpenFiles,
  kAccessDenied,
  kInvalidHandle,
  kRemoveCurrentDirectory,
  kDirectoryFull,
  kSeekFailed,
  kHardwareFault,
  kSharingViolation,
  kLockViolation,
  kDiskFull,
  kEndOfFile,
  kAlreadyExists,
};

enum class FileSharing { kDenyNone, kDenyRead, kDenyWrite, kExclusive };

// Offsets are 64-bit. Locks are taken without waiting: a held range fails at once with
// LockViolation.
class RandomAccessFile {
 public:
  virtual ~RandomAccessFile() = default;
  // bytesRead < size at the end of the file; that is not an error.
  virtual FileError ReadAt(uint64_t offset, void* buffer, size_t size, size_t& bytesRead) = 0;
  // bytesWritten < size without an error: the file took no more (a short write).
  virtual FileError WriteAt(uint64_t offset, const void* data, size_t size,
                            size_t& bytesWritten) = 0;
  virtual FileError Length(uint64_t& size) = 0;
  virtual FileError Truncate(uint64_t size) = 0;
  virtual FileError Lock(uint64_t offset, uint64_t length) = 0;
  virtual FileError Unlock(uint64_t offset, uint64_t length) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens an existing file; never creates one. Only regular (disk) files: a directory,
  // FIFO or device is AccessDenied at once.
  virtual FileError Open(const std::string& path, bool writable, FileSharing sharing,
                         std::unique_ptr<RandomAccessFile>& file) = 0;
  // Creates the file or empties an existing one, for reading and writing; regular files
  // only, as for open.
  virtual FileError Create(const std::string& path, std::unique_ptr<RandomAccessFile>& file) = 0;
};

// The real files of the disk, POSIX or Win32.
FileSystem& DiskFileSystem();

}  // namespace zorli::platform
