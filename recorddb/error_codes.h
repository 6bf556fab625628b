#pragma once
// Result codes of the record database (LastError). Only the codes this library
// produces are named; ErrorMessage knows the whole table. Inside the library every
// operation that can fail returns one, and a caller that drops it does not compile.
#include <cstdint>

namespace zorli::edb {

// The formatter takes the attribute for the start of an initializer and mangles the enum.
// clang-format off
enum [[nodiscard]] ErrorCode : int32_t {
  kOk = 0,
  kUnknownError = -1,
  kCreateFailed = -2,
  kFileNotFound = -3,
  kBadPath = -4,
  kTooManyOpenFiles = -5,
  kAccessDenied = -6,
  kInvalidFile = -7,
  kRemoveCurrentDirectory = -8,
  kDirectoryFull = -9,
  kSeekFailed = -10,
  kHardwareFault = -11,
  kSharingViolation = -12,
  kLockViolation = -13,
  kDiskFull = -14,
  kEndOfFile = -15,
  kNoFields = -16,
  kBadFieldType = -17,
  kBadFieldName = -18,
  kBadFieldSize = -19,
  kDuplicateFieldName = -20,
  kNotDatabaseFile = -22,
  kVersionTooHigh = -23,
  kBadAlias = -24,
  kNoDatabaseOpen = -27,
  kLockFailed = -28,
  kUnlockFailed = -29,
  kIndexOpenFailed = -30,
  kBadIndexFile = -31,
  kIndexVersionMismatch = -32,
  kIndexAlreadyOpen = -33,
  kTooManyIndexFiles = -34,
  kAuxReadFailed = -35,
  kAuxVersionMismatch = -36,
  kBadAuxFile = -37,
  kAlreadyOpen = -38,
  kIndexFieldNotFound = -43,
  kFieldReadFailed = -46,
  kFieldWriteFailed = -47,
  kBadFileSize = -48,
  kBadIndexFileSize = -49,
  kAuxCreateFailed = -50,
  kIndexFieldSizeMismatch = -53,
  kIndexFieldTypeMismatch = -54,
  kOutOfMemory = -55,
  kAuxAccessFailed = -59,
  kNoCurrentRecord = -60,
  kRecordReadFailed = -62,
  kRecordWriteFailed = -63,
  kRecordCountFailed = -65,
  kNoCurrentDatabase = -67,
  kFieldTypeMismatch = -72,
  kWrongPassword = -78,
  kPasswordChangeFailed = -79,
};
// clang-format on

}  // namespace zorli::edb
