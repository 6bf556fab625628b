// Times adding many messages to a chat list and painting a screenful afterwards.
// Usage: chatlist_benchmark [count] [hidden] [follow]
//   count: messages to add (default 10000); hidden: add while the list is hidden, then show
//   it for painting; follow: scroll to the bottom after every message, as the application does.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "chat_list_resources.h"
#include "chat_list_view.h"

namespace {

double Now() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace

int main(int argc, char** argv) {
  int count = 10000;
  bool hidden = false, follow = false;
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "hidden")
      hidden = true;
    else if (option == "follow")
      follow = true;
    else
      count = std::atoi(argv[i]);
  }
  if (!zorli::InitChatListStyles()) return 1;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"ZorliChatListBenchmark";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 480, 700,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  zorli::ChatListView chatList;
  if (!chatList.Create(window, 0, 0, 480, 700, 0, true)) return 1;
  PumpMessages();
  if (hidden) chatList.Hide();

  const int block = count >= 10 ? count / 10 : 1;
  std::printf("adding %d messages to a %s list%s, %d per block\n", count,
              hidden ? "hidden" : "visible", follow ? " kept scrolled to the bottom" : "", block);
  double blockStart = Now();
  const double start = blockStart;
  for (int i = 0; i < count; ++i) {
    const bool right = i % 2 == 1;
    chatList.AddMessage(
        right ? "user" : "KaduZorli", 0,
        "message " + std::to_string(i) +
            (i % 3 == 0 ? " with a longer text that wraps onto a second line in the bubble" : ""),
        std::nullopt, right);
    if (follow) chatList.ScrollToBottom();
    if ((i + 1) % block == 0) {
      const double now = Now();
      std::printf("  entries %6d-%6d: %8.2f ms (%.3f ms per entry)\n", i + 1 - block, i,
                  now - blockStart, (now - blockStart) / block);
      blockStart = now;
    }
  }
  const double added = Now();
  std::printf("added %d in %.1f ms\n", chatList.GetCount(), added - start);

  const double paintStart = Now();
  if (hidden) chatList.Show();
  chatList.ScrollToBottom();
  UpdateWindow(chatList.GetListWindowHandle());
  PumpMessages();
  const double painted = Now();
  std::printf("scroll to bottom and paint a screenful: %.1f ms\n", painted - paintStart);

  const double repaintStart = Now();
  InvalidateRect(chatList.GetListWindowHandle(), nullptr, FALSE);
  UpdateWindow(chatList.GetListWindowHandle());
  std::printf("repaint the screenful: %.1f ms\n", Now() - repaintStart);
  DestroyWindow(window);
  return 0;
}
