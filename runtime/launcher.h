#pragma once
// Starting a program from a command line and handing a target (a URL) to the shell.
#include <cstdint>
#include <optional>

#include "gbk_text.h"

namespace zorli {

// Window modes 1..6 (clamped): hidden, normal, minimised, maximised, shown without
// activation, minimise. Returns true when the program was started.
bool runProgram(const GbkText& commandLine, bool wait = false, int32_t windowMode = 2);

// Operation 1..5: "edit", "explore", "find", "open", "print"; anything else, the default
// verb. The window mode counts only when all five arguments are given and it lies in 1..6.
void shellOpen(std::optional<int32_t> operation, const GbkText& target,
               std::optional<GbkText> parameters = std::nullopt,
               std::optional<GbkText> directory = std::nullopt,
               std::optional<int32_t> windowMode = std::nullopt);

// The show command a window mode stands for, as the Win32 SW_* value.
int ProgramShowCommand(int32_t windowMode);
int ShellShowCommand(std::optional<int32_t> operation, const std::optional<GbkText>& parameters,
                     const std::optional<GbkText>& directory, std::optional<int32_t> windowMode);
// The shell verb of an operation number, or nullptr for the default action.
const char* ShellVerb(std::optional<int32_t> operation);

}  // namespace zorli
