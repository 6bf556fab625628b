#pragma once
// The conversation's services as the running program uses them: the real launchers,
// clock and delay.
#include "conversation_ports.h"

namespace zorli {

ConversationServices SystemConversationServices();

}  // namespace zorli
