#pragma once
// The real zorli.exe started as a child process, its controls found, its chat list read
// from the child's memory and real keyboard and mouse input sent to it.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "chat_entry.h"
#include "gbk_text.h"

namespace zorli::testing {

// One chat list entry as the child stores it.
struct ShownEntry {
  int32_t kind = -1;  // EntryKind; -1 when there is no such entry
  GbkText nickname;
  GbkText content;
  ImageHandle avatar = 0;
  EntryRect nicknameRect;
  EntryRect bubbleRect;
  bool showNickname = false;
  bool rightSide = false;
};

// A window's client area as the screen shows it, row by row, one 0xRRGGBB per pixel.
struct ScreenCapture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  // Pixels within tolerance of colour in each of red, green and blue.
  int CountNear(uint32_t colour, int tolerance) const;
};
ScreenCapture CaptureClient(HWND window);

class ZorliProcess {
 public:
  // Starts the program with folder as its current directory and waits for its window.
  ZorliProcess(const std::wstring& program, const std::wstring& folder);
  // Closes the window and waits for the end; kills the program if it hangs.
  ~ZorliProcess();
  ZorliProcess(const ZorliProcess&) = delete;
  ZorliProcess& operator=(const ZorliProcess&) = delete;

  bool Started() const { return mainWindow_ != nullptr && list_ != nullptr; }
  HWND MainWindow() const { return mainWindow_; }
  HWND ChatListFrame() const { return frame_; }
  HWND ChatList() const { return list_; }
  HWND Control(int id) const;

  int EntryCount() const;
  ShownEntry Entry(int index) const;
  std::wstring ControlText(int id) const;
  HWND FocusedWindow() const;
  // True when the program's thread does not take a message within milliseconds: it is
  // running a send.
  bool Busy(DWORD milliseconds) const;

  // Clicks the middle of a control with the left button.
  void Click(int id) const;
  // Clicks a point of a window's client area with the left button.
  void ClickAt(HWND window, POINT client) const;
  // Turns the wheel by delta (WHEEL_DELTA a notch, positive away from the user) with the
  // mouse over the middle of window.
  void Wheel(HWND window, int delta) const;
  // A point on the screen inside entry index's bubble, below its top by at most dy.
  POINT BubblePoint(int index, int dy = 1000) const;
  void RightClickAt(POINT screen) const;
  void DoubleClickAt(POINT screen) const;
  // A visible top-level window of the program with that class ("#32770" for a dialog or
  // message box, "#32768" for a menu) and, when given, that owner; or nullptr.
  HWND FindWindowOfClass(const wchar_t* className, HWND owner = nullptr) const;
  void Type(const std::wstring& text) const;
  // Presses key while holding the modifiers (virtual-key codes).
  void Press(std::initializer_list<WORD> modifiers, WORD key, bool extended = false) const;

  // Sends WM_CLOSE and waits; the exit code, or -1 when the program did not end in time.
  long CloseAndWait(DWORD milliseconds);

 private:
  GbkText ReadRemoteText(const char* address) const;

  PROCESS_INFORMATION process_{};
  HWND mainWindow_ = nullptr;
  HWND frame_ = nullptr;
  HWND list_ = nullptr;
};

// Polls condition every 50 ms until it holds or milliseconds have passed.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds);

}  // namespace zorli::testing
