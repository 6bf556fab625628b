// Teaching and forgetting in the real program, under real mouse and keys: the menu, the
// dialog with typed text, the tip, and the message sent again.
#include <windows.h>
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "database_writer.h"
#include "gbk_convert.h"
#include "knowledge_schema.h"
#include "platform/wide_text.h"
#include "record_database.h"
#include "teach_dialog.h"
#include "teaching.h"
#include "test_files.h"
#include "window_layout.h"
#include "zorli_process.h"

namespace zorli::testing {
namespace {

using namespace zorli::window;

constexpr wchar_t kMenuClass[] = L"#32768";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr DWORD kWait = 5000;
// Entries: the greeting, then each message and its reply.
constexpr int kFirstReply = 2;

GbkText Gbk(const std::wstring& text) { return platform::FromWide(platform::CodePage::kGbk, text); }

std::vector<knowledge::TaughtPair> TaughtPairs() {
  std::vector<knowledge::TaughtPair> pairs;
  EXPECT_TRUE(knowledge::ReadTaughtPairs("taught.tsv", pairs).ok);
  return pairs;
}

class TeachingEndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileW(L"taught.tsv");
    WriteKnowledgeFile(
        knowledge::PrimaryKnowledge(),
        {{Gbk(L"你好"), Gbk(L"你好呀"), Gbk(L"你好呀"), Gbk(L"你好呀"), Gbk(L"你好呀")}});
    WriteKnowledgeFile(knowledge::FallbackKnowledge(), {{Gbk(L"我听不懂")}});
  }
  void TearDown() override {
    zorli_.reset();
    DeleteFileW(L"taught.tsv");
  }

  void Start() {
    std::string path = ZORLI_EXE;
    for (char& c : path)
      if (c == '/') c = '\\';
    zorli_ = std::make_unique<ZorliProcess>(L"Z:" + std::wstring(path.begin(), path.end()),
                                            CurrentFolder());
    ASSERT_TRUE(zorli_->Started());
    ASSERT_TRUE(WaitUntil([&] { return zorli_->EntryCount() == 1; }, kWait));
    SetForegroundWindow(zorli_->MainWindow());
  }

  // Types the message into the message box and sends it with Ctrl+Enter.
  void Send(const std::wstring& message) {
    const int before = zorli_->EntryCount();
    zorli_->Click(kMessageBoxId);
    ASSERT_TRUE(WaitUntil([&] { return zorli_->FocusedWindow() == zorli_->Control(kMessageBoxId); },
                          kWait));
    zorli_->Type(message);
    ASSERT_TRUE(WaitUntil([&] { return zorli_->ControlText(kMessageBoxId) == message; }, kWait));
    zorli_->Press({VK_CONTROL}, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return zorli_->EntryCount() == before + 2; }, kWait));
  }
  // The reply's text as shown, after its time header.
  GbkText ReplyOf(int entry) const {
    const GbkText content = zorli_->Entry(entry).content;
    const size_t start = content.find("\r\n\r\n    ");
    return start == GbkText::npos ? content : content.substr(start + 8);
  }

  // Right-clicks entry's bubble and chooses the item with that access key.
  void ChooseOnEntry(int entry, WORD key) {
    zorli_->RightClickAt(zorli_->BubblePoint(entry));
    ASSERT_TRUE(WaitUntil([&] { return zorli_->FindWindowOfClass(kMenuClass) != nullptr; }, kWait));
    zorli_->Press({}, key);
    ASSERT_TRUE(WaitUntil([&] { return zorli_->FindWindowOfClass(kMenuClass) == nullptr; }, kWait));
  }

  // Waits for a tip after entry count, and returns it.
  GbkText WaitForTip(int before) {
    EXPECT_TRUE(WaitUntil([&] { return zorli_->EntryCount() == before + 1; }, kWait));
    return zorli_->Entry(before).content;
  }

  std::unique_ptr<ZorliProcess> zorli_;
};

TEST_F(TeachingEndToEndTest, TaughtThroughTheMenuAndTheDialogTheMessageGetsTheAnswer) {
  Start();
  Send(L"今天下雨吗");
  ASSERT_EQ(ReplyOf(kFirstReply), Gbk(L"我听不懂\r\n\r\n"));

  ChooseOnEntry(kFirstReply, 'T');
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] { return (dialog = zorli_->FindWindowOfClass(kDialogClass, zorli_->MainWindow())); },
      kWait));
  EXPECT_EQ(TextOf(dialog), kTeachDialogTitle);
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kTaughtMessageBoxId)), L"今天下雨吗");
  HWND answerBox = GetDlgItem(dialog, kTaughtAnswerBoxId);
  ASSERT_TRUE(WaitUntil([&] { return zorli_->FocusedWindow() == answerBox; }, kWait));
  zorli_->Type(L"带把伞吧");
  ASSERT_TRUE(WaitUntil([&] { return TextOf(answerBox) == L"带把伞吧"; }, kWait));
  EXPECT_EQ(TextOf(GetDlgItem(dialog, kBytesLeftLabelId)), BytesLeftText(8));
  // An emoji has no GBK form: refused, and said so.
  zorli_->Type(L"\U0001F600");
  ASSERT_TRUE(WaitUntil(
      [&] {
        return TextOf(GetDlgItem(dialog, kRefusalLabelId)).find(L"GBK") != std::wstring::npos;
      },
      kWait));
  EXPECT_EQ(TextOf(answerBox), L"带把伞吧");

  const int before = zorli_->EntryCount();
  zorli_->Press({}, VK_RETURN);  // 教会它 is the default button
  EXPECT_EQ(WaitForTip(before), Gbk(L"学会了：今天下雨吗 → 带把伞吧"));
  ASSERT_EQ(TaughtPairs().size(), 1u);
  EXPECT_EQ(TaughtPairs()[0].answer, Gbk(L"带把伞吧"));

  Send(L"今天下雨吗？");
  EXPECT_EQ(ReplyOf(zorli_->EntryCount() - 1), Gbk(L"带把伞吧\r\n\r\n"));
}

TEST_F(TeachingEndToEndTest, ForgottenThroughTheMenuTheMessageIsAnsweredAsBefore) {
  ASSERT_TRUE(
      knowledge::Teach(knowledge::PlaceOf("dbs.edb"), Gbk(L"今天下雨吗"), Gbk(L"带把伞吧")));
  Start();
  Send(L"今天下雨吗");
  ASSERT_EQ(ReplyOf(kFirstReply), Gbk(L"带把伞吧\r\n\r\n"));

  const int before = zorli_->EntryCount();
  ChooseOnEntry(kFirstReply, 'F');
  EXPECT_EQ(WaitForTip(before), Gbk(L"忘掉了：今天下雨吗 → 带把伞吧"));
  EXPECT_TRUE(TaughtPairs().empty());

  Send(L"今天下雨吗");
  EXPECT_EQ(ReplyOf(zorli_->EntryCount() - 1), Gbk(L"我听不懂\r\n\r\n"));
}

}  // namespace
}  // namespace zorli::testing
