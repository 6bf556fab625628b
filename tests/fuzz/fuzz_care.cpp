// Runs arbitrary bytes, as a typed message (up to its first zero byte), through the care
// rule: any stray lead byte, unfinished word or run of gaps must be matched without a
// fault, and a message that gets care must get a non-empty reply.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "care_rule.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string message(reinterpret_cast<const char*>(data), size);
  message = message.substr(0, message.find('\0'));
  if (zorli::CarePhraseIn(message) && zorli::CareReply(message, 1).empty()) std::abort();
  return 0;
}
