#pragma once
// How OpenDatabase asks the user for a database's access password when it is given "?".
#include <cstdint>
#include <functional>
#include <optional>

#include "gbk_text.h"

namespace zorli {

// wrongEntries (0 to 2) is how many passwords were already rejected. nullopt when the
// user cancels or no one can be asked.
using PasswordPrompt = std::function<std::optional<GbkText>(int32_t wrongEntries)>;
// An empty function restores the default: the password dialog on Windows; elsewhere
// there is no one to ask, which counts as cancelled.
void SetPasswordPrompt(PasswordPrompt prompt);

namespace edb {

// Asks through the prompt that is set, or the default.
std::optional<GbkText> AskDatabasePassword(int32_t wrongEntries);
std::optional<GbkText> DefaultPasswordPrompt(int32_t wrongEntries);

}  // namespace edb
}  // namespace zorli
