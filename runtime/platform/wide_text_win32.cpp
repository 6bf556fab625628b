#include "wide_text.h"

#include <windows.h>

namespace zorli::platform {
namespace {

std::optional<std::wstring> Decode(CodePage codePage, std::string_view text, DWORD flags) {
  if (text.empty()) return std::wstring();
  const UINT page = static_cast<UINT>(codePage);
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(page, flags, text.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(page, flags, text.data(), size, wide.data(), length);
  return wide;
}

std::optional<std::string> Encode(CodePage codePage, std::wstring_view wide, bool exact) {
  if (wide.empty()) return std::string();
  const UINT page = static_cast<UINT>(codePage);
  const int size = static_cast<int>(wide.size());
  // UTF-8 takes no default character; it refuses unpaired surrogates when asked to.
  const bool utf8 = codePage == CodePage::kUtf8;
  const DWORD flags = utf8 && exact ? WC_ERR_INVALID_CHARS : 0;
  const char* defaultChar = utf8 ? nullptr : "?";
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
  const int length =
      WideCharToMultiByte(page, flags, wide.data(), size, nullptr, 0, defaultChar, usedDefaultOut);
  if (length <= 0 || (exact && usedDefault)) return std::nullopt;
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(page, flags, wide.data(), size, text.data(), length, defaultChar, nullptr);
  return text;
}

}  // namespace

std::wstring ToWide(CodePage codePage, std::string_view text) {
  return Decode(codePage, text, 0).value_or(std::wstring());
}

std::optional<std::wstring> ToWideExact(CodePage codePage, std::string_view text) {
  return Decode(codePage, text, MB_ERR_INVALID_CHARS);
}

std::string FromWide(CodePage codePage, std::wstring_view wide) {
  return Encode(codePage, wide, false).value_or(std::string());
}

std::optional<std::string> FromWideExact(CodePage codePage, std::wstring_view wide) {
  return Encode(codePage, wide, true);
}

}  // namespace zorli::platform
