#pragma once
// A database built from a schema and a TSV file: the header line names the fields, each
// further line is one record, its cells decoded by field type (field_text.h).
#include <string>
#include <vector>

#include "database_writer.h"
#include "gbk_text.h"
#include "knowledge_schema.h"

namespace zorli::knowledge {

struct BuildResult {
  bool built = false;
  std::string problem;  // UTF-8, when not built: the line, the column and the reason
  explicit operator bool() const { return built; }
};

// Builds the database beside out under a temporary name and renames it over out only
// when every line was stored, so a failed build leaves out and its auxiliary file as they
// were. Both paths are UTF-8 and named in problems as given.
[[nodiscard]] BuildResult CreateDatabaseFromTsv(const std::string& out,
                                                const std::vector<FieldDefinition>& fields,
                                                const std::string& tsvPath,
                                                const GbkText& password = GbkText());
// A knowledge file from its source, as the build and the release's batch file make it.
[[nodiscard]] BuildResult BuildKnowledgeFile(const KnowledgeSchema& schema,
                                             const std::string& tsvPath, const std::string& out);

// "CODE MESSAGE" of a result code, UTF-8.
std::string CodeText(int32_t code);

}  // namespace zorli::knowledge
