#pragma once
// Real input for a window of another process: keyboard records for SendInput, typed as
// virtual keys or as UTF-16 units (KEYEVENTF_UNICODE), and sending them in one batch.
// zorli-say and the end-to-end tests both drive Zorli this way.
#include <windows.h>

#include <vector>

namespace zorli {

// unicode 0: the virtual key with its scan code; otherwise the character itself, which
// flags must mark with KEYEVENTF_UNICODE.
inline INPUT KeyboardInput(WORD virtualKey, WORD unicode, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan =
      unicode ? unicode : static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags;
  return input;
}

// Sends the records in one call, then leaves the target pauseMilliseconds to handle them.
inline void SendInputs(std::vector<INPUT> inputs, DWORD pauseMilliseconds) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(pauseMilliseconds);
}

}  // namespace zorli
