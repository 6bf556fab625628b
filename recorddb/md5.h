#pragma once
// MD5 digest, for the password check text.
#include <array>
#include <cstdint>
#include <string_view>

namespace zorli::edb {

std::array<uint8_t, 16> Md5(std::string_view bytes);

}  // namespace zorli::edb
