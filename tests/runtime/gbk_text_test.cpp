#include "gbk_text.h"

#include <gtest/gtest.h>

namespace zorli {
namespace {

// GBK bytes of the characters used below.
const GbkText kNi = "\xC4\xE3";                     // 你
const GbkText kHao = "\xBA\xC3";                    // 好
const GbkText kSearchMarker = "#\xCB\xD1\xCB\xF7";  // #搜索

TEST(ByteCuts, LeftRightMidCutRawBytes) {
  EXPECT_EQ(LeftText(kSearchMarker, 3), "#\xCB\xD1");
  EXPECT_EQ(LeftText(kSearchMarker, 2), "#\xCB");  // ends on a lone lead byte
  EXPECT_EQ(LeftText(kSearchMarker, 0), "");
  EXPECT_EQ(LeftText(kSearchMarker, -5), "");
  EXPECT_EQ(LeftText(kSearchMarker, 100), kSearchMarker);

  const GbkText five = "ab" + kNi + "c";
  EXPECT_EQ(RightText(five, -1), "");
  EXPECT_EQ(RightText(five, 2), "\xE3"
                                "c");  // begins at a trail byte
  EXPECT_EQ(RightText(five, 5), five);
  EXPECT_EQ(RightText(five, 9), five);

  const GbkText four = "wxyz";
  EXPECT_EQ(MidText(four, 1, 2), "wx");
  EXPECT_EQ(MidText(four, 4, 2), "z");
  EXPECT_EQ(MidText(four, 5, 1), "");
  EXPECT_EQ(MidText(four, 0, 1), "");
  EXPECT_EQ(MidText(four, 2, 0), "");
  EXPECT_EQ(MidText(four, -2147483647 - 1, 3), "");
  EXPECT_EQ(TextLength(kNi + kHao), 4);
  EXPECT_EQ(TextLength(""), 0);
}

TEST(FindTextTest, EmptySoughtAndStartBeyondEnd) {
  EXPECT_EQ(FindText("abc", ""), 1);
  EXPECT_EQ(FindText("abc", "", 3), 1);  // 1, not the start
  EXPECT_EQ(FindText("", ""), -1);
  EXPECT_EQ(FindText("abc", "", 4), -1);
  EXPECT_EQ(FindText("abc", "c", 4), -1);
  EXPECT_EQ(FindText("abc", "a", -10), 1);
  EXPECT_EQ(FindText("abcabc", "a", 2), 4);
  EXPECT_EQ(FindText("ab", "abc"), -1);
}

TEST(FindTextTest, StepsOverPairsButStartsWhereTold) {
  EXPECT_EQ(FindText("ab", "b"), 2);
  // A pair whose trail byte is "b" (0x62) is stepped over.
  EXPECT_EQ(FindText("\x81\x62", "b"), -1);
  EXPECT_EQ(FindText("x\x81\x62", "b"), -1);
  // Starting on the trail byte, the scan pairs from there.
  EXPECT_EQ(FindText("\x81\x62", "b", 2), 2);
  // A trailing lead byte ends the scan.
  EXPECT_EQ(FindText("a\xC4", "z"), -1);
  // Misaligned bytes: 好's lead byte follows 你's trail byte; the unit E3 BA is not found.
  EXPECT_EQ(FindText(kNi + kHao, "\xE3\xBA"), -1);
  EXPECT_EQ(FindText("a" + kNi + kHao, kHao), 4);
}

TEST(FindTextTest, IgnoreCaseFoldsEveryAsciiByteOfTheStretch) {
  EXPECT_EQ(FindText("xabc", "ABC", std::nullopt, true), 2);
  EXPECT_EQ(FindText("xabc", "ABC", std::nullopt, false), -1);
  // Folding applies to trail bytes inside the compared stretch too.
  EXPECT_EQ(FindText("\x81\x41", "\x81\x61", std::nullopt, true), 1);
  EXPECT_EQ(FindText("\x81\x41", "\x81\x61", std::nullopt, false), -1);
  // Bytes outside A-Z are compared exactly.
  EXPECT_EQ(FindText("\xC1", "\xE1", std::nullopt, true), -1);
}

TEST(CompareTextsTest, UnsignedBytesAndPrefixes) {
  EXPECT_EQ(CompareTexts("", std::string_view()), 0);
  EXPECT_LT(CompareTexts("", "a"), 0);
  EXPECT_LT(CompareTexts("ab", "abc"), 0);
  EXPECT_GT(CompareTexts("\xC4", "z"), 0);  // 0xC4 sorts above 'z'
  EXPECT_EQ(CompareTexts("\xD0\xC2\xCE\xC5", "\xD0\xC2\xCE\xC5"), 0);
}

TEST(JoinTextsTest, InOrderSkippingEmpty) {
  EXPECT_EQ(JoinTexts({"9", ":", "", "5", "\r\n"}), "9:5\r\n");
  EXPECT_EQ(JoinTexts({}), "");
}

TEST(ToLowerCaseTest, LeavesPairsAlone) {
  EXPECT_EQ(ToLowerCase("AbZ@[`"), "abz@[`");
  EXPECT_EQ(ToLowerCase("\x81\x41Q"), "\x81\x41q");  // trail 0x41 unchanged
  EXPECT_EQ(ToLowerCase("Q\xC4"), "q\xC4");          // trailing lead byte kept
  EXPECT_EQ(ToLowerCase("\xA3\xC1"), "\xA3\xC1");    // full-width A untouched
}

TEST(ToHalfWidthTest, MapsTheTable) {
  // Full-width A, full-width 1, full-width !, ideographic space, full-width tilde.
  const GbkText half = ToHalfWidth("\xA3\xC1\xA3\xB1\xA3\xA1\xA1\xA1\xA1\xAB");
  EXPECT_EQ(half, "A1! ~");
  EXPECT_EQ(ToLowerCase(half), "a1! ~");
  EXPECT_EQ(ToHalfWidth("\xA1\xEE\xA1\xEF"), "**");
  EXPECT_EQ(ToHalfWidth("\xA3\xFE"), "~");
  EXPECT_EQ(ToHalfWidth("\xA3\xA0"), "\xA3\xA0");  // below the full-width range
  EXPECT_EQ(ToHalfWidth(kNi + "x" + kHao), kNi + "x" + kHao);
  EXPECT_EQ(ToHalfWidth("ab\xC4"), "ab");          // trailing lead byte dropped
  EXPECT_EQ(ToHalfWidth("\xA3\x41"), "\xA3\x41");  // A3, then the letter A
}

TEST(ToTextTest, PlainDecimal) {
  EXPECT_EQ(ToText(-7), "-7");
  EXPECT_EQ(ToText(0), "0");
  EXPECT_EQ(ToText(2147483647), "2147483647");
  EXPECT_EQ(ToText(-2147483647 - 1), "-2147483648");
}

TEST(TruncateToIntTest, TowardZero) {
  EXPECT_EQ(TruncateToInt(7 / 2.0), 3);
  EXPECT_EQ(TruncateToInt(-3.9), -3);
  EXPECT_EQ(TruncateToInt(1e20), 2147483647);
  EXPECT_EQ(TruncateToInt(-1e20), -2147483647 - 1);
}

}  // namespace
}  // namespace zorli
