#include "care_rule.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <unordered_map>

#include "gbk_convert.h"

namespace zorli {

extern const unsigned char kCareTableUtf8[];
extern const std::size_t kCareTableUtf8Size;

namespace {

using Units = std::vector<std::string>;  // an empty unit is a break

constexpr int kShortGap = 3;
constexpr int kLongGap = 8;

struct Element {
  std::string unit;
  int gap = 0;  // > 0: skip up to this many units instead of matching one
};

struct Phrase {
  GbkText text;
  std::vector<Element> elements;  // begins and ends with a unit
  size_t group = 0;               // of a sign
};

enum class PhraseKind { kCrisis, kException, kSign, kUrgent };

struct CareTable {
  CareTableSummary summary;
  std::map<std::string, std::string> fold;
  std::vector<Phrase> crisis, exceptions, signs, urgent;
  std::unordered_map<std::string, std::vector<size_t>> crisisByFirst, exceptionsByFirst,
      signsByFirst, urgentByFirst;
  std::map<std::string, size_t> signGroups;
  std::vector<GbkText> chineseReplies, englishReplies, chineseUrgentReplies, englishUrgentReplies;
};

bool IsWordByte(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// Structural pairing, the same on every platform: the table's characters are ordinary.
bool IsPair(unsigned char lead, unsigned char trail) {
  return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
}

class Cutter {
 public:
  explicit Cutter(const std::map<std::string, std::string>& fold) : fold_(fold) {}

  Units Cut(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
      const unsigned char c = static_cast<unsigned char>(text[i]);
      const unsigned char trail = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
      if (c < 0x80) {
        Ascii(c);
        ++i;
      } else if (!IsPair(c, trail)) {
        Break();
        ++i;
      } else {
        Pair(text.substr(i, 2));
        i += 2;
      }
    }
    EndWord();
    return std::move(units_);
  }

 private:
  void Ascii(unsigned char c) {
    if (IsWordByte(c)) {
      word_.push_back(static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c));
    } else if (c == '\'') {
      // "don't" and "dont" are typed alike
    } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      EndWord();
    } else {
      Break();
    }
  }

  void Pair(std::string_view pair) {
    const unsigned char lead = static_cast<unsigned char>(pair[0]);
    const unsigned char trail = static_cast<unsigned char>(pair[1]);
    if (lead == 0xA3 && trail >= 0xA1) return Ascii(trail - 0x80);             // full-width ASCII
    if (lead == 0xA1 && trail == 0xA1) return Ascii(' ');                      // ideographic space
    if (lead == 0xA1 && (trail == 0xAE || trail == 0xAF)) return Ascii('\'');  // curly quotes
    if (lead >= 0xA1 && lead <= 0xA9) return Break();                          // symbols
    EndWord();
    const std::string character(pair);
    const auto folded = fold_.find(character);
    units_.push_back(folded == fold_.end() ? character : folded->second);
  }

  void EndWord() {
    if (!word_.empty()) units_.push_back(std::move(word_));
    word_.clear();
  }

  void Break() {
    EndWord();
    if (!units_.empty() && !units_.back().empty()) units_.emplace_back();
  }

  const std::map<std::string, std::string>& fold_;
  Units units_;
  std::string word_;
};

bool CompilePhrase(const CareTable& table, const GbkText& text, Phrase& phrase) {
  phrase.text = text;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t star = std::min(text.find('*', start), text.size());
    for (std::string& unit : Cutter(table.fold).Cut(text.substr(start, star - start))) {
      phrase.elements.push_back({std::move(unit), 0});
    }
    size_t stars = star;
    while (stars < text.size() && text[stars] == '*') ++stars;
    if (stars == text.size()) break;
    if (stars > star) phrase.elements.push_back({"", stars - star == 1 ? kShortGap : kLongGap});
    start = stars;
  }
  auto isUnit = [](const Element& e) { return e.gap == 0 && !e.unit.empty(); };
  return !phrase.elements.empty() && isUnit(phrase.elements.front()) &&
         isUnit(phrase.elements.back());
}

// The end of a match of elements[k..] from pos: the earliest, or the latest when longest.
std::optional<size_t> MatchFrom(const std::vector<Element>& elements, size_t k, const Units& units,
                                size_t pos, bool longest) {
  if (k == elements.size()) return pos;
  const Element& element = elements[k];
  if (element.gap == 0) {
    if (pos >= units.size() || units[pos] != element.unit) return std::nullopt;
    return MatchFrom(elements, k + 1, units, pos + 1, longest);
  }
  std::optional<size_t> best;
  for (size_t skip = 0; skip <= static_cast<size_t>(element.gap) && pos + skip <= units.size();
       ++skip) {
    const std::optional<size_t> end = MatchFrom(elements, k + 1, units, pos + skip, longest);
    if (end && !longest) return end;
    if (end && (!best || *end > *best)) best = end;
  }
  return best;
}

void AddPhrase(CareTable& table, const GbkText& text, PhraseKind kind, int line) {
  Phrase phrase;
  GbkText phraseText = text;
  if (kind == PhraseKind::kSign) {
    // "group<TAB>phrase"
    const size_t tab = text.find('\t');
    if (tab == 0 || tab == GbkText::npos) {
      table.summary.problems.push_back("line " + std::to_string(line) + ": sign without group");
      return;
    }
    phrase.group =
        table.signGroups.emplace(text.substr(0, tab), table.signGroups.size()).first->second;
    phraseText = text.substr(tab + 1);
  }
  if (!CompilePhrase(table, phraseText, phrase)) {
    table.summary.problems.push_back("line " + std::to_string(line) + ": not a phrase");
    return;
  }
  std::vector<Phrase>& phrases = kind == PhraseKind::kCrisis      ? table.crisis
                                 : kind == PhraseKind::kException ? table.exceptions
                                 : kind == PhraseKind::kSign      ? table.signs
                                                                  : table.urgent;
  auto& byFirst = kind == PhraseKind::kCrisis      ? table.crisisByFirst
                  : kind == PhraseKind::kException ? table.exceptionsByFirst
                  : kind == PhraseKind::kSign      ? table.signsByFirst
                                                   : table.urgentByFirst;
  byFirst[phrase.elements.front().unit].push_back(phrases.size());
  phrases.push_back(std::move(phrase));
}

void AddFoldPairs(CareTable& table, const GbkText& pairs, int line) {
  if (pairs.size() % 4 != 0) {
    table.summary.problems.push_back("line " + std::to_string(line) + ": fold pairs uneven");
    return;
  }
  for (size_t i = 0; i < pairs.size(); i += 4) {
    table.fold[pairs.substr(i, 2)] = pairs.substr(i + 2, 2);
    ++table.summary.foldPairs;
  }
}

CareTable ReadTable() {
  CareTable table;
  const std::string_view utf8(reinterpret_cast<const char*>(kCareTableUtf8), kCareTableUtf8Size);
  struct Line {
    int number;
    std::string kind;
    GbkText text;
  };
  std::vector<Line> lines;
  size_t start = 0;
  for (int number = 1; start < utf8.size(); ++number) {
    const size_t end = std::min(utf8.find('\n', start), utf8.size());
    std::string_view line = utf8.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t tab = line.find('\t');
    if (number == 1 || line.empty() || line[0] == '#' || tab == std::string_view::npos) continue;
    const std::optional<std::string> text = Utf8ToGbk(line.substr(tab + 1));
    if (!text) {
      table.summary.problems.push_back("line " + std::to_string(number) + ": not GBK");
      continue;
    }
    lines.push_back({number, std::string(line.substr(0, tab)), *text});
  }
  // Fold pairs first: the phrases are cut with them.
  for (const Line& line : lines) {
    if (line.kind == "fold") AddFoldPairs(table, line.text, line.number);
  }
  for (const Line& line : lines) {
    if (line.kind == "crisis") {
      AddPhrase(table, line.text, PhraseKind::kCrisis, line.number);
    } else if (line.kind == "except") {
      AddPhrase(table, line.text, PhraseKind::kException, line.number);
    } else if (line.kind == "sign") {
      AddPhrase(table, line.text, PhraseKind::kSign, line.number);
    } else if (line.kind == "urgent") {
      AddPhrase(table, line.text, PhraseKind::kUrgent, line.number);
    } else if (line.kind == "reply-zh") {
      table.chineseReplies.push_back(line.text);
    } else if (line.kind == "reply-en") {
      table.englishReplies.push_back(line.text);
    } else if (line.kind == "reply-zh-urgent") {
      table.chineseUrgentReplies.push_back(line.text);
    } else if (line.kind == "reply-en-urgent") {
      table.englishUrgentReplies.push_back(line.text);
    } else if (line.kind != "fold") {
      table.summary.problems.push_back("line " + std::to_string(line.number) + ": unknown kind");
    }
  }
  table.summary.crisisPhrases = table.crisis.size();
  table.summary.exceptions = table.exceptions.size();
  table.summary.signs = table.signs.size();
  table.summary.signGroups = table.signGroups.size();
  table.summary.urgentPhrases = table.urgent.size();
  table.summary.chineseReplies = table.chineseReplies.size();
  table.summary.englishReplies = table.englishReplies.size();
  table.summary.chineseUrgentReplies = table.chineseUrgentReplies.size();
  table.summary.englishUrgentReplies = table.englishUrgentReplies.size();
  return table;
}

const CareTable& Table() {
  static const CareTable table = ReadTable();
  return table;
}

bool HasChinese(const GbkText& message) {
  for (size_t i = 0; i + 1 < message.size(); ++i) {
    const unsigned char lead = static_cast<unsigned char>(message[i]);
    if (lead < 0x80) continue;
    if (IsPair(lead, static_cast<unsigned char>(message[i + 1])) && (lead < 0xA1 || lead > 0xA9))
      return true;
    ++i;
  }
  return false;
}

// Each unexcepted match of one of phrases, by its first unit: visit(phrase, begin, end)
// returns whether to stop.
template <typename Visit>
void ForEachMatch(const std::vector<Phrase>& phrases,
                  const std::unordered_map<std::string, std::vector<size_t>>& byFirst,
                  const Units& units, const std::vector<bool>& excepted, Visit&& visit) {
  for (size_t pos = 0; pos < units.size(); ++pos) {
    const auto found = byFirst.find(units[pos]);
    if (found == byFirst.end()) continue;
    for (size_t index : found->second) {
      const auto end = MatchFrom(phrases[index].elements, 0, units, pos, false);
      if (end && std::none_of(excepted.begin() + pos, excepted.begin() + *end,
                              [](bool covered) { return covered; })) {
        if (visit(phrases[index], pos, *end)) return;
      }
    }
  }
}

// The units an exception covers: a phrase touching one of them is a figure of speech.
std::vector<bool> ExceptedUnits(const CareTable& table, const Units& units) {
  std::vector<bool> excepted(units.size(), false);
  for (size_t pos = 0; pos < units.size(); ++pos) {
    const auto found = table.exceptionsByFirst.find(units[pos]);
    if (found == table.exceptionsByFirst.end()) continue;
    for (size_t index : found->second) {
      const auto end = MatchFrom(table.exceptions[index].elements, 0, units, pos, true);
      if (end) std::fill(excepted.begin() + pos, excepted.begin() + *end, true);
    }
  }
  return excepted;
}

// Danger now: on the roof, the pills taken, tonight.
bool IsUrgent(const CareTable& table, const GbkText& message) {
  const Units units = Cutter(table.fold).Cut(message);
  bool urgent = false;
  ForEachMatch(table.urgent, table.urgentByFirst, units, ExceptedUnits(table, units),
               [&](const Phrase&, size_t, size_t) { return urgent = true; });
  return urgent;
}

}  // namespace

const CareTableSummary& CareTableContents() { return Table().summary; }

std::optional<GbkText> CarePhraseIn(const GbkText& message) {
  const CareTable& table = Table();
  const Units units = Cutter(table.fold).Cut(message);
  const std::vector<bool> excepted = ExceptedUnits(table, units);
  std::optional<GbkText> phrase;
  ForEachMatch(table.crisis, table.crisisByFirst, units, excepted,
               [&](const Phrase& crisis, size_t, size_t) {
                 phrase = crisis.text;
                 return true;
               });
  if (phrase) return phrase;
  // Two signs count only where they do not share a unit: "sleep forever" is one sign, not
  // a sleep sign and a last-time sign.
  struct Seen {
    const Phrase* sign;
    size_t begin, end;
  };
  std::vector<Seen> seen;
  ForEachMatch(
      table.signs, table.signsByFirst, units, excepted,
      [&](const Phrase& sign, size_t begin, size_t end) {
        for (const Seen& other : seen) {
          if (other.sign->group != sign.group && (other.end <= begin || end <= other.begin)) {
            phrase = other.sign->text + " + " + sign.text;
            return true;
          }
        }
        seen.push_back({&sign, begin, end});
        return false;
      });
  return phrase;
}

GbkText CareReply(const GbkText& message, int32_t turn) {
  const CareTable& table = Table();
  const bool chinese = HasChinese(message) || table.englishReplies.empty();
  const std::vector<GbkText>& calm = chinese ? table.chineseReplies : table.englishReplies;
  const std::vector<GbkText>& urgent =
      chinese ? table.chineseUrgentReplies : table.englishUrgentReplies;
  const std::vector<GbkText>& replies = !urgent.empty() && IsUrgent(table, message) ? urgent : calm;
  if (replies.empty()) return GbkText();
  uint32_t pick = static_cast<uint32_t>(turn);
  for (unsigned char byte : message) pick += byte;
  return replies[pick % replies.size()];
}

}  // namespace zorli
