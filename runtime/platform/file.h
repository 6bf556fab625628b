#pragma once
// Files with byte-range locks, the same on POSIX and Win32. Offsets are 64-bit. Locks
// are taken without waiting: a held range fails at once with LockViolation.
// POSIX: locks are open-file-description locks, so two File objects of one file in one
// process exclude each other as two Windows handles do; sharing modes have no POSIX
// counterpart and are not enforced there.
#include <cstddef>
#include <cstdint>
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

class File {
 public:
  File() = default;
  ~File();
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;

  // Opens an existing file; never creates one. Only regular (disk) files: a directory,
  // FIFO or device is AccessDenied at once.
  FileError open(const std::string& path, bool writable, FileSharing sharing);
  // Creates the file or empties an existing one, for reading and writing; regular files
  // only, as for open.
  FileError create(const std::string& path);
  bool isOpen() const;
  bool writable() const { return writable_; }
  void close();

  // bytesRead < size at the end of the file; that is not an error.
  FileError readAt(uint64_t offset, void* buffer, size_t size, size_t& bytesRead);
  FileError writeAt(uint64_t offset, const void* data, size_t size);
  FileError length(uint64_t& size);
  FileError truncate(uint64_t size);
  FileError lock(uint64_t offset, uint64_t length);
  FileError unlock(uint64_t offset, uint64_t length);

 private:
  intptr_t handle_ = -1;
  bool writable_ = false;
};

// path made absolute against the current directory, "." and ".." resolved.
std::string absolutePath(const std::string& path);
bool isPathSeparator(char c);
bool removeFile(const std::string& path);
// Renames from to to, replacing a file of that name.
bool replaceFile(const std::string& from, const std::string& to);

}  // namespace zorli::platform
