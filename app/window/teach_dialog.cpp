#include "teach_dialog.h"

#include <vector>

#include "control_text.h"
#include "knowledge_schema.h"
#include "platform/wide_text.h"

namespace zorli::window {
namespace {

using platform::CodePage;

constexpr wchar_t kMessageLabel[] = L"你说：";
constexpr wchar_t kAnswerLabel[] = L"Zorli应该回答：";
constexpr wchar_t kTeachButton[] = L"教会它";
constexpr wchar_t kCancelButton[] = L"取消";
constexpr wchar_t kLacksBefore[] = L"“";
constexpr wchar_t kLacksAfter[] = L"”不是GBK里的字，不能用。";
constexpr wchar_t kTooLong[] = L"回答最多200个字节（100个汉字），多出的没有加上。";
constexpr wchar_t kFontName[] = L"MS Shell Dlg";
constexpr WORD kFontPoints = 9;
// Class atoms of a dialog template's items.
constexpr WORD kButtonAtom = 0x0080, kEditAtom = 0x0081, kStaticAtom = 0x0082;

// A dialog template in memory: the dialog, then its items, each on a DWORD boundary.
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short cx, short cy, const wchar_t* title) {
    PutDword(style | DS_SETFONT);
    PutDword(0);
    countAt_ = words_.size();
    words_.push_back(0);
    PutRect(0, 0, cx, cy);
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the dialog class
    PutText(title);
    words_.push_back(kFontPoints);
    PutText(kFontName);
  }
  void Add(WORD atom, DWORD style, short x, short y, short cx, short cy, int id,
           const wchar_t* text) {
    if (words_.size() % 2 != 0) words_.push_back(0);
    PutDword(style | WS_CHILD | WS_VISIBLE);
    PutDword(0);
    PutRect(x, y, cx, cy);
    words_.push_back(static_cast<WORD>(id));
    words_.push_back(0xFFFF);
    words_.push_back(atom);
    PutText(text);
    words_.push_back(0);  // no creation data
    ++words_[countAt_];
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void PutDword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
  }
  void PutRect(short x, short y, short cx, short cy) {
    for (short value : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(value));
  }
  void PutText(const wchar_t* text) {
    for (; *text != L'\0'; ++text) words_.push_back(static_cast<WORD>(*text));
    words_.push_back(0);
  }

  std::vector<WORD> words_;  // WORD-aligned, and the vector's storage is DWORD-aligned
  size_t countAt_ = 0;
};

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

struct DialogState {
  GbkText message;
  std::optional<TaughtAnswer> result;
  std::wstring accepted[2];  // the last text of each box that passed the checks
  bool restoring = false;
};

// A box's text changed: keep it when GBK holds it (and, for the answer, the field does),
// else put back the last good text and say why.
void OnBoxChanged(HWND dialog, DialogState& state, int id) {
  if (state.restoring) return;
  HWND box = GetDlgItem(dialog, id);
  const std::wstring text = TextOf(box);
  const DialogTextCheck check = CheckDialogText(text);
  const bool answer = id == kTaughtAnswerBoxId;
  std::wstring refusal;
  if (check.lacking) {
    refusal = kLacksBefore + *check.lacking + kLacksAfter;
  } else if (answer && check.gbkBytes > knowledge::kTextWidth) {
    refusal = kTooLong;
  }
  std::wstring& accepted = state.accepted[answer ? 1 : 0];
  if (refusal.empty()) {
    accepted = text;
  } else {
    DWORD caret = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&caret), 0);
    const DWORD removed = static_cast<DWORD>(text.size() - accepted.size());
    state.restoring = true;
    SetWindowTextW(box, accepted.c_str());
    state.restoring = false;
    const DWORD back = caret >= removed ? caret - removed : 0;
    SendMessageW(box, EM_SETSEL, back, back);
  }
  SetDlgItemTextW(dialog, kRefusalLabelId, refusal.c_str());
  const DialogTextCheck kept = CheckDialogText(state.accepted[1]);
  SetDlgItemTextW(dialog, kBytesLeftLabelId, BytesLeftText(kept.gbkBytes).c_str());
  EnableWindow(GetDlgItem(dialog, IDOK), !state.accepted[0].empty() && !state.accepted[1].empty());
}

INT_PTR CALLBACK TeachDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<DialogState*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      state = reinterpret_cast<DialogState*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      // The main window's controls use the GUI font, which has the Chinese characters.
      for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                     0);
      WriteControlText(GetDlgItem(dialog, kTaughtMessageBoxId), state->message);
      state->accepted[0] = TextOf(GetDlgItem(dialog, kTaughtMessageBoxId));
      OnBoxChanged(dialog, *state, kTaughtAnswerBoxId);
      SetFocus(GetDlgItem(dialog, kTaughtAnswerBoxId));
      return FALSE;  // the focus is set
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kTaughtMessageBoxId:
        case kTaughtAnswerBoxId:
          if (HIWORD(wParam) == EN_CHANGE) OnBoxChanged(dialog, *state, LOWORD(wParam));
          return TRUE;
        case IDOK:
          if (state->accepted[0].empty() || state->accepted[1].empty()) return TRUE;
          state->result = TaughtAnswer{ReadControlText(GetDlgItem(dialog, kTaughtMessageBoxId)),
                                       ReadControlText(GetDlgItem(dialog, kTaughtAnswerBoxId))};
          EndDialog(dialog, IDOK);
          return TRUE;
        case IDCANCEL: EndDialog(dialog, IDCANCEL); return TRUE;
        default: break;
      }
      break;
    default: break;
  }
  return FALSE;
}

}  // namespace

DialogTextCheck CheckDialogText(std::wstring_view text) {
  DialogTextCheck check;
  for (size_t i = 0; i < text.size();) {
    // A character beyond the basic plane is a surrogate pair: GBK has none of them.
    const size_t length = (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size()) ? 2 : 1;
    const std::optional<std::string> gbk =
        platform::FromWideExact(CodePage::kGbk, text.substr(i, length));
    if (!gbk) {
      check.lacking = std::wstring(text.substr(i, length));
      return check;
    }
    check.gbkBytes += static_cast<int>(gbk->size());
    i += length;
  }
  return check;
}

std::wstring BytesLeftText(int gbkBytes) {
  const int left = knowledge::kTextWidth - gbkBytes;
  return L"还能输入 " + std::to_wstring(left < 0 ? 0 : left) + L" 个字节（一个汉字两个字节）";
}

std::optional<TaughtAnswer> AskTaughtAnswer(HWND owner, const GbkText& message) {
  DialogTemplate dialog(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 240, 136,
                        kTeachDialogTitle);
  dialog.Add(kStaticAtom, SS_LEFT, 7, 7, 226, 9, -1, kMessageLabel);
  dialog.Add(kEditAtom, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 17, 226, 14,
             kTaughtMessageBoxId, L"");
  dialog.Add(kStaticAtom, SS_LEFT, 7, 37, 226, 9, -1, kAnswerLabel);
  dialog.Add(kEditAtom, ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | WS_BORDER | WS_TABSTOP, 7, 47,
             226, 40, kTaughtAnswerBoxId, L"");
  dialog.Add(kStaticAtom, SS_LEFT, 7, 91, 226, 9, kBytesLeftLabelId, L"");
  dialog.Add(kStaticAtom, SS_LEFT, 7, 101, 226, 9, kRefusalLabelId, L"");
  dialog.Add(kButtonAtom, BS_DEFPUSHBUTTON | WS_TABSTOP, 125, 115, 52, 14, IDOK, kTeachButton);
  dialog.Add(kButtonAtom, BS_PUSHBUTTON | WS_TABSTOP, 181, 115, 52, 14, IDCANCEL, kCancelButton);
  DialogState state;
  state.message = message;
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), owner, TeachDialogProc,
                          reinterpret_cast<LPARAM>(&state));
  return state.result;
}

}  // namespace zorli::window
