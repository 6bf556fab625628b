#pragma once
// The two-byte units of a knowledge record's pattern: the matches of the expression
// "[^a-z0-9]{2}" (case-sensitive, bytes as characters), each search resuming after the
// previous match. Every match is exactly two bytes, so the joined matches split into
// units are the matches themselves.
//
// This is a direct scan rather than a call of the regular-expression service because the
// engine runs it over every record of the knowledge file for every message; the tests
// hold it to the service's results.
#include <algorithm>
#include <string_view>

namespace zorli {

// Calls unit(std::string_view of two bytes) for each match, in ascending position. The
// pattern ends at its first zero byte, as a searched text does.
template <typename UnitVisitor>
void ForEachPatternUnit(std::string_view pattern, UnitVisitor&& unit) {
  const auto inClass = [](char c) { return !((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')); };
  const size_t end = std::min(pattern.size(), pattern.find('\0'));
  size_t position = 0;
  while (position + 1 < end) {
    if (inClass(pattern[position]) && inClass(pattern[position + 1])) {
      unit(pattern.substr(position, 2));
      position += 2;
    } else {
      ++position;
    }
  }
}

// Calls unit(std::string_view of two bytes) for each pair a message can be found to hold
// by FindText: the pair at every search position, where a byte with its high bit set
// takes the next one along. Pairs repeat as often as the message holds them.
template <typename UnitVisitor>
void ForEachMessagePair(std::string_view message, UnitVisitor&& unit) {
  for (size_t position = 0; position + 1 < message.size();) {
    unit(message.substr(position, 2));
    position += (static_cast<unsigned char>(message[position]) & 0x80) != 0 ? 2 : 1;
  }
}

}  // namespace zorli
