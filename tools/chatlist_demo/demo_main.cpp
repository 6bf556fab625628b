// Shows a chat list holding every kind of entry, for looking at and for screenshots.
// Usage: chatlist_demo [milliseconds [bottom]]
//   milliseconds: close after that long; bottom: start scrolled to the last entry.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "bot_avatar.h"
#include "chat_list_resources.h"
#include "chat_list_view.h"
#include "gbk_convert.h"
#include "picture.h"

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 760;
constexpr UINT_PTR kCloseTimer = 1;

zorli::ChatListView chatList;

zorli::GbkText Gbk(const char* utf8) { return zorli::Utf8ToGbk(utf8).value_or(zorli::GbkText()); }

void Fill(zorli::ImageHandle botAvatar) {
  using zorli::ChatListView;
  chatList.AddTip(Gbk(u8"\u4eca\u5929 9:41"));
  chatList.AddMessage(Gbk(u8"KaduZorli"), botAvatar,
                      Gbk(u8"\u4f60\u597d\uff01\u6211\u662f "
                          u8"Zorli\uff0c\u6709\u4ec0\u4e48\u53ef\u4ee5\u5e2e\u4f60\uff1f"));
  chatList.AddMessage(Gbk(u8"\u5c0f\u660e"), 0, Gbk(u8"\u51e0\u70b9\u4e86\uff1f"), std::nullopt,
                      true);
  chatList.AddMessage(Gbk(u8""), botAvatar, Gbk(u8"OK"));
  chatList.AddMessage(Gbk(u8""), 0, Gbk(u8"\u6ca1\u6709\u6635\u79f0\u7684\u6d88\u606f"),
                      std::nullopt, true);
  chatList.AddMessage(
      Gbk(u8"KaduZorli"), botAvatar,
      Gbk(u8"A long answer wraps at word boundaries inside its bubble. "
          u8"\u8fd9\u662f\u4e00\u6bb5\u5f88\u957f\u7684"
          u8"\u56de\u7b54\uff0c\u5b83\u4f1a\u5728\u6c14\u6ce1\u91cc\u81ea\u52a8\u6362\u884c\uff0c"
          u8"\u76f4\u5230\u5168\u90e8\u663e\u793a\u51fa\u6765\u3002"));
  chatList.AddCard(Gbk(u8"KaduZorli"), botAvatar, Gbk(u8"\u65b0\u95fb\u9996\u9875"), 0,
                   Gbk(u8"\u4eca\u65e5\u8981\u95fb\uff0c\u70b9\u51fb\u6253\u5f00"),
                   Gbk(u8"https://news.example.com/"));
  chatList.AddCard(Gbk(u8"\u5c0f\u660e"), 0, Gbk(u8"Zorli"), botAvatar, Gbk(u8""),
                   Gbk(u8"https://example.com/zorli"), true);
  chatList.AddPicture(Gbk(u8"\u5c0f\u660e"), 0, botAvatar, true);
  std::string tall;
  for (int line = 1; line <= 20; ++line)
    tall += "Line " + std::to_string(line) +
            Gbk(u8"\uff1a\u8d85\u9ad8\u7684\u6d88\u606f\u4f1a\u88ab\u622a\u65ad\u3002") + "\r\n";
  chatList.AddMessage(Gbk(u8"KaduZorli"), botAvatar, tall);
  chatList.AddTip(Gbk(u8"\u5bf9\u65b9\u6b63\u5728\u8f93\u5165\u2026"));
}

LRESULT CALLBACK DemoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kCloseTimer) DestroyWindow(window);
      return 0;
    case WM_SIZE: chatList.Move(0, 0, LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (!zorli::InitChatListStyles()) return 1;
  zorli::Picture botAvatar;
  botAvatar.LoadFromBytes(zorli::embedded::kBotAvatarJpg, zorli::embedded::kBotAvatarJpgSize);

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DemoWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = L"ZorliChatListDemo";
  RegisterClassW(&windowClass);
  HWND window =
      CreateWindowExW(0, windowClass.lpszClassName, L"Zorli chat list", WS_POPUP | WS_VISIBLE, 0, 0,
                      kWidth, kHeight, nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr || !chatList.Create(window, 0, 0, kWidth, kHeight, 0, true)) return 1;
  Fill(botAvatar.Handle());
  if (argc > 1) SetTimer(window, kCloseTimer, static_cast<UINT>(std::atoi(argv[1])), nullptr);
  if (argc > 2 && std::string(argv[2]) == "bottom") chatList.ScrollToBottom();

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
