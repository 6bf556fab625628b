// zorli-say [--type] MESSAGE...: types each message into the focused window as Unicode key
// input and sends it with Ctrl+Enter, pausing so that the bot can answer; with --type it
// only types (into a dialog, say). X tools lose
// characters that are not on the keyboard; Wine's own input does not.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <utility>
#include <vector>

#include "keyboard_input.h"

namespace {

using zorli::KeyboardInput;

// Time for the window to take each batch of keys.
constexpr DWORD kKeyPauseMilliseconds = 40;

void Send(std::vector<INPUT> inputs) {
  zorli::SendInputs(std::move(inputs), kKeyPauseMilliseconds);
}

void Type(const wchar_t* message) {
  for (const wchar_t* c = message; *c; ++c) {
    Send({KeyboardInput(0, *c, KEYEVENTF_UNICODE),
          KeyboardInput(0, *c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)});
  }
}

void Say(const wchar_t* message) {
  Type(message);
  Send({KeyboardInput(VK_CONTROL, 0, 0), KeyboardInput(VK_RETURN, 0, 0),
        KeyboardInput(VK_RETURN, 0, KEYEVENTF_KEYUP),
        KeyboardInput(VK_CONTROL, 0, KEYEVENTF_KEYUP)});
  Sleep(1000);  // the send's own pause and the repaint
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count < 2) {
    std::fprintf(stderr, "usage: zorli-say [--type] MESSAGE...\n");
    return 2;
  }
  const bool typeOnly = std::wcscmp(arguments[1], L"--type") == 0;
  for (int i = typeOnly ? 2 : 1; i < count; ++i) (typeOnly ? Type : Say)(arguments[i]);
  LocalFree(arguments);
  return 0;
}
