#include "field_text.h"

#include <cerrno>
#include <cfloat>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "clock.h"
#include "tsv_text.h"

namespace zorli::knowledge {
namespace {

const char* const kTypeNames[] = {"byte", "short",    "int",    "int64", "float", "double",
                                  "bool", "datetime", "subptr", "text",  "bytes", "memo"};

// The reason a cell was refused; empty while it is fine.
using Problem = std::string;

std::optional<int64_t> ParseInteger(std::string_view cell, int64_t low, int64_t high,
                                    Problem& problem) {
  const std::string text(cell);
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0') {
    problem = "not a whole number";
  } else if (errno != 0 || value < low || value > high) {
    problem = "out of the range " + std::to_string(low) + " to " + std::to_string(high);
  } else {
    return value;
  }
  return std::nullopt;
}

// inf and nan are values of their own; a number too large or too small for the type is not.
std::optional<double> ParseReal(std::string_view cell, bool single, Problem& problem) {
  const std::string text(cell);
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0') {
    problem = "not a number";
    return std::nullopt;
  }
  const bool overflow = (errno == ERANGE && std::isinf(value)) ||
                        (single && std::isfinite(value) && std::fabs(value) > FLT_MAX);
  const bool underflow =
      (errno == ERANGE && value == 0) || (single && value != 0 && static_cast<float>(value) == 0);
  if (overflow || underflow) {
    problem = std::string(overflow ? "too large" : "too small") + " for a " +
              (single ? "float" : "double");
    return std::nullopt;
  }
  return value;
}

std::optional<DateTime> ParseDateTime(std::string_view cell, Problem& problem) {
  CivilDateTime parts{};
  char tail = 0;
  const std::string text(cell);
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &parts.year, &parts.month, &parts.day,
                  &parts.hour, &parts.minute, &parts.second, &tail) != 6) {
    problem = "not a date and time YYYY-MM-DD HH:MM:SS";
    return std::nullopt;
  }
  // A date or time that does not exist would be moved to another one; it must come back
  // as written.
  const bool inRange = parts.month >= 1 && parts.month <= 12 && parts.day >= 1 && parts.day <= 31 &&
                       parts.hour >= 0 && parts.hour <= 23 && parts.minute >= 0 &&
                       parts.minute <= 59 && parts.second >= 0 && parts.second <= 59;
  const DateTime value = MakeDateTime(parts);
  const CivilDateTime back = SplitDateTime(value);
  if (!inRange || back.year != parts.year || back.month != parts.month || back.day != parts.day ||
      back.hour != parts.hour || back.minute != parts.minute || back.second != parts.second) {
    problem = "no such date and time (years 100 to 9999)";
    return std::nullopt;
  }
  return value;
}

std::optional<std::string> ParseHex(std::string_view cell) {
  if (cell.size() % 2 != 0) return std::nullopt;
  std::string bytes;
  for (size_t i = 0; i < cell.size(); i += 2) {
    unsigned value = 0;
    const std::string pair(cell.substr(i, 2));
    char* end = nullptr;
    value = static_cast<unsigned>(std::strtoul(pair.c_str(), &end, 16));
    if (*end != '\0' || pair[0] == '+' || pair[0] == '-' || pair[0] == ' ') return std::nullopt;
    bytes.push_back(static_cast<char>(value));
  }
  return bytes;
}

// The fewest digits that read back as the same value.
std::string ShortestReal(double value, int fewest, int most, bool single) {
  char text[64];
  for (int digits = fewest;; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    const bool exact = single ? std::strtof(text, nullptr) == static_cast<float>(value)
                              : std::strtod(text, nullptr) == value;
    if (exact || digits >= most) return text;
  }
}

}  // namespace

const char* TypeName(FieldType type) { return kTypeNames[static_cast<int>(type) - 1]; }

std::optional<FieldType> TypeNamed(std::string_view name) {
  for (int code = 1; IsValidFieldType(code); ++code) {
    if (name == kTypeNames[code - 1]) return static_cast<FieldType>(code);
  }
  return std::nullopt;
}

std::string FormatField(const FieldValue& value) {
  char text[64];
  switch (value.Type()) {
    case FieldType::kByte:
    case FieldType::kShort:
    case FieldType::kInt:
    case FieldType::kInt64:
    case FieldType::kSubProgramPointer:
      std::snprintf(text, sizeof text, "%" PRId64, value.Integer());
      return text;
    case FieldType::kFloat: return ShortestReal(value.Real(), 6, 9, true);
    case FieldType::kDouble: return ShortestReal(value.Real(), 15, 17, false);
    case FieldType::kLogical: return value.Logical() ? "true" : "false";
    case FieldType::kDateTime: {
      const CivilDateTime parts = SplitDateTime(value.Real());
      std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", int(parts.year),
                    int(parts.month), int(parts.day), int(parts.hour), int(parts.minute),
                    int(parts.second));
      return text;
    }
    case FieldType::kByteSet: {
      std::string hex;
      for (unsigned char byte : value.Bytes()) {
        std::snprintf(text, sizeof text, "%02x", byte);
        hex += text;
      }
      return hex;
    }
    case FieldType::kText:
    case FieldType::kMemo: return EncodeCell(value.Bytes());
  }
  return std::string();
}

std::optional<FieldValue> ParseField(FieldType type, std::string_view cell, std::string* problem) {
  Problem why;
  std::optional<FieldValue> value;
  switch (type) {
    case FieldType::kByte:
    case FieldType::kShort:
    case FieldType::kInt:
    case FieldType::kInt64:
    case FieldType::kSubProgramPointer: {
      static const std::pair<int64_t, int64_t> kRanges[] = {
          {0, 255}, {INT16_MIN, INT16_MAX}, {INT32_MIN, INT32_MAX}, {INT64_MIN, INT64_MAX}};
      const auto range = type == FieldType::kSubProgramPointer
                             ? std::pair<int64_t, int64_t>{0, UINT32_MAX}
                             : kRanges[static_cast<int>(type) - 1];
      if (const auto number = ParseInteger(cell, range.first, range.second, why)) {
        value = FieldValue::FromInteger(type, *number);
      }
      break;
    }
    case FieldType::kFloat:
    case FieldType::kDouble:
      if (const auto number = ParseReal(cell, type == FieldType::kFloat, why)) {
        value = FieldValue::FromReal(type, *number);
      }
      break;
    case FieldType::kLogical:
      if (cell == "true" || cell == "false") {
        value = FieldValue::FromLogical(cell == "true");
      } else {
        why = "neither true nor false";
      }
      break;
    case FieldType::kDateTime:
      if (const auto date = ParseDateTime(cell, why)) value = FieldValue::FromReal(type, *date);
      break;
    case FieldType::kByteSet:
      if (auto bytes = ParseHex(cell)) {
        value = FieldValue::FromBytes(type, std::move(*bytes));
      } else {
        why = "not pairs of hexadecimal digits";
      }
      break;
    case FieldType::kText:
    case FieldType::kMemo:
      if (auto bytes = DecodeCell(cell); !bytes) {
        why = "a bad escape, malformed UTF-8 or a character GBK lacks";
      } else if (bytes->find('\0') != std::string::npos) {
        why = "a zero byte, where the stored text would end";
      } else {
        value = FieldValue::FromBytes(type, std::move(*bytes));
      }
      break;
  }
  if (problem != nullptr) *problem = why;
  return value;
}

}  // namespace zorli::knowledge
