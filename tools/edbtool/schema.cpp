#include "schema.h"

#include <cstdlib>
#include <sstream>

#include "field_text.h"
#include "gbk_convert.h"

namespace zorli::edbtool {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  std::string part;
  while (std::getline(stream, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.push_back("");
  return parts;
}

}  // namespace

std::optional<std::vector<FieldDefinition>> ParseSchema(const std::string& schema) {
  std::vector<FieldDefinition> fields;
  for (const std::string& entry : Split(schema, ',')) {
    const std::vector<std::string> parts = Split(entry, ':');
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    const std::optional<std::string> name = Utf8ToGbk(parts[0]);
    if (!name) return std::nullopt;
    FieldDefinition field{*name, FieldType::kText, 0};
    const std::optional<FieldType> type = knowledge::TypeNamed(parts[1]);
    if (!type) return std::nullopt;
    field.type = *type;
    if ((field.type == FieldType::kText) != (parts.size() == 3)) return std::nullopt;
    if (field.type == FieldType::kText) {
      char* end = nullptr;
      const long width = std::strtol(parts[2].c_str(), &end, 10);
      if (parts[2].empty() || *end != '\0' || width < 1 || width > 0x7FFFFFF0) return std::nullopt;
      field.textWidth = static_cast<int32_t>(width);
    }
    fields.push_back(field);
  }
  if (fields.empty()) return std::nullopt;
  return fields;
}

}  // namespace zorli::edbtool
