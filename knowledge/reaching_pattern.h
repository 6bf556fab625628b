#pragma once
// A pattern made from a message's own units so that the message reaches its record: the
// engine scores a record one point for each unit of its pattern the message holds, so a
// pattern of n units all found in the message scores n. The rarest units come first, and
// are repeated first, so that other messages sharing only common units score it little.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorli::knowledge {

// How many messages (questions of a corpus, say) hold each unit, counted once a message.
class UnitFrequencies {
 public:
  UnitFrequencies();
  void AddMessage(std::string_view message);
  // unit: two bytes, as a pattern holds it (ASCII letters in upper case).
  uint32_t Of(std::string_view unit) const;

 private:
  std::vector<uint32_t> counts_;  // by unit value
};

struct ReachingPattern {
  std::string pattern;  // GBK bytes, at most the pattern field's width
  int32_t score = 0;    // what the message scores against it: its number of units
};

// The message's distinct units, rarest first (a tie keeps the message's order), then
// repeated in the same order round by round until targetScore units are there or the
// pattern field is full. Every distinct unit is used once even above targetScore, unless
// the field is too small, and then the rarest are kept. Pairs with an ASCII space,
// punctuation or control byte are used only when the message has no other units; pairs
// holding a digit never are (a pattern cannot hold one), so a message of digits alone
// gives an empty pattern that scores 0.
ReachingPattern BuildReachingPattern(std::string_view message, const UnitFrequencies& frequencies,
                                     int32_t targetScore);

}  // namespace zorli::knowledge
