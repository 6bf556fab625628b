#include "control_text.h"

#include <string>

#include "platform/wide_text.h"

namespace zorli::window {

GbkText ReadControlText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, wide.data(), length + 1);
  wide.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  const GbkText gbk = platform::FromWide(platform::CodePage::kGbk, wide);
  // A GbkText holds no zero bytes.
  return gbk.substr(0, gbk.find('\0'));
}

void WriteControlText(HWND control, const GbkText& text) {
  SetWindowTextW(control, platform::ToWide(platform::CodePage::kGbk, text).c_str());
}

}  // namespace zorli::window
