#pragma once
// Teaching Zorli from the conversation, for the window's menu and the console's commands:
// which message a turn answered, whether a reply came from a taught record, and teaching
// or forgetting with a tip that says what happened.
#include <optional>

#include "gbk_text.h"
#include "teaching.h"
#include "transcript.h"

namespace zorli {

// dbs.edb at its run-time place, taught.tsv beside it, data/samples.tsv below it.
knowledge::TeachingPlace RunTimeTeachingPlace();

// The user's turn a teaching from turn is about: turn itself for a user's message, the
// message the reply answered for a bot's reply; nullptr for the greeting.
const Turn* MessageTurnOf(const Transcript& transcript, const Turn& turn);
// The taught pair a bot's reply was read from, if it was a taught record's.
std::optional<knowledge::TaughtPair> TaughtPairAnswering(const knowledge::TeachingPlace& place,
                                                         const Turn& turn);

struct TeachingOutcome {
  bool done = false;
  GbkText tip;  // what the chat shows either way
};

TeachingOutcome TeachInChat(const knowledge::TeachingPlace& place, const GbkText& message,
                            const GbkText& answer);
TeachingOutcome ForgetInChat(const knowledge::TeachingPlace& place, const GbkText& message);
// At start-up: the tip when taught pairs could not all be put back; nullopt when they were.
std::optional<GbkText> ReplaceTaughtAtStart(const knowledge::TeachingPlace& place);
// "message → answer", as tips and the console's list show a pair.
GbkText PairText(const knowledge::TaughtPair& pair);

}  // namespace zorli
