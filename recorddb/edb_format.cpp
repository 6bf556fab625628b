#include "edb_format.h"

#include <algorithm>
#include <cctype>

namespace zorli::edb {
namespace {

bool IsAsciiLetter(uint8_t c) { return std::isalpha(c) != 0 && c < 0x80; }
bool IsAsciiDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// Full-width letters are A3C1..A3DA and A3E1..A3FA, full-width digits A3B0..A3B9.
bool IsFullWidthLetter(uint8_t lead, uint8_t trail) {
  return lead == 0xA3 && ((trail >= 0xC1 && trail <= 0xDA) || (trail >= 0xE1 && trail <= 0xFA));
}
bool IsFullWidthDigit(uint8_t lead, uint8_t trail) {
  return lead == 0xA3 && trail >= 0xB0 && trail <= 0xB9;
}
// The GB2312 character rows (B0..F7) and the GBK extension areas.
bool IsChineseCharacter(uint8_t lead, uint8_t trail) {
  if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return false;
  if (lead >= 0xB0 && lead <= 0xF7) return true;
  return (lead >= 0x81 && lead <= 0xA0) || (lead >= 0xAA && lead <= 0xFE && trail < 0xA1);
}

}  // namespace

EdbHeader EdbHeader::Fresh() {
  EdbHeader header;
  header.SetMagic("WEDB");
  WriteInt32(&header.bytes[kVersionOffset], kVersion);
  return header;
}

void EdbHeader::SetCheckText(std::string_view text) {
  const auto field = bytes.begin() + kCheckTextOffset;
  std::fill(field, field + kCheckTextFieldSize, 0);
  std::copy_n(text.begin(), std::min(text.size(), kCheckTextLength), field);
}

bool FieldDescriptor::NameTerminated() const {
  return std::find(bytes.begin(), bytes.begin() + kMaxFieldNameBytes + 1, 0) !=
         bytes.begin() + kMaxFieldNameBytes + 1;
}

std::string FieldDescriptor::Name() const {
  const auto end = std::find(bytes.begin(), bytes.begin() + kDescriptorNameSize, 0);
  return std::string(bytes.begin(), end);
}

int32_t FixedWidth(FieldType type) {
  switch (type) {
    case FieldType::kByte:
    case FieldType::kLogical: return 1;
    case FieldType::kShort: return 2;
    case FieldType::kInt:
    case FieldType::kFloat:
    case FieldType::kSubProgramPointer:
    case FieldType::kByteSet:
    case FieldType::kMemo: return 4;
    case FieldType::kInt64:
    case FieldType::kDouble:
    case FieldType::kDateTime: return 8;
    case FieldType::kText: return 0;
  }
  return 0;
}

int64_t FieldDescriptor::Width() const {
  return Type() == FieldType::kText ? TextWidth() : FixedWidth(Type());
}

bool FieldDescriptor::Valid() const {
  return NameTerminated() && Offset() >= 0 && IsValidFieldType(TypeCode()) &&
         (Type() != FieldType::kText || TextWidth() >= 1);
}

FieldDescriptor FieldDescriptor::Make(std::string_view name, FieldType type, int32_t offset,
                                      int32_t textWidth) {
  FieldDescriptor descriptor;
  std::copy_n(name.begin(), std::min(name.size(), kMaxFieldNameBytes), descriptor.bytes.begin());
  WriteInt32(&descriptor.bytes[kDescriptorTypeOffset], static_cast<int32_t>(type));
  WriteInt32(&descriptor.bytes[kDescriptorFieldOffsetOffset], offset);
  WriteInt32(&descriptor.bytes[kDescriptorTextWidthOffset],
             type == FieldType::kText ? textWidth : 0);
  return descriptor;
}

namespace {

// Characters of a valid name, or 0 when a character breaks the rule.
size_t NameCharacters(std::string_view name) {
  size_t characters = 0;
  for (size_t i = 0; i < name.size();) {
    const uint8_t c = static_cast<uint8_t>(name[i]);
    const bool first = characters == 0;
    if (c < 0x80) {
      if (!IsAsciiLetter(c) && (first || !IsAsciiDigit(c))) return 0;
      i += 1;
    } else {
      if (i + 1 >= name.size()) return 0;
      const uint8_t trail = static_cast<uint8_t>(name[i + 1]);
      const bool letter = IsFullWidthLetter(c, trail) || IsChineseCharacter(c, trail);
      if (!letter && (first || !IsFullWidthDigit(c, trail))) return 0;
      i += 2;
    }
    ++characters;
  }
  return characters;
}

}  // namespace

bool IsValidAlias(std::string_view name) { return NameCharacters(name) >= 1; }

bool IsValidFieldName(std::string_view name) {
  const size_t characters = NameCharacters(name);
  return characters >= 1 && characters < 16 && name.size() <= kMaxFieldNameBytes;
}

bool NamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const uint8_t x = static_cast<uint8_t>(a[i]), y = static_cast<uint8_t>(b[i]);
    if (x >= 0x80) {
      // A double-byte character compares as it is, trail byte included.
      if (x != y) return false;
      if (i + 1 < a.size()) {
        if (a[i + 1] != b[i + 1]) return false;
        ++i;
      }
    } else if (std::tolower(x) != std::tolower(y)) {
      return false;
    }
  }
  return true;
}

EdtHeader EdtHeader::Fresh() {
  EdtHeader header;
  std::memcpy(header.bytes.data(), "WEDT", kMagicSize);
  WriteInt32(&header.bytes[kVersionOffset], kVersion);
  header.SetBlockCount(1);
  return header;
}

void EdtBlock::SetData(std::string_view piece) {
  WriteInt32(&bytes[kEdtUsedOffset], static_cast<int32_t>(piece.size()));
  std::fill(bytes.begin() + kEdtBlockHeaderSize, bytes.end(), 0);
  std::copy(piece.begin(), piece.end(), bytes.begin() + kEdtBlockHeaderSize);
}

}  // namespace zorli::edb
