#pragma once
// The console's --explain line for a reply, without its line break.
#include <string>

#include "reply_engine.h"

namespace zorli {

std::string ExplainLine(const ReplyExplanation& why);

}  // namespace zorli
