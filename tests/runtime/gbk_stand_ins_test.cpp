#include "gbk_stand_ins.h"

#include <gtest/gtest.h>

#include "gbk_convert.h"

namespace zorli {
namespace {

const std::string kNiHao = "\xC4\xE3\xBA\xC3";        // 你好
const std::string kSquare = "\xA1\xF5";               // □
const std::string kJoyName = "[\xD0\xA6\xBF\xDE]";    // [笑哭]
const std::string kLikeName = "[\xD4\xDE]";           // [赞]
const std::string kHeartName = "[\xB0\xAE\xD0\xC4]";  // [爱心]

TEST(GbkStandIns, TextGbkHoldsIsConvertedUnchanged) {
  EXPECT_EQ(Utf8ToGbkWithStandIns("a \xE4\xBD\xA0\xE5\xA5\xBD"), "a " + kNiHao);
  EXPECT_EQ(Utf8ToGbkWithStandIns(""), "");
}

TEST(GbkStandIns, CommonEmojiBecomeTheirNames) {
  EXPECT_EQ(Utf8ToGbkWithStandIns("\xF0\x9F\x98\x82"), kJoyName);          // 😂
  EXPECT_EQ(Utf8ToGbkWithStandIns("\xF0\x9F\x91\x8D!"), kLikeName + "!");  // 👍
  // ❤ with its emoji-style selector, and 👍 with a skin tone: the modifier vanishes.
  EXPECT_EQ(Utf8ToGbkWithStandIns("\xE2\x9D\xA4\xEF\xB8\x8F"), kHeartName);
  EXPECT_EQ(Utf8ToGbkWithStandIns("\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD" + std::string("\xE4\xBD\xA0")),
            kLikeName + "\xC4\xE3");
}

TEST(GbkStandIns, AnythingElseGbkLacksBecomesASquare) {
  EXPECT_EQ(Utf8ToGbk("\xE2\x96\xA1"), kSquare);  // the stand-in itself is GBK's □
  EXPECT_EQ(Utf8ToGbkWithStandIns("\xF0\x9F\xA6\xA9x"), kSquare + "x");  // a flamingo
  EXPECT_EQ(Utf8ToGbkWithStandIns("\xE0\xA4\x95"), kSquare);             // Devanagari ka
  // A stray continuation byte, a cut sequence, an encoded surrogate and a zero byte.
  EXPECT_EQ(Utf8ToGbkWithStandIns("\x80"
                                  "a\xE4\xBD"),
            kSquare + "a" + kSquare + kSquare);
  EXPECT_EQ(Utf8ToGbkWithStandIns("\xED\xA0\x80"), kSquare + kSquare + kSquare);
  EXPECT_EQ(Utf8ToGbkWithStandIns(std::string("a\0b", 3)), "a" + kSquare + "b");
}

TEST(GbkStandIns, EveryNameIsGbkAndTheTableIsSorted) {
  const std::vector<char32_t> named = NamedEmoji();
  ASSERT_GE(named.size(), 40u);
  for (size_t i = 0; i < named.size(); ++i) {
    EXPECT_GT(EmojiStandIn(named[i]).size(), 2u) << std::hex << named[i];
    if (i > 0) {
      EXPECT_LT(named[i - 1], named[i]) << std::hex << named[i];
    }
  }
  EXPECT_EQ(EmojiStandIn(0x1F9A9), "");
}

}  // namespace
}  // namespace zorli
