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

bool IsSaveKey(UINT message, WPARAM key, int shiftState) {
  return message == WM_KEYDOWN && key == 'S' && shiftState == kCtrlBit;
}

int FocusStep(UINT message, WPARAM key, int shiftState) {
  if (message != WM_KEYDOWN || key != VK_TAB) return 0;
  if (shiftState == 0) return 1;
  return shiftState == kShiftBit ? -1 : 0;
}

bool IsSelectAllKey(UINT message, WPARAM key, int shiftState) {
  return message == WM_KEYDOWN && key == 'A' && shiftState == kCtrlBit;
}

}  // namespace zorli::window
