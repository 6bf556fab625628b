#pragma once
// Byte layouts of the main file (EDB), the auxiliary file (EDT) and the index header
// (ENX). All integers little-endian.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "field_value.h"

namespace zorli::edb {

constexpr int32_t kVersion = 0x10000;
constexpr size_t kHeaderSize = 112;
constexpr size_t kFieldCountOffset = 112;
constexpr size_t kDescriptorsOffset = 116;
constexpr size_t kDescriptorSize = 72;
constexpr size_t kRecordCountOffset = 16;
constexpr size_t kCheckTextOffset = 28;
constexpr size_t kCheckTextLength = 32;
constexpr size_t kStatusWordSize = 4;
constexpr size_t kMaxFieldNameBytes = 16;

constexpr uint64_t kEdtBlockSize = 512;
constexpr size_t kEdtHeaderSize = 32;
constexpr size_t kEdtBlockHeaderSize = 12;
constexpr int32_t kEdtBlockDataSize = 500;

constexpr size_t kEnxHeaderSize = 224;

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
  std::string_view magic() const { return {reinterpret_cast<const char*>(bytes.data()), 4}; }
  bool plain() const { return magic() == "WEDB"; }
  bool enciphered() const { return magic() == "WCDB"; }
  int32_t version() const { return ReadInt32(&bytes[4]); }
  int32_t recordCount() const { return ReadInt32(&bytes[16]); }
  int32_t counter() const { return ReadInt32(&bytes[20]); }
  int32_t recordSize() const { return ReadInt32(&bytes[24]); }
  std::string_view checkText() const {
    return {reinterpret_cast<const char*>(&bytes[kCheckTextOffset]), kCheckTextLength};
  }
  void setMagic(std::string_view magic) { std::memcpy(bytes.data(), magic.data(), 4); }
  void setRecordCount(int32_t count) { WriteInt32(&bytes[16], count); }
  void setCounter(int32_t counter) { WriteInt32(&bytes[20], counter); }
  void setRecordSize(int32_t size) { WriteInt32(&bytes[24], size); }
  // Empty clears the check text.
  void setCheckText(std::string_view text);
};

struct FieldDescriptor {
  std::array<uint8_t, kDescriptorSize> bytes{};

  // Zero-terminated within the first 17 bytes.
  bool nameTerminated() const;
  std::string name() const;
  int32_t typeCode() const { return ReadInt32(&bytes[20]); }
  FieldType type() const { return static_cast<FieldType>(typeCode()); }
  int32_t offset() const { return ReadInt32(&bytes[24]); }
  int32_t textWidth() const { return ReadInt32(&bytes[28]); }
  // Bytes the value takes in a record.
  int64_t width() const;
  bool valid() const;

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
  bool magicValid() const { return std::memcmp(bytes.data(), "WEDT", 4) == 0; }
  int32_t version() const { return ReadInt32(&bytes[4]); }
  int32_t blockCount() const { return ReadInt32(&bytes[16]); }
  int32_t freeCount() const { return ReadInt32(&bytes[20]); }
  int32_t freeHead() const { return ReadInt32(&bytes[24]); }
  void setBlockCount(int32_t count) { WriteInt32(&bytes[16], count); }
  void setFreeCount(int32_t count) { WriteInt32(&bytes[20], count); }
  void setFreeHead(int32_t block) { WriteInt32(&bytes[24], block); }
};

struct EdtBlock {
  std::array<uint8_t, kEdtBlockSize> bytes{};

  int32_t previous() const { return ReadInt32(&bytes[0]); }
  int32_t next() const { return ReadInt32(&bytes[4]); }
  int32_t used() const { return ReadInt32(&bytes[8]); }
  const uint8_t* data() const { return &bytes[kEdtBlockHeaderSize]; }
  void setPrevious(int32_t block) { WriteInt32(&bytes[0], block); }
  void setNext(int32_t block) { WriteInt32(&bytes[4], block); }
  // Sets used and the data, zero-padded.
  void setData(std::string_view piece);
};

}  // namespace zorli::edb
