// zorli-say MESSAGE...: types each message into the focused window as Unicode key input
// and sends it with Ctrl+Enter, pausing so that the bot can answer. X tools lose
// characters that are not on the keyboard; Wine's own input does not.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <vector>

namespace {

INPUT Key(WORD virtualKey, WORD unicode, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = unicode ? unicode : static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags;
  return input;
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(40);
}

void Say(const wchar_t* message) {
  for (const wchar_t* c = message; *c; ++c) {
    Send({Key(0, *c, KEYEVENTF_UNICODE), Key(0, *c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)});
  }
  Send({Key(VK_CONTROL, 0, 0), Key(VK_RETURN, 0, 0), Key(VK_RETURN, 0, KEYEVENTF_KEYUP),
        Key(VK_CONTROL, 0, KEYEVENTF_KEYUP)});
  Sleep(1000);  // the send's own pause and the repaint
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count < 2) {
    std::fprintf(stderr, "usage: zorli-say MESSAGE...\n");
    return 2;
  }
  for (int i = 1; i < count; ++i) Say(arguments[i]);
  LocalFree(arguments);
  return 0;
}
