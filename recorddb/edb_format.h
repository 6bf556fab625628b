#pragma once
// Byte layouts of the main file (EDB), the auxiliary file (EDT) and the index header
// (ENX), named as docs/edb_format.md names them. All integers little-endian.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "field_value.h"

namespace zorli::edb {

// Every file opens with a 4-byte magic, which the page cipher leaves plain, and the
// int32 version.
constexpr size_t kMagicSize = 4;
constexpr size_t kVersionOffset = 4;
constexpr int32_t kVersion = 0x10000;

// Main file: header, field count, descriptors, then the records.
constexpr size_t kRecordCountOffset = 16;
constexpr size_t kCounterOffset = 20;
constexpr size_t kRecordSizeOffset = 24;
constexpr size_t kCheckTextOffset = 28;
constexpr size_t kCheckTextLength = 32;
constexpr size_t kCheckTextFieldSize = 33;  // the text and its terminator
constexpr size_t kHeaderSize = 112;
constexpr size_t kFieldCountOffset = 112;
constexpr size_t kDescriptorsOffset = 116;
constexpr size_t kDescriptorSize = 72;

// Field descriptor: the name area, then type, offset in the record and text width.
constexpr size_t kDescriptorNameSize = 20;
constexpr size_t kMaxFieldNameBytes = 16;
constexpr size_t kDescriptorTypeOffset = 20;
constexpr size_t kDescriptorFieldOffsetOffset = 24;
constexpr size_t kDescriptorTextWidthOffset = 28;

// Record: the status word at offset 0; its first byte is the record's lock byte.
constexpr size_t kStatusWordSize = 4;

// Auxiliary file: block 0 starts with the header; every other block is a chain block.
constexpr uint64_t kEdtBlockSize = 512;
constexpr size_t kEdtHeaderSize = 32;
constexpr size_t kEdtBlockCountOffset = 16;
constexpr size_t kEdtFreeCountOffset = 20;
constexpr size_t kEdtFreeHeadOffset = 24;
constexpr size_t kEdtPreviousOffset = 0;
constexpr size_t kEdtNextOffset = 4;
constexpr size_t kEdtUsedOffset = 8;
constexpr size_t kEdtBlockHeaderSize = 12;  // the data follows
constexpr int32_t kEdtBlockDataSize = 500;

// Index file header.
constexpr size_t kEnxHeaderSize = 224;
constexpr size_t kEnxPageCountOffset = 24;
constexpr size_t kEnxPageNumbersOffset = 28;  // three int32 page numbers
constexpr size_t kEnxPageSizeOffset = 40;
constexpr size_t kEnxKeyLengthOffset = 44;
constexpr size_t kEnxKeyFieldCountOffset = 48;
constexpr size_t kEnxKeyNamesOffset = 52;
constexpr size_t kEnxKeyNameSize = 17;
constexpr size_t kEnxKeySlots = 8;
constexpr size_t kEnxKeyTypesOffset = 188;

inline int32_t ReadInt32(const uint8_t* bytes) {
  return static_cast<int32_t>(uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 |
                              uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24);
}
inline void WriteInt32(uint8_t* bytes, int32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(uint32_t(value) >> (8 * i));
}
inline int64_t ReadInt64(const uint8_t* bytes) {
  uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = value << 8 | bytes[i];
  return static_cast<int64_t>(value);
}
inline void WriteInt64(uint8_t* bytes, int64_t value) {
  for (int i = 0; i < 8; ++i) bytes[i] = static_cast<uint8_t>(uint64_t(value) >> (8 * i));
}

struct EdbHeader {
  std::array<uint8_t, kHeaderSize> bytes{};

  // Zero bytes, magic "WEDB", version 0x10000.
  static EdbHeader Fresh();
  std::string_view Magic() const {
    return {reinterpret_cast<const char*>(bytes.data()), kMagicSize};
  }
  bool Plain() const { return Magic() == "WEDB"; }
  bool Enciphered() const { return Magic() == "WCDB"; }
  int32_t Version() const { return ReadInt32(&bytes[kVersionOffset]); }
  int32_t RecordCount() const { return ReadInt32(&bytes[kRecordCountOffset]); }
  int32_t Counter() const { return ReadInt32(&bytes[kCounterOffset]); }
  int32_t RecordSize() const { return ReadInt32(&bytes[kRecordSizeOffset]); }
  std::string_view CheckText() const {
    return {reinterpret_cast<const char*>(&bytes[kCheckTextOffset]), kCheckTextLength};
  }
  void SetMagic(std::string_view magic) { std::memcpy(bytes.data(), magic.data(), kMagicSize); }
  void SetRecordCount(int32_t count) { WriteInt32(&bytes[kRecordCountOffset], count); }
  void SetCounter(int32_t counter) { WriteInt32(&bytes[kCounterOffset], counter); }
  void SetRecordSize(int32_t size) { WriteInt32(&bytes[kRecordSizeOffset], size); }
  // Empty clears the check text.
  void SetCheckText(std::string_view text);
};

struct FieldDescriptor {
  std::array<uint8_t, kDescriptorSize> bytes{};

  // Zero-terminated within the first 17 bytes.
  bool NameTerminated() const;
  std::string Name() const;
  int32_t TypeCode() const { return ReadInt32(&bytes[kDescriptorTypeOffset]); }
  FieldType Type() const { return static_cast<FieldType>(TypeCode()); }
  int32_t Offset() const { return ReadInt32(&bytes[kDescriptorFieldOffsetOffset]); }
  int32_t TextWidth() const { return ReadInt32(&bytes[kDescriptorTextWidthOffset]); }
  // Bytes the value takes in a record.
  int64_t Width() const;
  bool Valid() const;

  static FieldDescriptor Make(std::string_view name, FieldType type, int32_t offset,
                              int32_t textWidth);
};

// Width in the record of a non-text field type.
int32_t FixedWidth(FieldType type);

// Aliases: first character a half- or full-width letter or a Chinese character; further
// ones also half- or full-width digits. No length limit.
bool IsValidAlias(std::string_view name);
// Field names: the alias rule, fewer than 16 characters, and at most the 16 bytes a
// descriptor holds.
bool IsValidFieldName(std::string_view name);
// ASCII letters without regard to case, double-byte characters as they are.
bool NamesEqual(std::string_view a, std::string_view b);

struct EdtHeader {
  std::array<uint8_t, kEdtHeaderSize> bytes{};

  static EdtHeader Fresh();
  bool MagicValid() const { return std::memcmp(bytes.data(), "WEDT", kMagicSize) == 0; }
  int32_t Version() const { return ReadInt32(&bytes[kVersionOffset]); }
  int32_t BlockCount() const { return ReadInt32(&bytes[kEdtBlockCountOffset]); }
  int32_t FreeCount() const { return ReadInt32(&bytes[kEdtFreeCountOffset]); }
  int32_t FreeHead() const { return ReadInt32(&bytes[kEdtFreeHeadOffset]); }
  void SetBlockCount(int32_t count) { WriteInt32(&bytes[kEdtBlockCountOffset], count); }
  void SetFreeCount(int32_t count) { WriteInt32(&bytes[kEdtFreeCountOffset], count); }
  void SetFreeHead(int32_t block) { WriteInt32(&bytes[kEdtFreeHeadOffset], block); }
};

struct EdtBlock {
  std::array<uint8_t, kEdtBlockSize> bytes{};

  int32_t Previous() const { return ReadInt32(&bytes[kEdtPreviousOffset]); }
  int32_t Next() const { return ReadInt32(&bytes[kEdtNextOffset]); }
  int32_t Used() const { return ReadInt32(&bytes[kEdtUsedOffset]); }
  const uint8_t* Data() const { return &bytes[kEdtBlockHeaderSize]; }
  void SetPrevious(int32_t block) { WriteInt32(&bytes[kEdtPreviousOffset], block); }
  void SetNext(int32_t block) { WriteInt32(&bytes[kEdtNextOffset], block); }
  // Sets used and the data, zero-padded.
  void SetData(std::string_view piece);
};

struct EnxHeader {
  std::array<uint8_t, kEnxHeaderSize> bytes{};

  bool MagicValid() const { return std::memcmp(bytes.data(), "WENX", kMagicSize) == 0; }
  int32_t Version() const { return ReadInt32(&bytes[kVersionOffset]); }
  int32_t PageCount() const { return ReadInt32(&bytes[kEnxPageCountOffset]); }
  // i from 0 to 2.
  int32_t PageNumber(size_t i) const {
    return ReadInt32(&bytes[kEnxPageNumbersOffset + i * sizeof(int32_t)]);
  }
  int32_t PageSize() const { return ReadInt32(&bytes[kEnxPageSizeOffset]); }
  int32_t KeyLength() const { return ReadInt32(&bytes[kEnxKeyLengthOffset]); }
  int32_t KeyFieldCount() const { return ReadInt32(&bytes[kEnxKeyFieldCountOffset]); }
  // The kEnxKeyNameSize bytes of a key slot's name area.
  const uint8_t* KeyName(size_t slot) const {
    return &bytes[kEnxKeyNamesOffset + slot * kEnxKeyNameSize];
  }
  int32_t KeyType(size_t slot) const {
    return ReadInt32(&bytes[kEnxKeyTypesOffset + slot * sizeof(int32_t)]);
  }
};

}  // namespace zorli::edb
