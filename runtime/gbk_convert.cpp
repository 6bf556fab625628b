#include "gbk_convert.h"

#include "platform/platform.h"

namespace zorli {

size_t GbkCharacterLength(std::string_view text) {
  if (text.empty()) return 0;
  const unsigned char lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return 1;
  if (lead == 0x80 || lead == 0xFF || text.size() < 2) return 0;
  const unsigned char trail = static_cast<unsigned char>(text[1]);
  if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return 0;
  return platform::GbkPairToUtf8(text.substr(0, 2)) ? 2 : 0;
}

std::string GbkToUtf8(std::string_view gbk, const InvalidByteWriter& writeInvalid) {
  std::string utf8;
  utf8.reserve(gbk.size() * 3 / 2);
  size_t i = 0;
  while (i < gbk.size()) {
    const std::string_view rest = gbk.substr(i);
    const unsigned char byte = static_cast<unsigned char>(rest[0]);
    if (byte < 0x80) {
      utf8.push_back(static_cast<char>(byte));
      ++i;
    } else if (GbkCharacterLength(rest) == 2) {
      utf8 += *platform::GbkPairToUtf8(rest.substr(0, 2));
      i += 2;
    } else {
      utf8 += writeInvalid(byte);
      ++i;
    }
  }
  return utf8;
}

std::string GbkToUtf8(std::string_view gbk) {
  return GbkToUtf8(gbk, [](unsigned char) { return std::string("\xEF\xBF\xBD"); });
}

std::optional<std::string> Utf8ToGbk(std::string_view utf8) { return platform::Utf8ToGbk(utf8); }

}  // namespace zorli
