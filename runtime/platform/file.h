#pragma once
// The disk's files, the same on POSIX and Win32, and file names. Offsets are 64-bit.
// Locks are taken without waiting: a held range fails at once with LockViolation.
// POSIX: locks are open-file-description locks, so two File objects of one file in one
// process exclude each other as two Windows handles do; sharing modes have no POSIX
// counterpart and are not enforced there. Windows: a path is GBK text, opened through
// its UTF-16 full path, whatever the system's code page.
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

  // As FileSystem::Open and FileSystem::Create.
  FileError Open(const std::string& path, bool writable, FileSharing sharing);
  FileError Create(const std::string& path);
  // Creates the file for reading and writing only when no file of that name exists, so a
  // temporary name is ours alone.
  FileError CreateNew(const std::string& path);
  bool IsOpen() const;
  bool Writable() const { return writable_; }
  void Close();

  FileError ReadAt(uint64_t offset, void* buffer, size_t size, size_t& bytesRead) override;
  FileError WriteAt(uint64_t offset, const void* data, size_t size, size_t& bytesWritten) override;
  FileError Length(uint64_t& size) override;
  FileError Truncate(uint64_t size) override;
  FileError Lock(uint64_t offset, uint64_t length) override;
  FileError Unlock(uint64_t offset, uint64_t length) override;

 private:
  intptr_t handle_ = -1;
  bool writable_ = false;
};

// path made absolute against the current directory, "." and ".." resolved.
std::string AbsolutePath(const std::string& path);
bool IsPathSeparator(char c);
bool RemoveFile(const std::string& path);
// Renames from to to, replacing a file of that name.
bool RenameReplacing(const std::string& from, const std::string& to);

}  // namespace zorli::platform
