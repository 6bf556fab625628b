// Zorli's start-up: program-wide state, the chat list's shared resources, the main window
// with the conversation, the message loop, and the clean-up in reverse.
#include <windows.h>

#include "application.h"
#include "chat_list_styles.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  int exitCode = 0;
  {
    zorli::window::Application application;
    zorli::InitChatListStyles();
    exitCode = application.Run(instance, showCommand);
  }
  zorli::ShutdownChatListStyles();
  return exitCode;
}
