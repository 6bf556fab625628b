#include "launcher.h"

#include <gtest/gtest.h>

namespace zorli {
namespace {

// Win32 show commands.
constexpr int kHide = 0, kShowNormal = 1, kShowMinimized = 2, kShowNoActivate = 4,
              kMinimize = 6, kShowNa = 8;

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
  EXPECT_EQ(ShellShowCommand(kOpen, GbkText(), GbkText(), 5), kShowNa);  // not SW_SHOWNOACTIVATE
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

}  // namespace
}  // namespace zorli
