// The web search as the browser receives it: the shell starts a stand-in browser that
// records its arguments (the desktop opener natively, the https handler under Wine).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>

#include "conversation.h"
#include "conversation_texts.h"
#include "fake_ports.h"
#include "helper_programs.h"
#include "system_services.h"
#include "web_addresses.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <filesystem>
#endif

namespace zorli {
namespace {

constexpr char kRecordedArguments[] = "browser_arguments.txt";

// Makes the stand-in the browser for https addresses while the object lives.
class StandInBrowser {
 public:
#ifdef _WIN32
  // Wine looks the handler up in the machine's classes only, so the prefix's own command
  // is put back afterwards.
  StandInBrowser() {
    char previous[1024];
    DWORD size = sizeof previous;
    if (RegGetValueA(HKEY_CLASSES_ROOT, kHandlerKey, nullptr, RRF_RT_REG_SZ, nullptr, previous,
                     &size) == ERROR_SUCCESS) {
      previous_ = previous;
    }
    SetHandler("\"" + testing::HelperProgramPath(BROWSER_STAND_IN_PATH) + "\" \"%1\"");
  }
  ~StandInBrowser() {
    if (previous_) SetHandler(*previous_);
  }

 private:
  static constexpr char kHandlerKey[] = "https\\shell\\open\\command";
  static void SetHandler(const std::string& command) {
    RegSetKeyValueA(HKEY_CLASSES_ROOT, kHandlerKey, nullptr, REG_SZ, command.c_str(),
                    static_cast<DWORD>(command.size() + 1));
  }
  std::optional<std::string> previous_;
#else
  StandInBrowser() : path_(std::getenv("PATH")) {
    const auto bin = std::filesystem::absolute("browser-bin");
    std::filesystem::create_directories(bin);
    std::filesystem::remove(bin / "xdg-open");
    std::filesystem::create_symlink(BROWSER_STAND_IN_PATH, bin / "xdg-open");
    setenv("PATH", (bin.string() + ":" + path_).c_str(), 1);
  }
  ~StandInBrowser() { setenv("PATH", path_.c_str(), 1); }

 private:
  std::string path_;
#endif
};

// The arguments the stand-in recorded, once it has run (empty after 20 s without).
std::vector<std::string> RecordedArguments() {
  for (int waited = 0; waited < 20000; waited += 50) {
    std::ifstream in(kRecordedArguments, std::ios::binary);
    if (in) {
      const std::string bytes((std::istreambuf_iterator<char>(in)), {});
      std::vector<std::string> arguments;
      for (size_t start = 0, end; (end = bytes.find('\0', start)) != std::string::npos;
           start = end + 1) {
        arguments.push_back(bytes.substr(start, end - start));
      }
      return arguments;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return {};
}

bool IsAscii(const std::string& text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < ' ' || static_cast<unsigned char>(c) > '~') return false;
  }
  return true;
}

// The run under the code page a test entry asks for (ZORLI_CODE_PAGE); ctest runs this
// program under 936 and again under 1252.
TEST(SearchInTheBrowser, TheUrlArrivesAsAsciiHoldingTheGbkKeywordOnAnyCodePage) {
#ifdef _WIN32
  if (const char* codePage = std::getenv("ZORLI_CODE_PAGE")) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(std::stoul(codePage)));
  }
#endif
  std::remove(kRecordedArguments);
  StandInBrowser browser;
  testing::CallLog log;
  testing::FakeChatList chatList(log);
  testing::FakeInput input;
  ConversationServices services = SystemConversationServices();
  services.delay = [](int32_t) {};
  Conversation conversation(chatList, input, services);

  const GbkText tianQi = "\xcc\xec\xc6\xf8";  // 天气
  input.message = GbkText(kSearchMarker) + " a\" --x \"b\r\n" + tianQi;
  conversation.SubmitInput();
  const std::vector<std::string> arguments = RecordedArguments();
  ASSERT_EQ(arguments.size(), 1u);
  EXPECT_TRUE(IsAscii(arguments[0])) << arguments[0];
  // Quotes and line breaks stay inside the one argument; 天气 goes as its four GBK bytes.
  EXPECT_EQ(arguments[0], GbkText(kSearchEngineHost) +
                              "/s?ct=0&ie=gb2312&bs=&sr=&z=&wd=a%22%20--x%20%22b%0D%0A"
                              "%CC%EC%C6%F8&cl=3&f=8");
}

}  // namespace
}  // namespace zorli
