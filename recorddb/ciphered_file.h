#pragma once
// A file of a database read and written through its page cipher (a no-op for plain
// files), with 64-bit offsets and platform failures turned into result codes.
#include <cstdint>
#include <string>

#include "error_codes.h"
#include "page_cipher.h"
#include "platform/file.h"

namespace zorli::edb {

// The result code of a platform file failure.
ErrorCode FileErrorCode(platform::FileError error);

class CipheredFile {
 public:
  platform::File& file() { return file_; }
  bool isOpen() const { return file_.isOpen(); }
  void setPassword(const std::string& password) { cipher_ = PageCipher(password); }
  bool enciphered() const { return cipher_.active(); }

  // Reads what is there; bytesRead tells how much.
  ErrorCode read(uint64_t offset, void* buffer, size_t size, size_t& bytesRead);
  ErrorCode write(uint64_t offset, const void* data, size_t size);
  ErrorCode length(uint64_t& size);

 private:
  platform::File file_;
  PageCipher cipher_;
};

}  // namespace zorli::edb
