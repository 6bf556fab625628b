#pragma once
// Byte-exact text primitives over GBK (code page 936) strings. Positions are 1-based
// byte positions; "not found" is -1. Some primitives step over double-byte pairs
// (FindText, ToLowerCase, ToHalfWidth); the cutting ones work on raw bytes.
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace zorli {

// An owned GBK byte string. The empty text and a missing text are the same value.
using GbkText = std::string;

int32_t TextLength(std::string_view text);
GbkText LeftText(std::string_view text, int32_t n);
GbkText RightText(std::string_view text, int32_t n);
GbkText MidText(std::string_view text, int32_t start, int32_t n);
// start omitted (nullopt) scans from the first byte.
int32_t FindText(std::string_view text, std::string_view sought,
                 std::optional<int32_t> start = std::nullopt, bool ignoreCase = false);
int CompareTexts(std::string_view a, std::string_view b);
GbkText JoinTexts(std::initializer_list<std::string_view> pieces);
GbkText ToLowerCase(std::string_view text);
GbkText ToHalfWidth(std::string_view text);
GbkText ToText(int32_t value);

// A length or position computed in floating point becomes an integer by truncation.
int32_t TruncateToInt(double value);

}  // namespace zorli
