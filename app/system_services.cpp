#include "system_services.h"

#include "clock.h"
#include "launcher.h"

namespace zorli {

ConversationServices SystemConversationServices() {
  ConversationServices services;
  services.runProgram = [](const GbkText& commandLine) { return runProgram(commandLine); };
  services.openUrl = [](const GbkText& url) { shellOpen(std::nullopt, url); };
  services.now = [] { return now(); };
  services.delay = [](int32_t milliseconds) { delay(milliseconds); };
  return services;
}

}  // namespace zorli
