#include "wide_text.h"

#include <windows.h>

#include <cstring>

namespace zorli {
namespace {

std::wstring Convert(unsigned codePage, const char* text) {
  if (text == nullptr || text[0] == '\0') return std::wstring();
  const int length = static_cast<int>(std::strlen(text));
  const int wideLength = MultiByteToWideChar(codePage, 0, text, length, nullptr, 0);
  std::wstring wide(static_cast<size_t>(wideLength > 0 ? wideLength : 0), L'\0');
  if (wideLength > 0) MultiByteToWideChar(codePage, 0, text, length, &wide[0], wideLength);
  return wide;
}

}  // namespace

std::wstring GbkToWide(const char* gbk) { return Convert(kGbkCodePage, gbk); }
std::wstring AnsiToWide(const char* text) { return Convert(CP_ACP, text); }

}  // namespace zorli
