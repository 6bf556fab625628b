#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "password_dialog.h"
#include "platform/platform.h"
#include "platform/wide_text.h"

namespace zorli {
namespace {

// 密码输入
const char kTitle[] = "\xC3\xDC\xC2\xEB\xCA\xE4\xC8\xEB";
// 请输入数据库访问密码：
const char kPrompt[] =
    "\xC7\xEB\xCA\xE4\xC8\xEB\xCA\xFD\xBE\xDD\xBF\xE2\xB7\xC3\xCE\xCA\xC3\xDC\xC2\xEB\xA3\xBA";
// 确认(&O)
const char kConfirm[] = "\xC8\xB7\xC8\xCF(&O)";
// 取消(&C)
const char kCancel[] = "\xC8\xA1\xCF\xFB(&C)";
// 密码错误，您还有 %d 次重新输入的机会。
const char kRetryFormat[] =
    "\xC3\xDC\xC2\xEB\xB4\xED\xCE\xF3\xA3\xAC\xC4\xFA\xBB\xB9\xD3\xD0 %d "
    "\xB4\xCE\xD6\xD8\xD0\xC2\xCA\xE4\xC8\xEB\xB5\xC4\xBB\xFA\xBB\xE1\xA1\xA3";

// 密码中有无法以 GBK 表示的字符。
const char kNotGbk[] =
    "\xC3\xDC\xC2\xEB\xD6\xD0\xD3\xD0\xCE\xDE\xB7\xA8\xD2\xD4 GBK "
    "\xB1\xED\xCA\xBE\xB5\xC4\xD7\xD6\xB7\xFB\xA1\xA3";

constexpr int kAttempts = 3;
constexpr WORD kPromptId = 100, kEditId = 101, kStatusId = 102;
constexpr WORD kStaticClass = 0x0082, kEditClass = 0x0081, kButtonClass = 0x0080;

std::wstring Wide(const char* gbk) { return platform::ToWide(platform::CodePage::kGbk, gbk); }

// An in-memory dialog template: DLGTEMPLATE and its items, each DWORD-aligned.
class DialogTemplate {
 public:
  DialogTemplate(const std::wstring& title, short cx, short cy) {
    Align();
    DLGTEMPLATE header{};
    header.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    header.cx = cx;
    header.cy = cy;
    Append(&header, sizeof header);
    Word(0);  // no menu
    Word(0);  // default class
    Text(title);
    Word(9);
    Text(L"SimSun");
  }
  void Item(WORD classAtom, WORD id, DWORD style, short x, short y, short cx, short cy,
            const std::wstring& caption) {
    Align();
    DLGITEMTEMPLATE entry{};
    entry.style = style | WS_CHILD | WS_VISIBLE;
    entry.x = x;
    entry.y = y;
    entry.cx = cx;
    entry.cy = cy;
    entry.id = id;
    Append(&entry, sizeof entry);
    Word(0xFFFF);
    Word(classAtom);
    Text(caption);
    Word(0);  // no creation data
    ++reinterpret_cast<DLGTEMPLATE*>(bytes_.data())->cdit;
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

 private:
  void Append(const void* data, size_t size) {
    const auto* p = static_cast<const unsigned char*>(data);
    bytes_.insert(bytes_.end(), p, p + size);
  }
  void Word(WORD value) { Append(&value, sizeof value); }
  void Text(const std::wstring& value) {
    Append(value.c_str(), (value.size() + 1) * sizeof(wchar_t));
  }
  void Align() {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
  }
  std::vector<unsigned char> bytes_;
};

struct PromptState {
  int wrongEntries;
  std::string typed;
};

INT_PTR CALLBACK PromptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<PromptState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      state = reinterpret_cast<PromptState*>(lParam);
      if (state->wrongEntries > 0) {
        char status[128];
        wsprintfA(status, kRetryFormat, kAttempts - state->wrongEntries);
        SetDlgItemTextW(dialog, kStatusId, Wide(status).c_str());
      }
      SetFocus(GetDlgItem(dialog, kEditId));
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        // Read as typed, whatever the system's code page, and converted to GBK exactly as
        // a password on the command line is: a character GBK lacks is no "?".
        wchar_t buffer[256] = {};
        const UINT length = GetDlgItemTextW(dialog, kEditId, buffer, 256);
        std::optional<std::string> gbk =
            platform::FromWideExact(platform::CodePage::kGbk, std::wstring_view(buffer, length));
        platform::WipeBytes(buffer, sizeof buffer);
        if (!gbk) {
          SetDlgItemTextW(dialog, kStatusId, Wide(kNotGbk).c_str());
          return TRUE;
        }
        state->typed.swap(*gbk);
        platform::WipeBytes(gbk->data(), gbk->size());
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    case WM_DESTROY: {
      // The typed password does not stay in the edit control's memory.
      const int length = GetWindowTextLengthA(GetDlgItem(dialog, kEditId));
      SetDlgItemTextA(dialog, kEditId, std::string(static_cast<size_t>(length), ' ').c_str());
      return FALSE;
    }
    default: return FALSE;
  }
}

}  // namespace

std::optional<GbkText> ShowPasswordDialog(int32_t wrongEntries) {
  DialogTemplate dialog(Wide(kTitle), 200, 86);
  dialog.Item(kStaticClass, kPromptId, SS_LEFT, 10, 8, 180, 10, Wide(kPrompt));
  dialog.Item(kEditClass, kEditId, ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 10, 22,
              180, 13, L"");
  dialog.Item(kStaticClass, kStatusId, SS_LEFT, 10, 40, 180, 10, L"");
  dialog.Item(kButtonClass, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 50, 62, 60, 15, Wide(kConfirm));
  dialog.Item(kButtonClass, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 120, 62, 60, 15, Wide(kCancel));
  PromptState state{wrongEntries, {}};
  const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), nullptr,
                                                 PromptProc, reinterpret_cast<LPARAM>(&state));
  if (result != IDOK) return std::nullopt;
  std::optional<GbkText> typed(state.typed);
  platform::WipeBytes(state.typed.data(), state.typed.size());
  return typed;
}

}  // namespace zorli
