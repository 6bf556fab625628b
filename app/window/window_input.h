#pragma once
// The conversation's view of the input area: the two edit boxes and the side check box.
#include <windows.h>

#include "conversation_ports.h"

namespace zorli::window {

class WindowInput : public InputPort {
 public:
  WindowInput(HWND nicknameBox, HWND messageBox, HWND rightSideBox)
      : nicknameBox_(nicknameBox), messageBox_(messageBox), rightSideBox_(rightSideBox) {}

  GbkText Nickname() override;
  GbkText Message() override;
  bool RightSideTicked() override;
  void ClearMessage() override;
  void FocusMessage() override;

 private:
  HWND nicknameBox_;
  HWND messageBox_;
  HWND rightSideBox_;
};

}  // namespace zorli::window
