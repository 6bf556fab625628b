#include "knowledge_schema.h"

#include <algorithm>
#include <optional>

#include "database_info.h"

namespace zorli::knowledge {
namespace {

KnowledgeField TextField(std::string_view name) { return {name, FieldType::kText, kTextWidth}; }

}  // namespace

const KnowledgeSchema& PrimaryKnowledge() {
  static const KnowledgeSchema schema{
      "dbs",
      "dbs.edb",
      {TextField("pattern"), TextField("answer1"), TextField("answer2"), TextField("answer3"),
       TextField("answer4")}};
  return schema;
}

const KnowledgeSchema& FallbackKnowledge() {
  static const KnowledgeSchema schema{"dbv", "dbv.edb", {TextField("reply")}};
  return schema;
}

const KnowledgeSchema* FindKnowledgeSchema(std::string_view name) {
  for (const KnowledgeSchema* schema : {&PrimaryKnowledge(), &FallbackKnowledge()}) {
    if (schema->name == name) return schema;
  }
  return nullptr;
}

std::vector<FieldDefinition> FieldDefinitions(const KnowledgeSchema& schema) {
  std::vector<FieldDefinition> fields;
  for (const KnowledgeField& field : schema.fields) {
    fields.push_back({GbkText(field.name), field.type, field.width});
  }
  return fields;
}

bool CurrentDatabaseFits(const KnowledgeSchema& schema) {
  const std::optional<DatabaseInfo> info = DescribeCurrentDatabase();
  return info && info->fields.size() >= schema.fields.size() &&
         std::all_of(info->fields.begin(), info->fields.begin() + schema.fields.size(),
                     [](const FieldInfo& field) {
                       return field.type == FieldType::kText || field.type == FieldType::kMemo;
                     });
}

}  // namespace zorli::knowledge
