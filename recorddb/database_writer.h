#pragma once
// Writing to record databases, for the knowledge-file tool and for tests; the
// application itself only reads. Every operation sets LastError() like the cursor
// operations and takes the locks a writer must take: the record's lock byte while a
// record changes, byte 16 while the record count changes, EDT byte 0 while a value
// chain is rewritten.
#include <cstdint>
#include <optional>
#include <vector>

#include "field_value.h"
#include "gbk_text.h"

namespace zorli {

struct FieldDefinition {
  GbkText name;
  FieldType type = FieldType::kText;
  int32_t textWidth = 0;  // text fields only
};

// Writes a new empty database (and its EDT file when a field is a byte set or memo),
// replacing existing files. Field names must follow the field-name rule and be unique.
// A non-empty password makes a "WCDB" file. Does not open it.
bool CreateDatabase(const GbkText& fileName, const std::vector<FieldDefinition>& fields,
                    const GbkText& password = GbkText());

// The following act on the current database, which must be open for writing.
// Appends a record of zero bytes (status word 0) and moves the cursor onto it.
bool AppendRecord();
// Sets a field of the current record. The value's type must be the field's, except
// that any integer type fits any integer field and any real type any real field.
// Texts longer than a text field's width are cut; memo texts end at their first zero.
bool WriteField(int32_t fieldNumber, const FieldValue& value);
// Sets the current record's status word (negative marks the record deleted).
bool WriteRecordStatus(int32_t status);
// The current record's status word, read under its lock.
bool ReadRecordStatus(int32_t& status);
// Re-enciphers the main and auxiliary file under newPassword; empty removes the
// password ("WEDB"). The database must have been opened exclusively.
bool SetPassword(const GbkText& newPassword);

}  // namespace zorli
