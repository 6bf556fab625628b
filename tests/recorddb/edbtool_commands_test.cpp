// The edbtool commands run in-process, as the program runs them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "commands.h"
#include "console.h"
#include "test_files.h"

namespace zorli::edbtool {
namespace {

using ::testing::HasSubstr;
using zorli::testing::PatchInt32;
using zorli::testing::ReadBytes;
using zorli::testing::WriteBytes;

const char kSchema[] = "n:int,m:memo";
const std::string kMemo(600, 'm');  // two blocks

struct Result {
  int status;
  std::string out, error;
};

std::string Contents(std::FILE* file) {
  std::fflush(file);
  std::rewind(file);
  std::string text;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
  std::fclose(file);
  return text;
}

Result RunWith(std::FILE* out, const std::vector<std::string>& arguments) {
  std::FILE* error = std::fopen("error.txt", "w+b");
  RedirectOutput(out, error);
  const int status = RunEdbtool(arguments);
  RedirectOutput(nullptr, nullptr);
  return {status, Contents(out), Contents(error)};
}

Result Edbtool(const std::vector<std::string>& arguments) {
  return RunWith(std::fopen("out.txt", "w+b"), arguments);
}

// The files of the current folder whose names begin with prefix, sorted.
std::vector<std::string> Leftovers(const std::string& prefix) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(".")) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) == 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

Result Create(const std::string& out, const std::string& tsv) {
  WriteBytes("in.tsv", "n\tm\n" + tsv);
  return Edbtool({"create", out, "--schema", kSchema, "--from", "in.tsv"});
}

TEST(EdbtoolCreate, AFailedCreateLeavesTheFileItWouldReplace) {
  ASSERT_EQ(Create("kept.edb", "1\tfirst\n").status, kSuccess);
  ASSERT_EQ(Create("kept.edb", "1\t" + kMemo + "\n2\tsecond\n").status, kSuccess);  // replaces it
  const std::string main = ReadBytes("kept.edb"), aux = ReadBytes("kept.EDT");
  for (const char* tsv : {"1\tone\nx\ttwo\n", "1\tone\n2\ttwo\n3\n"}) {
    const Result result = Create("kept.edb", tsv);
    EXPECT_EQ(result.status, kFailure);
    EXPECT_FALSE(result.error.empty());
    EXPECT_EQ(ReadBytes("kept.edb"), main);
    EXPECT_EQ(ReadBytes("kept.EDT"), aux);
  }
  EXPECT_THAT(Create("kept.edb", "1\tone\n2\ta\\x00b\n").error,
              HasSubstr("in.tsv:3: column 2 (m): bad memo: a zero byte"));
  EXPECT_EQ(Leftovers("kept~new"), std::vector<std::string>());
  EXPECT_EQ(Edbtool({"dump", "kept.edb"}).out, "n\tm\n1\t" + kMemo + "\n2\tsecond\n");
}

TEST(EdbtoolCreate, AFailedCreateRemovesOnlyTheFilesItMade) {
  // The user's own files, named as a temporary of X.edb once was.
  WriteBytes("X~new.edb", "the user's notes");
  WriteBytes("X~new.EDT", "the user's memo");
  EXPECT_EQ(Create("X.edb", "1\tone\nx\ttwo\n").status, kFailure);
  EXPECT_EQ(ReadBytes("X~new.edb"), "the user's notes");
  EXPECT_EQ(ReadBytes("X~new.EDT"), "the user's memo");
  EXPECT_EQ(Leftovers("X~new"), std::vector<std::string>({"X~new.EDT", "X~new.edb"}));
  EXPECT_EQ(Create("X.edb", "1\tone\n").status, kSuccess);
  EXPECT_EQ(ReadBytes("X~new.edb"), "the user's notes");
}

TEST(EdbtoolErrors, InputAndOutputFailuresAreMessagesAndFailures) {
  const Result fromDirectory = Edbtool({"create", "dir.edb", "--schema", kSchema, "--from", "."});
  EXPECT_EQ(fromDirectory.status, kFailure);
  EXPECT_THAT(fromDirectory.error, HasSubstr("cannot read"));
  ASSERT_EQ(Create("full.edb", "1\tone\n").status, kSuccess);
  // A stream that takes no writes, as a full disk would.
  WriteBytes("read-only.txt", "");
  for (const char* verb : {"dump", "info", "check"}) {
    const Result result = RunWith(std::fopen("read-only.txt", "rb"), {verb, "full.edb"});
    EXPECT_EQ(result.status, kFailure) << verb;
    EXPECT_THAT(result.error, HasSubstr("could not be written")) << verb;
  }
}

TEST(EdbtoolVerify, ReadsEveryFieldAndWalksEveryBlock) {
  ASSERT_EQ(Create("whole.edb", "1\t" + kMemo + "\n2\t" + kMemo + "\n").status, kSuccess);
  EXPECT_EQ(Edbtool({"verify", "whole.edb"}).out, "0\n");
  const size_t dataStart = 116 + 2 * 72, recordSize = 12;
  // Record 2's memo starts at block 1, in record 1's value.
  PatchInt32("whole.edb", dataStart + recordSize + 8, 1);
  // Field 1 placed past the end of the record.
  PatchInt32("whole.edb", 116 + 24, 100);
  EXPECT_EQ(Edbtool({"check", "whole.edb"}).out, "0\n");
  const Result result = Edbtool({"verify", "whole.edb"});
  EXPECT_EQ(result.status, kFailure);
  EXPECT_THAT(result.out, HasSubstr("record 1 field 1: -46 "));
  EXPECT_THAT(result.out, HasSubstr("record 2 field 1: -46 "));
  EXPECT_THAT(result.out, HasSubstr("block 1: used twice, again by record 2 field 2\n"));
  EXPECT_EQ(Edbtool({"verify", "missing.edb"}).out.substr(0, 3), "-3 ");
}

TEST(EdbtoolTeaching, TeachPrintsThePatternReteachRestoresItForgetAndTaughtUseTheFileBeside) {
  WriteBytes("base.tsv", "pattern\tanswer1\tanswer2\tanswer3\tanswer4\n"
                         "天气\t晴\t晴\t晴\t晴\n");
  ASSERT_EQ(Edbtool({"create", "kb.edb", "--schema", "dbs", "--from", "base.tsv"}).status,
            kSuccess);
  const Result taught = Edbtool({"teach", "kb.edb", "明天天气好吗？", "带伞"});
  ASSERT_EQ(taught.status, kSuccess) << taught.error;
  // Three units beat 天气's two: 明 and 好, in no pattern, then 天 (吗 is in most messages).
  EXPECT_EQ(taught.out, "明好天\n");
  EXPECT_EQ(Edbtool({"taught", "kb.edb"}).out, "message\tanswer\n明天天气好吗？\t带伞\n");
  // Rebuilt from its source, the file gets the taught pair back.
  ASSERT_EQ(Edbtool({"create", "kb.edb", "--schema", "dbs", "--from", "base.tsv"}).status,
            kSuccess);
  EXPECT_EQ(Edbtool({"reteach", "kb.edb"}).status, kSuccess);
  EXPECT_THAT(Edbtool({"dump", "kb.edb"}).out, HasSubstr("\n明好天\t带伞\t带伞\t带伞\t带伞\n"));
  EXPECT_EQ(Edbtool({"forget", "kb.edb", "明天天气好吗"}).status, kSuccess);
  const Result again = Edbtool({"forget", "kb.edb", "明天天气好吗"});
  EXPECT_EQ(again.status, kFailure);
  EXPECT_THAT(again.error, HasSubstr("nothing was taught"));
  EXPECT_EQ(Edbtool({"taught", "kb.edb"}).out, "message\tanswer\n");
  EXPECT_EQ(Edbtool({"teach", "kb.edb", "123", "x"}).status, kFailure);
  EXPECT_EQ(Edbtool({"teach", "kb.edb", "\xF0\x9F\x98\x80", "x"}).status, kUsageError);
  EXPECT_EQ(Edbtool({"teach", "kb.edb", "only a message"}).status, kUsageError);
  std::remove("taught.tsv");
}

}  // namespace
}  // namespace zorli::edbtool
