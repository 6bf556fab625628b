// zorli-chat: talk to the bot in a terminal, with the knowledge files of the current
// directory, e.g.  printf '你好\n' | zorli-chat
#include <cstdio>
#include <iostream>

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
    std::cout << zorli::kConsoleUsage;
    return 0;
  }
  if (parsed.options->version) {
    std::cout << "zorli-chat " << zorli::kVersion << "\n";
    return 0;
  }
  const int status = zorli::RunConsoleChat(*parsed.options, std::cin, std::cout);
  if (status != 0) std::cerr << "zorli-chat: the output could not be written\n";
  return status;
}
