#pragma once
// A visible test window hosting a chat list, with the shared resources set up once.
#include <windows.h>

#include <gtest/gtest.h>

#include "chat_list_resources.h"
#include "chat_list_view.h"

namespace zorli {

inline HWND CreateTestWindow(int width, int height) {
  static const wchar_t* className = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZorliChatListTestWindow";
    RegisterClassW(&windowClass);
    return windowClass.lpszClassName;
  }();
  HWND window = CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  // Not activated: destroying an active window makes Wine wait seconds for the focus change.
  ShowWindow(window, SW_SHOWNOACTIVATE);
  return window;
}

inline void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

class ChatListFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_TRUE(InitChatListStyles()); }

  void SetUp() override {
    parent = CreateTestWindow(500, 600);
    ASSERT_NE(parent, nullptr);
  }
  void TearDown() override {
    DestroyWindow(parent);
    PumpMessages();
  }

  // Creates the control at the parent's top-left corner and returns its list box.
  HWND CreateList(int width = 400, int height = 500, bool showNickname = true) {
    EXPECT_TRUE(view.Create(parent, 0, 0, width, height, 0, showNickname));
    return view.GetListWindowHandle();
  }
  int32_t ClientWidth() const {
    RECT client{};
    GetClientRect(view.GetListWindowHandle(), &client);
    return client.right;
  }
  ChatEntry Entry(int32_t index) const {
    ChatEntry entry;
    EXPECT_TRUE(view.GetEntry(index, entry)) << "entry " << index;
    return entry;
  }
  RECT ItemRect(int32_t index) const {
    RECT rect{};
    SendMessageW(view.GetListWindowHandle(), LB_GETITEMRECT, index,
                 reinterpret_cast<LPARAM>(&rect));
    return rect;
  }
  int32_t ItemHeight(int32_t index) const {
    return static_cast<int32_t>(
        SendMessageW(view.GetListWindowHandle(), LB_GETITEMHEIGHT, index, 0));
  }
  void Paint() {
    UpdateWindow(view.GetListWindowHandle());
    PumpMessages();
  }

  HWND parent = nullptr;
  ChatListView view;
};

}  // namespace zorli
