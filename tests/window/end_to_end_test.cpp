// Zorli as a user meets it: the real program in a folder with its own small knowledge
// base, driven with real keys and clicks, its chat list read from the program's memory.
#include <windows.h>
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <memory>
#include <regex>
#include <string>
#include <thread>

#include "database_writer.h"
#include "knowledge_schema.h"
#include "record_database.h"
#include "test_files.h"
#include "window_frame_checks.h"
#include "window_layout.h"
#include "zorli_process.h"

namespace zorli::testing {
namespace {

using namespace zorli::window;

const GbkText kBotNickname = "KaduZorli";
// 我是Zorli啊，善解人意，偶尔逗比。。。 :)
const GbkText kGreeting = "\xCE\xD2\xCA\xC7"
                          "Zorli"
                          "\xB0\xA1\xA3\xAC\xC9\xC6\xBD\xE2\xC8\xCB\xD2\xE2\xA3\xAC\xC5\xBC"
                          "\xB6\xFB\xB6\xBA\xB1\xC8\xA1\xA3\xA1\xA3\xA1\xA3 :)";
const GbkText kHello = "\xC4\xE3\xBA\xC3";                     // 你好
const GbkText kHelloAnswer = "\xC4\xE3\xBA\xC3\xD1\xBD";       // 你好呀
const GbkText kWeather = "\xCC\xEC\xC6\xF8";                   // 天气
const GbkText kWeatherAnswer = "\xC7\xE7\xCC\xEC";             // 晴天
const GbkText kFallback = "\xCE\xD2\xCC\xFD\xB2\xBB\xB6\xAE";  // 我听不懂

std::wstring WindowsPath(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  return L"Z:" + std::wstring(path.begin(), path.end());
}

// The bot's entry: the unpadded time, a blank line, four spaces, the reply, a blank line.
bool IsBotReply(const ShownEntry& entry, const GbkText& reply) {
  const std::regex header("^([0-9]{1,2}):([0-9]{1,2}):([0-9]{1,2})\r\n\r\n    ");
  std::smatch match;
  if (entry.nickname != kBotNickname || !std::regex_search(entry.content, match, header)) {
    return false;
  }
  for (int part = 1; part <= 3; ++part) {
    if (match[part].length() == 2 && match[part].str()[0] == '0') return false;
  }
  return entry.content.substr(static_cast<size_t>(match.length())) == reply + "\r\n\r\n";
}

class ZorliEndToEndTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    WriteKnowledgeFile(
        knowledge::PrimaryKnowledge(),
        {{kHello, kHelloAnswer, kHelloAnswer, kHelloAnswer, kHelloAnswer},
         {kWeather, kWeatherAnswer, kWeatherAnswer, kWeatherAnswer, kWeatherAnswer}});
    WriteKnowledgeFile(knowledge::FallbackKnowledge(), {{kFallback}});
  }

  void SetUp() override {
    zorli_ = std::make_unique<ZorliProcess>(WindowsPath(ZORLI_EXE), CurrentFolder());
    ASSERT_TRUE(zorli_->Started());
    ASSERT_TRUE(WaitUntil([&] { return zorli_->EntryCount() == 1; }, 5000));
    SetForegroundWindow(zorli_->MainWindow());
    zorli_->Click(kMessageBoxId);
    ASSERT_TRUE(
        WaitUntil([&] { return zorli_->FocusedWindow() == zorli_->Control(kMessageBoxId); }, 5000));
  }

  // Types a message, presses Ctrl+Enter and waits for the user's entry and the bot's.
  void Send(const std::wstring& message, bool keypadEnter = false) {
    const int before = zorli_->EntryCount();
    zorli_->Type(message);
    zorli_->Press({VK_CONTROL}, VK_RETURN, keypadEnter);
    ASSERT_TRUE(WaitUntil([&] { return zorli_->EntryCount() == before + 2; }, 5000))
        << zorli_->EntryCount() - before << " entries added";
  }

  std::unique_ptr<ZorliProcess> zorli_;
};

TEST_F(ZorliEndToEndTest, WindowOpensCentredWithTheTemplateLayout) {
  HWND main = zorli_->MainWindow();
  ExpectCentredTemplateFrame(main);
  const LONG style = GetWindowLongW(main, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN),
            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN);
  EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  wchar_t title[64] = {};
  GetWindowTextW(main, title, 64);
  EXPECT_STREQ(title, L"Kadu机器人Zorli 测试版 -未完善");

  EXPECT_EQ(zorli_->ControlText(kNicknameBoxId), L" Velan-");
  EXPECT_EQ(zorli_->ControlText(kMessageBoxId), L"");
  EXPECT_EQ(zorli_->ControlText(kSendButtonId), L"发  送 (&S)");
  EXPECT_EQ(SendMessageW(zorli_->Control(kRightSideCheckId), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessageW(zorli_->Control(kShowNicknameCheckId), BM_GETCHECK, 0, 0), BST_CHECKED);

  // The chat list fills the picture box's client area.
  RECT client, frame;
  GetClientRect(zorli_->Control(kPictureBoxId), &client);
  GetWindowRect(zorli_->ChatListFrame(), &frame);
  MapWindowPoints(HWND_DESKTOP, zorli_->Control(kPictureBoxId), reinterpret_cast<POINT*>(&frame),
                  2);
  EXPECT_EQ(frame.left, 0);
  EXPECT_EQ(frame.top, 0);
  EXPECT_EQ(frame.right, client.right);
  EXPECT_EQ(frame.bottom, client.bottom);
  EXPECT_EQ(client.right, 430);
  EXPECT_EQ(client.bottom, 422);
}

TEST_F(ZorliEndToEndTest, GreetsWithTheBotAvatarOnTheLeft) {
  const ShownEntry greeting = zorli_->Entry(0);
  EXPECT_EQ(greeting.nickname, kBotNickname);
  EXPECT_EQ(greeting.content, kGreeting);
  EXPECT_NE(greeting.avatar, 0u);
  EXPECT_FALSE(greeting.rightSide);
  EXPECT_TRUE(greeting.showNickname);
}

TEST_F(ZorliEndToEndTest, CtrlEnterSendsAndTheBotAnswersUnderATimeHeader) {
  Send(L"你好");
  const ShownEntry user = zorli_->Entry(1);
  EXPECT_EQ(user.nickname, " Velan-");
  EXPECT_EQ(user.content, kHello);
  EXPECT_EQ(user.avatar, 0u);
  EXPECT_TRUE(user.rightSide);
  const ShownEntry bot = zorli_->Entry(2);
  EXPECT_TRUE(IsBotReply(bot, kHelloAnswer)) << bot.content;
  EXPECT_EQ(bot.avatar, zorli_->Entry(0).avatar);
  EXPECT_FALSE(bot.rightSide);
  EXPECT_EQ(zorli_->ControlText(kMessageBoxId), L"");
  EXPECT_EQ(zorli_->FocusedWindow(), zorli_->Control(kMessageBoxId));

  // Unticked, the side box puts the next entry on the left; the keypad's Enter sends too.
  zorli_->Click(kRightSideCheckId);
  zorli_->Click(kMessageBoxId);
  Send(L"天气", true);
  EXPECT_FALSE(zorli_->Entry(3).rightSide);
  EXPECT_EQ(zorli_->Entry(3).content, kWeather);
  EXPECT_TRUE(IsBotReply(zorli_->Entry(4), kWeatherAnswer)) << zorli_->Entry(4).content;
  EXPECT_EQ(zorli_->ControlText(kMessageBoxId), L"");
}

TEST_F(ZorliEndToEndTest, TimeQuestionAndUnknownMessagesAreAnswered) {
  Send(L"现在几点了");
  const GbkText time = zorli_->Entry(2).content;
  for (const char* part : {"\xC4\xEA", "\xD4\xC2", "\xC8\xD5"}) {  // 年 月 日
    EXPECT_NE(time.find(part), GbkText::npos) << time;
  }
  Send(L"啊哈哈");
  EXPECT_TRUE(IsBotReply(zorli_->Entry(4), kFallback)) << zorli_->Entry(4).content;
}

TEST_F(ZorliEndToEndTest, EnterAloneAndOtherModifiersDoNotSend) {
  zorli_->Type(L"abc");
  zorli_->Press({}, VK_RETURN);
  EXPECT_TRUE(WaitUntil([&] { return zorli_->ControlText(kMessageBoxId) == L"abc\r\n"; }, 3000))
      << "the message box holds no line break";
  zorli_->Press({VK_CONTROL, VK_SHIFT}, VK_RETURN);
  zorli_->Press({VK_CONTROL, VK_MENU}, VK_RETURN);
  Sleep(1000);  // well past the send's 300 ms delay
  EXPECT_EQ(zorli_->EntryCount(), 1);
  EXPECT_EQ(zorli_->ControlText(kMessageBoxId).rfind(L"abc\r\n", 0), 0u);

  // Ctrl+Enter in the nickname box does nothing special either.
  zorli_->Click(kNicknameBoxId);
  zorli_->Press({VK_CONTROL}, VK_RETURN);
  Sleep(1000);
  EXPECT_EQ(zorli_->EntryCount(), 1);
}

TEST_F(ZorliEndToEndTest, UntickingTheNicknameBoxHidesEveryNickname) {
  Send(L"你好");
  zorli_->Click(kShowNicknameCheckId);
  ASSERT_TRUE(WaitUntil([&] { return !zorli_->Entry(0).showNickname; }, 3000));
  zorli_->Click(kMessageBoxId);
  Send(L"天气");
  for (int i = 0; i < zorli_->EntryCount(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_FALSE(zorli_->Entry(i).showNickname);
  }
  // Once painted again, no entry keeps room for a nickname line.
  RedrawWindow(zorli_->ChatListFrame(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(WaitUntil(
      [&] {
        for (int i = 0; i < zorli_->EntryCount(); ++i) {
          if (zorli_->Entry(i).nicknameRect.Height() != 0) return false;
        }
        return true;
      },
      3000));

  zorli_->Click(kShowNicknameCheckId);
  ASSERT_TRUE(WaitUntil([&] { return zorli_->Entry(0).showNickname; }, 3000));
  for (int i = 0; i < zorli_->EntryCount(); ++i) EXPECT_TRUE(zorli_->Entry(i).showNickname);
}

TEST_F(ZorliEndToEndTest, SendButtonAndItsAccessKeySend) {
  zorli_->Type(L"你好");
  zorli_->Click(kSendButtonId);
  ASSERT_TRUE(WaitUntil([&] { return zorli_->EntryCount() == 3; }, 5000));
  EXPECT_EQ(zorli_->FocusedWindow(), zorli_->Control(kMessageBoxId));
  zorli_->Type(L"天气");
  zorli_->Press({VK_MENU}, 'S');
  ASSERT_TRUE(WaitUntil([&] { return zorli_->EntryCount() == 5; }, 5000));
  EXPECT_EQ(zorli_->Entry(3).content, kWeather);
}

// Tab and Shift+Tab go round the nickname box, the message box, the two check boxes and the
// send button as in a dialog, typing nothing; an edit box entered so has its text selected.
TEST_F(ZorliEndToEndTest, TabMovesTheFocusRoundTheInputArea) {
  const auto focusReaches = [&](int id) {
    return WaitUntil([&] { return zorli_->FocusedWindow() == zorli_->Control(id); }, 3000);
  };
  for (int id :
       {kRightSideCheckId, kShowNicknameCheckId, kSendButtonId, kNicknameBoxId, kMessageBoxId}) {
    zorli_->Press({}, VK_TAB);
    ASSERT_TRUE(focusReaches(id)) << "Tab to " << id;
  }
  for (int id :
       {kNicknameBoxId, kSendButtonId, kShowNicknameCheckId, kRightSideCheckId, kMessageBoxId}) {
    zorli_->Press({VK_SHIFT}, VK_TAB);
    ASSERT_TRUE(focusReaches(id)) << "Shift+Tab to " << id;
  }
  EXPECT_EQ(zorli_->ControlText(kMessageBoxId), L"");
  EXPECT_EQ(zorli_->ControlText(kNicknameBoxId), L" Velan-");
  EXPECT_EQ(zorli_->EntryCount(), 1);  // passing the send button sends nothing

  zorli_->Press({VK_SHIFT}, VK_TAB);
  ASSERT_TRUE(focusReaches(kNicknameBoxId));
  zorli_->Type(L"Bob");
  zorli_->Press({}, VK_TAB);
  ASSERT_TRUE(focusReaches(kMessageBoxId));
  Send(L"你好");
  EXPECT_EQ(zorli_->Entry(1).nickname, "Bob");
}

// The user's own bubble stands alone on screen through the pause before the reply.
TEST_F(ZorliEndToEndTest, TheUsersBubbleIsOnScreenBeforeThePause) {
  constexpr uint32_t kUserBubble = 0xB6DA53;  // the right side's green bubble
  constexpr uint32_t kBotBubble = 0xF3F3F3;   // the left side's grey bubble
  constexpr int kTolerance = 8;
  constexpr int kBubblePixels = 1000;  // well under the 60 by 40 of the smallest bubble
  HWND list = zorli_->ChatList();
  const int greyBefore = CaptureClient(list).CountNear(kBotBubble, kTolerance);
  zorli_->Type(L"你好");
  zorli_->Press({VK_CONTROL}, VK_RETURN);
  const DWORD start = GetTickCount();
  while (!zorli_->Busy(10)) ASSERT_LT(GetTickCount() - start, 3000u) << "no send started";
  Sleep(100);  // into the 300 ms pause
  const ScreenCapture during = CaptureClient(list);
  ASSERT_TRUE(WaitUntil([&] { return zorli_->EntryCount() == 3; }, 5000));
  EXPECT_GT(during.CountNear(kUserBubble, kTolerance), kBubblePixels);
  EXPECT_LT(during.CountNear(kBotBubble, kTolerance), greyBefore + kBubblePixels);
  EXPECT_TRUE(WaitUntil(
      [&] {
        return CaptureClient(list).CountNear(kBotBubble, kTolerance) > greyBefore + kBubblePixels;
      },
      3000))
      << "the reply's bubble never showed";
}

// Focus as in a dialog: typing goes on in the box it was in after the window was
// minimised and restored, and after a click in the chat list.
TEST_F(ZorliEndToEndTest, TypingGoesOnWhereItWasAfterMinimisingAndClickingTheList) {
  HWND main = zorli_->MainWindow();
  zorli_->Type(L"ab");
  PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsIconic(main) != FALSE; }, 3000));
  PostMessageW(main, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsIconic(main); }, 3000));
  SetForegroundWindow(main);
  ASSERT_TRUE(
      WaitUntil([&] { return zorli_->FocusedWindow() == zorli_->Control(kMessageBoxId); }, 3000));
  zorli_->Type(L"cd");
  EXPECT_TRUE(WaitUntil([&] { return zorli_->ControlText(kMessageBoxId) == L"abcd"; }, 3000))
      << "the message box holds what was typed";

  // On the greeting and on the empty space below it.
  zorli_->ClickAt(zorli_->ChatList(), POINT{100, 30});
  zorli_->ClickAt(zorli_->ChatList(), POINT{200, 300});
  zorli_->Type(L"e");
  EXPECT_TRUE(WaitUntil([&] { return zorli_->ControlText(kMessageBoxId) == L"abcde"; }, 3000));
  EXPECT_EQ(zorli_->FocusedWindow(), zorli_->Control(kMessageBoxId));
  EXPECT_EQ(zorli_->ControlText(kNicknameBoxId), L" Velan-");
}

TEST_F(ZorliEndToEndTest, CtrlASelectsTheWholeTextOfBothEditBoxes) {
  zorli_->Type(L"line one\nline two");
  zorli_->Press({VK_CONTROL}, 'A');
  zorli_->Type(L"x");
  EXPECT_TRUE(WaitUntil([&] { return zorli_->ControlText(kMessageBoxId) == L"x"; }, 3000))
      << "still held: " << zorli_->ControlText(kMessageBoxId).size() << " characters";
  zorli_->Click(kNicknameBoxId);
  zorli_->Press({VK_CONTROL}, 'A');
  zorli_->Type(L"Bob");
  EXPECT_TRUE(WaitUntil([&] { return zorli_->ControlText(kNicknameBoxId) == L"Bob"; }, 3000));
}

// The message box keeps the focus; the wheel over the list scrolls the list.
TEST_F(ZorliEndToEndTest, TheWheelScrollsTheListUnderTheMouse) {
  for (int i = 0; i < 6; ++i) Send(L"你好");
  HWND list = zorli_->ChatList();
  const auto top = [&] { return SendMessageW(list, LB_GETTOPINDEX, 0, 0); };
  const LRESULT bottomTop = top();
  ASSERT_GT(bottomTop, 0) << "the entries fit without scrolling";
  zorli_->Wheel(list, WHEEL_DELTA);
  EXPECT_TRUE(WaitUntil([&] { return top() < bottomTop; }, 3000));
  EXPECT_EQ(zorli_->FocusedWindow(), zorli_->Control(kMessageBoxId));
}

// The screen is read over and over while 30 messages are sent: the list is never seen
// erased to white.
TEST_F(ZorliEndToEndTest, NoFrameShowsTheListBlankDuringABurstOfSends) {
  constexpr int kSends = 30;
  constexpr uint32_t kWhite = 0xFFFFFF;
  HWND list = zorli_->ChatList();
  std::atomic<bool> sending{true};
  std::atomic<int> frames{0}, blank{0};
  std::thread watcher([&] {
    while (sending) {
      const ScreenCapture frame = CaptureClient(list);
      if (frame.pixels.empty()) continue;
      // Entries cover far more than 1% of a filled list; an erased one shows almost none.
      const int coloured = static_cast<int>(frame.pixels.size()) - frame.CountNear(kWhite, 0);
      ++frames;
      if (coloured * 100 < static_cast<int>(frame.pixels.size())) ++blank;
    }
  });
  for (int i = 0; i < kSends; ++i) Send(i % 2 ? L"你好" : L"天气");
  sending = false;
  watcher.join();
  std::printf("%d of %d captured frames showed the list blank\n", blank.load(), frames.load());
  EXPECT_GT(frames.load(), kSends);
  EXPECT_EQ(blank.load(), 0);
}

TEST_F(ZorliEndToEndTest, ClosingTheWindowEndsTheProgramCleanly) {
  Send(L"你好");
  EXPECT_EQ(zorli_->CloseAndWait(10000), 0);
}

// Started where the knowledge files are not, it says at once which are missing and how to
// fix it, in tips under the greeting.
TEST(ZorliWithoutKnowledgeFiles, TipsUnderTheGreetingNameTheMissingFiles) {
  const std::wstring folder = CurrentFolder() + L"\\no-knowledge";
  CreateDirectoryW(folder.c_str(), nullptr);
  ZorliProcess zorli(WindowsPath(ZORLI_EXE), folder);
  ASSERT_TRUE(zorli.Started());
  constexpr int kGreetingAndThreeTips = 4;
  ASSERT_TRUE(WaitUntil([&] { return zorli.EntryCount() == kGreetingAndThreeTips; }, 5000))
      << zorli.EntryCount();
  EXPECT_EQ(zorli.Entry(0).content, kGreeting);
  const ShownEntry named = zorli.Entry(1);
  EXPECT_EQ(named.kind, kEntryTip);
  EXPECT_NE(named.content.find("dbs.edb"), GbkText::npos) << named.content;
  EXPECT_NE(named.content.find("dbv.edb"), GbkText::npos) << named.content;
  const GbkText startIn = "\xA1\xB0\xC6\xF0\xCA\xBC\xCE\xBB\xD6\xC3\xA1\xB1";  // “起始位置”
  EXPECT_EQ(zorli.Entry(3).kind, kEntryTip);
  EXPECT_NE(zorli.Entry(3).content.find(startIn), GbkText::npos);
}

// Through the accessibility interface, from this process as a screen reader would: one
// child per entry, named by nickname and text, the bot's reply without its time header.
TEST_F(ZorliEndToEndTest, AScreenReaderReadsEachEntryAsNicknameAndText) {
  Send(L"你好");
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  IAccessible* list = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(zorli_->ChatList(), static_cast<DWORD>(OBJID_CLIENT),
                                       IID_IAccessible, reinterpret_cast<void**>(&list)),
            S_OK);
  long count = 0;
  EXPECT_EQ(list->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 3);
  const auto nameOf = [&](long child) {
    VARIANT id{};
    id.vt = VT_I4;
    id.lVal = child;
    BSTR name = nullptr;
    std::wstring text = list->get_accName(id, &name) == S_OK && name ? name : L"<no name>";
    SysFreeString(name);
    return text;
  };
  EXPECT_EQ(nameOf(2), L" Velan-：你好");
  EXPECT_EQ(nameOf(3), L"KaduZorli：你好呀");
  list->Release();
  CoUninitialize();
}

// The same characters once each: a console may keep a wide character in two cells.
std::wstring WithoutRepeats(const std::wstring& text) {
  std::wstring once;
  for (wchar_t c : text) {
    if (once.empty() || once.back() != c) once.push_back(c);
  }
  return once;
}

INPUT_RECORD KeyRecord(wchar_t character, bool down) {
  INPUT_RECORD record{};
  record.EventType = KEY_EVENT;
  record.Event.KeyEvent.bKeyDown = down;
  record.Event.KeyEvent.wRepeatCount = 1;
  record.Event.KeyEvent.wVirtualKeyCode = character == L'\r' ? VK_RETURN : 0;
  record.Event.KeyEvent.uChar.UnicodeChar = character;
  return record;
}

// zorli-chat in a console window of its own: what is typed into the console and what the
// program prints are read back from the console itself, as UTF-16.
TEST(ZorliChatInAConsole, ChineseGoesInAndComesOutWhateverTheCodePage) {
  WriteKnowledgeFile(knowledge::PrimaryKnowledge(),
                     {{kHello, kHelloAnswer, kHelloAnswer, kHelloAnswer, kHelloAnswer}});
  WriteKnowledgeFile(knowledge::FallbackKnowledge(), {{kFallback}});
  const std::wstring program = WindowsPath(ZORLI_CHAT_EXE);
  std::wstring commandLine = L"\"" + program + L"\" --no-delay --no-launch";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION chat{};
  FreeConsole();
  ASSERT_TRUE(CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                             CREATE_NEW_CONSOLE, nullptr, CurrentFolder().c_str(), &startup,
                             &chat));
  const auto stop = [&] {
    if (WaitForSingleObject(chat.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(chat.hProcess, 1);
    FreeConsole();
    CloseHandle(chat.hThread);
    CloseHandle(chat.hProcess);
  };
  if (!WaitUntil([&] { return AttachConsole(chat.dwProcessId) != FALSE; }, 10000)) {
    stop();
    FAIL() << "no console to attach to";
  }
  HANDLE input =
      CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE output =
      CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  const auto screen = [&] {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(output, &info);
    const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    std::wstring text(cells, L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(output, text.data(), cells, COORD{0, 0}, &read);
    text.resize(read);
    return WithoutRepeats(text);
  };
  const auto type = [&](const std::wstring& text) {
    std::vector<INPUT_RECORD> records;
    for (wchar_t c : text) {
      records.push_back(KeyRecord(c, true));
      records.push_back(KeyRecord(c, false));
    }
    DWORD written = 0;
    WriteConsoleInputW(input, records.data(), static_cast<DWORD>(records.size()), &written);
  };
  const auto shows = [&](const std::wstring& text) {
    return WaitUntil([&] { return screen().find(text) != std::wstring::npos; }, 10000);
  };
  EXPECT_TRUE(shows(L"我是Zorli啊")) << "the greeting";
  type(L"你好\r");
  EXPECT_TRUE(shows(L"你好呀")) << "the reply";
  type(L"\x1A\r");  // Ctrl+Z, Enter: the end of the input
  EXPECT_EQ(WaitForSingleObject(chat.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 1;
  GetExitCodeProcess(chat.hProcess, &code);
  EXPECT_EQ(code, 0u);
  CloseHandle(input);
  CloseHandle(output);
  stop();
}

}  // namespace
}  // namespace zorli::testing
