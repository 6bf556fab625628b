#include "gbk_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace zorli {
namespace {

bool IsHighByte(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }

char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsAt(std::string_view text, size_t pos, std::string_view sought, bool ignoreCase) {
  for (size_t i = 0; i < sought.size(); ++i) {
    char a = text[pos + i];
    char b = sought[i];
    if (ignoreCase ? FoldAscii(a) != FoldAscii(b) : a != b) return false;
  }
  return true;
}

}  // namespace

int32_t TextLength(std::string_view text) { return static_cast<int32_t>(text.size()); }

GbkText LeftText(std::string_view text, int32_t n) {
  if (n <= 0) return {};
  return GbkText(text.substr(0, std::min<size_t>(static_cast<size_t>(n), text.size())));
}

GbkText RightText(std::string_view text, int32_t n) {
  if (n <= 0) return {};
  size_t count = std::min<size_t>(static_cast<size_t>(n), text.size());
  return GbkText(text.substr(text.size() - count));
}

GbkText MidText(std::string_view text, int32_t start, int32_t n) {
  int64_t p = static_cast<int64_t>(start) - 1;
  if (p < 0 || p >= static_cast<int64_t>(text.size()) || n <= 0) return {};
  return GbkText(text.substr(static_cast<size_t>(p), static_cast<size_t>(n)));
}

int32_t FindText(std::string_view text, std::string_view sought, std::optional<int32_t> start,
                 bool ignoreCase) {
  const int64_t length = static_cast<int64_t>(text.size());
  int64_t s = start ? std::max<int64_t>(static_cast<int64_t>(*start) - 1, 0) : 0;
  size_t pos = 0;
  int64_t remaining = length;
  if (s > 0) {
    if (s < length) {
      pos = static_cast<size_t>(s);
      remaining = length - s;
    } else {
      remaining = 0;
    }
  }
  if (sought.empty()) return remaining > 0 ? 1 : -1;
  const int64_t m = static_cast<int64_t>(sought.size());
  while (remaining >= m) {
    if (EqualsAt(text, pos, sought, ignoreCase)) return static_cast<int32_t>(pos + 1);
    if (IsHighByte(text[pos])) {
      if (pos + 1 >= text.size()) return -1;  // a lead byte at the very end has no pair
      ++pos;
      --remaining;
    }
    ++pos;
    --remaining;
  }
  return -1;
}

int CompareTexts(std::string_view a, std::string_view b) {
  // string_view compares with char_traits<char>, which orders bytes as unsigned char.
  int result = a.compare(b);
  return result < 0 ? -1 : (result > 0 ? 1 : 0);
}

GbkText JoinTexts(std::initializer_list<std::string_view> pieces) {
  size_t total = 0;
  for (std::string_view piece : pieces) total += piece.size();
  GbkText joined;
  joined.reserve(total);
  for (std::string_view piece : pieces) joined.append(piece);
  return joined;
}

GbkText ToLowerCase(std::string_view text) {
  GbkText lower(text);
  for (size_t i = 0; i < lower.size(); ++i) {
    if (IsHighByte(lower[i])) {
      ++i;  // the trail byte of a pair is never folded
    } else {
      lower[i] = FoldAscii(lower[i]);
    }
  }
  return lower;
}

GbkText ToHalfWidth(std::string_view text) {
  GbkText half;
  half.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      half.push_back(static_cast<char>(lead));
      continue;
    }
    if (i + 1 >= text.size()) break;  // a lone lead byte at the end is dropped
    const unsigned char trail = static_cast<unsigned char>(text[++i]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      half.push_back(static_cast<char>(trail - 0x80));  // full-width "!" to "~"
    } else if (lead == 0xA1 && trail == 0xA1) {
      half.push_back(' ');  // ideographic space
    } else if (lead == 0xA1 && trail == 0xAB) {
      half.push_back('~');
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      half.push_back('*');  // white and black star
    } else {
      half.push_back(static_cast<char>(lead));
      half.push_back(static_cast<char>(trail));
    }
  }
  return half;
}

GbkText ToText(int32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%d", static_cast<int>(value));
  return buffer;
}

int32_t TruncateToInt(double value) {
  if (!(value > -2147483648.0)) return value != value ? 0 : INT32_MIN;  // NaN gives 0
  if (value >= 2147483647.0) return INT32_MAX;
  return static_cast<int32_t>(std::trunc(value));
}

}  // namespace zorli
