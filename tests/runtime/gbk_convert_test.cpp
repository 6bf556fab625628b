#include "gbk_convert.h"

#include <gtest/gtest.h>

namespace zorli {
namespace {

TEST(GbkConversion, RoundTripsChineseAndAscii) {
  const std::string utf8 = "Zorli \xE4\xBD\xA0\xE5\xA5\xBD\xEF\xBC\x81";  // Zorli 你好！
  const auto gbk = Utf8ToGbk(utf8);
  ASSERT_TRUE(gbk.has_value());
  EXPECT_EQ(*gbk, "Zorli \xC4\xE3\xBA\xC3\xA3\xA1");
  EXPECT_EQ(GbkToUtf8(*gbk), utf8);
  EXPECT_EQ(Utf8ToGbk(""), std::string());
}

TEST(GbkConversion, InvalidBytesAreReportedOneByOne) {
  auto hex = [](unsigned char b) {
    static const char kDigits[] = "0123456789abcdef";
    return std::string("\\x") + kDigits[b >> 4] + kDigits[b & 15];
  };
  // A lone lead byte at the end, 0x80, 0xFF, and a lead byte before a non-trail byte.
  EXPECT_EQ(GbkToUtf8("a\xC4", hex), "a\\xc4");
  EXPECT_EQ(GbkToUtf8("\x80\xFF", hex), "\\x80\\xff");
  EXPECT_EQ(GbkToUtf8("\xC4\x20\xC4\xE3", hex), "\\xc4 \xE4\xBD\xA0");
  EXPECT_EQ(GbkToUtf8("\xC4"), "\xEF\xBF\xBD");
}

TEST(GbkConversion, RejectsWhatGbkCannotHold) {
  EXPECT_FALSE(Utf8ToGbk("\xF0\x9F\x98\x80").has_value());  // an emoji
  EXPECT_FALSE(Utf8ToGbk("\xE4\xBD").has_value());          // cut UTF-8
}

TEST(GbkConversion, CharacterLength) {
  EXPECT_EQ(GbkCharacterLength("a"), 1u);
  EXPECT_EQ(GbkCharacterLength("\xC4\xE3"), 2u);
  EXPECT_EQ(GbkCharacterLength("\xC4"), 0u);
  EXPECT_EQ(GbkCharacterLength("\xC4\x7F"), 0u);
  EXPECT_EQ(GbkCharacterLength(""), 0u);
}

}  // namespace
}  // namespace zorli
