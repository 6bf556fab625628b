#include "tsv_text.h"

#include <cstdio>

#include "gbk_convert.h"

namespace zorli::edbtool {
namespace {

std::string hexEscape(unsigned char byte) {
  char text[5];
  std::snprintf(text, sizeof text, "\\x%02x", byte);
  return text;
}

int hexValue(char c) {
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
      case '\\': out += "\\\\"; ++i; continue;
      case '\t': out += "\\t"; ++i; continue;
      case '\n': out += "\\n"; ++i; continue;
      case '\r': out += "\\r"; ++i; continue;
      default: break;
    }
    const size_t length = GbkCharacterLength(gbk.substr(i));
    if (length == 0) {
      out += hexEscape(static_cast<unsigned char>(c));
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
      for (char byte : character) out += hexEscape(static_cast<unsigned char>(byte));
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
        const int high = hexValue(utf8[i + 1]), low = hexValue(utf8[i + 2]);
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

}  // namespace zorli::edbtool
