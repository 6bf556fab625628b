#include "tsv_text.h"

#include <cstdio>

#include "gbk_convert.h"

namespace zorli::knowledge {
namespace {

std::string HexEscape(unsigned char byte) {
  char text[5];
  std::snprintf(text, sizeof text, "\\x%02x", byte);
  return text;
}

// GBK's three user-defined areas in the order code page 936 maps them to private-use
// characters from U+E000: AAA1-AFFE, F8A1-FEFE (94 trail bytes a row), A140-A7A0 (96:
// trail bytes 40-A0 without 7F).
constexpr char32_t kFirstPrivateUse = 0xE000;
constexpr int kFirstAreaPairs = 6 * 94, kSecondAreaPairs = 7 * 94, kThirdAreaPairs = 7 * 96;

// The GBK pair of a private-use character in the user-defined areas, or nullopt.
std::optional<std::string> UserDefinedPair(char32_t character) {
  if (character < kFirstPrivateUse) return std::nullopt;
  int index = static_cast<int>(character - kFirstPrivateUse);
  int lead, trail;
  if (index < kFirstAreaPairs) {
    lead = 0xAA + index / 94, trail = 0xA1 + index % 94;
  } else if ((index -= kFirstAreaPairs) < kSecondAreaPairs) {
    lead = 0xF8 + index / 94, trail = 0xA1 + index % 94;
  } else if ((index -= kSecondAreaPairs) < kThirdAreaPairs) {
    lead = 0xA1 + index / 96, trail = 0x40 + index % 96;
    if (trail >= 0x7F) ++trail;
  } else {
    return std::nullopt;
  }
  return std::string{static_cast<char>(lead), static_cast<char>(trail)};
}

// The character of a three-byte UTF-8 sequence at the start of text, or 0.
char32_t ThreeByteCharacter(std::string_view text) {
  if (text.size() < 3 || (text[0] & 0xF0) != 0xE0 || (text[1] & 0xC0) != 0x80 ||
      (text[2] & 0xC0) != 0x80) {
    return 0;
  }
  return char32_t(text[0] & 0x0F) << 12 | char32_t(text[1] & 0x3F) << 6 | char32_t(text[2] & 0x3F);
}

bool IsPrivateUse(std::string_view utf8) {
  const char32_t character = ThreeByteCharacter(utf8);
  return character >= kFirstPrivateUse && character <= 0xF8FF;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string EncodeCell(std::string_view gbk) {
  std::string out;
  size_t i = 0;
  while (i < gbk.size()) {
    const char c = gbk[i];
    switch (c) {
      case '\\':
        out += "\\\\";
        ++i;
        continue;
      case '\t':
        out += "\\t";
        ++i;
        continue;
      case '\n':
        out += "\\n";
        ++i;
        continue;
      case '\r':
        out += "\\r";
        ++i;
        continue;
      default: break;
    }
    size_t length = GbkCharacterLength(gbk.substr(i));
    // Code page 936 maps some pairs (the user-defined areas) to private-use characters,
    // iconv maps none of them: they count as no character, so a dump is the same text
    // whichever platform writes it.
    if (length == 2 && IsPrivateUse(GbkToUtf8(gbk.substr(i, 2)))) length = 0;
    if (length == 0) {
      out += HexEscape(static_cast<unsigned char>(c));
      ++i;
      continue;
    }
    const std::string_view character = gbk.substr(i, length);
    const std::string utf8 = GbkToUtf8(character);
    // Only characters that convert back to the same bytes are shown as characters.
    const std::optional<std::string> back = Utf8ToGbk(utf8);
    if (back && *back == character) {
      out += utf8;
    } else {
      for (char byte : character) out += HexEscape(static_cast<unsigned char>(byte));
    }
    i += length;
  }
  return out;
}

std::optional<std::string> DecodeCell(std::string_view utf8) {
  std::string out;
  std::string run;
  const auto flush = [&]() -> bool {
    if (run.empty()) return true;
    const std::optional<std::string> gbk = Utf8ToGbk(run);
    if (!gbk) return false;
    out += *gbk;
    run.clear();
    return true;
  };
  for (size_t i = 0; i < utf8.size(); ++i) {
    // A user-defined pair shown as the private-use character code page 936 gives it
    // reads back the same on every platform.
    if (const auto pair = UserDefinedPair(ThreeByteCharacter(utf8.substr(i)))) {
      if (!flush()) return std::nullopt;
      out += *pair;
      i += 2;
      continue;
    }
    if (utf8[i] != '\\') {
      run.push_back(utf8[i]);
      continue;
    }
    if (!flush() || i + 1 >= utf8.size()) return std::nullopt;
    const char kind = utf8[++i];
    switch (kind) {
      case '\\': out.push_back('\\'); break;
      case 't': out.push_back('\t'); break;
      case 'n': out.push_back('\n'); break;
      case 'r': out.push_back('\r'); break;
      case 'x': {
        if (i + 2 >= utf8.size()) return std::nullopt;
        const int high = HexValue(utf8[i + 1]), low = HexValue(utf8[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out.push_back(static_cast<char>(high * 16 + low));
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  if (!flush()) return std::nullopt;
  return out;
}

}  // namespace zorli::knowledge
