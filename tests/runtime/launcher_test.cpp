#include "launcher.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#endif

namespace zorli {
namespace {

// Win32 show commands.
constexpr int kHide = 0, kShowNormal = 1, kShowMinimized = 2, kShowNoActivate = 4, kMinimize = 6,
              kShowNa = 8;

TEST(ProgramWindowMode, ClampsToOneThroughSix) {
  EXPECT_EQ(ProgramShowCommand(0), kHide);
  EXPECT_EQ(ProgramShowCommand(-4), kHide);
  EXPECT_EQ(ProgramShowCommand(2), kShowNormal);
  EXPECT_EQ(ProgramShowCommand(3), kShowMinimized);
  EXPECT_EQ(ProgramShowCommand(5), kShowNoActivate);
  EXPECT_EQ(ProgramShowCommand(9), kMinimize);
}

TEST(ShellWindowMode, CountsOnlyWithAllFiveArgumentsGiven) {
  constexpr int32_t kOpen = 4;
  EXPECT_EQ(ShellShowCommand(std::nullopt, std::nullopt, std::nullopt, std::nullopt), kShowNormal);
  EXPECT_EQ(ShellShowCommand(kOpen, GbkText(), GbkText(), std::nullopt), kShowNormal);
  EXPECT_EQ(ShellShowCommand(kOpen, std::nullopt, GbkText(), 1), kShowNormal);
  EXPECT_EQ(ShellShowCommand(std::nullopt, GbkText(), GbkText(), 1), kShowNormal);
  EXPECT_EQ(ShellShowCommand(kOpen, GbkText(), GbkText(), 1), kHide);
  EXPECT_EQ(ShellShowCommand(0, GbkText(), GbkText(), 3), kShowMinimized);  // any operation
  EXPECT_EQ(ShellShowCommand(kOpen, GbkText(), GbkText(), 5), kShowNa);     // not SW_SHOWNOACTIVATE
  EXPECT_EQ(ShellShowCommand(kOpen, GbkText(), GbkText(), 7), kShowNormal);
  EXPECT_EQ(ShellShowCommand(kOpen, GbkText(), GbkText(), 0), kShowNormal);
}

TEST(ShellVerbs, NumberedOperations) {
  EXPECT_EQ(ShellVerb(std::nullopt), nullptr);
  EXPECT_EQ(ShellVerb(0), nullptr);
  EXPECT_STREQ(ShellVerb(1), "edit");
  EXPECT_STREQ(ShellVerb(4), "open");
  EXPECT_STREQ(ShellVerb(5), "print");
  EXPECT_EQ(ShellVerb(6), nullptr);
}

TEST(RunProgram, ReportsWhetherTheProgramStarted) {
  EXPECT_FALSE(runProgram("zorli-no-such-program-here --flag"));
  EXPECT_FALSE(runProgram(""));
#ifdef _WIN32
  EXPECT_TRUE(runProgram("cmd.exe /c exit 0", true, 1));
#else
  EXPECT_TRUE(runProgram("true", true));
  EXPECT_TRUE(runProgram("\"sh\" -c \"exit 0\"", true));
#endif
}

#ifndef _WIN32
struct ChildCount {
  int running = 0, zombies = 0;
};

// This process's children, from /proc: state Z is ended but not waited for.
ChildCount Children() {
  ChildCount count;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    if (!std::getline(stat, line)) continue;
    // "pid (name) state ppid ...": the name may hold anything, so read after its last ')'.
    const size_t nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos) continue;
    std::istringstream rest(line.substr(nameEnd + 1));
    char state = 0;
    pid_t parent = 0;
    if (!(rest >> state >> parent) || parent != getpid()) continue;
    ++(state == 'Z' ? count.zombies : count.running);
  }
  return count;
}

TEST(Launchers, ReapTheProgramsTheyDoNotWaitFor) {
  // A stand-in desktop opener that ends at once.
  const std::string bin = std::filesystem::absolute("opener-bin");
  std::filesystem::create_directories(bin);
  std::ofstream(bin + "/xdg-open") << "#!/bin/sh\nexit 0\n";
  chmod((bin + "/xdg-open").c_str(), 0755);
  const std::string path = std::getenv("PATH");
  setenv("PATH", (bin + ":" + path).c_str(), 1);
  EXPECT_TRUE(runProgram("true"));
  shellOpen(std::nullopt, "https://example.invalid/");
  setenv("PATH", path.c_str(), 1);

  ChildCount children = Children();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while ((children.running > 0 || children.zombies > 0) &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    children = Children();
  }
  EXPECT_EQ(children.running, 0);
  EXPECT_EQ(children.zombies, 0);
}
#endif

}  // namespace
}  // namespace zorli
