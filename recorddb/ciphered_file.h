#pragma once
// A file of a database, opened through the database's file system and read and written
// through its page cipher (a no-op for plain files), with 64-bit offsets and platform
// failures turned into result codes.
#include <cstdint>
#include <memory>
#include <string>

#include "error_codes.h"
#include "page_cipher.h"
#include "platform/file_system.h"

namespace zorli::edb {

// The result code of a platform file failure.
ErrorCode FileErrorCode(platform::FileError error);

class CipheredFile {
 public:
  [[nodiscard]] platform::FileError Open(const std::string& path, bool writable,
                                         platform::FileSharing sharing);
  [[nodiscard]] platform::FileError Create(const std::string& path);
  void Close() { file_.reset(); }
  bool IsOpen() const { return file_ != nullptr; }
  // The file itself, for its locks. Every call below is for an open file only.
  platform::RandomAccessFile& File() { return *file_; }
  void SetPassword(const std::string& password) { cipher_ = PageCipher(password); }
  bool Enciphered() const { return cipher_.Active(); }

  // Reads what is there; bytesRead tells how much.
  ErrorCode Read(uint64_t offset, void* buffer, size_t size, size_t& bytesRead);
  // A file that takes fewer bytes than given without a platform failure gives shortWrite.
  ErrorCode Write(uint64_t offset, const void* data, size_t size, ErrorCode shortWrite);
  ErrorCode Length(uint64_t& size);
  ErrorCode Truncate(uint64_t size);

 private:
  std::unique_ptr<platform::RandomAccessFile> file_;
  PageCipher cipher_;
};

}  // namespace zorli::edb
