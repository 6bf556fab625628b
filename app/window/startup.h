#pragma once
// Zorli from start to end: program-wide state, the chat list's shared resources, the main
// window and its message loop, the clean-up in reverse. A start that fails says so.
#include <windows.h>

namespace zorli::window {

constexpr int kStartFailedExitCode = 1;

// The main window's quit code, or kStartFailedExitCode after a message box has told the
// user what could not be set up.
int RunZorli(HINSTANCE instance, int showCommand);

}  // namespace zorli::window
