#include "rc4.h"

#include <utility>

namespace zorli::edb {

Rc4::Rc4(std::string_view key) {
  for (int k = 0; k < 256; ++k) state_[k] = static_cast<uint8_t>(k);
  uint8_t j = 0;
  for (int k = 0; k < 256; ++k) {
    j = static_cast<uint8_t>(j + state_[k] + static_cast<uint8_t>(key[k % key.size()]));
    std::swap(state_[k], state_[j]);
  }
}

uint8_t Rc4::Next() {
  ++i_;
  j_ = static_cast<uint8_t>(j_ + state_[i_]);
  std::swap(state_[i_], state_[j_]);
  return state_[static_cast<uint8_t>(state_[i_] + state_[j_])];
}

void Rc4::Skip(size_t count) {
  for (size_t k = 0; k < count; ++k) Next();
}

}  // namespace zorli::edb
