#pragma once
// Zorli's program-wide state: the chat list object, the picture lists and the
// conversation, tied to the main window's events.
#include <windows.h>

#include <memory>
#include <vector>

#include "chat_commands.h"
#include "chat_list_adapter.h"
#include "chat_list_view.h"
#include "chat_menu.h"
#include "conversation.h"
#include "main_window.h"
#include "picture.h"
#include "teaching_commands.h"
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

  // The chat list's right-click menu; a feature adds its section here before Open.
  ChatMenuBuilder& ChatMenuSections() { return menu_; }

 private:
  void StartConversation();
  void OnRightClick(const ChatListClick& click);
  void ReleasePictures();

  ChatListView chatList_;
  ChatListAdapter chatListPort_{chatList_};
  MainWindow window_;
  WindowInput input_{window_};
  Conversation conversation_;
  ChatCommands commands_{chatList_, conversation_};
  TeachingCommands teaching_{chatList_, conversation_};
  ChatMenuBuilder menu_;
  // Pictures the program loaded (the bot avatar); released when the window goes.
  std::vector<std::unique_ptr<Picture>> pictures_;
};

}  // namespace zorli::window
