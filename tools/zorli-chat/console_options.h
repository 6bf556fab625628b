#pragma once
// Command line of the console chat.
#include <optional>
#include <string>
#include <vector>

#include "gbk_text.h"

namespace zorli {

struct ConsoleOptions {
  bool gbk = false;  // read and print raw GBK bytes instead of UTF-8
  GbkText nickname;  // GBK
  bool noDelay = false;
  bool noLaunch = false;
  bool explain = false;
  bool help = false;
  bool version = false;
};

struct ParsedConsoleOptions {
  std::optional<ConsoleOptions> options;
  std::string error;  // set when options is empty
};

// arguments without the program name.
ParsedConsoleOptions ParseConsoleOptions(const std::vector<std::string>& arguments);
extern const char* const kConsoleUsage;

}  // namespace zorli
