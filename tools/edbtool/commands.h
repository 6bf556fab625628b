#pragma once
// The edbtool commands, run in-process: the program's main and the tests call the same.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "gbk_text.h"

namespace zorli::edbtool {

constexpr int kSuccess = 0, kFailure = 1, kUsageError = 2;

struct Command {
  std::string verb;
  std::string file;
  std::map<std::string, std::string> options;
  std::vector<std::string> values;  // teach: MESSAGE ANSWER; forget: MESSAGE
};

// arguments without the program name, UTF-8. Writes through console.h. Result: the exit
// status; a failed write to the output makes it kFailure.
int RunEdbtool(const std::vector<std::string>& arguments);

// "CODE MESSAGE\n" of a result code, UTF-8.
std::string CodeLine(int32_t code);
// The --password option in GBK (empty when not given); nullopt when GBK cannot hold it.
std::optional<GbkText> PasswordOf(const Command& command);

}  // namespace zorli::edbtool
