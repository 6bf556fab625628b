#include "reaching_pattern.h"

#include <algorithm>

#include "knowledge_schema.h"
#include "pattern_units.h"

namespace zorli::knowledge {
namespace {

constexpr size_t kUnitValues = 1 << 16;

enum class PairKind { kUnusable, kWeak, kWord };

char UpperByte(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool IsHigh(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }

// A message pair as a pattern unit: upper case stands for lower case, since units are
// searched with case folded and lower-case letters never form a unit of their own.
size_t UnitValue(char first, char second) {
  return (static_cast<size_t>(static_cast<unsigned char>(UpperByte(first))) << 8) |
         static_cast<unsigned char>(UpperByte(second));
}

PairKind KindOf(std::string_view pair) {
  const auto unusable = [](char c) { return c == '\0' || (c >= '0' && c <= '9'); };
  if (unusable(pair[0]) || unusable(pair[1])) return PairKind::kUnusable;
  // A double-byte character's trail byte may be any ASCII byte but a digit.
  if (IsHigh(pair[0])) return PairKind::kWord;
  const auto wordByte = [](char c) { return IsHigh(c) || IsAsciiLetter(c); };
  return wordByte(pair[0]) && wordByte(pair[1]) ? PairKind::kWord : PairKind::kWeak;
}

// The message's distinct usable units in the order it holds them: its word pairs, or its
// other pairs when it has none.
std::vector<size_t> DistinctUnits(std::string_view message) {
  std::vector<size_t> words, weak;
  std::vector<bool> seen(kUnitValues);
  ForEachMessagePair(message, [&](std::string_view pair) {
    const PairKind kind = KindOf(pair);
    const size_t unit = UnitValue(pair[0], pair[1]);
    if (kind == PairKind::kUnusable || seen[unit]) return;
    seen[unit] = true;
    (kind == PairKind::kWord ? words : weak).push_back(unit);
  });
  return words.empty() ? weak : words;
}

}  // namespace

UnitFrequencies::UnitFrequencies() : counts_(kUnitValues) {}

void UnitFrequencies::AddMessage(std::string_view message) {
  for (const size_t unit : DistinctUnits(message)) ++counts_[unit];
}

uint32_t UnitFrequencies::Of(std::string_view unit) const {
  return unit.size() < 2 ? 0 : counts_[UnitValue(unit[0], unit[1])];
}

ReachingPattern BuildReachingPattern(std::string_view message, const UnitFrequencies& frequencies,
                                     int32_t targetScore) {
  std::vector<size_t> units = DistinctUnits(message);
  if (units.empty()) return {};
  const auto frequency = [&](size_t unit) {
    const char pair[] = {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xff)};
    return frequencies.Of(std::string_view(pair, 2));
  };
  std::stable_sort(units.begin(), units.end(),
                   [&](size_t a, size_t b) { return frequency(a) < frequency(b); });
  const size_t capacity =
      static_cast<size_t>(PrimaryKnowledge().fields[kPatternField - 1].width) / 2;
  if (units.size() > capacity) units.resize(capacity);
  const size_t wanted =
      std::min(capacity, std::max(units.size(), static_cast<size_t>(std::max(0, targetScore))));

  // Rounds of the units, rarest first: the first units are repeated once more than the rest.
  std::vector<size_t> repeats(units.size());
  for (size_t n = 0; n < wanted; ++n) ++repeats[n % units.size()];
  ReachingPattern result;
  for (size_t i = 0; i < units.size(); ++i) {
    for (size_t r = 0; r < repeats[i]; ++r) {
      result.pattern += static_cast<char>(units[i] >> 8);
      result.pattern += static_cast<char>(units[i] & 0xff);
    }
  }
  result.score = static_cast<int32_t>(result.pattern.size() / 2);
  return result;
}

}  // namespace zorli::knowledge
