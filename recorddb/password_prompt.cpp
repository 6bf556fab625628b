#include "password_prompt.h"

namespace zorli {
namespace {

PasswordPrompt& InstalledPrompt() {
  static PasswordPrompt prompt;
  return prompt;
}

}  // namespace

void SetPasswordPrompt(PasswordPrompt prompt) { InstalledPrompt() = std::move(prompt); }

namespace edb {

std::optional<GbkText> AskDatabasePassword(int32_t wrongEntries) {
  const PasswordPrompt& prompt = InstalledPrompt();
  return prompt ? prompt(wrongEntries) : DefaultPasswordPrompt(wrongEntries);
}

}  // namespace edb
}  // namespace zorli
