#include "database_paths.h"
#include "database_state.h"
#include "platform/platform.h"
#include "error_codes.h"
#include "record_database.h"

namespace zorli {
namespace edb {
namespace {

thread_local ErrorCode lastError = kOk;

}  // namespace

DatabaseRegistry& Registry() {
  static DatabaseRegistry registry;
  return registry;
}

RecordDatabase* CurrentDatabase() {
  DatabaseRegistry& registry = Registry();
  if (!registry.current || *registry.current >= registry.databases.size()) return nullptr;
  return registry.databases[*registry.current].get();
}

void SetLastError(ErrorCode code) { lastError = code; }

ErrorCode RecordDatabase::LockRecord(int64_t record, ScopedLock& lock) {
  if (record < 0) return kLockFailed;
  return lock.Lock(locks, main.File(), static_cast<int64_t>(RecordOffset(record)));
}

int32_t RecordDatabase::FieldNumber(const GbkText& fieldName) const {
  for (size_t i = 0; i < fields.size(); ++i) {
    if (NamesEqual(fields[i].Name(), fieldName)) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

void RecordDatabase::Close() {
  if (main.IsOpen()) locks.ReleaseAll(main.File());
  main.Close();
  aux.Close();
  indexFiles.clear();
  platform::WipeBytes(password.data(), password.size());
  password.clear();
}

}  // namespace edb

void CloseAllDatabases() {
  edb::DatabaseRegistry& registry = edb::Registry();
  for (auto& db : registry.databases) db->Close();
  registry.databases.clear();
  registry.current.reset();
  ++registry.closings;
  edb::SetLastError(edb::kOk);
}

int32_t LastError() { return edb::lastError; }

std::optional<size_t> FindDatabase(const GbkText& name) {
  if (name.empty()) return std::nullopt;
  const auto& databases = edb::Registry().databases;
  for (size_t i = databases.size(); i-- > 0;) {
    const edb::RecordDatabase& db = *databases[i];
    if (!db.alias.empty() && edb::PathsEqual(db.alias, name)) return i;
    if (edb::PathsEqual(db.name, name)) return i;
    if (edb::PathsEqual(db.fullPath, name)) return i;
  }
  return std::nullopt;
}

}  // namespace zorli
