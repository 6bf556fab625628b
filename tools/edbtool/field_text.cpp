#include "field_text.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "clock.h"
#include "tsv_text.h"

namespace zorli::edbtool {
namespace {

std::optional<int64_t> parseInteger(std::string_view cell, int64_t low, int64_t high) {
  const std::string text(cell);
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < low || value > high) return std::nullopt;
  return value;
}

std::optional<double> parseReal(std::string_view cell) {
  const std::string text(cell);
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (*end != '\0') return std::nullopt;
  return value;
}

std::optional<DateTime> parseDateTime(std::string_view cell) {
  CivilDateTime parts{};
  char tail = 0;
  const std::string text(cell);
  if (std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d%c", &parts.year, &parts.month, &parts.day,
                  &parts.hour, &parts.minute, &parts.second, &tail) != 6) {
    return std::nullopt;
  }
  return MakeDateTime(parts);
}

std::optional<std::string> parseHex(std::string_view cell) {
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
std::string shortestReal(double value, int fewest, int most, bool single) {
  char text[64];
  for (int digits = fewest;; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    const bool exact = single ? std::strtof(text, nullptr) == static_cast<float>(value)
                              : std::strtod(text, nullptr) == value;
    if (exact || digits >= most) return text;
  }
}

}  // namespace

std::string FormatField(const FieldValue& value) {
  char text[64];
  switch (value.type()) {
    case FieldType::Byte: case FieldType::Short: case FieldType::Int: case FieldType::Int64:
    case FieldType::SubProgramPointer:
      std::snprintf(text, sizeof text, "%" PRId64, value.integer());
      return text;
    case FieldType::Float: return shortestReal(value.real(), 6, 9, true);
    case FieldType::Double: return shortestReal(value.real(), 15, 17, false);
    case FieldType::Logical: return value.logical() ? "true" : "false";
    case FieldType::DateTime: {
      const CivilDateTime parts = SplitDateTime(value.real());
      std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", int(parts.year),
                    int(parts.month), int(parts.day), int(parts.hour), int(parts.minute),
                    int(parts.second));
      return text;
    }
    case FieldType::ByteSet: {
      std::string hex;
      for (unsigned char byte : value.bytes()) {
        std::snprintf(text, sizeof text, "%02x", byte);
        hex += text;
      }
      return hex;
    }
    case FieldType::Text:
    case FieldType::Memo: return EncodeCell(value.bytes());
  }
  return std::string();
}

std::optional<FieldValue> ParseField(FieldType type, std::string_view cell) {
  switch (type) {
    case FieldType::Byte: case FieldType::Short: case FieldType::Int: case FieldType::Int64:
    case FieldType::SubProgramPointer: {
      static const std::pair<int64_t, int64_t> kRanges[] = {
          {0, 255}, {INT16_MIN, INT16_MAX}, {INT32_MIN, INT32_MAX}, {INT64_MIN, INT64_MAX}};
      const auto range = type == FieldType::SubProgramPointer
                             ? std::pair<int64_t, int64_t>{0, UINT32_MAX}
                             : kRanges[static_cast<int>(type) - 1];
      const auto value = parseInteger(cell, range.first, range.second);
      if (!value) return std::nullopt;
      return FieldValue::FromInteger(type, *value);
    }
    case FieldType::Float: case FieldType::Double: {
      const auto value = parseReal(cell);
      if (!value) return std::nullopt;
      return FieldValue::FromReal(type, *value);
    }
    case FieldType::Logical:
      if (cell == "true" || cell == "false") return FieldValue::FromLogical(cell == "true");
      return std::nullopt;
    case FieldType::DateTime: {
      const auto value = parseDateTime(cell);
      if (!value) return std::nullopt;
      return FieldValue::FromReal(type, *value);
    }
    case FieldType::ByteSet: {
      auto bytes = parseHex(cell);
      if (!bytes) return std::nullopt;
      return FieldValue::FromBytes(type, std::move(*bytes));
    }
    case FieldType::Text:
    case FieldType::Memo: {
      auto bytes = DecodeCell(cell);
      if (!bytes) return std::nullopt;
      return FieldValue::FromBytes(type, std::move(*bytes));
    }
  }
  return std::nullopt;
}

}  // namespace zorli::edbtool
