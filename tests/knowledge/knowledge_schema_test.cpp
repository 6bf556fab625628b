// The knowledge files' one schema: its numbers name its fields, the sources in data/ are
// written to it, and a file built from them can be read as the engine reads it.
#include "knowledge_schema.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "database_writer.h"
#include "record_database.h"
#include "tsv_database.h"

namespace zorli::knowledge {
namespace {

std::string SourcePath(const KnowledgeSchema& schema) {
  return std::string(ZORLI_DATA_FOLDER "/") + std::string(schema.name) + ".tsv";
}

// The header and the number of records of a source file.
std::pair<std::string, int32_t> HeaderAndRecords(const KnowledgeSchema& schema) {
  std::ifstream in(SourcePath(schema), std::ios::binary);
  std::string header, line;
  std::getline(in, header);
  if (!header.empty() && header.back() == '\r') header.pop_back();
  int32_t records = 0;
  while (std::getline(in, line)) ++records;
  return {header, records};
}

std::string FieldNames(const KnowledgeSchema& schema) {
  std::string names;
  for (const KnowledgeField& field : schema.fields) {
    names += (names.empty() ? "" : "\t") + std::string(field.name);
  }
  return names;
}

TEST(KnowledgeSchemaTest, FieldNumbersCoverTheFieldsInOrder) {
  const KnowledgeSchema& primary = PrimaryKnowledge();
  ASSERT_EQ(primary.fields.size(), size_t(kLastAnswerField));
  EXPECT_LT(kPatternField, kFirstAnswerField);
  EXPECT_EQ(FallbackKnowledge().fields.size(), size_t(kReplyField));
  for (const KnowledgeSchema* schema : {&primary, &FallbackKnowledge()}) {
    EXPECT_EQ(FindKnowledgeSchema(schema->name), schema);
    for (const KnowledgeField& field : schema->fields) {
      EXPECT_EQ(field.type, FieldType::kText) << field.name;
      EXPECT_EQ(field.width, kTextWidth) << field.name;
    }
  }
  EXPECT_EQ(FindKnowledgeSchema("dbs.edb"), nullptr);
}

TEST(KnowledgeSchemaTest, TheSourcesBuildIntoFilesTheEngineCanRead) {
  for (const KnowledgeSchema* schema : {&PrimaryKnowledge(), &FallbackKnowledge()}) {
    SCOPED_TRACE(schema->fileName);
    const auto [header, records] = HeaderAndRecords(*schema);
    EXPECT_EQ(header, FieldNames(*schema));
    const std::string built(schema->fileName);
    const BuildResult result = BuildKnowledgeFile(*schema, SourcePath(*schema), built);
    ASSERT_TRUE(result) << result.problem;
    ASSERT_TRUE(OpenDatabase(built)) << LastError();
    EXPECT_TRUE(CurrentDatabaseFits(*schema));
    EXPECT_EQ(GetRecordCount(), records);
    CloseAllDatabases();
  }
}

TEST(KnowledgeSchemaTest, AFileOfAnotherShapeDoesNotFit) {
  std::vector<FieldDefinition> fields = FieldDefinitions(PrimaryKnowledge());
  const auto fits = [&](const std::vector<FieldDefinition>& shape) {
    EXPECT_TRUE(CreateDatabase("shape.edb", shape)) << LastError();
    EXPECT_TRUE(OpenDatabase("shape.edb")) << LastError();
    const bool result = CurrentDatabaseFits(PrimaryKnowledge());
    CloseAllDatabases();
    return result;
  };
  EXPECT_TRUE(fits(fields));
  fields[kFirstAnswerField - 1].type = FieldType::kMemo;  // reads as a text too
  EXPECT_TRUE(fits(fields));
  fields[kFirstAnswerField - 1].type = FieldType::kInt;
  EXPECT_FALSE(fits(fields));
  fields.pop_back();
  fields[kFirstAnswerField - 1].type = FieldType::kText;
  EXPECT_FALSE(fits(fields));                             // an answer short
  EXPECT_FALSE(CurrentDatabaseFits(PrimaryKnowledge()));  // no database at all
}

}  // namespace
}  // namespace zorli::knowledge
