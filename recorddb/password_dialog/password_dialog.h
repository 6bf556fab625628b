#pragma once
// The Win32 dialog that asks for a database's access password: a masked edit box,
// confirm and cancel, and from the second showing on how many tries are left.
// wrongEntries (0 to 2) is how many passwords were already rejected. nullopt when the
// user cancels.
#include <cstdint>
#include <optional>

#include "gbk_text.h"

namespace zorli {

std::optional<GbkText> ShowPasswordDialog(int32_t wrongEntries);

}  // namespace zorli
