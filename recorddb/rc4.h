#pragma once
// The RC4 stream cipher.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zorli::edb {

class Rc4 {
 public:
  explicit Rc4(std::string_view key);
  uint8_t Next();
  void Skip(size_t count);

 private:
  uint8_t state_[256];
  uint8_t i_ = 0, j_ = 0;
};

}  // namespace zorli::edb
