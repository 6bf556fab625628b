#include "control_text.h"

namespace zorli::window {
namespace {
constexpr UINT kGbkCodePage = 936;
}

std::wstring GbkToWide(const GbkText& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(kGbkCodePage, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(kGbkCodePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

GbkText WideToGbk(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(kGbkCodePage, 0, text.data(), size, nullptr, 0, "?", nullptr);
  if (length <= 0) return {};
  GbkText gbk(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(kGbkCodePage, 0, text.data(), size, gbk.data(), length, "?", nullptr);
  // A GbkText holds no zero bytes.
  return gbk.substr(0, gbk.find('\0'));
}

GbkText ReadControlText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, wide.data(), length + 1);
  wide.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return WideToGbk(wide);
}

void WriteControlText(HWND control, const GbkText& text) {
  SetWindowTextW(control, GbkToWide(text).c_str());
}

}  // namespace zorli::window
