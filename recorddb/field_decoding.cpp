#include "field_decoding.h"

#include <algorithm>
#include <cstring>

#include "clock.h"

namespace zorli::edb {
namespace {

template <typename T>
T Load(std::string_view raw) {
  T value;
  std::memcpy(&value, raw.data(), sizeof value);
  return value;
}

template <typename T>
std::string Store(T value) {
  std::string raw(sizeof value, '\0');
  std::memcpy(raw.data(), &value, sizeof value);
  return raw;
}

bool IsIntegerType(FieldType type) {
  return type == FieldType::kByte || type == FieldType::kShort || type == FieldType::kInt ||
         type == FieldType::kInt64 || type == FieldType::kSubProgramPointer;
}
bool IsRealType(FieldType type) {
  return type == FieldType::kFloat || type == FieldType::kDouble || type == FieldType::kDateTime;
}

}  // namespace

int32_t ChainStart(std::string_view raw) {
  return ReadInt32(reinterpret_cast<const uint8_t*>(raw.data()));
}

FieldValue DecodeField(const FieldDescriptor& field, std::string_view raw) {
  const FieldType type = field.Type();
  switch (type) {
    case FieldType::kByte: return FieldValue::FromInteger(type, static_cast<uint8_t>(raw[0]));
    case FieldType::kShort: return FieldValue::FromInteger(type, Load<int16_t>(raw));
    case FieldType::kInt: return FieldValue::FromInteger(type, Load<int32_t>(raw));
    case FieldType::kInt64: return FieldValue::FromInteger(type, Load<int64_t>(raw));
    case FieldType::kSubProgramPointer: return FieldValue::FromInteger(type, Load<uint32_t>(raw));
    case FieldType::kFloat: return FieldValue::FromReal(type, Load<float>(raw));
    case FieldType::kDouble: return FieldValue::FromReal(type, Load<double>(raw));
    case FieldType::kDateTime: {
      const double value = Load<double>(raw);
      // NaN is not in the range either; it reads as the lower bound.
      const double clamped = value >= kMinDateTime ? std::min(value, kMaxDateTime) : kMinDateTime;
      return FieldValue::FromReal(type, clamped);
    }
    case FieldType::kLogical: return FieldValue::FromLogical(raw[0] != 0);
    case FieldType::kText:
      return FieldValue::FromBytes(type, std::string(raw.substr(0, raw.find('\0'))));
    case FieldType::kByteSet:
    case FieldType::kMemo: return FieldValue(type);
  }
  return FieldValue(type);
}

bool EncodeField(const FieldDescriptor& field, const FieldValue& value, std::string& raw) {
  const FieldType type = field.Type();
  if (IsIntegerType(type) && !IsIntegerType(value.Type())) return false;
  if (IsRealType(type) && !IsRealType(value.Type())) return false;
  const int64_t integer = value.Integer();
  switch (type) {
    case FieldType::kByte: raw = Store(static_cast<uint8_t>(integer)); return true;
    case FieldType::kShort: raw = Store(static_cast<int16_t>(integer)); return true;
    case FieldType::kInt: raw = Store(static_cast<int32_t>(integer)); return true;
    case FieldType::kInt64: raw = Store(integer); return true;
    case FieldType::kSubProgramPointer: raw = Store(static_cast<uint32_t>(integer)); return true;
    case FieldType::kFloat: raw = Store(static_cast<float>(value.Real())); return true;
    case FieldType::kDouble:
    case FieldType::kDateTime: raw = Store(value.Real()); return true;
    case FieldType::kLogical:
      if (value.Type() != FieldType::kLogical) return false;
      raw = std::string(1, value.Logical() ? '\1' : '\0');
      return true;
    case FieldType::kText: {
      if (!value.IsText()) return false;
      raw = value.Bytes().substr(0, static_cast<size_t>(field.TextWidth()));
      raw.resize(static_cast<size_t>(field.TextWidth()), '\0');
      return true;
    }
    case FieldType::kByteSet:
    case FieldType::kMemo: return false;
  }
  return false;
}

}  // namespace zorli::edb
