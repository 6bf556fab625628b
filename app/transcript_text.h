#pragma once
// The conversation as plain text, for the clipboard and for a saved file: one paragraph
// per turn, "[2026-12-09 14:05:03] nickname：text", a text's later lines indented by four
// spaces, every line ended by CR LF. UTF-8, so that it opens alike everywhere.
#include <string>
#include <string_view>

#include "clock.h"
#include "transcript.h"

namespace zorli {

// A saved file begins with this, so that Notepad of any language reads it as UTF-8.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The turn's paragraph, its line ends included.
std::string TurnToUtf8Text(const Turn& turn);
// Every turn's paragraph, in order; empty for no turns.
std::string TranscriptToUtf8Text(const Transcript& turns);
// What a saved file holds: the byte-order mark, then the transcript's text.
std::string TranscriptFileBytes(const Transcript& turns);

// The name a save suggests: "Zorli聊天记录-20261209-140503.txt" for that moment, UTF-8.
std::string DefaultTranscriptFileName(DateTime time);

// A text with every line end (CR LF, a lone CR or a lone LF) made CR LF, for edit boxes
// and the clipboard.
std::string WithCrLfLineEnds(std::string_view text);

}  // namespace zorli
