// The "?" password: the dialog is driven from a second thread as a user would, by
// finding its window, typing into its edit box and pressing a button.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "error_codes.h"
#include "platform/wide_text.h"
#include "test_files.h"

namespace zorli {
namespace {

std::wstring Wide(const std::string& gbk) {
  return platform::ToWide(platform::CodePage::kGbk, gbk);
}

// 密码输入
const std::wstring kTitle = Wide("\xC3\xDC\xC2\xEB\xCA\xE4\xC8\xEB");
// 请输入数据库访问密码：
const std::wstring kPrompt = Wide(
    "\xC7\xEB\xCA\xE4\xC8\xEB\xCA\xFD\xBE\xDD\xBF\xE2\xB7\xC3\xCE\xCA\xC3\xDC\xC2\xEB\xA3\xBA");
// 确认(&O), 取消(&C)
const std::wstring kConfirm = Wide("\xC8\xB7\xC8\xCF(&O)");
const std::wstring kCancel = Wide("\xC8\xA1\xCF\xFB(&C)");
// 密码错误，您还有 N 次重新输入的机会。
std::wstring RetryStatus(int left) {
  return Wide("\xC3\xDC\xC2\xEB\xB4\xED\xCE\xF3\xA3\xAC\xC4\xFA\xBB\xB9\xD3\xD0 " +
              std::to_string(left) +
              " \xB4\xCE\xD6\xD8\xD0\xC2\xCA\xE4\xC8\xEB\xB5\xC4\xBB\xFA\xBB\xE1\xA1\xA3");
}

struct Control {
  HWND window;
  std::wstring className;
  std::wstring text;
  LONG style;
};

BOOL CALLBACK CollectControl(HWND child, LPARAM list) {
  wchar_t className[64] = {}, text[256] = {};
  GetClassNameW(child, className, 64);
  GetWindowTextW(child, text, 256);
  reinterpret_cast<std::vector<Control>*>(list)->push_back(
      {child, className, text, GetWindowLongW(child, GWL_STYLE)});
  return TRUE;
}

std::vector<Control> Controls(HWND dialog) {
  std::vector<Control> controls;
  EnumChildWindows(dialog, CollectControl, reinterpret_cast<LPARAM>(&controls));
  return controls;
}

// ctest runs the cp1252 copy of these tests beside the main one, on the same desktop:
// only this process's dialog is ours to answer.
BOOL CALLBACK MatchOwnDialog(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t className[16] = {}, title[64] = {};
  GetClassNameW(window, className, 16);
  GetWindowTextW(window, title, 64);
  if (process != GetCurrentProcessId() || wcscmp(className, L"#32770") != 0 || title != kTitle)
    return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND FindOwnDialog() {
  HWND found = nullptr;
  EnumWindows(MatchOwnDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// What the user saw in one showing of the dialog.
struct Showing {
  std::vector<std::wstring> texts;
  bool masked = false;
};

// Answers each showing in turn: a password to confirm, or nullopt to cancel.
class SimulatedUser {
 public:
  explicit SimulatedUser(std::vector<std::optional<std::string>> answers)
      : answers_(std::move(answers)), thread_([this] { Run(); }) {}
  ~SimulatedUser() {
    if (thread_.joinable()) thread_.join();
  }
  const std::vector<Showing>& Finish() {
    thread_.join();
    return showings_;
  }

 private:
  void Run() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (const std::optional<std::string>& answer : answers_) {
      HWND dialog = nullptr;
      while (dialog == nullptr) {
        if (std::chrono::steady_clock::now() > deadline) return;
        dialog = FindOwnDialog();
        if (dialog == nullptr || !IsWindowVisible(dialog)) {
          dialog = nullptr;
          Sleep(20);
        }
      }
      Showing showing;
      for (const Control& control : Controls(dialog)) {
        if (!control.text.empty()) showing.texts.push_back(control.text);
        if (_wcsicmp(control.className.c_str(), L"Edit") == 0) {
          showing.masked = (control.style & ES_PASSWORD) != 0;
          if (answer)
            SendMessageW(control.window, WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(Wide(*answer).c_str()));
        }
      }
      showings_.push_back(showing);
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(answer ? IDOK : IDCANCEL, BN_CLICKED), 0);
      while (IsWindow(dialog) && std::chrono::steady_clock::now() < deadline) Sleep(10);
    }
  }

  std::vector<std::optional<std::string>> answers_;
  std::vector<Showing> showings_;
  std::thread thread_;
};

bool Shows(const Showing& showing, const std::wstring& text) {
  for (const std::wstring& t : showing.texts) {
    if (t == text) return true;
  }
  return false;
}

bool ShowsRetryStatus(const Showing& showing) {
  for (int left = 0; left <= 3; ++left) {
    if (Shows(showing, RetryStatus(left))) return true;
  }
  return false;
}

class PasswordDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateDatabase(path, {{"a", FieldType::kText, 8}}, "pw"));
    ASSERT_TRUE(OpenDatabase(path, std::nullopt, false, std::nullopt, std::nullopt, "pw"));
    AppendRecord();
    WriteField(1, FieldValue::FromBytes(FieldType::kText, "secret"));
    CloseAllDatabases();
  }
  void TearDown() override { CloseAllDatabases(); }
  bool OpenAsking() {
    return OpenDatabase(path, std::nullopt, true, std::nullopt, std::nullopt, "?");
  }
  const std::string path = "asked.edb";
};

TEST_F(PasswordDialog, WrongThenRightPasswordOpens) {
  SimulatedUser user({"wrong", "pw"});
  EXPECT_TRUE(OpenAsking());
  EXPECT_EQ(LastError(), edb::kOk);
  const std::vector<Showing>& showings = user.Finish();
  ASSERT_EQ(showings.size(), 2u);
  const Showing& first = showings[0];
  EXPECT_TRUE(Shows(first, kPrompt));
  EXPECT_TRUE(Shows(first, kConfirm));
  EXPECT_TRUE(Shows(first, kCancel));
  EXPECT_TRUE(first.masked);
  EXPECT_FALSE(ShowsRetryStatus(first));
  EXPECT_TRUE(Shows(showings[1], RetryStatus(2)));
  EXPECT_EQ(ReadField(1).Text(), "secret");
}

TEST_F(PasswordDialog, CancelEndsTheAttempts) {
  SimulatedUser user({std::nullopt});
  EXPECT_FALSE(OpenAsking());
  EXPECT_EQ(LastError(), edb::kWrongPassword);
  EXPECT_EQ(user.Finish().size(), 1u);
  EXPECT_EQ(GetRecordCount(), 0);
  EXPECT_EQ(LastError(), edb::kNoCurrentDatabase);
}

TEST_F(PasswordDialog, ThreeWrongPasswordsFail) {
  SimulatedUser user({"a", "b", "c"});
  EXPECT_FALSE(OpenAsking());
  EXPECT_EQ(LastError(), edb::kWrongPassword);
  const std::vector<Showing>& showings = user.Finish();
  ASSERT_EQ(showings.size(), 3u);
  EXPECT_FALSE(ShowsRetryStatus(showings[0]));
  EXPECT_TRUE(Shows(showings[1], RetryStatus(2)));
  EXPECT_TRUE(Shows(showings[2], RetryStatus(1)));
  // No fourth showing comes.
  EXPECT_EQ(FindOwnDialog(), nullptr);
}

// ctest runs this under code page 1252 as well, where the system's code page cannot spell
// a Chinese password: it is read from the dialog as typed and converted to GBK exactly.
TEST_F(PasswordDialog, AChinesePasswordOpensWhateverTheSystemCodePage) {
  const GbkText password = "\xC3\xDC\xC2\xEB";  // 密码
  const std::string chinese = "chinese.edb";
  ASSERT_TRUE(CreateDatabase(chinese, {{"a", FieldType::kText, 8}}, password));
  SimulatedUser user({password, std::nullopt});  // cancels a second showing, if one came
  EXPECT_TRUE(OpenDatabase(chinese, std::nullopt, true, std::nullopt, std::nullopt, "?"));
  EXPECT_EQ(user.Finish().size(), 1u);
}

}  // namespace
}  // namespace zorli
