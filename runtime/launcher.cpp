#include "launcher.h"

#include <algorithm>

#include "platform/platform.h"

namespace zorli {
namespace {

// Win32 show commands.
constexpr int kHide = 0, kShowNormal = 1, kShowMinimized = 2, kShowMaximized = 3,
              kShowNoActivate = 4, kShowNa = 8, kMinimize = 6;

}  // namespace

int ProgramShowCommand(int32_t windowMode) {
  static constexpr int kByMode[] = {kHide,          kShowNormal,     kShowMinimized,
                                    kShowMaximized, kShowNoActivate, kMinimize};
  return kByMode[std::clamp<int32_t>(windowMode, 1, 6) - 1];
}

int ShellShowCommand(std::optional<int32_t> operation, const std::optional<GbkText>& parameters,
                     const std::optional<GbkText>& directory, std::optional<int32_t> windowMode) {
  static constexpr int kByMode[] = {kHide,          kShowNormal, kShowMinimized,
                                    kShowMaximized, kShowNa,     kMinimize};
  if (!operation || !parameters || !directory || !windowMode || *windowMode < 1 ||
      *windowMode > 6) {
    return kShowNormal;
  }
  return kByMode[*windowMode - 1];
}

const char* ShellVerb(std::optional<int32_t> operation) {
  static constexpr const char* kVerbs[] = {"edit", "explore", "find", "open", "print"};
  if (!operation || *operation < 1 || *operation > 5) return nullptr;
  return kVerbs[*operation - 1];
}

bool runProgram(const GbkText& commandLine, bool wait, int32_t windowMode) {
  return platform::StartProcess(commandLine, wait, ProgramShowCommand(windowMode));
}

void shellOpen(std::optional<int32_t> operation, const GbkText& target,
               std::optional<GbkText> parameters, std::optional<GbkText> directory,
               std::optional<int32_t> windowMode) {
  const int show = ShellShowCommand(operation, parameters, directory, windowMode);
  platform::ShellLaunch(ShellVerb(operation), target, parameters.value_or(GbkText()),
                        directory.value_or(GbkText()), show);
}

}  // namespace zorli
