#include "password_dialog.h"
#include "password_prompt.h"

namespace zorli::edb {

std::optional<GbkText> DefaultPasswordPrompt(int32_t wrongEntries) {
  return ShowPasswordDialog(wrongEntries);
}

}  // namespace zorli::edb
