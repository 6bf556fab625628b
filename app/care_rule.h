#pragma once
// Recognises a message from someone who may be in danger of ending their life or
// harming themselves, by the phrases of data/care.tsv (embedded at build time), and
// chooses a care reply for it. Character scoring cannot tell 活着真好 from 不想活了, so
// this decision never rests on the knowledge files.
//
// A message is cut into units: a double-byte character (traditional forms folded to
// simplified by the table's fold pairs), a run of ASCII letters and digits (lower-cased,
// apostrophes dropped, full-width forms made ASCII), or a break for punctuation. Spaces
// only separate words. A phrase is a unit sequence where "*" allows up to 3 units between
// its neighbours and "**" up to 8. A crisis phrase counts unless an exception phrase
// (a figure of speech such as 笑死 or "dying to") matches over any of its units, so
// 笑死我了，其实我真的想死 is still a crisis message.
//
// Said without such a phrase, danger shows in signs that mean little alone: a farewell,
// something said to be the last time, means or a high place, arranging one's affairs.
// A sign phrase belongs to a group, and a message holding unexcepted signs of two
// different groups, anywhere in it, is a crisis message too. Urgent phrases (danger now)
// choose among the replies only; they never make a crisis message.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gbk_text.h"

namespace zorli {

struct CareTableSummary {
  size_t crisisPhrases = 0;
  size_t exceptions = 0;
  size_t signs = 0;
  size_t signGroups = 0;
  size_t urgentPhrases = 0;
  size_t foldPairs = 0;
  size_t chineseReplies = 0;
  size_t englishReplies = 0;
  size_t chineseUrgentReplies = 0;
  size_t englishUrgentReplies = 0;
  std::vector<std::string> problems;  // lines that could not be used, with their numbers
};

// What the embedded table held when it was read (once, on first use).
const CareTableSummary& CareTableContents();

// The crisis phrase (GBK, as written in the table) that makes message a crisis message,
// or the two signs that do, joined by " + ".
std::optional<GbkText> CarePhraseIn(const GbkText& message);

// One of the care replies: English for a message without Chinese characters, else
// Chinese; turn moves to the next reply, so a person who repeats themselves is not
// answered word for word. A message that also tells of danger now (an urgent phrase:
// standing on the roof, the pills taken) gets one of the urgent replies, which put
// getting safe and calling emergency services first.
GbkText CareReply(const GbkText& message, int32_t turn);

}  // namespace zorli
