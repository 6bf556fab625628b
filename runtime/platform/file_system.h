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
  None,
  Generic,
  NotFound,
  BadPath,
  TooManyOpenFiles,
  AccessDenied,
  InvalidHandle,
  RemoveCurrentDirectory,
  DirectoryFull,
  SeekFailed,
  HardwareFault,
  SharingViolation,
  LockViolation,
  DiskFull,
  EndOfFile,
};

enum class FileSharing { DenyNone, DenyRead, DenyWrite, Exclusive };

// Offsets are 64-bit. Locks are taken without waiting: a held range fails at once with
// LockViolation.
class RandomAccessFile {
 public:
  virtual ~RandomAccessFile() = default;
  // bytesRead < size at the end of the file; that is not an error.
  virtual FileError readAt(uint64_t offset, void* buffer, size_t size, size_t& bytesRead) = 0;
  // bytesWritten < size without an error: the file took no more (a short write).
  virtual FileError writeAt(uint64_t offset, const void* data, size_t size,
                            size_t& bytesWritten) = 0;
  virtual FileError length(uint64_t& size) = 0;
  virtual FileError truncate(uint64_t size) = 0;
  virtual FileError lock(uint64_t offset, uint64_t length) = 0;
  virtual FileError unlock(uint64_t offset, uint64_t length) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens an existing file; never creates one. Only regular (disk) files: a directory,
  // FIFO or device is AccessDenied at once.
  virtual FileError open(const std::string& path, bool writable, FileSharing sharing,
                         std::unique_ptr<RandomAccessFile>& file) = 0;
  // Creates the file or empties an existing one, for reading and writing; regular files
  // only, as for open.
  virtual FileError create(const std::string& path, std::unique_ptr<RandomAccessFile>& file) = 0;
};

// The real files of the disk, POSIX or Win32.
FileSystem& diskFileSystem();

}  // namespace zorli::platform
