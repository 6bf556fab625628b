// Fifty everyday messages taught into the real knowledge base: each of them, and the same
// message with other punctuation or particles, then gets its taught answer through the
// reply engine; teaching one again replaces its answer; the samples still reach their
// own records; and forgetting gives every message back the candidates it had before.
#include <gtest/gtest.h>

#include <fstream>

#include "gbk_convert.h"
#include "knowledge_samples.h"
#include "knowledge_schema.h"
#include "platform/file.h"
#include "record_database.h"
#include "reply_engine.h"
#include "reply_scoring.h"
#include "teaching.h"

namespace zorli {
namespace {

struct Pair {
  const char* message;
  const char* answer;
};

// Written for this test: things people say every day, and what Zorli should say back.
constexpr Pair kPairs[] = {
    {"今天好累", "累了就早点休息，给自己放个假。"},
    {"我想喝奶茶", "少糖去冰，犒劳一下自己吧！"},
    {"明天要考试了", "别紧张，你已经准备得很好了。"},
    {"周末去爬山", "记得带水和防晒，注意安全！"},
    {"我的猫不吃饭", "换点它爱吃的试试，一直不吃就带它看兽医。"},
    {"外面下大雨", "出门记得带伞，别淋湿了。"},
    {"推荐一部纪录片", "试试《地球脉动》，画面美得让人忘记呼吸。"},
    {"半夜饿了", "喝杯热牛奶，别吃太油的。"},
    {"午饭吃什么", "来碗热腾腾的牛肉面怎么样？"},
    {"阳台的花枯了", "剪掉枯枝，少浇点水，说不定还能缓过来。"},
    {"我要去上班了", "路上小心，今天也加油！"},
    {"地铁太挤了", "早高峰辛苦了，找个角落站稳哦。"},
    {"帮我想个名字", "叫“小满”怎么样？小小的满足。"},
    {"我把咖啡洒了", "先拿纸巾吸干，衣服上的用冷水冲一冲。"},
    {"老板又骂我", "别往心里去，做好自己的事就行。"},
    {"感冒了怎么办", "多喝热水，多睡觉，严重了要去医院。"},
    {"我想学吉他", "先从几个和弦练起，每天十分钟就够。"},
    {"今天是我生日", "生日快乐！愿你新的一岁万事顺意。"},
    {"孩子不肯写作业", "陪他写前十分钟，开了头就好办了。"},
    {"明天要早起", "定好闹钟，今晚早点睡。"},
    {"公交车坐过站了", "下一站下车，往回坐一站就好。"},
    {"打印机卡纸了", "先关电源，再轻轻把纸抽出来。"},
    {"快递送错了", "联系快递员，说清楚你的地址和单号。"},
    {"外卖怎么还没到", "再等等，也许小哥正在楼下狂奔。"},
    {"房租又涨了", "唉，记账省一省，会好起来的。"},
    {"我想养只狗", "养狗要花很多时间陪它，想好了再去领养。"},
    {"周五晚上看电影", "好主意，爆米花别忘了！"},
    {"我想学做蛋糕", "先从戚风蛋糕开始，打发蛋白是关键。"},
    {"我跟朋友吵架了", "冷静一下，再好好聊聊，朋友还是朋友。"},
    {"邻居家装修好吵", "戴上耳塞，或者跟物业反映一下。"},
    {"去哪里旅游好", "想看海就去厦门，想看雪就去哈尔滨。"},
    {"今晚加班到十点", "辛苦了，回家路上买点热的吃。"},
    {"我想回家", "那就订张票，家里人一定在等你。"},
    {"英语怎么学", "每天听一点、说一点，坚持最重要。"},
    {"我做了一个噩梦", "只是梦而已，醒来就没事了，我在这儿。"},
    {"咖啡喝多了睡不着", "下午以后就别喝咖啡了，换成温牛奶吧。"},
    {"my noodles are cold", "Warm them up for a minute, they will taste better."},
    {"lost my umbrella", "Check the last shop you were in, or buy a cheap one on the way."},
    {"我丢了钥匙", "想想最后在哪用过，实在找不到就找开锁师傅。"},
    {"明天吃火锅", "火锅配冰可乐，完美！"},
    {"我被表扬了", "真厉害！继续保持！"},
    {"我想学游泳", "先在浅水区练憋气和漂浮，别急着游。"},
    {"我想换工作", "先想清楚想要什么，再骑驴找马。"},
    {"冰箱里没菜了", "下班顺路去趟超市，或者今晚点个外卖。"},
    {"我在健身房", "练完记得拉伸，别练太猛。"},
    {"给我讲个笑话", "企鹅为什么不怕冷？因为它穿着燕尾服。"},
    {"今天发工资", "恭喜！先存一点，再奖励自己一点。"},
    {"高铁票抢不到", "试试候补购票，或者换个时间出发。"},
    {"wifi密码是多少", "去路由器背面看看，一般写在那里。"},
    {"我想你了", "我也想你，随时来找我聊天。"},
};
constexpr size_t kPairCount = sizeof kPairs / sizeof kPairs[0];
// Of the samples, the share that must still reach their own record alone.
constexpr double kSamplesReachingTheirRecord = 0.99;

const knowledge::TeachingPlace kPlace{"dbs.edb", ZORLI_KNOWLEDGE_SAMPLES};

GbkText G(const char* utf8) { return Utf8ToGbk(utf8).value(); }

// The same message with other punctuation, particles or letter case.
std::vector<GbkText> Variants(const GbkText& message) {
  GbkText upper = message;
  for (char& c : upper) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return {message + G("呀！"), G("嗯，") + upper + G("吧？？")};
}

bool CopyFile(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  std::ofstream out(to, std::ios::binary);
  out << in.rdbuf();
  return in.good() && out.good();
}

// The best records the engine's scoring gives; none when nothing scores.
std::vector<int32_t> Candidates(const GbkText& message) {
  EXPECT_TRUE(OpenDatabase("dbs.edb"));
  CandidateList candidates;
  EXPECT_TRUE(ScoreCurrentDatabase(message, candidates));
  CloseAllDatabases();
  return candidates.bestScore > 0 ? candidates.records : std::vector<int32_t>{};
}

double ShareOfSamplesReachingTheirRecord() {
  std::vector<KnowledgeSample> samples;
  std::string error;
  EXPECT_TRUE(ReadKnowledgeSamples(ZORLI_KNOWLEDGE_SAMPLES, samples, error)) << error;
  EXPECT_TRUE(OpenDatabase("dbs.edb"));
  size_t reaching = 0;
  for (const KnowledgeSample& sample : samples) {
    CandidateList candidates;
    EXPECT_TRUE(ScoreCurrentDatabase(sample.message, candidates));
    if (candidates.bestScore == 0 || candidates.records.size() != 1) continue;
    GoToRecord(candidates.records[0]);
    if (ReadField(knowledge::kPatternField).Text() == sample.expectedPattern) ++reaching;
  }
  CloseAllDatabases();
  return samples.empty() ? 0 : static_cast<double>(reaching) / static_cast<double>(samples.size());
}

class TaughtPairsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::RemoveFile("taught.tsv");
    ASSERT_TRUE(CopyFile(ZORLI_BUILT_PRIMARY_KNOWLEDGE, "dbs.edb"));
    ASSERT_TRUE(CopyFile(ZORLI_BUILT_FALLBACK_KNOWLEDGE, "dbv.edb"));
  }
  void TearDown() override {
    for (const char* name : {"dbs.edb", "dbv.edb", "taught.tsv"}) platform::RemoveFile(name);
  }

  GbkText Reply(const GbkText& message) { return SelectReply(message, PresetReply()).text; }
};

TEST_F(TaughtPairsTest, FiftyPairsAnswerTheirMessagesAndVariantsAndForgettingRestores) {
  std::vector<std::vector<int32_t>> before;
  for (const Pair& pair : kPairs) before.push_back(Candidates(G(pair.message)));

  for (const Pair& pair : kPairs) {
    const knowledge::TeachingResult taught =
        knowledge::Teach(kPlace, G(pair.message), G(pair.answer));
    ASSERT_TRUE(taught) << pair.message << ": " << taught.detail;
    RecordProperty(pair.message, GbkToUtf8(taught.pattern));
  }
  for (const Pair& pair : kPairs) {
    SCOPED_TRACE(pair.message);
    // The answer field is drawn at random; all four hold the taught answer.
    for (int round = 0; round < 4; ++round) EXPECT_EQ(Reply(G(pair.message)), G(pair.answer));
    for (const GbkText& variant : Variants(G(pair.message))) {
      // A tie would make the taught answer a coin toss: it must be the only best record.
      EXPECT_EQ(Candidates(variant).size(), 1u) << GbkToUtf8(variant);
      EXPECT_EQ(GbkToUtf8(Reply(variant)), pair.answer) << GbkToUtf8(variant);
    }
  }
  EXPECT_GE(ShareOfSamplesReachingTheirRecord(), kSamplesReachingTheirRecord);

  // Taught again with other words around it: the new answer, in the same record.
  ASSERT_TRUE(OpenDatabase("dbs.edb"));
  const int32_t records = GetRecordCount();
  CloseAllDatabases();
  ASSERT_TRUE(knowledge::Teach(kPlace, G("今天好累啊！"), G("那就躺平一会儿。")));
  EXPECT_EQ(Reply(G("今天好累")), G("那就躺平一会儿。"));
  ASSERT_TRUE(OpenDatabase("dbs.edb"));
  EXPECT_EQ(GetRecordCount(), records);
  CloseAllDatabases();

  for (size_t i = 0; i < kPairCount; ++i) {
    ASSERT_TRUE(knowledge::Forget(kPlace, G(kPairs[i].message))) << kPairs[i].message;
  }
  for (size_t i = 0; i < kPairCount; ++i) {
    EXPECT_EQ(Candidates(G(kPairs[i].message)), before[i]) << kPairs[i].message;
  }
  std::vector<knowledge::TaughtPair> left;
  ASSERT_TRUE(knowledge::ReadTaughtPairs("taught.tsv", left).ok);
  EXPECT_TRUE(left.empty());
}

}  // namespace
}  // namespace zorli
