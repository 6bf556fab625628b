#include "field_decoding.h"

#include <algorithm>
#include <cstring>

#include "clock.h"

namespace zorli::edb {
namespace {

template <typename T>
T load(std::string_view raw) {
  T value;
  std::memcpy(&value, raw.data(), sizeof value);
  return value;
}

template <typename T>
std::string store(T value) {
  std::string raw(sizeof value, '\0');
  std::memcpy(raw.data(), &value, sizeof value);
  return raw;
}

bool isIntegerType(FieldType type) {
  return type == FieldType::Byte || type == FieldType::Short || type == FieldType::Int ||
         type == FieldType::Int64 || type == FieldType::SubProgramPointer;
}
bool isRealType(FieldType type) {
  return type == FieldType::Float || type == FieldType::Double || type == FieldType::DateTime;
}

}  // namespace

int32_t ChainStart(std::string_view raw) {
  return ReadInt32(reinterpret_cast<const uint8_t*>(raw.data()));
}

FieldValue DecodeField(const FieldDescriptor& field, std::string_view raw) {
  const FieldType type = field.type();
  switch (type) {
    case FieldType::Byte: return FieldValue::FromInteger(type, static_cast<uint8_t>(raw[0]));
    case FieldType::Short: return FieldValue::FromInteger(type, load<int16_t>(raw));
    case FieldType::Int: return FieldValue::FromInteger(type, load<int32_t>(raw));
    case FieldType::Int64: return FieldValue::FromInteger(type, load<int64_t>(raw));
    case FieldType::SubProgramPointer:
      return FieldValue::FromInteger(type, load<uint32_t>(raw));
    case FieldType::Float: return FieldValue::FromReal(type, load<float>(raw));
    case FieldType::Double: return FieldValue::FromReal(type, load<double>(raw));
    case FieldType::DateTime: {
      const double value = load<double>(raw);
      // NaN is not in the range either; it reads as the lower bound.
      const double clamped = value >= kMinDateTime ? std::min(value, kMaxDateTime) : kMinDateTime;
      return FieldValue::FromReal(type, clamped);
    }
    case FieldType::Logical: return FieldValue::FromLogical(raw[0] != 0);
    case FieldType::Text:
      return FieldValue::FromBytes(type, std::string(raw.substr(0, raw.find('\0'))));
    case FieldType::ByteSet:
    case FieldType::Memo: return FieldValue(type);
  }
  return FieldValue(type);
}

bool EncodeField(const FieldDescriptor& field, const FieldValue& value, std::string& raw) {
  const FieldType type = field.type();
  if (isIntegerType(type) && !isIntegerType(value.type())) return false;
  if (isRealType(type) && !isRealType(value.type())) return false;
  const int64_t integer = value.integer();
  switch (type) {
    case FieldType::Byte: raw = store(static_cast<uint8_t>(integer)); return true;
    case FieldType::Short: raw = store(static_cast<int16_t>(integer)); return true;
    case FieldType::Int: raw = store(static_cast<int32_t>(integer)); return true;
    case FieldType::Int64: raw = store(integer); return true;
    case FieldType::SubProgramPointer: raw = store(static_cast<uint32_t>(integer)); return true;
    case FieldType::Float: raw = store(static_cast<float>(value.real())); return true;
    case FieldType::Double:
    case FieldType::DateTime: raw = store(value.real()); return true;
    case FieldType::Logical:
      if (value.type() != FieldType::Logical) return false;
      raw = std::string(1, value.logical() ? '\1' : '\0');
      return true;
    case FieldType::Text: {
      if (!value.isText()) return false;
      raw = value.bytes().substr(0, static_cast<size_t>(field.textWidth()));
      raw.resize(static_cast<size_t>(field.textWidth()), '\0');
      return true;
    }
    case FieldType::ByteSet:
    case FieldType::Memo: return false;
  }
  return false;
}

}  // namespace zorli::edb
