#pragma once
// The rules a message meets before its reply is chosen: the keyword rules (time and date,
// news, search), then the teasing rule, then the care rule (care_rule.h). One pure
// function of the message, the repeat count and the time; the send flow and
// knowledge_report carry out or inspect what it returns.
#include <cstdint>
#include <optional>

#include "clock.h"
#include "gbk_text.h"

namespace zorli {

struct RuleOutcome {
  // A reply fixed for this message, posted instead of one from the knowledge files. The
  // rules run in order and a later rule's text replaces an earlier one's.
  std::optional<GbkText> presetText;
  std::optional<GbkText> newsCommandLine;  // a program to start
  std::optional<GbkText> searchUrl;        // a page for the shell to open
};

// repeatCount: RepeatCount with this message counted (1 unless it repeats the one before);
// now: the time the time rule tells.
RuleOutcome ApplyMessageRules(const GbkText& message, int32_t repeatCount, DateTime now);

}  // namespace zorli
