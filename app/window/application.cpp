#include "application.h"

#include "bot_avatar.h"
#include "missing_knowledge.h"
#include "platform/file.h"
#include "spoken_names.h"
#include "system_services.h"
#include "window_layout.h"

namespace zorli::window {

Application::Application()
    : window_(MainWindowEvents{
          [this] { StartConversation(); },
          [this] { conversation_.SubmitInput(); },
          [this](bool show) { chatList_.SetShowNickname(show); },
          [this] { ReleasePictures(); },
          [this] { commands_.Save(); },
      }),
      conversation_(chatListPort_, input_, SystemConversationServices()) {
  commands_.AddSections(menu_);
  teaching_.AddSection(menu_);
}

Application::~Application() {
  // The window's destroy event still needs every member.
  if (window_.Handle()) DestroyWindow(window_.Handle());
  ReleasePictures();
}

bool Application::Open(HINSTANCE instance, int showCommand) {
  return window_.Create(instance, showCommand);
}

int Application::Run() { return window_.RunMessageLoop(); }

void Application::StartConversation() {
  HWND pictureBox = window_.Control(kPictureBoxId);
  RECT client{};
  GetClientRect(pictureBox, &client);
  chatList_.Create(pictureBox, 0, 0, client.right, client.bottom, 0, true);
  chatList_.OnClickFace(
      [this](const ChatListClick& click) { conversation_.OnClickFace(click.index); });
  chatList_.OnClickNickname(
      [this](const ChatListClick& click) { conversation_.OnClickNickname(click.index); });
  chatList_.OnClickContent(
      [this](const ChatListClick& click) { conversation_.OnClickContent(click.index); });
  chatList_.OnRightClick([this](const ChatListClick& click) { OnRightClick(click); });
  // A cut bubble's whole text is one double-click away.
  chatList_.OnDoubleClick([this](const ChatListClick& click) {
    if (click.part == kHitBubble && chatList_.IsCut(click.index))
      commands_.ShowFullText(click.index);
  });
  commands_.SetOwner(window_.Handle());
  teaching_.SetOwner(window_.Handle());

  auto avatar = std::make_unique<Picture>();
  avatar->LoadFromBytes(embedded::kBotAvatarJpg, embedded::kBotAvatarJpgSize);
  const ImageHandle botAvatar = avatar->Handle();
  pictures_.push_back(std::move(avatar));
  chatList_.SetEntryNames([this](int32_t index) {
    return SpokenTurn(conversation_.Turns(), index).value_or(chatList_.GetContent(index));
  });
  conversation_.StartConversation(botAvatar);
  for (const GbkText& tip : MissingKnowledgeTips(MissingKnowledgeFiles(platform::DiskFileSystem())))
    chatList_.AddTip(tip);
  teaching_.PutBackTaught();
}

void Application::OnRightClick(const ChatListClick& click) {
  const ChatMenuContext context{click, conversation_.TurnShowing(click.index)};
  ShowChatMenu(window_.Handle(), menu_.Build(context), click.screenPoint);
}

void Application::ReleasePictures() {
  for (auto& picture : pictures_) picture->Release();
  pictures_.clear();
}

}  // namespace zorli::window
