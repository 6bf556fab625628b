#include "console_chat.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "care_rule.h"
#include "console_encoding.h"
#include "console_options.h"
#include "conversation_texts.h"
#include "gbk_convert.h"
#include "knowledge_files.h"
#include "teaching_texts.h"

namespace zorli {
namespace {

using ::testing::AllOf;
using ::testing::Ge;
using ::testing::HasSubstr;
using ::testing::Le;
using ::testing::StartsWith;

const GbkText kNiHao = "\xc4\xe3\xba\xc3";  // 你好
const std::string kNiHaoUtf8 = "\xe4\xbd\xa0\xe5\xa5\xbd";

// hour:minute:second, plain decimal.
bool IsClockText(const std::string& text) {
  int parts = 1;
  bool digitBefore = false;
  for (char c : text) {
    if (c == ':' && digitBefore) {
      ++parts;
      digitBefore = false;
    } else if (c >= '0' && c <= '9') {
      digitBefore = true;
    } else {
      return false;
    }
  }
  return parts == 3 && digitBefore;
}

ConsoleOptions Parse(const std::vector<std::string>& arguments) {
  const ParsedConsoleOptions parsed = ParseConsoleOptions(arguments);
  EXPECT_TRUE(parsed.options) << parsed.error;
  return parsed.options.value_or(ConsoleOptions());
}

TEST(ConsoleOptionsTest, ReadsEveryOption) {
  const ConsoleOptions plain = Parse({});
  EXPECT_FALSE(plain.gbk || plain.noDelay || plain.noLaunch || plain.explain);
  EXPECT_FALSE(plain.nickname.empty());

  const ConsoleOptions all =
      Parse({"--nickname", kNiHaoUtf8, "--no-delay", "--no-launch", "--explain"});
  EXPECT_TRUE(all.noDelay && all.noLaunch && all.explain);
  EXPECT_EQ(all.nickname, kNiHao);
  // The nickname follows the encoding even when the encoding comes after it.
  EXPECT_EQ(Parse({"--nickname", kNiHao, "--encoding", "gbk"}).nickname, kNiHao);
}

TEST(ConsoleOptionsTest, RejectsUnknownArgumentsAndMissingValues) {
  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {"--nickname"}, {"--encoding", "latin1"}, {"--explain", "extra"}, {"--encoding"}}) {
    const ParsedConsoleOptions parsed = ParseConsoleOptions(arguments);
    EXPECT_FALSE(parsed.options);
    EXPECT_FALSE(parsed.error.empty());
  }
}

TEST(ConsoleEncodingTest, Utf8LinesBecomeGbkWithStandInsForTheRest) {
  EXPECT_EQ(ConsoleToGbk(kNiHaoUtf8, false), kNiHao);
  // 😀 is named [嘿嘿]; a stray continuation byte and a cut sequence become □.
  EXPECT_EQ(ConsoleToGbk("a\xf0\x9f\x98\x80" + kNiHaoUtf8, false), "a[\xba\xd9\xba\xd9]" + kNiHao);
  EXPECT_EQ(ConsoleToGbk("\x80" + kNiHaoUtf8 + "\xe4\xbd", false),
            "\xa1\xf5" + kNiHao + "\xa1\xf5\xa1\xf5");
  EXPECT_EQ(ConsoleToGbk(kNiHao, true), kNiHao);
  EXPECT_EQ(GbkToConsole(kNiHao, false), kNiHaoUtf8);
  EXPECT_EQ(GbkToConsole(kNiHao, true), kNiHao);
}

class ConsoleSessionTest : public ::testing::Test {
 protected:
  std::string Run(const std::vector<std::string>& arguments, const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    EXPECT_EQ(RunConsoleChat(Parse(arguments), in, out), 0);
    return out.str();
  }

  testing::KnowledgeFilesScope knowledgeFiles;
};

TEST_F(ConsoleSessionTest, GreetsThenPrintsEachReplyFollowedByAnEmptyLine) {
  testing::WritePrimaryKnowledge({testing::RecordAnswering(kNiHao, "hello there")});
  const std::string output = Run({"--no-delay", "--no-launch"}, kNiHaoUtf8 + "\r\n" + kNiHaoUtf8);
  const std::string greeting = GbkToUtf8(kGreeting) + "\n\n";
  ASSERT_EQ(output.substr(0, greeting.size()), greeting);
  const std::string entry = "\r\n\r\n    hello there\r\n\r\n\n";
  std::string rest = output.substr(greeting.size());
  for (int reply = 0; reply < 2; ++reply) {
    const size_t end = rest.find(entry);
    ASSERT_NE(end, std::string::npos) << rest;
    EXPECT_TRUE(IsClockText(rest.substr(0, end))) << rest;
    rest = rest.substr(end + entry.size());
  }
  EXPECT_EQ(rest, "");
}

TEST_F(ConsoleSessionTest, OutputThatCannotBeWrittenIsAFailure) {
  std::istringstream in("hello\n");
  std::ostream unwritable(nullptr);  // no buffer: every write fails, as on a full disk
  EXPECT_EQ(RunConsoleChat(Parse({"--no-delay", "--no-launch"}), in, unwritable), 1);
}

TEST_F(ConsoleSessionTest, ExplainLinesPrecedeTheirReplies) {
  testing::WritePrimaryKnowledge({testing::RecordAnswering("?", "never"),
                                  testing::RecordAnswering(kNiHao, "one"),
                                  testing::RecordAnswering("\xc4\xe3", "two")});  // 你
  testing::WriteFallbackKnowledge({"zz", "abcd efg", "only reply"});
  const std::string output =
      Run({"--no-delay", "--no-launch", "--explain"},
          kNiHaoUtf8 + "\nabcdef\nqq\n\xe6\x97\xb6\xe9\x97\xb4\n");  // 你好, ..., 时间
  std::vector<std::string> explainLines;
  std::istringstream lines(output);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("explain:", 0) == 0) explainLines.push_back(line);
  }
  ASSERT_EQ(explainLines.size(), 4u);
  EXPECT_THAT(explainLines[0], StartsWith("explain: score=2 candidates=2 field="));
  EXPECT_THAT(explainLines[0].back(), AllOf(Ge('2'), Le('5')));
  EXPECT_EQ(explainLines[1], "explain: score=0 fallback=found record=2");
  EXPECT_THAT(explainLines[2], StartsWith("explain: score=0 fallback=random record="));
  EXPECT_THAT(explainLines[2].back(), AllOf(Ge('1'), Le('3')));
  EXPECT_EQ(explainLines[3], "explain: preset");
  // Each line comes right before the reply it explains.
  const size_t found = output.find(explainLines[1] + "\n");
  const size_t reply = output.find("\r\n\r\n    abcd efg\r\n\r\n\n");
  ASSERT_NE(found, std::string::npos);
  ASSERT_NE(reply, std::string::npos);
  EXPECT_TRUE(IsClockText(output.substr(found + explainLines[1].size() + 1,
                                        reply - found - explainLines[1].size() - 1)));
}

TEST_F(ConsoleSessionTest, MessageEndsAtItsFirstZeroByte) {
  testing::WritePrimaryKnowledge({testing::RecordAnswering(kNiHao, "scored")});
  testing::WriteFallbackKnowledge({"not scored"});
  const std::string zero(1, '\0');
  const std::string output = Run({"--no-delay", "--no-launch"},
                                 "ab" + zero + kNiHaoUtf8 + "\n" + kNiHaoUtf8 + zero + "ab\n");
  const size_t first = output.find("    not scored\r\n");
  EXPECT_NE(first, std::string::npos) << output;
  EXPECT_NE(output.find("    scored\r\n", first), std::string::npos) << output;
}

TEST_F(ConsoleSessionTest, GbkConsoleReadsAndPrintsRawBytes) {
  testing::WritePrimaryKnowledge({testing::RecordAnswering(kNiHao, kNiHao + "!")});
  const std::string output = Run({"--encoding", "gbk", "--no-delay"}, kNiHao + "\n");
  EXPECT_EQ(output.substr(0, kGreeting.size()), kGreeting);
  EXPECT_THAT(output, HasSubstr("    " + kNiHao + "!\r\n\r\n\n"));
}

TEST_F(ConsoleSessionTest, TeachTaughtAndForgetActOnTheLastMessageAndReply) {
  testing::WritePrimaryKnowledge({testing::RecordAnswering(kNiHao, "base")});
  const std::string taughtAnswer = "\xe5\x97\xa8\xe5\x91\x80";  // 嗨呀
  const std::string output = Run({"--no-delay", "--no-launch"},
                                 "/forget\n" + kNiHaoUtf8 + "\n/teach " + taughtAnswer + "\n" +
                                     kNiHaoUtf8 + "\n/taught\n/forget\n" + kNiHaoUtf8 + "\n");
  const std::string pair = kNiHaoUtf8 + " \xe2\x86\x92 " + taughtAnswer;  // 你好 → 嗨呀
  const size_t notTaught = output.find(GbkToUtf8(kLastReplyNotTaught) + "\n\n");
  const size_t taught = output.find(GbkToUtf8(kTaughtTipStart) + pair + "\n\n");
  const size_t reply = output.find("    " + taughtAnswer + "\r\n");
  const size_t listed = output.find("\n" + pair + "\n\n", reply);
  const size_t forgotten = output.find(GbkToUtf8(kForgottenTipStart) + pair + "\n\n");
  const size_t again = output.find("    base\r\n", forgotten);
  for (size_t at : {notTaught, taught, reply, listed, forgotten, again}) {
    ASSERT_NE(at, std::string::npos) << output;
  }
  EXPECT_LT(notTaught, taught);
  EXPECT_LT(taught, reply);
  EXPECT_LT(reply, listed);
  EXPECT_LT(listed, forgotten);
  EXPECT_EQ(output.find("    base\r\n"), output.rfind("    base\r\n", forgotten));
  std::remove("taught.tsv");
}

TEST_F(ConsoleSessionTest, ADoubleSlashSendsTheMessageAndOtherSlashLinesListTheCommands) {
  testing::WritePrimaryKnowledge({testing::RecordAnswering("/X", "slash")});
  testing::WriteFallbackKnowledge({"fallback"});
  const std::string output = Run({"--no-delay", "--no-launch"}, "/X\n/help\n//X\n");
  EXPECT_EQ(output.find("    slash\r\n"), output.rfind("    slash\r\n"));
  EXPECT_NE(output.find("    slash\r\n"), std::string::npos) << output;
  const size_t list = output.find(kConsoleCommands);
  ASSERT_NE(list, std::string::npos) << output;
  EXPECT_NE(output.find(kConsoleCommands, list + 1), std::string::npos);
  EXPECT_EQ(output.find("fallback"), std::string::npos);
}

// The console goes through the same rules as the window: care, not the record's joke.
TEST_F(ConsoleSessionTest, ACrisisMessageGetsCareInsteadOfTheKnowledgeFile) {
  const std::string message = "I want to end my life";
  testing::WritePrimaryKnowledge({testing::RecordAnswering(message, "a joke")});
  const std::string output = Run({"--no-delay", "--no-launch"}, message + "\n");
  EXPECT_THAT(output, HasSubstr("    " + CareReply(message, 1) + "\r\n"));
  EXPECT_EQ(output.find("a joke"), std::string::npos) << output;
}

}  // namespace
}  // namespace zorli
