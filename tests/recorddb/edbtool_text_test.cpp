#include <gtest/gtest.h>

#include <tuple>

#include "field_text.h"
#include "schema.h"
#include "tsv_text.h"

namespace zorli::edbtool {
namespace {

using knowledge::DecodeCell;
using knowledge::EncodeCell;
using knowledge::FormatField;
using knowledge::ParseField;

TEST(TsvText, EscapesAndRoundTripsEveryByte) {
  // 你好, a tab, a backslash, line ends, an invalid byte and a lone lead byte at the end.
  const std::string gbk = "\xC4\xE3\xBA\xC3\t\\\n\r"
                          "a\xFF\x81";
  const std::string cell = EncodeCell(gbk);
  EXPECT_EQ(cell, "\xE4\xBD\xA0\xE5\xA5\xBD\\t\\\\\\n\\ra\\xff\\x81");
  EXPECT_EQ(DecodeCell(cell), gbk);
  std::string all;
  for (int b = 1; b < 256; ++b) {
    for (int c = 1; c < 256; c += 17) {
      all.push_back(static_cast<char>(b));
      all.push_back(static_cast<char>(c));
    }
  }
  EXPECT_EQ(DecodeCell(EncodeCell(all)), all);
}

// The first pairs of the three user-defined areas (AAA1, FEFE, A140): private-use
// characters under code page 936, unmapped for iconv. One text on both platforms.
TEST(TsvText, UserDefinedAreasAreEscapesOnEveryPlatform) {
  const std::string gbk = "\xAA\xA1x\xFE\xFEx\xA1\x40";
  EXPECT_EQ(EncodeCell(gbk), "\\xaa\\xa1x\\xfe\\xfex\\xa1@");
  EXPECT_EQ(DecodeCell(EncodeCell(gbk)), gbk);
  // U+E000, U+E4C5 and U+E4C6 as a dump from code page 936 showed them.
  EXPECT_EQ(DecodeCell("\xEE\x80\x80x\xEE\x93\x85x\xEE\x93\x86"), gbk);
}

TEST(TsvText, RejectsMalformedCells) {
  EXPECT_EQ(DecodeCell("\\q"), std::nullopt);
  EXPECT_EQ(DecodeCell("\\x4"), std::nullopt);
  EXPECT_EQ(DecodeCell("end\\"), std::nullopt);
  EXPECT_EQ(DecodeCell("\xC3"), std::nullopt);              // cut UTF-8
  EXPECT_EQ(DecodeCell("\xF0\x9F\x98\x80"), std::nullopt);  // no GBK form
}

TEST(FieldText, TypesRoundTrip) {
  const std::pair<FieldType, const char*> cells[] = {
      {FieldType::kByte, "255"},
      {FieldType::kShort, "-32768"},
      {FieldType::kInt, "-7"},
      {FieldType::kInt64, "-9223372036854775808"},
      {FieldType::kFloat, "0.1"},
      {FieldType::kDouble, "0.1"},
      {FieldType::kLogical, "true"},
      {FieldType::kDateTime, "2017-07-27 09:05:00"},
      {FieldType::kSubProgramPointer, "4294967295"},
      {FieldType::kByteSet, "00ff7f"},
      {FieldType::kMemo, "a\\tb"},
  };
  for (const auto& [type, cell] : cells) {
    const auto value = ParseField(type, cell);
    ASSERT_TRUE(value) << cell;
    EXPECT_EQ(FormatField(*value), cell);
  }
  EXPECT_EQ(ParseField(FieldType::kByte, "256"), std::nullopt);
  EXPECT_EQ(ParseField(FieldType::kInt, "1x"), std::nullopt);
  EXPECT_EQ(ParseField(FieldType::kLogical, "yes"), std::nullopt);
  EXPECT_EQ(ParseField(FieldType::kByteSet, "0g"), std::nullopt);
  EXPECT_EQ(ParseField(FieldType::kDateTime, "2017-07-27"), std::nullopt);
}

TEST(FieldText, RefusesWhatTheFieldCannotStoreAndSaysWhy) {
  const std::tuple<FieldType, const char*, const char*> refused[] = {
      {FieldType::kDateTime, "2020-13-45 99:99:99", "no such date and time"},
      {FieldType::kDateTime, "2021-02-29 00:00:00", "no such date and time"},
      {FieldType::kText, "a\\x00b", "a zero byte"},
      {FieldType::kMemo, "\\x00", "a zero byte"},
      {FieldType::kDouble, "1e999", "too large for a double"},
      {FieldType::kDouble, "1e-999", "too small for a double"},
      {FieldType::kFloat, "1e39", "too large for a float"},
      {FieldType::kShort, "40000", "out of the range -32768 to 32767"},
  };
  for (const auto& [type, cell, reason] : refused) {
    std::string problem;
    EXPECT_EQ(ParseField(type, cell, &problem), std::nullopt) << cell;
    EXPECT_EQ(problem.rfind(reason, 0), 0u) << cell << ": " << problem;
  }
  // What dump writes reads back.
  for (const char* cell : {"inf", "-inf", "nan", "4.94065645841247e-324"}) {
    const auto value = ParseField(FieldType::kDouble, cell);
    ASSERT_TRUE(value) << cell;
    EXPECT_EQ(FormatField(*value), cell);
  }
  EXPECT_TRUE(ParseField(FieldType::kDateTime, "2020-02-29 23:59:59"));
}

TEST(Schema, ParsesNamesTypesAndWidths) {
  const auto fields = ParseSchema("q:text:20,n:int,m:memo");
  ASSERT_TRUE(fields);
  ASSERT_EQ(fields->size(), 3u);
  EXPECT_EQ((*fields)[0].textWidth, 20);
  EXPECT_EQ((*fields)[1].type, FieldType::kInt);
  EXPECT_EQ((*fields)[2].type, FieldType::kMemo);
  for (const char* bad : {"", "q:text", "n:int:4", "q:text:0", "q:integer", "q", "a:int,"}) {
    EXPECT_EQ(ParseSchema(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace zorli::edbtool
