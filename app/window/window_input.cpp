#include "window_input.h"

#include "control_text.h"

namespace zorli::window {

GbkText WindowInput::Nickname() { return ReadControlText(nicknameBox_); }

GbkText WindowInput::Message() { return ReadControlText(messageBox_); }

bool WindowInput::RightSideTicked() {
  return SendMessageW(rightSideBox_, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WindowInput::ClearMessage() { WriteControlText(messageBox_, GbkText()); }

void WindowInput::FocusMessage() { SetFocus(messageBox_); }

}  // namespace zorli::window
