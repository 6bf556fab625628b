#include "window_input.h"

#include "control_text.h"
#include "window_layout.h"

namespace zorli::window {

GbkText WindowInput::Nickname() { return ReadControlText(window_.Control(kNicknameBoxId)); }

GbkText WindowInput::Message() { return ReadControlText(window_.Control(kMessageBoxId)); }

bool WindowInput::RightSideTicked() {
  return SendMessageW(window_.Control(kRightSideCheckId), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void WindowInput::ClearMessage() { WriteControlText(window_.Control(kMessageBoxId), GbkText()); }

void WindowInput::FocusMessage() { SetFocus(window_.Control(kMessageBoxId)); }

}  // namespace zorli::window
