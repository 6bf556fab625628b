#pragma once
// The --schema argument written out: comma-separated "name:type" or "name:text:WIDTH", the
// types named as in field_text.h. The knowledge files' schemas go by name instead.
#include <optional>
#include <string>
#include <vector>

#include "database_writer.h"

namespace zorli::edbtool {

// Field names come in UTF-8 and leave as GBK. nullopt on any malformed entry.
std::optional<std::vector<FieldDefinition>> ParseSchema(const std::string& schema);

}  // namespace zorli::edbtool
