#pragma once
// One field value as a TSV cell and back, by field type: integers in decimal, reals
// with round-trip precision, true/false, "YYYY-MM-DD HH:MM:SS", byte sets in lower-case
// hex, texts through tsv_text.h.
#include <optional>
#include <string>
#include <string_view>

#include "field_value.h"

namespace zorli::knowledge {

// The type's name in a schema and in messages: byte, short, int, int64, float, double,
// bool, datetime, subptr, text, bytes, memo.
const char* TypeName(FieldType type);
std::optional<FieldType> TypeNamed(std::string_view name);

std::string FormatField(const FieldValue& value);
// nullopt for a cell the field cannot store as it is written: a malformed or out-of-range
// number, a real beyond its type's range (inf and nan as such are fine), a date or time
// that does not exist, a zero byte in a text or memo. problem then says why.
std::optional<FieldValue> ParseField(FieldType type, std::string_view cell,
                                     std::string* problem = nullptr);

}  // namespace zorli::knowledge
