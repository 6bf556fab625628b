#include "password_prompt.h"

namespace zorli::edb {

// Without a desktop to show a dialog on, the prompt counts as cancelled.
std::optional<GbkText> DefaultPasswordPrompt(int32_t) { return std::nullopt; }

}  // namespace zorli::edb
