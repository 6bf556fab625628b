#pragma once
// Asks the user for a database's access password. wrongEntries (0 to 2) is how many
// passwords were already rejected. nullopt when the user cancels or no one can be asked.
#include <cstdint>
#include <optional>

#include "gbk_text.h"

namespace zorli::edb {

std::optional<GbkText> AskDatabasePassword(int32_t wrongEntries);

}  // namespace zorli::edb
