#pragma once
// Byte strings to UTF-16 and back for the wide Win32 calls (Windows only). GBK always goes
// through code page 936, so the program behaves alike on a Windows of any language; the
// system's ANSI code page is for file names alone.
#include <optional>
#include <string>
#include <string_view>

namespace zorli::platform {

enum class CodePage : unsigned { kAnsi = 0, kGbk = 936, kUtf8 = 65001 };

// Bytes that begin no character become U+30FB or similar, as the system decides.
std::wstring ToWide(CodePage codePage, std::string_view text);
// nullopt when text holds bytes that begin no character.
std::optional<std::wstring> ToWideExact(CodePage codePage, std::string_view text);
// Characters the code page cannot hold become "?" (U+FFFD in UTF-8).
std::string FromWide(CodePage codePage, std::wstring_view wide);
// nullopt when the code page cannot hold a character of wide.
std::optional<std::string> FromWideExact(CodePage codePage, std::wstring_view wide);

}  // namespace zorli::platform
