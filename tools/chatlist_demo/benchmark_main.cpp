// Times adding many messages to a chat list and painting a screenful afterwards.
// Usage: chatlist_benchmark [count]   (default 10000)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "chat_list_styles.h"
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
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  if (!zorli::InitChatListStyles()) return 1;
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"ZorliChatListBenchmark";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 480, 700, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  zorli::ChatListView chatList;
  if (!chatList.Create(window, 0, 0, 480, 700, 0, true)) return 1;
  PumpMessages();

  const int block = count >= 10 ? count / 10 : 1;
  std::printf("adding %d messages, %d per block\n", count, block);
  double blockStart = Now();
  const double start = blockStart;
  for (int i = 0; i < count; ++i) {
    const bool right = i % 2 == 1;
    chatList.AddMessage(right ? "user" : "KaduZorli", 0,
                        "message " + std::to_string(i) + (i % 3 == 0 ? " with a longer text that wraps onto a second line in the bubble" : ""),
                        std::nullopt, right);
    if ((i + 1) % block == 0) {
      const double now = Now();
      std::printf("  entries %6d-%6d: %8.2f ms (%.3f ms per entry)\n", i + 1 - block, i, now - blockStart,
                  (now - blockStart) / block);
      blockStart = now;
    }
  }
  const double added = Now();
  std::printf("added %d in %.1f ms\n", chatList.GetCount(), added - start);

  const double paintStart = Now();
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
