#pragma once
// The dialog that teaches Zorli an answer: the user's message (editable) and the answer
// Zorli should give, at most one answer field's GBK bytes, with a live count of what is
// left; characters GBK lacks are refused with a word why. 教会它 or 取消.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "gbk_text.h"

namespace zorli::window {

constexpr wchar_t kTeachDialogTitle[] = L"教Zorli怎么回答";
constexpr int kTaughtMessageBoxId = 101;
constexpr int kTaughtAnswerBoxId = 102;
constexpr int kBytesLeftLabelId = 103;
constexpr int kRefusalLabelId = 104;

// What an edit box of the dialog may hold: its GBK bytes, or the first character GBK
// lacks.
struct DialogTextCheck {
  int gbkBytes = 0;
  std::optional<std::wstring> lacking;  // the character (a surrogate pair stays whole)
};
DialogTextCheck CheckDialogText(std::wstring_view text);
// "还能输入 N 个字节" for an answer of gbkBytes.
std::wstring BytesLeftText(int gbkBytes);

struct TaughtAnswer {
  GbkText message;
  GbkText answer;
};

// Modal; nullopt when cancelled.
std::optional<TaughtAnswer> AskTaughtAnswer(HWND owner, const GbkText& message);

}  // namespace zorli::window
