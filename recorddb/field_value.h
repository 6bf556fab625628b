#pragma once
// One field's value as read from a record: the field's type and the value in the
// C++ type that fits it.
#include <cstdint>
#include <string>

#include "gbk_text.h"

namespace zorli {

enum class FieldType : int32_t {
  Byte = 1,
  Short = 2,
  Int = 3,
  Int64 = 4,
  Float = 5,
  Double = 6,
  Logical = 7,
  DateTime = 8,
  SubProgramPointer = 9,
  Text = 10,
  ByteSet = 11,
  Memo = 12,
};

constexpr bool IsValidFieldType(int32_t code) { return code >= 1 && code <= 12; }

class FieldValue {
 public:
  // The zero of the type: 0, false, the empty text or byte set.
  explicit FieldValue(FieldType type = FieldType::Text) : type_(type) {}
  static FieldValue FromInteger(FieldType type, int64_t value);
  static FieldValue FromReal(FieldType type, double value);
  static FieldValue FromLogical(bool value);
  // Text, memo or byte set.
  static FieldValue FromBytes(FieldType type, std::string bytes);

  FieldType type() const { return type_; }
  bool isText() const { return type_ == FieldType::Text || type_ == FieldType::Memo; }
  // The text of a text or memo field; the empty text for every other type.
  GbkText text() const { return isText() ? bytes_ : GbkText(); }
  // The raw bytes of a text, memo or byte-set value.
  const std::string& bytes() const { return bytes_; }
  // Byte, short, int, int64, sub-program pointer; logical as 0/1.
  int64_t integer() const { return integer_; }
  // Float, double, date-time (an Automation date).
  double real() const { return real_; }
  bool logical() const { return integer_ != 0; }

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
