#pragma once
// Turning a field's bytes, as stored in a record, into its value and back.
#include <string>
#include <string_view>

#include "edb_format.h"
#include "field_value.h"

namespace zorli::edb {

// raw holds exactly field.Width() bytes. Byte sets and memos are not decoded here: their
// bytes are a block number (see ChainStart).
FieldValue DecodeField(const FieldDescriptor& field, std::string_view raw);
int32_t ChainStart(std::string_view raw);
// The stored bytes of value for field (not for byte sets and memos). false when the
// value's type does not fit the field.
bool EncodeField(const FieldDescriptor& field, const FieldValue& value, std::string& raw);

}  // namespace zorli::edb
