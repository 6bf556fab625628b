#pragma once
// Keys of the message box, examined before they are translated into characters.
#include <windows.h>

namespace zorli::window {

// Bit set of the modifier keys held when a key went down: Ctrl 1, Shift 2, Alt 4.
enum ShiftBits : int { kCtrlBit = 1, kShiftBit = 2, kAltBit = 4 };

// The modifiers as the calling thread's key state saw them at the current message.
int CurrentShiftState();

// Enter (main or keypad, both VK_RETURN) with exactly Ctrl held sends the message.
bool IsSendKey(UINT message, WPARAM key, int shiftState);
// Alt+S, the send button's access key.
bool IsSendButtonAccessKey(UINT message, WPARAM key, int shiftState);
// Ctrl+S saves the conversation.
bool IsSaveKey(UINT message, WPARAM key, int shiftState);
// Tab alone moves the focus to the next control (1), Shift+Tab to the one before (-1); 0 for
// any other key, Ctrl+Tab included.
int FocusStep(UINT message, WPARAM key, int shiftState);
// Ctrl+A alone selects the whole text of an edit box.
bool IsSelectAllKey(UINT message, WPARAM key, int shiftState);

}  // namespace zorli::window
