#include "field_value.h"

#include <utility>

namespace zorli {

FieldValue FieldValue::FromInteger(FieldType type, int64_t value) {
  FieldValue result(type);
  result.integer_ = value;
  return result;
}

FieldValue FieldValue::FromReal(FieldType type, double value) {
  FieldValue result(type);
  result.real_ = value;
  return result;
}

FieldValue FieldValue::FromLogical(bool value) {
  FieldValue result(FieldType::kLogical);
  result.integer_ = value ? 1 : 0;
  return result;
}

FieldValue FieldValue::FromBytes(FieldType type, std::string bytes) {
  FieldValue result(type);
  result.bytes_ = std::move(bytes);
  return result;
}

}  // namespace zorli
