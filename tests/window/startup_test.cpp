// A start that cannot be completed, in this process: the program's own start-up meets a
// window class name that is already taken.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "chat_list_resources.h"
#include "startup.h"
#include "window_layout.h"

namespace zorli::window {
namespace {

LRESULT CALLBACK OtherOwnersProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

BOOL CALLBACK CollectText(HWND child, LPARAM text) {
  wchar_t part[512] = {};
  GetWindowTextW(child, part, 512);
  reinterpret_cast<std::wstring*>(text)->append(part);
  return TRUE;
}

struct ClassSearch {
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindByClass(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<ClassSearch*>(parameter);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (wcscmp(name, search->className) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FindThreadWindow(DWORD thread, const wchar_t* className) {
  ClassSearch search{className, nullptr};
  EnumThreadWindows(thread, FindByClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Waits on its own thread for a message box of the calling thread, keeps its text and
// presses OK. Should no box come, it closes the main window instead, so the test ends.
class MessageBoxCloser {
 public:
  MessageBoxCloser()
      : thread_([this, owner = GetCurrentThreadId()] {
          for (int attempt = 0; attempt < 200; ++attempt) {  // 20 seconds
            if (HWND box = FindThreadWindow(owner, L"#32770")) {
              Sleep(100);  // the box fills in its controls after it appears
              EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&text_));
              PostMessageW(box, WM_COMMAND, IDOK, 0);
              return;
            }
            Sleep(100);
          }
          if (HWND main = FindThreadWindow(owner, L"ZorliMainWindow")) {
            PostMessageW(main, WM_CLOSE, 0, 0);
          }
        }) {}
  ~MessageBoxCloser() { Join(); }

  // Once the box has been closed.
  std::wstring Text() {
    Join();
    return text_;
  }

 private:
  void Join() {
    if (thread_.joinable()) thread_.join();
  }

  std::wstring text_;
  std::thread thread_;
};

TEST(Startup, ChatListThatCannotBeSetUpIsReportedReleasedAndEndsTheProgram) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW taken{};
  taken.cbSize = sizeof taken;
  taken.lpfnWndProc = OtherOwnersProc;
  taken.hInstance = instance;
  taken.lpszClassName = L"QuarnPopChatFrame";  // the second of the two, after the list box's
  ASSERT_NE(RegisterClassExW(&taken), 0);

  MessageBoxCloser closer;
  EXPECT_EQ(RunZorli(instance, SW_SHOWNORMAL), kStartFailedExitCode);
  const std::wstring text = closer.Text();
  EXPECT_NE(text.find(L"窗口类无法注册"), std::wstring::npos) << text;
  EXPECT_NE(text.find(std::to_wstring(ERROR_CLASS_ALREADY_EXISTS)), std::wstring::npos);

  // What the start had made is gone again; the other owner's class is left alone.
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  EXPECT_FALSE(GetClassInfoExW(instance, L"QuarnPopChat", &info));
  ASSERT_TRUE(GetClassInfoExW(instance, L"QuarnPopChatFrame", &info));
  EXPECT_EQ(info.lpfnWndProc, OtherOwnersProc);
  EXPECT_EQ(Resources().gdiplusToken, 0u);

  UnregisterClassW(L"QuarnPopChatFrame", instance);
  EXPECT_TRUE(InitChatListStyles());  // nothing left half made stands in the next start's way
  ShutdownChatListStyles();
}

}  // namespace
}  // namespace zorli::window
