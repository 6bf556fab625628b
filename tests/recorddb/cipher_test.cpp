#include <gtest/gtest.h>

#include <string>

#include "md5.h"
#include "page_cipher.h"
#include "rc4.h"

namespace zorli::edb {
namespace {

std::string Hex(const uint8_t* bytes, size_t size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (size_t i = 0; i < size; ++i) {
    text.push_back(kDigits[bytes[i] >> 4]);
    text.push_back(kDigits[bytes[i] & 15]);
  }
  return text;
}

TEST(Md5, PublishedTestVectors) {
  const std::pair<const char*, const char*> vectors[] = {
      {"", "d41d8cd98f00b204e9800998ecf8427e"},
      {"a", "0cc175b9c0f1b6a831c399e269772661"},
      {"abc", "900150983cd24fb0d6963f7d28e17f72"},
      {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
      {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
      {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
       "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const auto& [input, digest] : vectors) {
    const auto result = Md5(input);
    EXPECT_EQ(Hex(result.data(), result.size()), digest) << input;
  }
}

TEST(Rc4, PublishedTestVectors) {
  const std::tuple<const char*, const char*, const char*> vectors[] = {
      {"Key", "Plaintext", "bbf316e8d940af0ad3"},
      {"Wiki", "pedia", "1021bf0420"},
      {"Secret", "Attack at dawn", "45a01f645fc35b383552544b9bf5"},
  };
  for (const auto& [key, plain, cipher] : vectors) {
    Rc4 stream(key);
    std::string out(plain);
    for (char& c : out) c = static_cast<char>(c ^ stream.Next());
    EXPECT_EQ(Hex(reinterpret_cast<const uint8_t*>(out.data()), out.size()), cipher);
  }
}

TEST(PasswordCheckText, SwapsPairsAndReversesTheHexDigest) {
  // MD5("abc") = 900150983cd24fb0 d6963f7d28e17f72; pairs swapped, then reversed.
  const std::string digest = "900150983cd24fb0d6963f7d28e17f72";
  std::string expected = digest;
  for (size_t i = 0; i < 32; i += 2) std::swap(expected[i], expected[i + 1]);
  expected = std::string(expected.rbegin(), expected.rend());
  EXPECT_EQ(PasswordCheckText("abc"), expected);
  EXPECT_EQ(expected.substr(0, 4), "727f");
  EXPECT_TRUE(CheckTextsEqual(PasswordCheckText("abc"), "727F" + expected.substr(4)));
  EXPECT_FALSE(CheckTextsEqual(PasswordCheckText("abc"), PasswordCheckText("abd")));
}

TEST(PageCipher, FollowsThePageKeyConstruction) {
  const std::string password = "secret";
  // Page 1: the page word is the password keystream's bytes 4..7.
  Rc4 passwordStream(password);
  passwordStream.Skip(4);
  uint8_t word[4];
  for (uint8_t& b : word) b = passwordStream.Next();
  const uint32_t w = uint32_t(word[0]) | uint32_t(word[1]) << 8 | uint32_t(word[2]) << 16 |
                     uint32_t(word[3]) << 24;
  std::string key(reinterpret_cast<const char*>(word), 4);
  key += PasswordCheckText(password);
  for (int i = 0; i < 4; ++i) key.push_back(static_cast<char>((w ^ 1u) >> (8 * i)));
  Rc4 pageStream(key);
  pageStream.Skip(36 + 10);
  const uint8_t expected = pageStream.Next();

  PageCipher cipher(password);
  uint8_t byte = 0;
  cipher.Apply(4096 + 10, &byte, 1);
  EXPECT_EQ(byte, expected);
}

TEST(PageCipher, RoundTripsAnyRangeAndLeavesTheMagicPlain) {
  std::string plain(10000, '\0');
  for (size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<char>(i * 7 + 3);
  std::string whole = plain;
  PageCipher writer("pw");
  writer.Apply(0, reinterpret_cast<uint8_t*>(whole.data()), whole.size());
  EXPECT_EQ(whole.substr(0, 4), plain.substr(0, 4));
  EXPECT_NE(whole.substr(4, 100), plain.substr(4, 100));
  // Deciphering a range across a page boundary, with a fresh cipher, gives the plain bytes.
  PageCipher reader("pw");
  std::string piece = whole.substr(4000, 300);
  reader.Apply(4000, reinterpret_cast<uint8_t*>(piece.data()), piece.size());
  EXPECT_EQ(piece, plain.substr(4000, 300));
  PageCipher none;
  std::string untouched = plain;
  none.Apply(0, reinterpret_cast<uint8_t*>(untouched.data()), untouched.size());
  EXPECT_EQ(untouched, plain);
}

}  // namespace
}  // namespace zorli::edb
