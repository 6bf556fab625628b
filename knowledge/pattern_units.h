#pragma once
// The two-byte units of a knowledge record's pattern: the matches of the expression
// "[^a-z0-9]{2}" (case-sensitive, bytes as characters), each search resuming after the
// previous match. Every match is exactly two bytes, so the joined matches split into
// units are the matches themselves.
//
// This is a direct scan rather than a call of the regular-expression service because the
// engine runs it over every record of the knowledge file for every message; the tests
// hold it to the service's results.
#include <array>
#include <string_view>

namespace zorli {

// Calls unit(std::string_view of two bytes) for each match, in ascending position. The
// pattern ends at its first zero byte, as a searched text does.
namespace pattern_units {
// What a byte is to the expression: 0 a zero byte, where a pattern ends; 1 a lower-case
// letter or digit; 2 a byte of the class.
inline constexpr std::array<unsigned char, 256> kByteKinds = [] {
  std::array<unsigned char, 256> kinds{};
  for (int c = 1; c < 256; ++c) {
    kinds[c] = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ? 1 : 2;
  }
  return kinds;
}();
}  // namespace pattern_units

template <typename UnitVisitor>
void ForEachPatternUnit(std::string_view pattern, UnitVisitor&& unit) {
  // One pass by table over raw bytes that stops at the first zero byte: the engine runs
  // this over every record, and a 32-bit build pays for each bounds-checked substr.
  const char* const bytes = pattern.data();
  const auto kind = [bytes](size_t i) {
    return pattern_units::kByteKinds[static_cast<unsigned char>(bytes[i])];
  };
  size_t position = 0;
  while (position + 1 < pattern.size()) {
    const unsigned first = kind(position), second = kind(position + 1);
    if ((first & second) == 2) {
      unit(std::string_view(bytes + position, 2));
      position += 2;
    } else if (first == 0 || second == 0) {
      break;
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
