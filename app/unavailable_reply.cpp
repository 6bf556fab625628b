#include "unavailable_reply.h"

#include "conversation_texts.h"
#include "record_database.h"

namespace zorli {

GbkText KnowledgeUnavailableReply(const std::vector<KnowledgeFault>& faults) {
  GbkText reply(kUnavailableIntro);
  for (size_t i = 0; i < faults.size(); ++i) {
    const KnowledgeFault& fault = faults[i];
    reply += JoinTexts({i == 0 ? " " : kUnavailableSeparator, fault.file, " ",
                        fault.opening ? kCannotOpen : kCannotRead, kReasonOpen,
                        ErrorMessage(fault.code), kReasonClose});
  }
  return reply + GbkText(kUnavailableOutro);
}

}  // namespace zorli
