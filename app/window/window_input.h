#pragma once
// The conversation's view of the input area: the two edit boxes and the side check box.
// The controls are looked up at each call, so this can exist before the window does.
#include "conversation_ports.h"
#include "main_window.h"

namespace zorli::window {

class WindowInput : public InputPort {
 public:
  explicit WindowInput(const MainWindow& window) : window_(window) {}

  GbkText Nickname() override;
  GbkText Message() override;
  bool RightSideTicked() override;
  void ClearMessage() override;
  void FocusMessage() override;

 private:
  const MainWindow& window_;
};

}  // namespace zorli::window
