#pragma once
// The cipher of password-protected files: RC4 keyed per 4096-byte page from the
// password's keystream and its check text. File bytes 0 to 3 (the magic) stay plain.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rc4.h"

namespace zorli::edb {

// The 32-character text a "WCDB" header stores in place of the password.
std::string PasswordCheckText(std::string_view password);
bool CheckTextsEqual(std::string_view a, std::string_view b);

class PageCipher {
 public:
  // An empty password gives a cipher that changes nothing.
  explicit PageCipher(std::string_view password = {});
  bool Active() const { return active_; }
  // XORs bytes that lie at fileOffset in the file; the same call enciphers and deciphers.
  void Apply(uint64_t fileOffset, uint8_t* bytes, size_t size);

 private:
  static constexpr size_t kPageSize = 4096;
  static constexpr size_t kDiscard = 36;
  uint32_t PageWord(uint64_t page);
  const std::array<uint8_t, kPageSize>& PageKeystream(uint64_t page);

  bool active_ = false;
  std::string checkText_;
  Rc4 passwordStream_{"\0"};
  std::vector<uint8_t> passwordKeystream_;  // the password's keystream, grown on demand
  uint64_t cachedPage_ = UINT64_MAX;
  std::array<uint8_t, kPageSize> cachedKeystream_{};
};

}  // namespace zorli::edb
