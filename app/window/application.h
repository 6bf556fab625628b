#pragma once
// Zorli's program-wide state: the chat list object, the picture lists and the
// conversation, tied to the main window's events.
#include <windows.h>

#include <memory>
#include <vector>

#include "chat_list_adapter.h"
#include "chat_list_view.h"
#include "conversation.h"
#include "main_window.h"
#include "picture.h"
#include "window_input.h"

namespace zorli::window {

class Application {
 public:
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  // Creates and shows the main window, which starts the conversation; false when the
  // window could not be created.
  bool Open(HINSTANCE instance, int showCommand);
  // Runs the message loop until the main window closes; the quit code.
  int Run();

 private:
  void StartConversation();
  void ReleasePictures();

  ChatListView chatList_;
  ChatListAdapter chatListPort_{chatList_};
  MainWindow window_;
  WindowInput input_{window_};
  Conversation conversation_;
  // Pictures the program loaded (the bot avatar); released when the window goes.
  std::vector<std::unique_ptr<Picture>> pictures_;
};

}  // namespace zorli::window
