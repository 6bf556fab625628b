// zorli-chat: talk to the bot in a terminal, with the knowledge files of the current
// directory, e.g.  printf '你好\n' | zorli-chat
#include <cstdio>
#include <iostream>
#include <memory>

#include "console_chat.h"
#include "console_options.h"
#include "platform/console.h"
#include "platform/platform.h"
#include "zorli_version.h"

int main(int argc, char** argv) {
  zorli::platform::LoadLibrariesFromSystemFolderOnly();
  // Bytes in and out exactly as given: no CR LF translation, no code page conversion.
  zorli::platform::UseBinaryStandardStreams();
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  const zorli::ParsedConsoleOptions parsed = zorli::ParseConsoleOptions(arguments);
  if (!parsed.options) {
    std::cerr << "zorli-chat: " << parsed.error << "\n" << zorli::kConsoleUsage;
    return 2;
  }
  if (parsed.options->help) {
    std::cout << zorli::kConsoleUsage << zorli::kConsoleCommands;
    return 0;
  }
  if (parsed.options->version) {
    std::cout << "zorli-chat " << zorli::kVersion << "\n";
    return 0;
  }
  zorli::ConsoleOptions options = *parsed.options;
  // A console window is written and read in UTF-16, so Chinese shows whatever its code
  // page; redirected streams keep their bytes. The conversation has one encoding for both
  // sides: with raw GBK asked for and only one side a console, both keep their bytes.
  std::unique_ptr<std::streambuf> consoleIn = zorli::platform::ConsoleInputBuffer();
  std::unique_ptr<std::streambuf> consoleOut = zorli::platform::ConsoleOutputBuffer();
  if (options.gbk && !(consoleIn && consoleOut)) consoleIn.reset(), consoleOut.reset();
  if (consoleIn || consoleOut) options.gbk = false;
  std::istream in(consoleIn ? consoleIn.get() : std::cin.rdbuf());
  std::ostream out(consoleOut ? consoleOut.get() : std::cout.rdbuf());
  const int status = zorli::RunConsoleChat(options, in, out);
  if (status != 0) std::cerr << "zorli-chat: the output could not be written\n";
  return status;
}
