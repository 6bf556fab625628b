#pragma once
// One field value as a TSV cell and back, by field type: integers in decimal, reals
// with round-trip precision, true/false, "YYYY-MM-DD HH:MM:SS", byte sets in lower-case
// hex, texts through tsv_text.h.
#include <optional>
#include <string>
#include <string_view>

#include "field_value.h"

namespace zorli::edbtool {

std::string FormatField(const FieldValue& value);
std::optional<FieldValue> ParseField(FieldType type, std::string_view cell);

}  // namespace zorli::edbtool
