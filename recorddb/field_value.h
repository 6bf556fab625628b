#pragma once
// One field's value as read from a record: the field's type and the value in the
// C++ type that fits it.
#include <cstdint>
#include <string>

#include "gbk_text.h"

namespace zorli {

enum class FieldType : int32_t {
  kByte = 1,
  kShort = 2,
  kInt = 3,
  kInt64 = 4,
  kFloat = 5,
  kDouble = 6,
  kLogical = 7,
  kDateTime = 8,
  kSubProgramPointer = 9,
  kText = 10,
  kByteSet = 11,
  kMemo = 12,
};

constexpr bool IsValidFieldType(int32_t code) { return code >= 1 && code <= 12; }
// Byte sets and memos: the record holds the first block of a chain in the auxiliary file.
constexpr bool IsChainType(FieldType type) {
  return type == FieldType::kByteSet || type == FieldType::kMemo;
}

class FieldValue {
 public:
  // The zero of the type: 0, false, the empty text or byte set.
  explicit FieldValue(FieldType type = FieldType::kText) : type_(type) {}
  static FieldValue FromInteger(FieldType type, int64_t value);
  static FieldValue FromReal(FieldType type, double value);
  static FieldValue FromLogical(bool value);
  // Text, memo or byte set.
  static FieldValue FromBytes(FieldType type, std::string bytes);

  FieldType Type() const { return type_; }
  bool IsText() const { return type_ == FieldType::kText || type_ == FieldType::kMemo; }
  // The text of a text or memo field; the empty text for every other type.
  GbkText Text() const { return IsText() ? bytes_ : GbkText(); }
  // The raw bytes of a text, memo or byte-set value.
  const std::string& Bytes() const { return bytes_; }
  // Byte, short, int, int64, sub-program pointer; logical as 0/1.
  int64_t Integer() const { return integer_; }
  // Float, double, date-time (an Automation date).
  double Real() const { return real_; }
  bool Logical() const { return integer_ != 0; }

  friend bool operator==(const FieldValue& a, const FieldValue& b) {
    return a.type_ == b.type_ && a.integer_ == b.integer_ && a.real_ == b.real_ &&
           a.bytes_ == b.bytes_;
  }
  friend bool operator!=(const FieldValue& a, const FieldValue& b) { return !(a == b); }

 private:
  FieldType type_;
  int64_t integer_ = 0;
  double real_ = 0.0;
  std::string bytes_;
};

}  // namespace zorli
