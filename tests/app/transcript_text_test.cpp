// The conversation as the text that is copied and saved.
#include "transcript_text.h"

#include <gtest/gtest.h>

namespace zorli {
namespace {

using Speaker = Turn::Speaker;

const DateTime kAt = MakeDateTime({2026, 12, 9, 14, 5, 3});
const GbkText kNiHao = "\xc4\xe3\xba\xc3";  // 你好
const std::string kNiHaoUtf8 = "\xe4\xbd\xa0\xe5\xa5\xbd";
const std::string kColon = "\xef\xbc\x9a";  // ：

Turn TurnOf(Speaker speaker, GbkText nickname, GbkText text, DateTime time = kAt) {
  Turn turn;
  turn.speaker = speaker;
  turn.nickname = std::move(nickname);
  turn.text = std::move(text);
  turn.time = time;
  return turn;
}

TEST(TranscriptText, OneLineTurnIsTimeNicknameAndTextInUtf8) {
  EXPECT_EQ(TurnToUtf8Text(TurnOf(Speaker::kUser, " Velan-", kNiHao)),
            "[2026-12-09 14:05:03]  Velan-" + kColon + kNiHaoUtf8 + "\r\n");
  // Single digits are padded in the stamp, unlike the bot's header.
  EXPECT_EQ(
      TurnToUtf8Text(TurnOf(Speaker::kBot, "KaduZorli", "ok", MakeDateTime({2027, 1, 2, 3, 4, 5}))),
      "[2027-01-02 03:04:05] KaduZorli" + kColon + "ok\r\n");
}

TEST(TranscriptText, LaterLinesAreIndentedWhateverTheirLineEnd) {
  EXPECT_EQ(TurnToUtf8Text(TurnOf(Speaker::kUser, "Tom", "a\r\nb\nc\rd\r\n")),
            "[2026-12-09 14:05:03] Tom" + kColon + "a\r\n    b\r\n    c\r\n    d\r\n    \r\n");
  EXPECT_EQ(TurnToUtf8Text(TurnOf(Speaker::kUser, "Tom", "")),
            "[2026-12-09 14:05:03] Tom" + kColon + "\r\n");
}

TEST(TranscriptText, NicknameStaysOnItsLineAndABadByteKeepsTheLineEnd) {
  // A lone lead byte at a line's end must not take the CR LF with it.
  EXPECT_EQ(TurnToUtf8Text(TurnOf(Speaker::kUser, "A\r\nB", "x\xc4\r\ny")),
            "[2026-12-09 14:05:03] A  B" + kColon + "x\xef\xbf\xbd\r\n    y\r\n");
}

TEST(TranscriptText, FileIsTheMarkThenEveryTurnInOrder) {
  const Transcript turns{TurnOf(Speaker::kBot, "KaduZorli", "hi"),
                         TurnOf(Speaker::kUser, "Tom", kNiHao)};
  const std::string text = "[2026-12-09 14:05:03] KaduZorli" + kColon + "hi\r\n" +
                           "[2026-12-09 14:05:03] Tom" + kColon + kNiHaoUtf8 + "\r\n";
  EXPECT_EQ(TranscriptToUtf8Text(turns), text);
  EXPECT_EQ(TranscriptFileBytes(turns), "\xef\xbb\xbf" + text);
  EXPECT_EQ(TranscriptFileBytes({}), "\xef\xbb\xbf");
}

TEST(TranscriptText, DefaultFileNameCarriesTheMoment) {
  // Zorli聊天记录-20261209-140503.txt
  EXPECT_EQ(DefaultTranscriptFileName(kAt),
            "Zorli\xe8\x81\x8a\xe5\xa4\xa9\xe8\xae\xb0\xe5\xbd\x95-20261209-140503.txt");
}

TEST(TranscriptText, LineEndsBecomeCrLf) {
  EXPECT_EQ(WithCrLfLineEnds("a\nb\rc\r\nd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(WithCrLfLineEnds(kNiHao + "\n"), kNiHao + "\r\n");
}

}  // namespace
}  // namespace zorli
