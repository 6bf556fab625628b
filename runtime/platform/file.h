#pragma once
// The disk's files, the same on POSIX and Win32, and file names. Offsets are 64-bit.
// Locks are taken without waiting: a held range fails at once with LockViolation.
// POSIX: locks are open-file-description locks, so two File objects of one file in one
// process exclude each other as two Windows handles do; sharing modes have no POSIX
// counterpart and are not enforced there.
#include <cstddef>
#include <cstdint>
#include <string>

#include "file_system.h"

namespace zorli::platform {

class File final : public RandomAccessFile {
 public:
  File() = default;
  ~File() override;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;

  // As FileSystem::open and FileSystem::create.
  FileError open(const std::string& path, bool writable, FileSharing sharing);
  FileError create(const std::string& path);
  bool isOpen() const;
  bool writable() const { return writable_; }
  void close();

  FileError readAt(uint64_t offset, void* buffer, size_t size, size_t& bytesRead) override;
  FileError writeAt(uint64_t offset, const void* data, size_t size,
                    size_t& bytesWritten) override;
  FileError length(uint64_t& size) override;
  FileError truncate(uint64_t size) override;
  FileError lock(uint64_t offset, uint64_t length) override;
  FileError unlock(uint64_t offset, uint64_t length) override;

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
