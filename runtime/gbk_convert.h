#pragma once
// GBK <-> UTF-8 for tools, terminals and wide-character Win32 calls.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zorli {

// Called with each byte that does not begin a valid GBK character; its result is
// written in the byte's place.
using InvalidByteWriter = std::function<std::string(unsigned char)>;

// Invalid bytes become U+FFFD.
std::string GbkToUtf8(std::string_view gbk);
std::string GbkToUtf8(std::string_view gbk, const InvalidByteWriter& writeInvalid);
// nullopt when utf8 is malformed or holds a character GBK cannot represent.
std::optional<std::string> Utf8ToGbk(std::string_view utf8);

// Length in bytes of the valid GBK character at the start of text: 1 (ASCII), 2, or 0
// when the first byte begins no valid character.
size_t GbkCharacterLength(std::string_view text);

}  // namespace zorli
