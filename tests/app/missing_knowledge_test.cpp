#include "missing_knowledge.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "knowledge_files.h"
#include "platform/file.h"

namespace zorli {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

const GbkText kStartIn = "\xa1\xb0\xc6\xf0\xca\xbc\xce\xbb\xd6\xc3\xa1\xb1";  // “起始位置”

TEST(MissingKnowledge, NamesEachFileTheCurrentFolderLacks) {
  testing::KnowledgeFilesScope scope;
  platform::FileSystem& disk = platform::DiskFileSystem();
  EXPECT_THAT(MissingKnowledgeFiles(disk), ElementsAre("dbs.edb", "dbv.edb"));
  testing::WriteFallbackKnowledge({"x"});
  EXPECT_THAT(MissingKnowledgeFiles(disk), ElementsAre("dbs.edb"));
  testing::WritePrimaryKnowledge({testing::RecordAnswering("a", "b")});
  EXPECT_THAT(MissingKnowledgeFiles(disk), IsEmpty());
}

TEST(MissingKnowledge, TipsSayWhichFileAndHowToUnpack) {
  EXPECT_THAT(MissingKnowledgeTips({}), IsEmpty());
  const std::vector<GbkText> one = MissingKnowledgeTips({"dbv.edb"});
  ASSERT_EQ(one.size(), 3u);
  EXPECT_THAT(one[0], HasSubstr("dbv.edb"));
  EXPECT_THAT(one[0], ::testing::Not(HasSubstr("dbs.edb")));
  EXPECT_THAT(one[2], HasSubstr(kStartIn));
  const std::vector<GbkText> both = MissingKnowledgeTips({"dbs.edb", "dbv.edb"});
  EXPECT_THAT(both[0], HasSubstr("dbs.edb \xba\xcd dbv.edb"));  // dbs.edb 和 dbv.edb
}

}  // namespace
}  // namespace zorli
