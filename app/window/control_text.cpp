#include "control_text.h"

#include <string>

#include "gbk_stand_ins.h"
#include "platform/wide_text.h"

namespace zorli::window {

GbkText ReadControlText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  if (length <= 0) return {};
  std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(control, wide.data(), length + 1);
  wide.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  // Through UTF-8, so that an emoji keeps a name; a lone surrogate arrives as U+FFFD.
  return Utf8ToGbkWithStandIns(platform::FromWide(platform::CodePage::kUtf8, wide));
}

void WriteControlText(HWND control, const GbkText& text) {
  SetWindowTextW(control, platform::ToWide(platform::CodePage::kGbk, text).c_str());
}

}  // namespace zorli::window
