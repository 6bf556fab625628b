#include "full_text_window.h"

#include <commctrl.h>

#include "common_controls.h"

namespace zorli::window {
namespace {

constexpr int kTextBoxId = 1;
constexpr UINT_PTR kTextBoxSubclass = 1;
constexpr int kWidth = 420;
constexpr int kHeight = 360;
constexpr int kMargin = 6;
constexpr int kCascadeStep = 24;  // later windows do not cover the earlier ones exactly

LRESULT CALLBACK TextBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) {
  if (message == WM_KEYDOWN) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (ctrl && wParam == 'A') {
      SendMessageW(box, EM_SETSEL, 0, -1);
      return 0;
    }
    if (wParam == VK_ESCAPE) {
      PostMessageW(GetParent(box), WM_CLOSE, 0, 0);
      return 0;
    }
  }
  // Ctrl+A would otherwise also arrive as a character and beep.
  if (message == WM_CHAR && wParam == 1) return 0;
  if (message == WM_NCDESTROY) RemoveSubclass(box, TextBoxProc, kTextBoxSubclass);
  return DefSubclass(box, message, wParam, lParam);
}

LRESULT CALLBACK FullTextProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      MoveWindow(GetDlgItem(window, kTextBoxId), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
      return 0;
    case WM_SETFOCUS: SetFocus(GetDlgItem(window, kTextBoxId)); return 0;
    case WM_CTLCOLORSTATIC: {
      // Read-only boxes are drawn grey by default; this one is for reading, so white.
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterFullTextClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(instance, kFullTextWindowClass, &windowClass)) return true;
  windowClass.lpfnWndProc = FullTextProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  windowClass.lpszClassName = kFullTextWindowClass;
  return RegisterClassExW(&windowClass) != 0;
}

struct OwnedCount {
  HWND owner;
  int windows;
};

BOOL CALLBACK CountOwned(HWND window, LPARAM parameter) {
  auto* count = reinterpret_cast<OwnedCount*>(parameter);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (GetWindow(window, GW_OWNER) == count->owner && wcscmp(name, kFullTextWindowClass) == 0)
    ++count->windows;
  return TRUE;
}

int OpenWindowsOf(HWND owner) {
  OwnedCount count{owner, 0};
  EnumThreadWindows(GetCurrentThreadId(), CountOwned, reinterpret_cast<LPARAM>(&count));
  return count.windows;
}

}  // namespace

HWND OpenFullTextWindow(HWND owner, const std::wstring& title, const std::wstring& text) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterFullTextClass(instance)) return nullptr;
  RECT place{};
  if (owner != nullptr) GetWindowRect(owner, &place);
  const int step = (OpenWindowsOf(owner) % 8) * kCascadeStep;
  HWND window =
      CreateWindowExW(0, kFullTextWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                      place.left + 16 + step, place.top + 40 + step, kWidth, kHeight, owner,
                      nullptr, instance, nullptr);
  if (window == nullptr) return nullptr;
  RECT client{};
  GetClientRect(window, &client);
  HWND box =
      CreateWindowExW(0, L"EDIT", L"",
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                          ES_AUTOVSCROLL | ES_NOHIDESEL,
                      0, 0, client.right, client.bottom, window,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextBoxId)), instance, nullptr);
  if (box == nullptr) {
    DestroyWindow(window);
    return nullptr;
  }
  SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  SendMessageW(box, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(kMargin, kMargin));
  SendMessageW(box, EM_LIMITTEXT, 0, 0);
  SetWindowTextW(box, text.c_str());
  SetSubclass(box, TextBoxProc, kTextBoxSubclass, 0);
  ShowWindow(window, SW_SHOW);
  SetFocus(box);
  return window;
}

}  // namespace zorli::window
