#include "transcript_text.h"

#include <cstdio>
#include <vector>

#include "gbk_convert.h"

namespace zorli {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kIndent = "    ";
constexpr std::string_view kNicknameEnd = "\xEF\xBC\x9A";  // ： (full-width colon)
// 聊天记录
constexpr std::string_view kFileNameMiddle = "\xE8\x81\x8A\xE5\xA4\xA9\xE8\xAE\xB0\xE5\xBD\x95";

// The lines of text, split at CR LF, a lone CR or a lone LF; at least one (maybe empty).
std::vector<std::string_view> LinesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.push_back(text.substr(start));
  return lines;
}

// A nickname pasted with a line break would otherwise start a paragraph of its own.
std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line)
    if (c == '\r' || c == '\n') c = ' ';
  return line;
}

std::string TimeStamp(DateTime time) {
  const CivilDateTime t = SplitDateTime(time);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "[%04d-%02d-%02d %02d:%02d:%02d] ", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  return stamp;
}

}  // namespace

std::string TurnToUtf8Text(const Turn& turn) {
  std::string paragraph = TimeStamp(turn.time);
  paragraph += GbkToUtf8(OneLine(turn.nickname));
  paragraph += kNicknameEnd;
  // Line by line: a line break never splits a double-byte character, and a bad byte then
  // cannot swallow the line end after it.
  const std::vector<std::string_view> lines = LinesOf(turn.text);
  for (size_t i = 0; i < lines.size(); ++i) {
    // Blank lines keep their indent too, so the text comes back whole by dropping it.
    if (i > 0) paragraph += kIndent;
    paragraph += GbkToUtf8(lines[i]);
    paragraph += kLineEnd;
  }
  return paragraph;
}

std::string TranscriptToUtf8Text(const Transcript& turns) {
  std::string text;
  for (const Turn& turn : turns) text += TurnToUtf8Text(turn);
  return text;
}

std::string TranscriptFileBytes(const Transcript& turns) {
  return std::string(kUtf8ByteOrderMark) + TranscriptToUtf8Text(turns);
}

std::string DefaultTranscriptFileName(DateTime time) {
  const CivilDateTime t = SplitDateTime(time);
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "-%04d%02d%02d-%02d%02d%02d.txt", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  return "Zorli" + std::string(kFileNameMiddle) + stamp;
}

std::string WithCrLfLineEnds(std::string_view text) {
  const std::vector<std::string_view> lines = LinesOf(text);
  std::string joined;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) joined += kLineEnd;
    joined += lines[i];
  }
  return joined;
}

}  // namespace zorli
