#include "chat_commands.h"

#include "clipboard.h"
#include "full_text_window.h"
#include "platform/wide_text.h"
#include "save_file.h"
#include "transcript_text.h"

namespace zorli::window {
namespace {

using platform::CodePage;
using platform::ToWide;

constexpr wchar_t kSaveTitle[] = L"保存聊天记录";
constexpr wchar_t kSaveFailed[] = L"聊天记录没有保存：";
constexpr wchar_t kClearTitle[] = L"清空聊天记录";
constexpr wchar_t kClearQuestion[] = L"要清空全部聊天记录吗？清空后不能恢复。";
constexpr wchar_t kFullTextTitle[] = L"全文 - ";

std::wstring FromUtf8(std::string_view text) { return ToWide(CodePage::kUtf8, text); }

}  // namespace

ChatCommands::ChatCommands(ChatListView& chatList, Conversation& conversation)
    : chatList_(chatList), conversation_(conversation) {}

std::wstring ChatCommands::EntryText(int32_t index) const {
  const Turn* turn = conversation_.TurnShowing(index);
  const GbkText text = turn != nullptr ? turn->text : chatList_.GetContent(index);
  return ToWide(CodePage::kGbk, WithCrLfLineEnds(text));
}

bool ChatCommands::CopyEntry(int32_t index) const {
  return PutTextOnClipboard(owner_, EntryText(index));
}

void ChatCommands::ShowFullText(int32_t index) const {
  const std::wstring nickname = ToWide(CodePage::kGbk, chatList_.GetNickname(index));
  OpenFullTextWindow(owner_, kFullTextTitle + nickname, EntryText(index));
}

bool ChatCommands::CopyAll() const {
  return PutTextOnClipboard(owner_, FromUtf8(TranscriptToUtf8Text(conversation_.Turns())));
}

void ChatCommands::Save() const {
  const std::optional<std::wstring> path =
      AskSavePath(owner_, kSaveTitle, FromUtf8(DefaultTranscriptFileName(now())));
  if (!path) return;
  if (const auto error = WriteFileReplacing(*path, TranscriptFileBytes(conversation_.Turns())))
    MessageBoxW(owner_, (kSaveFailed + *path + L"\r\n\r\n" + *error).c_str(), kSaveTitle,
                MB_OK | MB_ICONERROR);
}

void ChatCommands::Clear() {
  if (MessageBoxW(owner_, kClearQuestion, kClearTitle,
                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
    conversation_.Clear();
}

void ChatCommands::AddSections(ChatMenuBuilder& builder) {
  builder.AddSection([this](const ChatMenuContext& context, ChatMenu& menu) {
    const int32_t index = context.click.index;
    if (index < 0) return;
    menu.Add(kCopyEntryText, [this, index] { CopyEntry(index); });
    menu.Add(kFullTextText, [this, index] { ShowFullText(index); });
  });
  builder.AddSection([this](const ChatMenuContext&, ChatMenu& menu) {
    const bool any = !conversation_.Turns().empty() || chatList_.GetCount() > 0;
    const bool anyTurn = !conversation_.Turns().empty();
    const auto copyAll = [this] { CopyAll(); };
    const auto save = [this] { Save(); };
    const auto clear = [this] { Clear(); };
    menu.Add(kCopyAllText, copyAll, anyTurn);
    menu.Add(kSaveText, save, anyTurn);
    menu.Add(kClearText, clear, any);
  });
}

}  // namespace zorli::window
