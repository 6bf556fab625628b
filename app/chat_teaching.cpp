#include "chat_teaching.h"

#include "knowledge_place.h"
#include "knowledge_schema.h"
#include "teaching_texts.h"

namespace zorli {
namespace {

using knowledge::TeachingFailure;

GbkText Reason(TeachingFailure failure) {
  switch (failure) {
    case TeachingFailure::kNone: return GbkText();
    case TeachingFailure::kNoWords: return GbkText(kNoWordsReason);
    case TeachingFailure::kBadAnswer: return GbkText(kBadAnswerReason);
    case TeachingFailure::kCannotWin: return GbkText(kCannotWinReason);
    case TeachingFailure::kNothingTaught: return GbkText(kNothingTaughtReason);
    case TeachingFailure::kKnowledgeFile: return GbkText(kKnowledgeFileReason);
    case TeachingFailure::kTaughtFile: return GbkText(kTaughtFileReason);
  }
  return GbkText();
}

}  // namespace

knowledge::TeachingPlace RunTimeTeachingPlace() {
  return knowledge::PlaceOf(knowledge::RunTimePath(knowledge::PrimaryKnowledge()));
}

const Turn* MessageTurnOf(const Transcript& transcript, const Turn& turn) {
  if (turn.speaker == Turn::Speaker::kUser) return &turn;
  if (!turn.why) return nullptr;  // the greeting answers nothing
  const Turn* message = nullptr;
  for (const Turn& each : transcript) {
    if (&each == &turn) return message;
    if (each.speaker == Turn::Speaker::kUser) message = &each;
  }
  return nullptr;
}

std::optional<knowledge::TaughtPair> TaughtPairAnswering(const knowledge::TeachingPlace& place,
                                                         const Turn& turn) {
  if (turn.speaker != Turn::Speaker::kBot || !turn.why ||
      turn.why->source != ReplyExplanation::Source::kScored) {
    return std::nullopt;
  }
  return knowledge::TaughtPairOfRecord(place, turn.why->record);
}

GbkText PairText(const knowledge::TaughtPair& pair) {
  return pair.message + GbkText(kTipArrow) + pair.answer;
}

TeachingOutcome TeachInChat(const knowledge::TeachingPlace& place, const GbkText& message,
                            const GbkText& answer) {
  const knowledge::TeachingResult result = knowledge::Teach(place, message, answer);
  if (!result) return {false, GbkText(kNotTaughtStart) + Reason(result.failure)};
  return {true, GbkText(kTaughtTipStart) + PairText(result.pair)};
}

TeachingOutcome ForgetInChat(const knowledge::TeachingPlace& place, const GbkText& message) {
  const knowledge::TeachingResult result = knowledge::Forget(place, message);
  if (!result) return {false, GbkText(kNotForgottenStart) + Reason(result.failure)};
  return {true, GbkText(kForgottenTipStart) + PairText(result.pair)};
}

std::optional<GbkText> ReplaceTaughtAtStart(const knowledge::TeachingPlace& place) {
  const knowledge::TeachingResult result = knowledge::ReconcileTaught(place);
  if (result) return std::nullopt;
  return GbkText(kNotReplacedStart) + Reason(result.failure);
}

}  // namespace zorli
