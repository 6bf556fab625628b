#include "key_state.h"

namespace zorli::window {
namespace {
bool IsDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }
}  // namespace

int CurrentShiftState() {
  return (IsDown(VK_CONTROL) ? kCtrlBit : 0) | (IsDown(VK_SHIFT) ? kShiftBit : 0) |
         (IsDown(VK_MENU) ? kAltBit : 0);
}

bool IsSendKey(UINT message, WPARAM key, int shiftState) {
  return message == WM_KEYDOWN && key == VK_RETURN && shiftState == kCtrlBit;
}

bool IsSendButtonAccessKey(UINT message, WPARAM key, int shiftState) {
  return message == WM_SYSKEYDOWN && key == 'S' && shiftState == kAltBit;
}

}  // namespace zorli::window
