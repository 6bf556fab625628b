// The chat list's right-click menu in the real program, under real mouse and keys: what
// is copied, saved and cleared is read back from the clipboard and the file.
#include <windows.h>
#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>

#include "clipboard.h"
#include "database_writer.h"
#include "full_text_window.h"
#include "knowledge_schema.h"
#include "record_database.h"
#include "test_files.h"
#include "window_layout.h"
#include "zorli_process.h"

namespace zorli::testing {
namespace {

using namespace zorli::window;

const GbkText kHello = "\xC4\xE3\xBA\xC3";                     // 你好
const GbkText kHelloAnswer = "\xC4\xE3\xBA\xC3\xD1\xBD";       // 你好呀
const GbkText kFallback = "\xCE\xD2\xCC\xFD\xB2\xBB\xB6\xAE";  // 我听不懂
constexpr wchar_t kGreeting[] = L"我是Zorli啊，善解人意，偶尔逗比。。。 :)";
constexpr wchar_t kMenuClass[] = L"#32768";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr DWORD kWait = 10000;  // generous: the tests may share the machine
// A menu shows a moment before its loop takes keys; a key pressed sooner is lost.
constexpr DWORD kMenuSettleMilliseconds = 250;

std::string Utf8Of(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

BOOL CALLBACK FindEdit(HWND window, LPARAM found) {
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  if (_wcsicmp(name, L"Edit") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND FirstEditIn(HWND window) {
  HWND found = nullptr;
  if (window != nullptr) EnumChildWindows(window, FindEdit, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Each paragraph's time stamp as "[]", so that a text can be compared whole.
std::wstring WithoutStamps(const std::wstring& text) {
  static const std::wregex stamp(L"\\[\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\] ");
  return std::regex_replace(text, stamp, L"[] ");
}

class ChatMenuEndToEndTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WriteKnowledgeFile(knowledge::PrimaryKnowledge(),
                       {{kHello, kHelloAnswer, kHelloAnswer, kHelloAnswer, kHelloAnswer}});
    WriteKnowledgeFile(knowledge::FallbackKnowledge(), {{kFallback}});
  }

  void SetUp() override {
    clipboardOwner_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
    zorli_ = std::make_unique<ZorliProcess>(L"Z:" + ExePath(), CurrentFolder());
    ASSERT_TRUE(zorli_->Started());
    ASSERT_TRUE(WaitUntil([&] { return zorli_->EntryCount() == 1; }, kWait));
    SetForegroundWindow(zorli_->MainWindow());
    zorli_->Click(kMessageBoxId);
    ASSERT_TRUE(WaitUntil([&] { return zorli_->FocusedWindow() == zorli_->Control(kMessageBoxId); },
                          kWait));
  }
  void TearDown() override {
    zorli_.reset();
    DestroyWindow(clipboardOwner_);
  }

  static std::wstring ExePath() {
    std::string path = ZORLI_EXE;
    for (char& c : path)
      if (c == '/') c = '\\';
    return std::wstring(path.begin(), path.end());
  }

  // Puts message into the message box, sends it with Ctrl+Enter, waits for both entries.
  void Send(const std::wstring& message) {
    const int before = zorli_->EntryCount();
    SetWindowTextW(zorli_->Control(kMessageBoxId), message.c_str());
    zorli_->Press({VK_CONTROL}, VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return zorli_->EntryCount() == before + 2; }, kWait));
  }

  // Right-clicks at the point and waits for the menu.
  void OpenMenuAt(POINT screen) {
    zorli_->RightClickAt(screen);
    ASSERT_TRUE(WaitUntil([&] { return zorli_->FindWindowOfClass(kMenuClass) != nullptr; }, kWait));
    Sleep(kMenuSettleMilliseconds);
  }
  // Below the last entry: the menu of the whole list.
  POINT BelowTheEntries() const {
    RECT frame{};
    GetWindowRect(zorli_->ChatListFrame(), &frame);
    return POINT{(frame.left + frame.right) / 2, frame.bottom - 10};
  }

  // Chooses an item of the open menu by its access key, or the first one with Enter.
  void Choose(WORD key) {
    if (key == VK_RETURN) zorli_->Press({}, VK_DOWN);
    zorli_->Press({}, key);
    ASSERT_TRUE(WaitUntil([&] { return zorli_->FindWindowOfClass(kMenuClass) == nullptr; }, kWait));
  }

  void PutSentinel() { ASSERT_TRUE(PutTextOnClipboard(clipboardOwner_, L"sentinel")); }
  std::wstring WaitForClipboardChange() {
    std::wstring text = L"sentinel";
    WaitUntil(
        [&] {
          text = ClipboardText(clipboardOwner_).value_or(L"<none>");
          return text != L"sentinel";
        },
        kWait);
    return text;
  }

  HWND WaitForDialog(HWND owner) {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = zorli_->FindWindowOfClass(kDialogClass, owner)) != nullptr; },
              kWait);
    return dialog;
  }

  // Puts path as the file name into the open Save As dialog and presses Enter; returns the
  // name it proposed.
  std::wstring SaveAs(HWND dialog, const std::wstring& path) {
    HWND box = nullptr;
    // The dialog may show before its controls are filled in.
    WaitUntil(
        [&] {
          // The file name box: an edit inside the combo box (or extended one) of that id.
          box = FirstEditIn(GetDlgItem(dialog, 0x47C));
          return box != nullptr && !TextOf(box).empty();
        },
        kWait);
    EXPECT_NE(box, nullptr);
    const std::wstring proposed = TextOf(box);
    // Set, not typed: typing makes the dialog complete each prefix from the disk.
    SetWindowTextW(box, path.c_str());
    EXPECT_EQ(TextOf(box), path);
    SetForegroundWindow(dialog);
    zorli_->Press({}, VK_RETURN);
    return proposed;
  }

  HWND clipboardOwner_ = nullptr;
  std::unique_ptr<ZorliProcess> zorli_;
};

TEST_F(ChatMenuEndToEndTest, CopyPutsAnEntrysOwnTextAndCopyAllTheWholeConversation) {
  Send(L"你好\r\n第二行");
  const struct {
    int entry;
    std::wstring text;
  } copies[] = {{1, L"你好\r\n第二行"}, {2, L"你好呀"}, {0, kGreeting}};
  for (const auto& copy : copies) {
    SCOPED_TRACE(copy.entry);
    PutSentinel();
    OpenMenuAt(zorli_->BubblePoint(copy.entry));
    Choose('C');
    EXPECT_EQ(WaitForClipboardChange(), copy.text);
  }

  PutSentinel();
  OpenMenuAt(BelowTheEntries());
  Choose(VK_RETURN);  // 复制全部聊天记录, the first item off the entries
  EXPECT_EQ(WithoutStamps(WaitForClipboardChange()),
            std::wstring(L"[] KaduZorli：") + kGreeting + L"\r\n" +
                L"[]  Velan-：你好\r\n    第二行\r\n" + L"[] KaduZorli：你好呀\r\n");
}

TEST_F(ChatMenuEndToEndTest, SaveWritesWhatCopyAllCopiesUnderAUnicodeNameAndAsksBeforeReplacing) {
  const std::wstring folder = CurrentFolder() + L"\\记录 Ω";
  const std::wstring path = folder + L"\\聊天 ✓.txt";
  DeleteFileW(path.c_str());
  CreateDirectoryW(folder.c_str(), nullptr);
  Send(L"你好");

  OpenMenuAt(zorli_->BubblePoint(2));
  Choose('S');
  HWND dialog = WaitForDialog(zorli_->MainWindow());
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(
      std::regex_match(SaveAs(dialog, path), std::wregex(L"Zorli聊天记录-20\\d{6}-\\d{6}\\.txt")));
  ASSERT_TRUE(WaitUntil([&] { return ReadWhole(path) != "<missing>"; }, kWait));

  PutSentinel();
  OpenMenuAt(BelowTheEntries());
  Choose(VK_RETURN);
  const std::wstring copied = WaitForClipboardChange();
  EXPECT_EQ(ReadWhole(path), "\xEF\xBB\xBF" + Utf8Of(copied));

  // The dialog left the current folder alone: the knowledge files still answer.
  zorli_->Click(kMessageBoxId);
  Send(L"你好");
  EXPECT_NE(zorli_->Entry(4).content.find(kHelloAnswer), GbkText::npos);

  // Ctrl+S, the same name: asked first, then replaced with the longer conversation.
  zorli_->Press({VK_CONTROL}, 'S');
  dialog = WaitForDialog(zorli_->MainWindow());
  ASSERT_NE(dialog, nullptr);
  SaveAs(dialog, path);
  HWND replace = WaitForDialog(dialog);
  ASSERT_NE(replace, nullptr) << "no question before replacing";
  // Its Yes button, clicked: a key sent while the common dialog still settles its focus
  // can be lost.
  const HWND yes = GetDlgItem(replace, IDYES);
  ASSERT_NE(yes, nullptr);
  PostMessageW(yes, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return ReadWhole(path).size() > Utf8Of(copied).size() + 3; }, kWait));
  EXPECT_NE(ReadWhole(path).find(Utf8Of(copied)), std::string::npos);
  DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());
}

TEST_F(ChatMenuEndToEndTest, ClearEmptiesTheListOnlyWhenConfirmedAndNoGreetingFollows) {
  Send(L"你好");
  OpenMenuAt(BelowTheEntries());
  Choose('L');
  ASSERT_NE(WaitForDialog(zorli_->MainWindow()), nullptr);
  zorli_->Press({}, 'N');
  ASSERT_TRUE(WaitUntil(
      [&] { return zorli_->FindWindowOfClass(kDialogClass, zorli_->MainWindow()) == nullptr; },
      kWait));
  EXPECT_EQ(zorli_->EntryCount(), 3);

  OpenMenuAt(zorli_->BubblePoint(1));
  Choose('L');
  ASSERT_NE(WaitForDialog(zorli_->MainWindow()), nullptr);
  zorli_->Press({}, 'Y');
  ASSERT_TRUE(WaitUntil([&] { return zorli_->EntryCount() == 0; }, kWait));
  Sleep(1000);
  EXPECT_EQ(zorli_->EntryCount(), 0);

  // The next conversation starts afresh, and is all that copy-all copies.
  zorli_->Click(kMessageBoxId);
  Send(L"你好");
  EXPECT_EQ(zorli_->Entry(0).content, kHello);
  PutSentinel();
  OpenMenuAt(BelowTheEntries());
  Choose(VK_RETURN);
  EXPECT_EQ(WithoutStamps(WaitForClipboardChange()),
            L"[]  Velan-：你好\r\n[] KaduZorli：你好呀\r\n");
}

TEST_F(ChatMenuEndToEndTest, ACutBubblesWholeTextIsOneDoubleClickAway) {
  std::wstring tall;
  for (int line = 1; line <= 24; ++line) tall += L"第" + std::to_wstring(line) + L"行\r\n";
  tall += L"最后一行";
  Send(tall);
  zorli_->DoubleClickAt(zorli_->BubblePoint(1, 20));
  HWND window = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] { return (window = zorli_->FindWindowOfClass(kFullTextWindowClass)) != nullptr; },
      kWait));
  EXPECT_EQ(TextOf(GetDlgItem(window, 1)), tall);
  EXPECT_EQ(GetWindowLongW(window, GWL_STYLE) & WS_THICKFRAME, WS_THICKFRAME);

  // Its text is selected and copied with the usual keys; Esc closes it.
  PutSentinel();
  zorli_->Press({VK_CONTROL}, 'A');
  zorli_->Press({VK_CONTROL}, 'C');
  EXPECT_EQ(WaitForClipboardChange(), tall);
  zorli_->Press({}, VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }, kWait));

  // A bubble shown whole opens nothing on a double-click, but 查看全文 shows any entry.
  zorli_->DoubleClickAt(zorli_->BubblePoint(2));
  Sleep(500);
  EXPECT_EQ(zorli_->FindWindowOfClass(kFullTextWindowClass), nullptr);
  OpenMenuAt(zorli_->BubblePoint(2));
  Choose('V');
  ASSERT_TRUE(WaitUntil(
      [&] { return (window = zorli_->FindWindowOfClass(kFullTextWindowClass)) != nullptr; },
      kWait));
  EXPECT_EQ(TextOf(GetDlgItem(window, 1)), L"我听不懂");
}

}  // namespace
}  // namespace zorli::testing
