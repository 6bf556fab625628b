#include "console_options.h"

#include "console_encoding.h"

namespace zorli {
namespace {

// 我
constexpr const char* kDefaultNickname = "\xce\xd2";

}  // namespace

const char* const kConsoleUsage =
    "usage: zorli-chat [--encoding utf-8|gbk] [--nickname NAME] [--no-delay] [--no-launch]\n"
    "                  [--explain]\n"
    "       zorli-chat --help | --version\n"
    "Reads one message per line from standard input and prints the bot's replies.\n"
    "The knowledge files dbs.edb and dbv.edb are read from the current directory.\n";

ParsedConsoleOptions ParseConsoleOptions(const std::vector<std::string>& arguments) {
  ConsoleOptions options;
  std::optional<std::string> nickname;
  ParsedConsoleOptions result;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (argument == "--encoding" || argument == "--nickname") {
      if (!hasValue) {
        result.error = argument + " needs a value";
        return result;
      }
      const std::string& value = arguments[++i];
      if (argument == "--nickname") {
        nickname = value;
      } else if (value == "gbk" || value == "GBK") {
        options.gbk = true;
      } else if (value == "utf-8" || value == "UTF-8" || value == "utf8") {
        options.gbk = false;
      } else {
        result.error = "unknown encoding: " + value;
        return result;
      }
    } else if (argument == "--no-delay") {
      options.noDelay = true;
    } else if (argument == "--no-launch") {
      options.noLaunch = true;
    } else if (argument == "--explain") {
      options.explain = true;
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else {
      result.error = "unknown argument: " + argument;
      return result;
    }
  }
  // The nickname is in the console's encoding, known only once every option is read.
  options.nickname = nickname ? ConsoleToGbk(*nickname, options.gbk) : GbkText(kDefaultNickname);
  result.options = options;
  return result;
}

}  // namespace zorli
