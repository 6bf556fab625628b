#include "page_cipher.h"

#include <algorithm>
#include <cctype>

#include "edb_format.h"
#include "md5.h"

namespace zorli::edb {

std::string PasswordCheckText(std::string_view password) {
  static const char kHex[] = "0123456789abcdef";
  const std::array<uint8_t, 16> digest = Md5(password);
  std::string text;
  for (uint8_t byte : digest) {
    text.push_back(kHex[byte >> 4]);
    text.push_back(kHex[byte & 15]);
  }
  for (size_t i = 0; i < text.size(); i += 2) std::swap(text[i], text[i + 1]);
  std::reverse(text.begin(), text.end());
  return text;
}

bool CheckTextsEqual(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

PageCipher::PageCipher(std::string_view password)
    : active_(!password.empty()),
      checkText_(active_ ? PasswordCheckText(password) : std::string()),
      passwordStream_(active_ ? password : std::string_view("\0", 1)) {}

uint32_t PageCipher::PageWord(uint64_t page) {
  const uint64_t end = page * 4 + 4;
  while (passwordKeystream_.size() < end) passwordKeystream_.push_back(passwordStream_.Next());
  const uint8_t* word = passwordKeystream_.data() + page * 4;
  return uint32_t(word[0]) | uint32_t(word[1]) << 8 | uint32_t(word[2]) << 16 |
         uint32_t(word[3]) << 24;
}

const std::array<uint8_t, PageCipher::kPageSize>& PageCipher::PageKeystream(uint64_t page) {
  if (page == cachedPage_) return cachedKeystream_;
  const uint32_t word = PageWord(page);
  const uint32_t mixed = word ^ static_cast<uint32_t>(page);
  std::string key;
  for (int i = 0; i < 4; ++i) key.push_back(static_cast<char>(word >> (8 * i)));
  key += checkText_;
  for (int i = 0; i < 4; ++i) key.push_back(static_cast<char>(mixed >> (8 * i)));
  Rc4 stream(key);
  stream.Skip(kDiscard);
  for (uint8_t& byte : cachedKeystream_) byte = stream.Next();
  cachedPage_ = page;
  return cachedKeystream_;
}

void PageCipher::Apply(uint64_t fileOffset, uint8_t* bytes, size_t size) {
  if (!active_) return;
  size_t done = 0;
  while (done < size) {
    const uint64_t position = fileOffset + done;
    const uint64_t page = position / kPageSize;
    const size_t inPage = static_cast<size_t>(position % kPageSize);
    const size_t count = std::min(size - done, kPageSize - inPage);
    const std::array<uint8_t, kPageSize>& keystream = PageKeystream(page);
    for (size_t k = 0; k < count; ++k) {
      if (position + k >= kMagicSize) bytes[done + k] ^= keystream[inPage + k];
    }
    done += count;
  }
}

}  // namespace zorli::edb
