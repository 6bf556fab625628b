#pragma once
// The program's only window: the chat list's picture box on top, the framed input area
// below. It owns no conversation logic; it reports what the user does through events.
#include <windows.h>

#include <functional>

namespace zorli::window {

struct MainWindowEvents {
  std::function<void()> created;                       // every control exists
  std::function<void()> sendRequested;                 // send button, Ctrl+Enter, Alt+S
  std::function<void(bool show)> showNicknameChanged;  // the nickname check box clicked
  std::function<void()> destroying;                    // the window got WM_DESTROY
  std::function<void()> saveRequested;                 // Ctrl+S
};

class MainWindow {
 public:
  explicit MainWindow(MainWindowEvents events);
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Builds the window centred on the screen and its controls, runs `created`, then shows it
  // with the message box focused. False when a window could not be created.
  bool Create(HINSTANCE instance, int showCommand);

  // Looks at a message before translation; true when it was handled and must go no further.
  bool PreTranslate(const MSG& message);
  // Runs until the window is destroyed; returns the quit code.
  int RunMessageLoop();

  HWND Handle() const { return window_; }
  // A control by its identifier (window_layout.h), or nullptr.
  HWND Control(int id) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  bool RegisterClasses(HINSTANCE instance);
  bool CreateControls();
  void OnCommand(int id, int notification);
  // Moves the focus from a window by step places along the tab order.
  void MoveFocus(HWND from, int step);
  // Sends a wheel turn to the chat list when the mouse is over it; true when it did.
  bool WheelToListUnderMouse(const MSG& message);
  // Gives the focus back to the control that had it, or to the message box.
  void RestoreFocus();

  MainWindowEvents events_;
  HWND window_ = nullptr;
  HWND pictureBox_ = nullptr;
  HWND shapeBox_ = nullptr;
  HWND messageBox_ = nullptr;
  // The control that had the focus when the window was last deactivated.
  HWND lastFocus_ = nullptr;
};

}  // namespace zorli::window
