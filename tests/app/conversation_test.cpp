#include "conversation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "conversation_texts.h"
#include "error_codes.h"
#include "fake_ports.h"
#include "knowledge_files.h"
#include "record_database.h"
#include "spoken_names.h"
#include "web_addresses.h"

namespace zorli {
namespace {

using testing::CallLog;
using ::testing::ElementsAre;
using testing::FakeChatList;
using testing::FakeInput;
using testing::FakeServices;

const GbkText kNiHao = "\xc4\xe3\xba\xc3";                            // 你好
const GbkText kTianQi = "\xcc\xec\xc6\xf8";                           // 天气
const GbkText kAskTime = "\xcf\xd6\xd4\xda\xbc\xb8\xb5\xe3\xc1\xcb";  // 现在几点了
// Their bytes as the search URL carries them.
const GbkText kTianQiInUrl = "%CC%EC%C6%F8";
const GbkText kAskTimeInUrl = "%CF%D6%D4%DA%BC%B8%B5%E3%C1%CB";
const GbkText kKnowledgeAnswer = "\xd4\xd9\xbc\xfb";                  // 再见

// The reply inside a bot entry: between the header's breaks and the closing breaks.
GbkText ReplyIn(const GbkText& content) {
  const size_t start = content.find(kBeforeReply);
  if (start == GbkText::npos || content.size() < start + kBeforeReply.size() + kAfterReply.size()) {
    return "<no reply in: " + content + ">";
  }
  const size_t from = start + kBeforeReply.size();
  return content.substr(from, content.size() - kAfterReply.size() - from);
}

class ConversationTest : public ::testing::Test {
 protected:
  ConversationTest() : chatList(log) {
    // Every message containing 你好 is answered 再见 from the knowledge files.
    testing::WritePrimaryKnowledge({testing::RecordAnswering(kNiHao, kKnowledgeAnswer)});
    testing::WriteFallbackKnowledge({"fallback"});
    conversation.emplace(chatList, input, services.Make());
  }

  // Sends message and returns the bot's reply to it.
  GbkText Send(const GbkText& message) {
    input.message = message;
    conversation->SubmitInput();
    return ReplyIn(chatList.entries.back().content);
  }

  testing::KnowledgeFilesScope knowledgeFiles;
  CallLog log;
  FakeChatList chatList;
  FakeInput input;
  FakeServices services;
  std::optional<Conversation> conversation;
};

TEST_F(ConversationTest, GreetingIsOneBotEntryWithoutHeaderOrScrolling) {
  conversation->StartConversation(42);
  ASSERT_EQ(chatList.entries.size(), 1u);
  EXPECT_EQ(chatList.entries[0].nickname, "KaduZorli");
  EXPECT_EQ(chatList.entries[0].avatar, 42u);
  EXPECT_EQ(chatList.entries[0].content, kGreeting);
  EXPECT_EQ(chatList.entries[0].rightSide, std::nullopt);
  EXPECT_FALSE(chatList.LastEntryShown());
}

// A screen reader hears each entry as nickname and text; the bot's without the header.
TEST_F(ConversationTest, SpokenNamesLeaveOutTheTimeHeader) {
  conversation->StartConversation(0);
  input.nickname = "Bob";
  Send(kNiHao);
  const Transcript& turns = conversation->Turns();
  const GbkText colon = "\xA3\xBA";  // ：
  EXPECT_EQ(SpokenTurn(turns, 1), "Bob" + colon + kNiHao);
  EXPECT_EQ(SpokenTurn(turns, 2), "KaduZorli" + colon + kKnowledgeAnswer);
  EXPECT_EQ(SpokenTurn(turns, 3), std::nullopt);
}

// What had happened when the pause began, and when the bot's entry came.
struct Moment {
  size_t entries = 0;
  bool lastEntryShown = false;
  size_t launches = 0;
  bool knowledgeFileOpen = false;
};

TEST_F(ConversationTest, UserEntryIsShownBeforeThePauseAndTheReplyAfterIt) {
  conversation->StartConversation(7);
  input.nickname = "Tom";
  input.rightSide = true;
  Moment atPause, atReply;
  services.probe = [&] { atPause = {chatList.entries.size(), chatList.LastEntryShown()}; };
  chatList.beforeAdding = [&] {
    // No database is current once the knowledge files are closed.
    const bool open = GetRecordCount() != 0 || LastError() != edb::kNoCurrentDatabase;
    atReply = {chatList.entries.size(), chatList.LastEntryShown(), 0, open};
  };
  EXPECT_EQ(Send(kNiHao), kKnowledgeAnswer);
  EXPECT_EQ(services.delays, std::vector<int32_t>{300});
  EXPECT_EQ(atPause.entries, 2u);  // the greeting and the user's entry, scrolled into view
  EXPECT_TRUE(atPause.lastEntryShown);
  EXPECT_EQ(atReply.entries, 2u);
  EXPECT_FALSE(atReply.knowledgeFileOpen);  // closed before the reply is posted
  const auto& user = chatList.entries[1];
  EXPECT_EQ(user.avatar, 0u);
  EXPECT_EQ(user.content, kNiHao);
  EXPECT_EQ(user.rightSide, std::optional<bool>(true));
  EXPECT_EQ(chatList.entries[2].avatar, 7u);
  EXPECT_EQ(chatList.entries[2].rightSide, std::nullopt);
  EXPECT_TRUE(chatList.LastEntryShown());
  EXPECT_EQ(input.message, "");
  EXPECT_TRUE(input.messageFocused);
  EXPECT_EQ(input.nickname, "Tom");
}

TEST_F(ConversationTest, LaunchingRulesRunAfterTheUserEntryAndBeforeTheDelay) {
  input.nickname = "Tom";
  std::vector<Moment> moments;
  services.probe = [&] {
    moments.push_back({chatList.entries.size(), chatList.LastEntryShown(),
                       services.programsRun.size() + services.urlsOpened.size()});
  };
  Send(GbkText(kSearchMarker) + " " + kTianQi);
  Send("\xd0\xc2\xce\xc5");       // 新闻
  ASSERT_EQ(moments.size(), 4u);  // a launch and the pause, for each message
  for (size_t message = 0; message < 2; ++message) {
    SCOPED_TRACE(message);
    const Moment& launch = moments[2 * message];
    const Moment& pause = moments[2 * message + 1];
    EXPECT_EQ(launch.entries, 2 * message + 1);  // the user's entry, and no reply yet
    EXPECT_TRUE(launch.lastEntryShown);
    EXPECT_EQ(launch.launches, message);
    EXPECT_EQ(pause.entries, launch.entries);
    EXPECT_EQ(pause.launches, message + 1);
  }
  EXPECT_EQ(services.urlsOpened.size(), 1u);
  EXPECT_EQ(services.programsRun.size(), 1u);
}

TEST_F(ConversationTest, UntickedSideIsGivenExplicitlyAndEmptyMessagesAreAnswered) {
  input.nickname = "";
  Send("");
  ASSERT_EQ(chatList.entries.size(), 2u);
  EXPECT_EQ(chatList.entries[0].content, "");
  EXPECT_EQ(chatList.entries[0].rightSide, std::optional<bool>(false));
  EXPECT_EQ(chatList.entries[1].nickname, "KaduZorli");
}

TEST_F(ConversationTest, BotEntryIsHeadedByTheUnpaddedTime) {
  services.time = MakeDateTime({2026, 12, 8, 0, 0, 7});
  conversation->PostBotReply(kNiHao);
  ASSERT_EQ(chatList.entries.size(), 1u);
  EXPECT_EQ(chatList.entries.back().nickname, "KaduZorli");
  EXPECT_EQ(chatList.entries.back().content, "0:0:7\r\n\r\n    " + kNiHao + "\r\n\r\n");
  EXPECT_TRUE(chatList.LastEntryShown());
}

TEST_F(ConversationTest, HeaderTakesHourMinuteAndSecondFromOneClockReading) {
  // A clock that ticks past the hour between readings.
  const DateTime readings[] = {MakeDateTime({2026, 1, 1, 9, 59, 59}),
                               MakeDateTime({2026, 1, 1, 10, 0, 0}),
                               MakeDateTime({2026, 1, 1, 10, 0, 1})};
  int calls = 0;
  ConversationServices ticking = services.Make();
  ticking.now = [&] { return readings[std::min(calls++, 2)]; };
  Conversation ticked(chatList, input, ticking);
  ticked.PostBotReply("x");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(chatList.entries.back().content, "9:59:59\r\n\r\n    x\r\n\r\n");
}

TEST_F(ConversationTest, TimeQuestionIsAnsweredWithTheDateAndTrimmedTime) {
  services.time = MakeDateTime({2026, 12, 8, 0, 0, 0});
  // 2026年12月8日
  EXPECT_EQ(Send(kAskTime), "2026\xc4\xea"
                            "12\xd4\xc2"
                            "8\xc8\xd5");
  services.time = MakeDateTime({2026, 12, 8, 10, 0, 0});
  // ...10时, via the second keyword 时间
  EXPECT_EQ(Send("\xca\xb1\xbc\xe4"), "2026\xc4\xea"
                                      "12\xd4\xc2"
                                      "8\xc8\xd5"
                                      "10\xca\xb1");
  services.time = MakeDateTime({2026, 12, 8, 10, 5, 0});
  EXPECT_EQ(Send(kAskTime), "2026\xc4\xea"
                            "12\xd4\xc2"
                            "8\xc8\xd5"
                            "10\xca\xb1"
                            "5\xb7\xd6");
  // The next ordinary message is answered from the knowledge files again.
  EXPECT_EQ(Send(kNiHao), kKnowledgeAnswer);
}

TEST_F(ConversationTest, NewsRuleRunsOnlyForTheBareWordAndTheKnowledgeStillAnswers) {
  const GbkText news = "\xd0\xc2\xce\xc5";  // 新闻
  Send(news + " ");
  Send("\xbf\xb4" + news);  // 看新闻
  EXPECT_TRUE(services.programsRun.empty());
  EXPECT_EQ(Send(news + kNiHao), kKnowledgeAnswer);
  EXPECT_TRUE(services.programsRun.empty());

  EXPECT_EQ(Send(news), "fallback");
  ASSERT_EQ(services.programsRun.size(), 1u);
  EXPECT_EQ(services.programsRun[0], "Explorer " + GbkText(kNewsPortalUrl));
  EXPECT_FALSE(conversation->Preset().pending);
}

struct SearchCase {
  const char* name;
  GbkText message;
  GbkText keyword;
};

TEST_F(ConversationTest, SearchRuleCutsTheKeywordByBytes) {
  const GbkText marker(kSearchMarker);
  const SearchCase cases[] = {
      {"marker alone", marker, ""},
      {"marker and one byte", marker + "x", ""},
      {"marker, space, keyword", marker + " " + kTianQi, kTianQiInUrl},
      {"keyword right after the marker loses its first byte", marker + kTianQi,
       kTianQiInUrl.substr(3)},
      {"the time keyword does not win", marker + " " + kAskTime, kAskTimeInUrl},
      // Only letters, digits and "-._~" go in as they are.
      {"quotes, blanks, percent and control bytes", marker + " a\" --x \"b%\r\n\t~" + kTianQi,
       "a%22%20--x%20%22b%25%0D%0A%09~" + kTianQiInUrl},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    services.urlsOpened.clear();
    EXPECT_EQ(Send(c.message), kSearchReply);
    ASSERT_EQ(services.urlsOpened.size(), 1u);
    EXPECT_EQ(
        services.urlsOpened[0],
        GbkText(kSearchEngineHost) + "/s?ct=0&ie=gb2312&bs=&sr=&z=&wd=" + c.keyword + "&cl=3&f=8");
  }
  EXPECT_EQ(Send(kNiHao), kKnowledgeAnswer);
  // A marker not at the start is no search.
  services.urlsOpened.clear();
  EXPECT_EQ(Send(" " + marker + kTianQi), "fallback");
  EXPECT_TRUE(services.urlsOpened.empty());
}

TEST_F(ConversationTest, FourthIdenticalMessageInARowIsTeased) {
  EXPECT_EQ(Send(kNiHao), kKnowledgeAnswer);
  EXPECT_EQ(Send(kNiHao), kKnowledgeAnswer);
  EXPECT_EQ(Send(kNiHao), kKnowledgeAnswer);
  EXPECT_EQ(conversation->RepeatCount(), 3);
  EXPECT_EQ(Send(kNiHao), kTeasingReply);
  EXPECT_EQ(Send(kNiHao), kTeasingReply);
  EXPECT_EQ(conversation->RepeatCount(), 5);
  // Any other message starts the count again.
  EXPECT_EQ(Send(kNiHao + "!"), kKnowledgeAnswer);
  EXPECT_EQ(conversation->RepeatCount(), 1);
  EXPECT_EQ(Send(kNiHao), kKnowledgeAnswer);
}

TEST_F(ConversationTest, TeasingWinsOverTheKeywordRulesOfTheSameMessage) {
  const GbkText search = GbkText(kSearchMarker) + " " + kTianQi;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Send(search), kSearchReply);
  EXPECT_EQ(Send(search), kTeasingReply);
  EXPECT_EQ(services.urlsOpened.size(), 4u);  // the rule itself still ran
  for (int i = 0; i < 3; ++i) Send(kAskTime);
  EXPECT_EQ(Send(kAskTime), kTeasingReply);
  EXPECT_EQ(Send(kNiHao), kKnowledgeAnswer);
}

TEST_F(ConversationTest, ClickHandlersOnlyReadTheEntry) {
  conversation->StartConversation(1);
  Send(kNiHao);
  const auto entriesBefore = chatList.entries.size();
  log.clear();
  conversation->OnClickFace(0);
  conversation->OnClickNickname(1);
  conversation->OnClickContent(2);
  EXPECT_THAT(log, ElementsAre("GetNickname 0", "GetNickname 1", "GetNickname 2", "GetContent 2"));
  EXPECT_EQ(chatList.entries.size(), entriesBefore);
  EXPECT_TRUE(services.programsRun.empty());
  EXPECT_TRUE(services.urlsOpened.empty());
}

using TranscriptTest = ConversationTest;
using Speaker = Turn::Speaker;

TEST_F(TranscriptTest, EachEntryIsATurnOfWhatWasSaidAndWhy) {
  conversation->StartConversation(7);
  input.nickname = "Tom";
  services.time = MakeDateTime({2026, 12, 8, 9, 5, 3});
  Send(kNiHao);
  services.time = MakeDateTime({2026, 12, 8, 9, 6, 0});
  Send(kAskTime);
  const Transcript& turns = conversation->Turns();
  ASSERT_EQ(turns.size(), 5u);
  for (size_t i = 0; i < turns.size(); ++i) EXPECT_EQ(turns[i].entryIndex, int32_t(i));

  EXPECT_EQ(turns[0].speaker, Speaker::kBot);
  EXPECT_EQ(turns[0].text, kGreeting);
  EXPECT_EQ(turns[0].why, std::nullopt);

  EXPECT_EQ(turns[1].speaker, Speaker::kUser);
  EXPECT_EQ(turns[1].nickname, "Tom");
  EXPECT_EQ(turns[1].text, kNiHao);
  EXPECT_EQ(turns[1].time, MakeDateTime({2026, 12, 8, 9, 5, 3}));

  // The reply as chosen, without the entry's time header, from record 1 of dbs.edb.
  const Turn& answer = turns[2];
  EXPECT_EQ(answer.speaker, Speaker::kBot);
  EXPECT_EQ(answer.nickname, "KaduZorli");
  EXPECT_EQ(answer.text, kKnowledgeAnswer);
  EXPECT_EQ(ReplyIn(chatList.entries[2].content), answer.text);
  ASSERT_TRUE(answer.why);
  EXPECT_EQ(answer.why->source, ReplyExplanation::Source::kScored);
  EXPECT_EQ(answer.why->record, 1);

  EXPECT_EQ(turns[4].why->source, ReplyExplanation::Source::kPreset);
  EXPECT_EQ(turns[4].text, ToText(MakeDateTime({2026, 12, 8, 9, 6, 0})));
  EXPECT_EQ(turns[4].time, MakeDateTime({2026, 12, 8, 9, 6, 0}));
}

TEST_F(TranscriptTest, AnEntryTheListRefusedIsStillATurn) {
  chatList.refuseEntries = true;
  input.message = kNiHao;
  conversation->SubmitInput();
  const Transcript& turns = conversation->Turns();
  ASSERT_EQ(turns.size(), 2u);
  EXPECT_LT(turns[0].entryIndex, 0);
  EXPECT_EQ(turns[1].text, kKnowledgeAnswer);
  EXPECT_LT(turns[1].entryIndex, 0);
}

TEST_F(TranscriptTest, AnEntryShowsItsTurnUntilTheConversationIsCleared) {
  conversation->StartConversation(7);
  Send(kNiHao);
  ASSERT_NE(conversation->TurnShowing(2), nullptr);
  EXPECT_EQ(conversation->TurnShowing(2)->text, kKnowledgeAnswer);
  EXPECT_EQ(conversation->TurnShowing(3), nullptr);
  EXPECT_EQ(conversation->TurnShowing(-1), nullptr);

  conversation->Clear();
  EXPECT_TRUE(chatList.entries.empty());
  EXPECT_TRUE(conversation->Turns().empty());
  EXPECT_EQ(conversation->TurnShowing(0), nullptr);
  // No greeting again; the next send's entries start the list afresh.
  Send(kTianQi);
  ASSERT_EQ(chatList.entries.size(), 2u);
  EXPECT_EQ(chatList.entries[0].content, kTianQi);
  ASSERT_NE(conversation->TurnShowing(0), nullptr);
  EXPECT_EQ(conversation->TurnShowing(0)->text, kTianQi);
}

}  // namespace
}  // namespace zorli
