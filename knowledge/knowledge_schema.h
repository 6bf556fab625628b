#pragma once
// The two knowledge files, defined here and nowhere else: their names and their fields
// with number, type and width. The engine, the tools, the build's knowledge files (through
// edbtool's named schemas), the tests and the benchmarks all take them from here.
#include <cstdint>
#include <string_view>
#include <vector>

#include "database_writer.h"
#include "field_value.h"

namespace zorli::knowledge {

// Every field of both files is a text of this many bytes.
constexpr int32_t kTextWidth = 200;

// dbs.edb: the pattern a question is recognised by, then four alternative answers.
constexpr int32_t kPatternField = 1;
constexpr int32_t kFirstAnswerField = 2;
constexpr int32_t kAnswerFieldCount = 4;
constexpr int32_t kLastAnswerField = kFirstAnswerField + kAnswerFieldCount - 1;
// dbv.edb: one fallback reply.
constexpr int32_t kReplyField = 1;

struct KnowledgeField {
  std::string_view name;
  FieldType type;
  int32_t width;  // bytes of a text field
};

struct KnowledgeSchema {
  std::string_view name;               // edbtool's name for the schema: "dbs", "dbv"
  std::string_view fileName;           // "dbs.edb", "dbv.edb"
  std::vector<KnowledgeField> fields;  // in field-number order, from 1
};

const KnowledgeSchema& PrimaryKnowledge();   // dbs.edb
const KnowledgeSchema& FallbackKnowledge();  // dbv.edb
// The schema of that name ("dbs" or "dbv"), or nullptr.
const KnowledgeSchema* FindKnowledgeSchema(std::string_view name);

// The fields as CreateDatabase takes them.
std::vector<FieldDefinition> FieldDefinitions(const KnowledgeSchema& schema);
// Whether the current database can be read as the schema says: at least its fields, each
// of them a text (a memo reads as a text too). A file of another shape would answer with
// runtime errors.
bool CurrentDatabaseFits(const KnowledgeSchema& schema);

}  // namespace zorli::knowledge
